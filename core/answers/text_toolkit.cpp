#include "text_toolkit.h"

#include <cstring>

#include "core/content/text_slot.h"

namespace {

size_t slot_length(const char* text) { return strnlen(text, TEXT_SLOT_MAX); }

bool occurs_in(const char* sought, size_t sought_length, const char* searched,
               size_t searched_length) {
  for (size_t start = 0; start + sought_length <= searched_length; ++start) {
    if (memcmp(searched + start, sought, sought_length) == 0) return true;
  }
  return false;
}

}  // namespace

size_t trim_spaces(char* text) {
  size_t length = slot_length(text);
  while (length > 0 && text[length - 1] == ' ') --length;
  size_t start = 0;
  while (start < length && text[start] == ' ') ++start;
  length -= start;
  memmove(text, text + start, length);
  text[length] = 0;
  return length;
}

size_t upper_ascii(char* text) {
  size_t length = slot_length(text);
  for (size_t i = 0; i < length; ++i) {
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 0x20);
  }
  return length;
}

void sort_letters(char* text) {
  size_t length = slot_length(text);
  size_t counts[256] = {};
  for (size_t i = 0; i < length; ++i) ++counts[static_cast<unsigned char>(text[i])];
  // Signed order: 0x80..0xFF come before 0x00..0x7F.
  size_t out = 0;
  for (int value = -128; value < 128; ++value) {
    unsigned char byte = static_cast<unsigned char>(value);
    for (size_t n = counts[byte]; n > 0; --n) text[out++] = static_cast<char>(byte);
  }
}

int edit_distance(const char* first, const char* second) {
  size_t m = slot_length(first), n = slot_length(second);
  if (m == 0) return int(n);
  if (n == 0) return int(m);
  // Two rows of the (m + 1) x (n + 1) table are enough.
  int rows[2][TEXT_SLOT_SIZE];
  int* previous = rows[0];
  int* current = rows[1];
  for (size_t j = 0; j <= n; ++j) previous[j] = int(j);
  for (size_t i = 1; i <= m; ++i) {
    current[0] = int(i);
    for (size_t j = 1; j <= n; ++j) {
      int cost = first[i - 1] == second[j - 1] ? 0 : 1;
      int best = previous[j] + 1;
      if (current[j - 1] + 1 < best) best = current[j - 1] + 1;
      if (previous[j - 1] + cost < best) best = previous[j - 1] + cost;
      current[j] = best;
    }
    int* swap = previous;
    previous = current;
    current = swap;
  }
  return previous[n];
}

int find_contained(const char* first, const char* second) {
  size_t first_length = slot_length(first), second_length = slot_length(second);
  bool second_sought = second_length < first_length;
  int sign = second_sought ? -1 : 1;
  const char* sought = second_sought ? second : first;
  const char* searched = second_sought ? first : second;
  size_t sought_length = second_sought ? second_length : first_length;
  size_t searched_length = second_sought ? first_length : second_length;
  if (sought_length == 0) return sign;
  return occurs_in(sought, sought_length, searched, searched_length) ? 2 * sign : 0;
}
