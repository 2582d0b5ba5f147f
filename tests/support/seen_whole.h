// Whether the screen shows a control whole inside a container's client area
// (what a user sees of a scrolled page). Win32 only.
#pragma once

#include <windows.h>

inline bool seen_whole(HWND control, HWND container) {
  RECT own, shown;
  GetWindowRect(control, &own);
  GetClientRect(container, &shown);
  MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&shown), 2);
  return own.left >= shown.left && own.right <= shown.right && own.top >= shown.top &&
         own.bottom <= shown.bottom;
}
