#include "gdi_objects.h"

namespace {

const ULONG_PTR HANDLE_INDEXES = 0x10000;  // a GDI handle's index is its low word

}  // namespace

GdiCensus gdi_census() {
  GdiCensus census = {};
  for (ULONG_PTR index = 1; index < HANDLE_INDEXES; ++index) {
    DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    if (!type) continue;
    ++census.total;
    if (type <= OBJ_COLORSPACE) ++census.of_type[type];
  }
  return census;
}

DWORD gdi_object_count() {
  DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return counted ? counted : gdi_census().total;
}
