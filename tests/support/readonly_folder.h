// A folder in which nothing can be created, changed or deleted, for checks of
// what the player does when it cannot save. Tests run as root, which file
// permissions do not stop, so the folder is made immutable with Linux's
// chattr, which Wine runs when given a Unix program's path. Win32 only.
#pragma once

#include <string>

// Makes `folder` (a Windows path) immutable, or mutable again. Returns true
// when the folder then refuses (or accepts) a new file: a file system or a
// machine without the attribute gives false, and the check is to be skipped.
bool lock_folder(const std::string& folder);
bool unlock_folder(const std::string& folder);
