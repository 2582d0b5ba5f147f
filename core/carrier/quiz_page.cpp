#include "quiz_page.h"

#include <cstring>

#include "core/answers/answers_file.h"
#include "core/content/resource_names.h"
#include "core/content/text_slot.h"

using namespace quiz_page;

namespace {

PageRead fail(std::string* problem, PageRead why, const char* text) {
  *problem = text;
  return why;
}

uint32_t get(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + i]);
  return value;
}

int base64_value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

int strcasecmp_ascii(const char* a, const char* b) {
  for (;; ++a, ++b) {
    char x = *a >= 'A' && *a <= 'Z' ? char(*a + 32) : *a;
    char y = *b >= 'A' && *b <= 'Z' ? char(*b + 32) : *b;
    if (x != y || !x) return x - y;
  }
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

PageRead read_container(const std::string& bytes, std::vector<Resource>* resources,
                        std::string* problem) {
  const char* damaged = "a quiz page whose content block is damaged";
  if (bytes.size() < HEADER_SIZE || bytes.compare(0, SIGNATURE_SIZE, SIGNATURE) != 0)
    return fail(problem, PAGE_DAMAGED, damaged);
  if (uint8_t(bytes[SIGNATURE_SIZE]) != VERSION)
    return fail(problem, PAGE_OTHER_VERSION,
                "a quiz page of another version (its content block is not read)");
  size_t count = get(bytes, SIGNATURE_SIZE + 1, 2), at = HEADER_SIZE;
  if (count > MAX_RESOURCES) return fail(problem, PAGE_DAMAGED, damaged);
  for (size_t i = 0; i < count; ++i) {
    if (bytes.size() - at < RECORD_HEADER_SIZE) return fail(problem, PAGE_DAMAGED, damaged);
    uint8_t type = uint8_t(bytes[at]);
    uint16_t id = uint16_t(get(bytes, at + 1, 2));
    uint32_t size = get(bytes, at + 3, 4);
    at += RECORD_HEADER_SIZE;
    if ((type != TYPE_CONTENT && type != TYPE_MEDIA) || size > bytes.size() - at)
      return fail(problem, PAGE_DAMAGED, damaged);
    Resource r;
    r.type = resource_name(type == TYPE_CONTENT ? CONTENT_RESOURCE_TYPE : MEDIA_RESOURCE_TYPE);
    r.name = resource_number(id);
    if (find_resource(*resources, r.type, r.name)) return fail(problem, PAGE_DAMAGED, damaged);
    r.data = bytes.substr(at, size);
    at += size;
    resources->push_back(std::move(r));
  }
  if (at != bytes.size()) return fail(problem, PAGE_DAMAGED, damaged);
  return PAGE_READ;
}

}  // namespace

bool find_quiz_block(const std::string& page, size_t* start, size_t* length) {
  size_t opening = page.find(BLOCK_START);
  if (opening == std::string::npos) return false;
  *start = opening + strlen(BLOCK_START);
  size_t closing = page.find(BLOCK_END, *start);
  if (closing == std::string::npos) return false;
  *length = closing - *start;
  return true;
}

PageRead read_quiz_page(const std::string& page, std::vector<Resource>* resources,
                        std::string* problem) {
  size_t start, length;
  resources->clear();
  if (page.find(BLOCK_START) == std::string::npos)
    return fail(problem, PAGE_NOT_A_PAGE, "not a quiz page (it has no quiz content block)");
  if (!find_quiz_block(page, &start, &length))
    return fail(problem, PAGE_DAMAGED, "a quiz page cut short (its content block is never closed)");
  return read_quiz_block(page.substr(start, length), resources, problem);
}

PageRead read_quiz_block(const std::string& text, std::vector<Resource>* resources,
                         std::string* problem) {
  std::string bytes;
  resources->clear();
  bool empty = true;
  for (char c : text) empty = empty && blank(c);
  if (empty)
    return fail(problem, PAGE_WITHOUT_QUIZ, "the web player's own page, which carries no quiz");
  if (!decode_base64(text, &bytes))
    return fail(problem, PAGE_DAMAGED, "a quiz page whose content block is damaged (not base64)");
  PageRead read = read_container(bytes, resources, problem);
  if (read != PAGE_READ) resources->clear();
  return read;
}

bool quiz_answers_name(const char* name, char* slot) {
  char program[TEXT_SLOT_SIZE];
  size_t length = copy_text(program, name);
  for (const char* page : {".html", ".htm"}) {
    size_t size = strlen(page);
    if (length < size || strcasecmp_ascii(program + length - size, page) != 0) continue;
    memcpy(program + length - size, ".exe", 5);  // shorter or as long: it fits
    break;
  }
  return answers_file_name(program, slot);
}

bool decode_base64(const std::string& text, std::string* bytes) {
  bytes->clear();
  bytes->reserve(text.size() / 4 * 3);
  uint32_t group = 0;
  int filled = 0, padding = 0;
  for (char c : text) {
    if (blank(c)) continue;
    if (c == '=') {
      // Padding ends a group of two or three characters, and nothing follows.
      if (filled + padding < 2) return false;
      ++padding;
      if (filled + padding > 4) return false;
      continue;
    }
    int value = base64_value(c);
    if (value < 0 || padding) return false;
    group = group << 6 | uint32_t(value);
    if (++filled == 4) {
      bytes->push_back(char(group >> 16));
      bytes->push_back(char(group >> 8 & 0xFF));
      bytes->push_back(char(group & 0xFF));
      group = 0;
      filled = 0;
    }
  }
  if (padding && filled + padding != 4) return false;
  if (filled == 1) return false;
  if (filled == 2) bytes->push_back(char(group >> 4));
  if (filled == 3) {
    bytes->push_back(char(group >> 10));
    bytes->push_back(char(group >> 2 & 0xFF));
  }
  return true;
}
