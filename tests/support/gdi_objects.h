// How many GDI objects this process holds, for checks that nothing is left
// behind. Win32 only.
#pragma once

#include <windows.h>

// GetGuiResources where the platform counts; under Wine, whose count is always
// 0, the live entries of the process's handle table (see gdi_census).
DWORD gdi_object_count();

// The live entries of the handle table by object type (OBJ_BITMAP, OBJ_DC,
// ...), found by asking the type of every handle index: how Wine's handles
// are made, not Windows'.
struct GdiCensus {
  DWORD total;
  DWORD of_type[OBJ_COLORSPACE + 1];
};
GdiCensus gdi_census();
