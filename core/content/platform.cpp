#include "platform.h"

#include <cassert>

namespace {
const PlatformSeam* installed_seam = nullptr;
}

void install_platform(const PlatformSeam* seam) { installed_seam = seam; }

const PlatformSeam& platform() {
  assert(installed_seam && "install_platform must run before the core is used");
  return *installed_seam;
}

void show_message(const char* text, const char* caption) {
  platform().message_box(text, caption, MESSAGE_OK);
}
