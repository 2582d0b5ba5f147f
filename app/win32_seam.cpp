#include "win32_seam.h"

#include <shellapi.h>

namespace {

INT_PTR shell_open(HWND owner, const char* target, int show_command) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", target, nullptr, nullptr, show_command));
}

const Win32Seam REAL_SEAM = {shell_open};
const Win32Seam* installed = &REAL_SEAM;

}  // namespace

const Win32Seam& win32_seam() { return *installed; }

void install_win32_seam(const Win32Seam* seam) { installed = seam ? seam : &REAL_SEAM; }
