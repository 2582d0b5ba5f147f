#include "wide_text.h"

#include <windows.h>

std::wstring utf16_from_utf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], length);
  return wide;
}

std::string utf8_from_utf16(const wchar_t* text, size_t length) {
  if (length == 0) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
  std::string narrow(size_t(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text, int(length), &narrow[0], size, nullptr, nullptr);
  return narrow;
}

std::string utf8_from_utf16(const std::wstring& text) {
  return utf8_from_utf16(text.data(), text.size());
}
