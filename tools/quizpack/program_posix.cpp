#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "program.h"

std::string program_path() {
  char self[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  return length > 0 ? std::string(self, size_t(length)) : std::string();
}

Language author_language() {
  // The precedence the C library gives the locale of messages.
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (value && *value) return language_of_locale(value);
  }
  return Language::ENGLISH;
}
