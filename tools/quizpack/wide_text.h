// UTF-8, in which quizpack handles every text and file name, and the UTF-16
// of the system's wide calls on Windows.
#pragma once

#include <string>

std::wstring utf16_from_utf8(const std::string& text);
std::string utf8_from_utf16(const wchar_t* text, size_t length);
std::string utf8_from_utf16(const std::wstring& text);
