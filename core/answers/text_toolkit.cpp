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

bool is_capital(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return true;
  if (u >= 0xC0 && u <= 0xDE) return u != 0xD7;
  return u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9F;
}

bool is_small(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return true;
  if (u >= 0xDF) return u != 0xF7;
  return u == 0x9A || u == 0x9C || u == 0x9E;
}

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

namespace {

// Each letter as `folded` writes it, or only the ligatures (the letters it
// writes as two).
size_t spell_folded(char* text, bool ligatures_only) {
  char source[TEXT_SLOT_SIZE];
  size_t length = copy_text(source, text);
  SlotWriter out = {text, 0};
  for (size_t i = 0; i < length; ++i) {
    char letters[2];
    int count = folded(static_cast<unsigned char>(source[i]), letters);
    if (count == 0 || (ligatures_only && count != 2)) {
      out.put(source[i]);
      continue;
    }
    for (int n = 0; n < count; ++n) out.put(letters[n]);
  }
  return out.end();
}

}  // namespace

size_t fold_accents(char* text) { return spell_folded(text, false); }

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

namespace {

bool is_letter(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  if (c >= 0xC0) return c != 0xD7 && c != 0xF7;
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}

bool is_hyphen(unsigned char c) { return c == '-' || c == 0x96 || c == 0x97; }

bool is_end_mark(unsigned char c) {
  switch (c) {
    case '.':
    case ',':
    case ';':
    case ':':
    case '!':
    case '?':
    case '\'':
    case ELLIPSIS:
    case 0x91:
    case 0x92: return true;
  }
  return is_blank(c);
}

// The capital A to Z that an accented letter is written with, in either
// case; 0 for a ligature or a byte that is no accented letter.
char bare_capital(unsigned char c) {
  char letters[2];
  if (folded(c, letters) != 1) return 0;
  char letter = letters[0];
  return letter >= 'a' && letter <= 'z' ? char(letter - 0x20) : letter;
}

char raised(unsigned char c, bool accented_case) {
  char text[2] = {char(c), 0};
  upper_ascii(text);
  if (accented_case) upper_accented(text);
  return text[0];
}

// Whether two letters are the same, a bare capital standing for the accented
// letter; when it does, it takes the accent.
bool same_letter(char* a, char* b, bool accented_case) {
  unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
  if (raised(x, accented_case) == raised(y, accented_case)) return true;
  if (x >= 'A' && x <= 'Z' && bare_capital(y) == char(x)) {
    *a = char(y);
    return true;
  }
  if (y >= 'A' && y <= 'Z' && bare_capital(x) == char(y)) {
    *b = char(x);
    return true;
  }
  return false;
}

}  // namespace

size_t plain_quotes(char* text) {
  size_t length = slot_length(text);
  size_t out = 0;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == 0x84 || c == 0x93 || c == 0x94 || c == OPENING_GUILLEMET ||
        c == CLOSING_GUILLEMET)
      continue;
    text[out++] = c == '`' || c == 0xB4 ? '\'' : char(c);
  }
  text[out] = 0;
  return out;
}

size_t hyphens_as_blanks(char* text) {
  size_t length = slot_length(text);
  size_t out = 0;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (is_hyphen(c)) {
      size_t before = out, after = i + 1;
      while (before > 0 && is_blank(static_cast<unsigned char>(text[before - 1]))) --before;
      while (after < length && is_blank(static_cast<unsigned char>(text[after]))) ++after;
      if (before > 0 && after < length && is_letter(static_cast<unsigned char>(text[before - 1])) &&
          is_letter(static_cast<unsigned char>(text[after]))) {
        out = before;
        text[out++] = ' ';
        i = after - 1;
        continue;
      }
    }
    text[out++] = char(c);
  }
  text[out] = 0;
  return out;
}

