// Files as quizpack reads and writes them, with the system's reason on failure.
#pragma once

#include <string>

// Reads a whole file; false with `problem` (a folder is refused too).
bool read_file(const std::string& path, std::string* bytes, std::string* problem);

// Writes through a temporary file beside `path` renamed over it at the end,
// so that a failure never leaves a partial file under the final name.
// `mode` is the permission wanted before the umask.
bool write_file(const std::string& path, const std::string& bytes, unsigned mode,
                std::string* problem);

// The folder of a path ("." for a bare name).
std::string folder_of(const std::string& path);

// Whether two paths name the same existing file.
bool same_file(const std::string& a, const std::string& b);
