// Texts between UTF-8 (quiz sources, the terminal) and Windows-1252 (every
// text the player reads).
#pragma once

#include <cstdint>
#include <string>

#include "messages.h"

// Converts UTF-8 to Windows-1252. A character with no Windows-1252 form, or
// bytes that are not UTF-8, make it return false with `problem` saying which.
bool utf8_to_cp1252(const std::string& utf8, std::string* cp1252, Message* problem);

// Converts Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 ... as Windows reads
// them.
std::string cp1252_to_utf8(const std::string& cp1252);

// A Unicode code point appended as UTF-8.
void append_utf8(uint32_t code_point, std::string* out);

// Whether the bytes are UTF-8 (no overlong forms, no surrogates).
bool is_utf8(const std::string& bytes);
