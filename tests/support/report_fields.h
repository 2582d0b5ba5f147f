// How the web tests' helper programs report what they read: one
// "name=value" line per field, bytes outside printable ASCII (and "\") as
// \xHH, which the node tests decode. Header-only: built natively and for
// Windows alike.
#pragma once

#include <cstdio>
#include <string>

inline std::string escaped(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F || c == '\\') {
      char escape[8];
      snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

inline void field(const std::string& name, const std::string& value) {
  printf("%s=%s\n", name.c_str(), escaped(value).c_str());
}
