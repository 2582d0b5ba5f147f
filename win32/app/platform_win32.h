// The Win32 implementation of the core's platform seam.
#pragma once

#include <windows.h>

#include "core/content/platform.h"

const PlatformSeam& win32_platform();

// The module whose resources the seam finds: the program's own by default.
// Tests point it at a module loaded as a data file.
void set_resource_module(HMODULE module);
HMODULE resource_module();
