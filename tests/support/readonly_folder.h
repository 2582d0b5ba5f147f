// A folder in which no file can be created, renamed or deleted, for checks of
// what the player does when it cannot save. Tests run as root, which file
// permissions do not stop, so the folder is made immutable with Linux's
// chattr, which Wine runs when given a Unix program's path. Win32 only.
#pragma once

#include <string>

// Makes `folder` (a Windows path) immutable, or mutable again. Returns true
// once the folder refuses (or accepts) a new file, within 15 seconds: a
// file system or a machine without the attribute gives false, and the check
// is to be skipped. The Unix program is not waited for (Wine's handle does
// not follow it), so a lock that was tried must always be undone.
bool lock_folder(const std::string& folder);
bool unlock_folder(const std::string& folder);
