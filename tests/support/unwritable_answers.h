// A folder where the answers file cannot be written, for checks of what the
// player does when it cannot save. The player writes "<answers>.tmp" first
// and moves it into place; a folder of that name stands in the way, so the
// write fails as it does in a read-only folder, whoever runs the tests (root
// ignores file permissions) and on any file system. Win32 only.
#pragma once

#include <string>

// `answers_path` is the answers file's full Windows path.
bool block_answers(const std::string& answers_path);
void unblock_answers(const std::string& answers_path);
