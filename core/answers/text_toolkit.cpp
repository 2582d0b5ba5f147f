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

namespace {

// Each of 0xC0 to 0xFF without its accent: '.' stays, '#' is a ligature.
const char FOLDED_LATIN[] =
    "AAAAAA#CEEEEIIII"
    ".NOOOOO.OUUUUY.."
    "aaaaaa#ceeeeiiii"
    ".nooooo.ouuuuy.y";

// What byte `c` becomes without its accent: one letter, two for a ligature,
// or none (0) when it stays.
int folded(unsigned char c, char out[2]) {
  switch (c) {
    case 0x8A: out[0] = 'S'; return 1;
    case 0x8E: out[0] = 'Z'; return 1;
    case 0x9A: out[0] = 's'; return 1;
    case 0x9E: out[0] = 'z'; return 1;
    case 0x9F: out[0] = 'Y'; return 1;
    case 0x8C: out[0] = 'O', out[1] = 'E'; return 2;
    case 0x9C: out[0] = 'o', out[1] = 'e'; return 2;
    case 0xC6: out[0] = 'A', out[1] = 'E'; return 2;
    case 0xE6: out[0] = 'a', out[1] = 'e'; return 2;
  }
  if (c < 0xC0 || FOLDED_LATIN[c - 0xC0] == '.') return 0;
  out[0] = FOLDED_LATIN[c - 0xC0];
  return 1;
}

// Builds a text of at most 259 bytes in a slot, dropping what does not fit.
struct SlotWriter {
  char* slot;
  size_t length;
  void put(char c) {
    if (length < TEXT_SLOT_MAX) slot[length++] = c;
  }
  size_t end() {
    slot[length] = 0;
    return length;
  }
};

bool is_blank(unsigned char c) { return c == ' ' || c == 0xA0; }

// Punctuation that French sets after a blank, which a typed answer may leave out.
bool spaced_punctuation(unsigned char c) { return c == ';' || c == ':' || c == '!' || c == '?'; }

const unsigned char OPENING_GUILLEMET = 0xAB, CLOSING_GUILLEMET = 0xBB, ELLIPSIS = 0x85;

char plain_form(unsigned char c) {
  switch (c) {
    case 0x82:
    case 0x91:
    case 0x92: return '\'';
    case 0x84:
    case 0x93:
    case 0x94:
    case OPENING_GUILLEMET:
    case CLOSING_GUILLEMET: return '"';
    case 0x96:
    case 0x97: return '-';
  }
  return static_cast<char>(c);
}

}  // namespace

size_t upper_accented(char* text) {
  size_t length = slot_length(text);
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0xE0 && c != 0xF7 && c != 0xFF)
      c = static_cast<unsigned char>(c - 0x20);
    else if (c == 0x9A || c == 0x9C || c == 0x9E)
      c = static_cast<unsigned char>(c - 0x10);
    else if (c == 0xFF)
      c = 0x9F;
    text[i] = static_cast<char>(c);
  }
  return length;
}

size_t fold_accents(char* text) {
  char source[TEXT_SLOT_SIZE];
  size_t length = copy_text(source, text);
  SlotWriter out = {text, 0};
  for (size_t i = 0; i < length; ++i) {
    char letters[2];
    int count = folded(static_cast<unsigned char>(source[i]), letters);
    if (count == 0) out.put(source[i]);
    for (int n = 0; n < count; ++n) out.put(letters[n]);
  }
  return out.end();
}

size_t plain_typography(char* text) {
  char source[TEXT_SLOT_SIZE];
  size_t length = copy_text(source, text);
  SlotWriter out = {text, 0};
  bool blank_pending = false, after_opening = false;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(source[i]);
    if (is_blank(c)) {
      blank_pending = true;
      continue;
    }
    if (blank_pending && !after_opening && !spaced_punctuation(c) && c != CLOSING_GUILLEMET)
      out.put(' ');
    blank_pending = false;
    after_opening = c == OPENING_GUILLEMET;
    if (c == ELLIPSIS) {
      for (int n = 0; n < 3; ++n) out.put('.');
    } else {
      out.put(plain_form(c));
    }
  }
  if (blank_pending && !after_opening) out.put(' ');
  return out.end();
}
