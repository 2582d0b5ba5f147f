// Any answers file: every line read fits its slot and holds no CR, reading
// always moves on until the file is used up, and a line read, shown and saved
// again reads back the same. Any program name gives a terminated answers-file name.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/answers/answers_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AnswersReader reader;
  start_answers(&reader, data, size);
  char slot[TEXT_SLOT_SIZE], again[TEXT_SLOT_SIZE], line[ANSWER_LINE_SIZE];
  // Every line read consumes at least one byte, so a file has at most `size`
  // lines; a few more reads must give empty lines.
  for (size_t lines = 0; lines < size + 3; ++lines) {
    size_t before = reader.position;
    memset(slot, 'x', sizeof slot);
    size_t length = read_answer_line(&reader, slot);
    if (length > TEXT_SLOT_MAX || slot[length] != '\0') abort();
    if (memchr(slot, '\r', length)) abort();
    if (reader.position > size) abort();
    if (before < size && reader.position == before) abort();
    if (before >= size && length != 0) abort();
    // The field shows the line up to a zero byte; saving that text and
    // reading it back gives the same text.
    size_t shown = strlen(slot);
    size_t written = format_answer_line(slot, line);
    if (written != shown + 2 || memcmp(line, slot, shown) != 0 ||
        memcmp(line + shown, ANSWER_LINE_END, 2) != 0)
      abort();
    AnswersReader back;
    start_answers(&back, line, written);
    if (read_answer_line(&back, again) != shown || strcmp(again, slot) != 0) abort();
    if (back.position != written) abort();
  }
  // The bytes as the program's path.
  std::string path(reinterpret_cast<const char*>(data), size);
  path = path.substr(0, strnlen(path.c_str(), path.size()));
  char name[TEXT_SLOT_SIZE], temporary[TEXT_SLOT_SIZE];
  memset(name, 'x', sizeof name);
  if (answers_file_name(path.c_str(), name)) {
    if (!memchr(name, 0, sizeof name)) abort();
    size_t length = strlen(name);
    if (length < 3 || strcmp(name + length - 3, "txt") != 0 || strchr(name, '\\')) abort();
    if (answers_temporary_name(name, temporary) &&
        strcmp(temporary, (std::string(name) + ".tmp").c_str()) != 0)
      abort();
  } else if (name[0] != '\0') {
    abort();
  }
  return 0;
}
