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

bool wait_until_accepting(const std::string& folder, bool accepting) {
  for (int tries = 0; tries < 750; ++tries) {
    if (accepts_files(folder) == accepting) return true;
    Sleep(20);
  }
  return false;
}

}  // namespace

bool lock_folder(const std::string& folder) {
  return set_immutable(folder, "+i") && wait_until_accepting(folder, false);
}

bool unlock_folder(const std::string& folder) {
  if (accepts_files(folder)) return true;
  set_immutable(folder, "-i");
  return wait_until_accepting(folder, true);
}
