// Files as quizpack reads and writes them, with the system's reason on failure.
// Paths are UTF-8. files.cpp gives them with POSIX calls; on Windows quizpack's
// front end gives them with the system's UTF-16 calls (any file name, and "\"
// as well as "/" between folders).
#pragma once

#include <string>

#include "messages.h"

// Reads a whole file; false with `problem` (a folder is refused too).
bool read_file(const std::string& path, std::string* bytes, Message* problem);

// Writes through a temporary file beside `path` renamed over it at the end,
// so that a failure never leaves a partial file under the final name.
// `mode` is the permission wanted before the umask.
bool write_file(const std::string& path, const std::string& bytes, unsigned mode, Message* problem);

// Makes a folder; an existing folder is no failure.
bool make_folder(const std::string& path, Message* problem);

// Deletes a file if there is one.
void remove_file(const std::string& path);

// Whether a file (not a folder) of that name can be read.
bool file_exists(const std::string& path);

// The folder of a path ("." for a bare name).
std::string folder_of(const std::string& path);

// `name` taken from `folder`: `name` itself when it is absolute.
std::string path_in_folder(const std::string& folder, const std::string& name);

// The path from the root (or the drive) for a path given from the current
// folder; an absolute path as it is.
std::string absolute_path(const std::string& path);

// Whether two paths name the same existing file.
bool same_file(const std::string& a, const std::string& b);
