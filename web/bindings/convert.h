// Conversions between JavaScript's values and the core's, for the bindings.
#pragma once

#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a Uint8Array.
std::string bytes_of(const emscripten::val& array);
// A Uint8Array holding a copy of `bytes` (the module's memory may move as it
// grows, so no view of it is handed out).
emscripten::val byte_array(const std::string& bytes);

emscripten::val text_list(const std::vector<std::string>& texts);
// The texts of an array; none for undefined or null.
std::vector<std::string> texts_of(const emscripten::val& list);
// A text property of an object; empty when it is not a text.
std::string text_at(const emscripten::val& object, const char* key);

// A colour 0x00BBGGRR as "#RRGGBB".
std::string colour_text(uint32_t colour);
