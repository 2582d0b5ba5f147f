#include "convert.h"

#include <cstdio>

using emscripten::val;

std::string bytes_of(const val& array) {
  std::string bytes(array["length"].as<size_t>(), '\0');
  if (!bytes.empty()) {
    val view(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<uint8_t*>(&bytes[0])));
    view.call<void>("set", array);
  }
  return bytes;
}

val byte_array(const std::string& bytes) {
  val view(
      emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data())));
  return val::global("Uint8Array").new_(view);
}

val text_list(const std::vector<std::string>& texts) {
  val list = val::array();
  for (const std::string& text : texts) list.call<void>("push", text);
  return list;
}

std::vector<std::string> texts_of(const val& list) {
  std::vector<std::string> texts;
  if (list.isUndefined() || list.isNull()) return texts;
  size_t count = list["length"].as<size_t>();
  for (size_t i = 0; i < count; ++i) texts.push_back(list[i].as<std::string>());
  return texts;
}

std::string text_at(const val& object, const char* key) {
  val value = object[key];
  return value.isString() ? value.as<std::string>() : std::string();
}

std::string colour_text(uint32_t colour) {
  char text[8];
  snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF,
           (colour >> 16) & 0xFF);
  return text;
}
