#include "cp1252.h"

#include <cstdint>
#include <cstdio>

namespace {

// Bytes 0x80 to 0x9F; 0 where Windows-1252 defines no character. Every other
// byte is the Latin-1 character of the same number.
const uint16_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98
};

bool to_cp1252_byte(uint32_t code_point, unsigned char* byte) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    *byte = static_cast<unsigned char>(code_point);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (HIGH_CONTROLS[i] != 0 && HIGH_CONTROLS[i] == code_point) {
      *byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

// Reads one UTF-8 sequence at `*pos`; false for bytes that are not UTF-8
// (overlong forms and surrogates included).
bool next_code_point(const std::string& text, size_t* pos, uint32_t* code_point) {
  unsigned char lead = static_cast<unsigned char>(text[*pos]);
  int extra;
  uint32_t value, least;
  if (lead < 0x80) {
    extra = 0, value = lead, least = 0;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, least = 0x10000;
  } else {
    return false;
  }
  if (text.size() - *pos <= static_cast<size_t>(extra)) return false;
  for (int i = 1; i <= extra; ++i) {
    unsigned char next = static_cast<unsigned char>(text[*pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = value << 6 | (next & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *pos += extra + 1;
  *code_point = value;
  return true;
}

}  // namespace

void append_utf8(uint32_t code_point, std::string* out) {
  if (code_point < 0x80) {
    out->push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

bool utf8_to_cp1252(const std::string& utf8, std::string* cp1252, Message* problem) {
  cp1252->clear();
  size_t pos = 0;
  while (pos < utf8.size()) {
    size_t start = pos;
    uint32_t code_point;
    if (!next_code_point(utf8, &pos, &code_point)) {
      *problem = MSG_NOT_UTF8;
      return false;
    }
    unsigned char byte;
    if (!to_cp1252_byte(code_point, &byte)) {
      char number[16];
      snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code_point));
      bool combining = code_point >= 0x300 && code_point <= 0x36F;
      *problem = Message(combining ? MSG_COMBINING_ACCENT : MSG_NO_CP1252_FORM,
                         {utf8.substr(start, pos - start), std::string(number)});
      return false;
    }
    cp1252->push_back(static_cast<char>(byte));
  }
  return true;
}

std::string cp1252_to_utf8(const std::string& cp1252) {
  std::string utf8;
  for (char c : cp1252) {
    unsigned char byte = static_cast<unsigned char>(c);
    uint32_t code_point = byte;
    if (byte >= 0x80 && byte < 0xA0 && HIGH_CONTROLS[byte - 0x80] != 0)
      code_point = HIGH_CONTROLS[byte - 0x80];
    append_utf8(code_point, &utf8);
  }
  return utf8;
}

bool is_utf8(const std::string& bytes) {
  uint32_t code_point;
  for (size_t pos = 0; pos < bytes.size();)
    if (!next_code_point(bytes, &pos, &code_point)) return false;
  return true;
}
