#include "driver.h"

#include <algorithm>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct Search {
  DWORD process_id;
  std::string caption;
  std::string class_name;
  HWND found;
};

BOOL CALLBACK find_top_level(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (search->class_name != class_name) return TRUE;
  if (!search->caption.empty() && text_of(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find_process_window(DWORD process_id, const std::string& class_name,
                         const std::string& caption) {
  Search search = {process_id, caption, class_name, nullptr};
  EnumWindows(find_top_level, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The frame's two child dialogs: the panel holds the score label.
void find_dialogs(PlayerRun* run) {
  for (HWND child = GetWindow(run->frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[64] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (std::string(class_name) != "#32770") continue;
    if (GetDlgItem(child, SCORE_LABEL))
      run->panel = child;
    else
      run->page = child;
  }
}

std::string base_folder() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string base = std::string(temp) + "quiz-e2e";
  CreateDirectoryA(base.c_str(), nullptr);
  return base;
}

void remove_tree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(path);
      else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string fresh_folder(const std::string& name) {
  std::string folder = base_folder() + "\\" + name;
  remove_tree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool start_player(const std::string& program, const std::string& folder, PlayerRun* run,
                  DWORD timeout_ms) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + program + "\"";
  std::vector<char> command_line(command.begin(), command.end());
  command_line.push_back(0);
  if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &run->process))
    return false;
  // The dialogs are made before the frame is first shown.
  for (DWORD waited = 0; waited < timeout_ms; waited += 20) {
    run->frame = find_process_window(run->process.dwProcessId, "WindowsApp", "");
    if (run->frame) {
      settle(*run);
      find_dialogs(run);
      return true;
    }
    if (WaitForSingleObject(run->process.hProcess, 20) == WAIT_OBJECT_0) return false;
  }
  return false;
}

int close_player(PlayerRun* run, DWORD timeout_ms) {
  PostMessageA(run->frame, WM_CLOSE, 0, 0);
  return wait_for_exit(run, timeout_ms);
}

int wait_for_exit(PlayerRun* run, DWORD timeout_ms) {
  if (WaitForSingleObject(run->process.hProcess, timeout_ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(run->process.hProcess, &code);
  CloseHandle(run->process.hProcess);
  CloseHandle(run->process.hThread);
  run->process = {};
  return int(code);
}

void kill_player(PlayerRun* run) {
  if (!run->process.hProcess) return;
  TerminateProcess(run->process.hProcess, 1);
  WaitForSingleObject(run->process.hProcess, 5000);
  CloseHandle(run->process.hProcess);
  CloseHandle(run->process.hThread);
  run->process = {};
}

std::string text_of(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void set_text(HWND window, const std::string& text) {
  SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void press_key(HWND window, int virtual_key) {
  UINT scan = MapVirtualKeyA(virtual_key, 0);
  PostMessageA(window, WM_KEYDOWN, virtual_key, 1 | (scan << 16));
  PostMessageA(window, WM_KEYUP, virtual_key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void press_alt_key(HWND window, int virtual_key) {
  UINT scan = MapVirtualKeyA(virtual_key, 0);
  PostMessageA(window, WM_SYSKEYDOWN, virtual_key, 1 | (scan << 16) | (1u << 29));
}

bool wait_for_text(HWND window, const std::string& expected, DWORD timeout_ms) {
  for (DWORD waited = 0;; waited += 10) {
    if (text_of(window) == expected) return true;
    if (waited >= timeout_ms) return false;
    Sleep(10);
  }
}

void settle(const PlayerRun& run) {
  // A sent message is handled before posted ones; so post a marker through
  // the queue and wait, with a sent message after each pause, until the
  // player's thread is idle again.
  DWORD_PTR result;
  for (int i = 0; i < 3; ++i) {
    SendMessageTimeoutA(run.frame, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result);
    WaitForInputIdle(run.process.hProcess, 2000);
    Sleep(15);
  }
}

HWND wait_for_message_box(const PlayerRun& run, const std::string& caption, DWORD timeout_ms) {
  for (DWORD waited = 0;; waited += 20) {
    if (HWND box = find_process_window(run.process.dwProcessId, "#32770", caption)) return box;
    if (waited >= timeout_ms) return nullptr;
    Sleep(20);
  }
}

std::string message_box_text(HWND box) {
  // The message is the static control with id 0xFFFF in the standard box.
  HWND label = GetDlgItem(box, 0xFFFF);
  return label ? text_of(label) : "";
}

void press_button(HWND box, int button_id) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button_id)));
}

std::string read_file(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string bytes;
  char buffer[4096];
  DWORD got;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool write_file(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void click_button(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

std::vector<std::string> files_matching(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool copy_quiz(const std::string& quiz, const std::string& folder, const std::string& name) {
  return CopyFileA(quiz.c_str(), (folder + "\\" + name).c_str(), FALSE) != FALSE;
}

HWND focused_control(const PlayerRun& run) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(run.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

bool shown_top_to_bottom(HWND control, HWND container) {
  RECT place, client;
  GetWindowRect(control, &place);
  GetClientRect(container, &client);
  MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return place.top >= client.top && place.bottom <= client.bottom;
}

SIZE size_of(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  return {place.right - place.left, place.bottom - place.top};
}
