#include "user_objects.h"

namespace {

const UINT_PTR FIRST_USER_HANDLE = 0x20, LAST_USER_HANDLE = 0xFFEF;

bool is_icon(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return false;
  if (info.hbmMask) DeleteObject(info.hbmMask);  // copies made for the caller
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return true;
}

}  // namespace

UserCensus user_census() {
  UserCensus census = {};
  DWORD own = GetCurrentProcessId();
  for (UINT_PTR handle = FIRST_USER_HANDLE; handle <= LAST_USER_HANDLE; handle += 2) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (IsWindow(window)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == own) ++census.windows;
    } else if (IsMenu(reinterpret_cast<HMENU>(handle))) {
      ++census.menus;
    } else if (is_icon(reinterpret_cast<HICON>(handle))) {
      ++census.icons;
    }
  }
  return census;
}

DWORD user_object_count() {
  DWORD counted = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  return counted ? counted : user_census().total();
}
