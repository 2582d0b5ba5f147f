#include "answers_file.h"

#include <cstring>

namespace {

const unsigned char CR = 13;
const unsigned char LF = 10;
const char ANSWERS_EXTENSION[] = "txt";
const size_t EXTENSION_LENGTH = 3;
const char TEMPORARY_SUFFIX[] = ".tmp";

}  // namespace

bool answers_file_name(const char* program_path, char* slot) {
  const char* name = strrchr(program_path, '\\');
  name = name ? name + 1 : program_path;
  size_t length = copy_text(slot, name);
  if (length < EXTENSION_LENGTH) {
    slot[0] = 0;
    return false;
  }
  memcpy(slot + length - EXTENSION_LENGTH, ANSWERS_EXTENSION, EXTENSION_LENGTH);
  return true;
}

bool answers_temporary_name(const char* answers_name, char* slot) {
  size_t length = strnlen(answers_name, TEXT_SLOT_SIZE);
  if (length == 0 || length + sizeof TEMPORARY_SUFFIX > TEXT_SLOT_SIZE) {
    slot[0] = 0;
    return false;
  }
  memcpy(slot, answers_name, length);
  memcpy(slot + length, TEMPORARY_SUFFIX, sizeof TEMPORARY_SUFFIX);
  return true;
}

size_t format_answer_line(const char* text, char* line) {
  size_t length = text ? strnlen(text, TEXT_SLOT_MAX) : 0;
  if (length) memcpy(line, text, length);
  memcpy(line + length, ANSWER_LINE_END, 2);
  return length + 2;
}

void start_answers(AnswersReader* reader, const void* bytes, size_t size) {
  reader->bytes = static_cast<const unsigned char*>(bytes);
  reader->size = bytes ? size : 0;
  reader->position = 0;
}

size_t read_answer_line(AnswersReader* reader, char* slot) {
  const unsigned char* bytes = reader->bytes;
  size_t size = reader->size;
  size_t start = reader->position;
  size_t end = start;
  while (end < size && bytes[end] != CR) ++end;
  size_t kept = copy_text_n(slot, reinterpret_cast<const char*>(bytes) + start, end - start);
  // Past the line's end: everything up to the LF, then the LF itself.
  while (end < size && bytes[end] != LF) ++end;
  reader->position = end < size ? end + 1 : size;
  return kept;
}
