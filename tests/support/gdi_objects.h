// How many GDI objects this process holds, for checks that nothing is left
// behind. Win32 only.
#pragma once

#include <windows.h>

// GetGuiResources where the platform counts; under Wine, whose count is always
// 0, the live entries of the process's handle table, found by asking the type
// of every handle index.
DWORD gdi_object_count();
