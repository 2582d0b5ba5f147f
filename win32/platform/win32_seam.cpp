#include "win32_seam.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

INT_PTR shell_open(HWND owner, const char* target, int show_command) {
  return reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", target, nullptr, nullptr, show_command));
}

HRESULT create_instance(REFCLSID class_id, REFIID interface_id, void** object) {
  return CoCreateInstance(class_id, nullptr,
                          CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                          interface_id, object);
}

const Win32Seam REAL_SEAM = {shell_open, create_instance};
const Win32Seam* installed = &REAL_SEAM;

}  // namespace

const Win32Seam& win32_seam() { return *installed; }

void install_win32_seam(const Win32Seam* seam) { installed = seam ? seam : &REAL_SEAM; }
