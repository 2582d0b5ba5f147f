#include <unistd.h>

#include <climits>

#include "program.h"

std::string program_path() {
  char self[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  return length > 0 ? std::string(self, size_t(length)) : std::string();
}
