// How many USER objects (windows, menus, icons and cursors) this process
// holds, for checks that nothing is left behind. Win32 only.
#pragma once

#include <windows.h>

// GetGuiResources where the platform counts; under Wine, whose count is always
// 0, the census below.
DWORD user_object_count();

// The live entries of the USER handle table that belong to this process, by
// kind, found by asking about every handle index (a USER handle's index is in
// its low word, from 0x20 in steps of 2): how Wine's handles are made, not
// Windows'. About half a second.
struct UserCensus {
  DWORD windows, menus, icons;  // icons include cursors
  DWORD total() const { return windows + menus + icons; }
};
UserCensus user_census();
