// Win32 calls that tests must observe or replace without their effect (a
// browser opening, a clip handed to the system's player, a media player control
// that cannot be created). The real calls are in place unless a test installs
// its own table.
#pragma once

#include <windows.h>

struct Win32Seam {
  // ShellExecuteA(owner, "open", target, no parameters, no directory, show).
  INT_PTR (*shell_open)(HWND owner, const char* target, int show_command);
  // CoCreateInstance(class_id, no outer object, in-process server or handler or
  // local server, interface_id, object).
  HRESULT (*create_instance)(REFCLSID class_id, REFIID interface_id, void** object);
};

const Win32Seam& win32_seam();
// Installs a table (null puts the real calls back). It must outlive its use.
void install_win32_seam(const Win32Seam* seam);
