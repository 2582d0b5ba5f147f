#include "readonly_folder.h"

#include <windows.h>

#include <vector>

namespace {

typedef char*(CDECL* UnixNameFunction)(const WCHAR* dos_name);

// Wine's own export: the Unix path of a Windows one (null elsewhere).
std::string unix_path(const std::string& folder) {
  auto unix_name = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unix_name) return "";
  std::vector<WCHAR> wide(folder.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), int(wide.size()));
  char* name = unix_name(wide.data());
  if (!name) return "";
  std::string path = name;
  HeapFree(GetProcessHeap(), 0, name);
  return path;
}

bool run(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool accepts_files(const std::string& folder) {
  std::string probe = folder + "\\probe.tmp";
  HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileA(probe.c_str());
  return true;
}

bool set_immutable(const std::string& folder, const char* flag) {
  std::string path = unix_path(folder);
  return !path.empty() && run(std::string("/usr/bin/chattr ") + flag + " \"" + path + "\"");
}

}  // namespace

bool lock_folder(const std::string& folder) {
  return set_immutable(folder, "+i") && !accepts_files(folder);
}

bool unlock_folder(const std::string& folder) {
  set_immutable(folder, "-i");
  return accepts_files(folder);
}