size_t trim_punctuation(char* text) {
  size_t length = slot_length(text);
  size_t start = 0;
  while (start < length && is_end_mark(static_cast<unsigned char>(text[start]))) ++start;
  if (start == length) return length;  // marks only: kept
  while (is_end_mark(static_cast<unsigned char>(text[length - 1]))) --length;
  length -= start;
  memmove(text, text + start, length);
  text[length] = 0;
  return length;
}

size_t spell_ligatures(char* text) { return spell_folded(text, true); }

void accent_bare_capitals(char* expected, char* typed, bool accented_case) {
  size_t e = slot_length(expected), t = slot_length(typed);
  size_t start = 0;
  while (start < e && start < t && same_letter(expected + start, typed + start, accented_case))
    ++start;
  while (e > start && t > start && same_letter(expected + e - 1, typed + t - 1, accented_case)) {
    --e;
    --t;
  }
}

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The end of a run of digit groups starting at `start` ("10 000 000"), or
// `start` itself when the digits there are not grouped by three with blanks.
size_t digit_groups_end(const char* text, size_t start, size_t* digits) {
  size_t i = start;
  while (is_digit(text[i])) ++i;
  size_t lead = i - start;
  if (lead == 0 || lead > 3) return start;
  *digits = lead;
  size_t end = i;
  while (text[end] == ' ' && is_digit(text[end + 1]) && is_digit(text[end + 2]) &&
         is_digit(text[end + 3]) && !is_digit(text[end + 4])) {
    end += 4;
    *digits += 3;
  }
  return end;
}

// The numbers of a text as "-273 3,14 1914 1918 ", into a slot.
void numbers_of(const char* text, char* out) {
  SlotWriter numbers = {out, 0};
  size_t length = slot_length(text);
  for (size_t i = 0; i < length; ++i) {
    if (!is_digit(text[i])) continue;
    bool sign =
        i > 0 && text[i - 1] == '-' &&
        (i == 1 || (!is_letter(static_cast<unsigned char>(text[i - 2])) && !is_digit(text[i - 2])));
    if (sign) numbers.put('-');
    // Digits grouped by blanks are one number ("1 789" is 1789, written
    // oddly but the same number).
    size_t digits = 0, groups = digit_groups_end(text, i, &digits);
    for (; i < groups; ++i)
      if (text[i] != ' ') numbers.put(text[i]);
    for (; i < length; ++i) {
      bool mark = (text[i] == ',' || text[i] == '.') && i + 1 < length && is_digit(text[i + 1]);
      if (!is_digit(text[i]) && !mark) break;
      numbers.put(mark ? ',' : text[i]);
    }
    numbers.put(' ');
  }
  numbers.end();
}

}  // namespace

size_t join_digit_groups(char* text) {
  size_t length = slot_length(text);
  size_t out = 0;
  for (size_t i = 0; i < length;) {
    size_t digits = 0;
    size_t end = (i == 0 || !is_digit(text[i - 1])) ? digit_groups_end(text, i, &digits) : i;
    if (end > i && digits >= 5) {
      for (; i < end; ++i)
        if (text[i] != ' ') text[out++] = text[i];
      continue;
    }
    text[out++] = text[i++];
  }
  text[out] = 0;
  return out;
}

bool numbers_differ(const char* first, const char* second) {
  char a[TEXT_SLOT_SIZE], b[TEXT_SLOT_SIZE];
  numbers_of(first, a);
  numbers_of(second, b);
  return strcmp(a, b) != 0;
}

bool has_digit(const char* text) {
  for (size_t i = 0, length = slot_length(text); i < length; ++i)
    if (is_digit(text[i])) return true;
  return false;
}

size_t drop_circumflex_i_u(char* text) {
  size_t length = slot_length(text);
  for (size_t i = 0; i < length; ++i) {
    switch (static_cast<unsigned char>(text[i])) {
      case 0xEE: text[i] = 'i'; break;
      case 0xFB: text[i] = 'u'; break;
      case 0xCE: text[i] = 'I'; break;
      case 0xDB: text[i] = 'U'; break;
    }
  }
  return length;
}
