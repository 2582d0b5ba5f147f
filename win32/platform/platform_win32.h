// The Win32 implementation of the core's platform seam.
#pragma once

#include <windows.h>

#include "core/content/platform.h"

const PlatformSeam& win32_platform();

// The module whose resources the seam finds: the program's own by default.
// Tests point it at a module loaded as a data file.
void set_resource_module(HMODULE module);
HMODULE resource_module();

// The answers file's name in the current directory, from the program file's
// (answers_file_name); false, and `slot` empty, when the program has none.
bool program_answers_file(char* slot);
