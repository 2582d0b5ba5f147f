// core/authoring/files.h on Windows: every name goes from UTF-8 to the
// system's UTF-16 calls, so that sources and media may have any name (accents,
// spaces, "\" or "/" between folders), whatever the system's ANSI code page.
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/authoring/files.h"
#include "wide_text.h"

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

bool has_drive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The reasons for the usual failures as the C library's error numbers, so
// that quizpack says the same on both systems.
Message reason(DWORD error) {
  int code = 0;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: code = ENOENT; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: code = EACCES; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: code = ENOSPC; break;
    case ERROR_FILENAME_EXCED_RANGE: code = ENAMETOOLONG; break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: code = ENOMEM; break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: code = EEXIST; break;
    default: return Message(MSG_REASON_WINDOWS, {number(error)});
  }
  return system_reason(code);
}

bool is_folder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool write_all(HANDLE file, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    DWORD chunk = DWORD(std::min<size_t>(bytes.size() - written, 1u << 20)), done = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return true;
}

}  // namespace

bool read_file(const std::string& path, std::string* bytes, Message* problem) {
  std::wstring name = utf16_from_utf8(path);
  if (is_folder(name)) {
    *problem = MSG_REASON_FOLDER;
    return false;
  }
  // Shared for writing too: a source still open in an editor can be read.
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *problem = reason(GetLastError());
    return false;
  }
  bytes->clear();
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) < (1u << 30))
    bytes->reserve(size_t(size.QuadPart));
  char buffer[65536];
  DWORD got = 0;
  bool ok;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
    bytes->append(buffer, got);
  if (!ok) *problem = reason(GetLastError());
  CloseHandle(file);
  return ok;
}

bool write_file(const std::string& path, const std::string& bytes, unsigned /*mode*/,
                Message* problem) {
  // Windows has no permission bits to give: the file gets its folder's.
  std::wstring target = utf16_from_utf8(path);
  std::string folder = folder_of(path);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = utf16_from_utf8(
        path_in_folder(folder, ".quizpack-" + std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount() + attempt) + ".tmp"));
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    *problem = reason(GetLastError());
    return false;
  }
  bool ok = write_all(file, bytes);
  DWORD error = ok ? 0 : GetLastError();
  if (!CloseHandle(file) && ok) ok = false, error = GetLastError();
  if (ok && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
    ok = false, error = GetLastError();
  if (!ok) {
    *problem = reason(error ? error : ERROR_WRITE_FAULT);
    DeleteFileW(temporary.c_str());
  }
  return ok;
}

bool make_folder(const std::string& path, Message* problem) {
  std::wstring name = utf16_from_utf8(path);
  if (CreateDirectoryW(name.c_str(), nullptr)) return true;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS && is_folder(name)) return true;
  *problem = reason(error);
  return false;
}

void remove_file(const std::string& path) { DeleteFileW(utf16_from_utf8(path).c_str()); }

bool file_exists(const std::string& path) {
  DWORD attributes = GetFileAttributesW(utf16_from_utf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string folder_of(const std::string& path) {
  size_t root = has_drive(path) ? 2 : 0;
  size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos || slash < root) return root ? path.substr(0, 2) + "." : ".";
  // The root keeps its separator: "C:\" and "\" are folders, "C:" is not.
  return path.substr(0, slash == root ? slash + 1 : slash);
}

std::string path_in_folder(const std::string& folder, const std::string& name) {
  if (has_drive(name) || (!name.empty() && is_separator(name[0]))) return name;
  if (folder.empty() || is_separator(folder.back())) return folder + name;
  return folder + "\\" + name;
}

std::string absolute_path(const std::string& path) {
  std::wstring wide = utf16_from_utf8(path);
  DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  length = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
  return length == 0 ? path : utf8_from_utf16(full.data(), length);
}

bool same_file(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION info[2];
  const std::string* paths[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    HANDLE file = CreateFileW(utf16_from_utf8(*paths[i]).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(file, &info[i]);
    CloseHandle(file);
    if (!ok) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
         info[0].nFileIndexLow == info[1].nFileIndexLow;
}
