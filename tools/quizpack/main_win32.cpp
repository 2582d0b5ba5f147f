// quizpack.exe: the same commands and messages as on Linux, in the user's
// interface language, with the command line and file names in UTF-16
// underneath. A quiz source dropped
// onto the program (or opened with it) is built beside itself, and the
// console, which Windows closes with the program, waits for a key so that the
// author can read the result.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "wide_text.h"

namespace {

// Text for a console is written as UTF-16, whatever its code page; text for a
// file or a pipe keeps quizpack's UTF-8 bytes, as on Linux.
void write_text(DWORD which, const std::string& text) {
  HANDLE handle = GetStdHandle(which);
  if (text.empty() || handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode, done;
  if (GetConsoleMode(handle, &mode)) {
    std::wstring wide = utf16_from_utf8(text);
    WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &done, nullptr);
    return;
  }
  for (size_t written = 0; written < text.size(); written += done)
    if (!WriteFile(handle, text.data() + written, DWORD(text.size() - written), &done, nullptr) ||
        done == 0)
      return;
}

// Whether the console goes away with this program: it was made for it
// (a double click in the Explorer, a file dropped onto it), not a command
// prompt's.
bool console_is_ours() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

// Waits for a key on the console; from a pipe or a file, for one byte (or
// its end), so that tests can press the key.
void wait_for_key() {
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return;
  DWORD mode, count;
  if (GetConsoleMode(input, &mode)) {
    FlushConsoleInputBuffer(input);
    INPUT_RECORD record;
    while (ReadConsoleInputW(input, &record, 1, &count) && count == 1)
      if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown) return;
    return;
  }
  char byte;
  ReadFile(input, &byte, 1, &count, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** wide_argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i)
    args.push_back(utf8_from_utf16(wide_argv[i], wcslen(wide_argv[i])));
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::string dropped = dropped_quiz_output(argc, argv.data());
  Language language = command_line_language(argc, argv.data());
  std::vector<const char*> build;
  if (!dropped.empty()) {
    build = {argv[0], "build", argv[1], "-o", dropped.c_str()};
    write_text(STD_OUTPUT_HANDLE, say(Message(MSG_DROP_BUILDING, {dropped}), language) + "\n");
  }
  const std::vector<const char*>& command = dropped.empty() ? argv : build;
  std::ostringstream out, err;
  int status = quizpack_main(int(command.size()), command.data(), out, err);
  write_text(STD_OUTPUT_HANDLE, out.str());
  write_text(STD_ERROR_HANDLE, err.str());
  if (!dropped.empty())
    write_text(
        STD_OUTPUT_HANDLE,
        say(status == 0 ? Message(MSG_DROP_READY, {dropped}) : MSG_DROP_NOTHING_WRITTEN, language) +
            "\n");
  if (!dropped.empty() || console_is_ours()) {
    write_text(STD_OUTPUT_HANDLE, say(MSG_PRESS_A_KEY, language) + "\n");
    wait_for_key();
  }
  return status;
}
