// The real player.exe, started as a user would and closed by its close box's
// message: it ends with exit code 0 and leaves no "tirlo.mp3" behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK find_frame(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (owner != search->process_id || !IsWindowVisible(window) ||
      std::string(class_name) != "WindowsApp")
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND wait_for_frame(DWORD process_id) {
  for (int i = 0; i < 300; ++i) {
    Search search = {process_id, nullptr};
    EnumWindows(find_frame, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(50);
  }
  return nullptr;
}

TEST(PlayerProcess, OpensCentredAndClosesWithZero) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::string run = std::string(folder) + "quiz-shell-run";
  CreateDirectoryA(run.c_str(), nullptr);
  std::string stray = run + "\\tirlo.mp3";
  HANDLE file = CreateFileA(stray.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  std::string command = std::string("\"") + PLAYER_EXE + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, run.c_str(),
                             &startup, &process));
  HWND frame = wait_for_frame(process.dwProcessId);
  EXPECT_NE(frame, nullptr);
  if (frame) {
    RECT desktop, r;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, (desktop.right - 544) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - 375) / 2);
    PostMessageA(frame, WM_CLOSE, 0, 0);
  }
  DWORD exit_code = 1;
  bool ended = WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 99);
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_TRUE(ended);
  EXPECT_EQ(exit_code, 0u);
  EXPECT_EQ(GetFileAttributesA(stray.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(stray.c_str());
  RemoveDirectoryA(run.c_str());
}

}  // namespace
