#include "gdi_objects.h"

namespace {

const ULONG_PTR HANDLE_INDEXES = 0x10000;  // a GDI handle's index is its low word

}  // namespace

DWORD gdi_object_count() {
  DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted) return counted;
  DWORD live = 0;
  for (ULONG_PTR index = 1; index < HANDLE_INDEXES; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++live;
  }
  return live;
}
