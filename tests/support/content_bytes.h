// Helpers for tests that build content resources by hand.
#pragma once

#include <string>

#include "core/content/lzw.h"

// The four leading bytes of content: unused, kind + 1, count, answers per question.
inline std::string content_head(int kind_byte, int count, int answers) {
  return std::string{'\0', char(kind_byte), char(count), char(answers)};
}

inline std::string rgb(int red, int green, int blue) {
  return std::string{char(red), char(green), char(blue)};
}

inline std::string byte_of(int value) { return std::string(1, char(value)); }

inline std::string lzw(const std::string& plain) {
  LzwOutput out;
  lzw_encode(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), &out);
  std::string encoded(reinterpret_cast<const char*>(out.bytes), out.length);
  lzw_release(&out);
  return encoded;
}

inline std::string unlzw(const std::string& stream, int* status) {
  LzwOutput out;
  *status = lzw_decode(reinterpret_cast<const unsigned char*>(stream.data()), stream.size(), &out);
  std::string decoded =
      out.bytes ? std::string(reinterpret_cast<const char*>(out.bytes), out.length) : "";
  lzw_release(&out);
  return decoded;
}
