#include <windows.h>

#include "program.h"
#include "wide_text.h"

std::string program_path() {
  // Paths may be longer than MAX_PATH: grow until the name fits.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, &name[0], DWORD(name.size()));
    if (length == 0) return "";
    if (length < name.size()) return utf8_from_utf16(name.data(), length);
    if (name.size() >= 32768) return "";
    name.resize(name.size() * 2);
  }
}

Language author_language() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_FRENCH ? Language::FRENCH
                                                                  : Language::ENGLISH;
}
