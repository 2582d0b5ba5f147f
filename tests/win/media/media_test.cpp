// The media host under Wine: temporary clip files, the media player control
// playing into a null sound device, the system's player when the control
// cannot be made, the video band, and where "atl.dll" is loaded from. Each
// test runs in a folder of its own, which is the current directory.
#include "win32/page/media.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <wmp.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/content/document.h"
#include "core/page/page_layout.h"
#include "win32/platform/platform_win32.h"
#include "win32/platform/win32_seam.h"

namespace {

typedef std::vector<std::string> Names;

struct ShellCall {
  HWND owner;
  std::string target;
  int show;
};
std::vector<ShellCall> shell_calls;
Names messages;

INT_PTR record_shell_open(HWND owner, const char* target, int show) {
  shell_calls.push_back({owner, target, show});
  return 42;  // a handler was started
}

HRESULT refuse_instance(REFCLSID, REFIID, void** object) {
  *object = nullptr;
  return REGDB_E_CLASSNOTREG;
}

int record_message(const char* text, const char* caption, unsigned) {
  messages.push_back(std::string(caption) + ": " + text);
  return IDOK;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string module_path(HMODULE module) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(module, path, MAX_PATH);
  return path;
}

std::string program_dir() {
  std::string path = module_path(nullptr);
  return path.substr(0, path.rfind('\\'));
}

// Names in the current directory, sorted.
Names files_here() {
  Names names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string file_bytes(const char* name) {
  std::string bytes;
  HANDLE file =
      CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void write_file(const char* name, const std::string& bytes) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

// A file held open without sharing, as a player holds the file it plays.
HANDLE hold_open(const char* name) {
  return CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

std::string resource_bytes(HMODULE module, int id) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "IMG");
  if (!found) return std::string();
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

void pump(DWORD milliseconds) {
  DWORD end = GetTickCount() + milliseconds;
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

RECT rect_in(HWND parent, HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool has_style(HWND window, LONG style) { return (GetWindowLongA(window, GWL_STYLE) & style) != 0; }

// Names added ("+name") and removed ("-name") in the current directory, in the
// order they happened.
class FolderWatch {
 public:
  FolderWatch() {
    folder_ = CreateFileA(
        ".", FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    arm();
  }
  ~FolderWatch() {
    CancelIo(folder_);
    DWORD size = 0;
    GetOverlappedResult(folder_, &overlapped_, &size, TRUE);
    CloseHandle(overlapped_.hEvent);
    CloseHandle(folder_);
  }
  Names changes() {
    Names seen;
    while (WaitForSingleObject(overlapped_.hEvent, 300) == WAIT_OBJECT_0) {
      DWORD size = 0;
      if (!GetOverlappedResult(folder_, &overlapped_, &size, FALSE) || size == 0) break;
      for (DWORD at = 0;;) {
        auto* change = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(buffer_ + at);
        char name[MAX_PATH] = "";
        WideCharToMultiByte(CP_ACP, 0, change->FileName, change->FileNameLength / sizeof(WCHAR),
                            name, MAX_PATH - 1, nullptr, nullptr);
        if (change->Action == FILE_ACTION_ADDED) seen.push_back(std::string("+") + name);
        if (change->Action == FILE_ACTION_REMOVED) seen.push_back(std::string("-") + name);
        if (!change->NextEntryOffset) break;
        at += change->NextEntryOffset;
      }
      ResetEvent(overlapped_.hEvent);
      arm();
    }
    return seen;
  }

 private:
  void arm() {
    ReadDirectoryChangesW(folder_, buffer_, sizeof buffer_, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME,
                          nullptr, &overlapped_, nullptr);
  }
  HANDLE folder_;
  OVERLAPPED overlapped_ = {};
  alignas(DWORD) char buffer_[4096];
};

// A quiz document of the kind under test and its media host, the clips of
// res_clips.dll as the program's resources (402, 403 and 405 spoken MP3, 404 an
// AVI, 406 bytes that are no clip, none from 407), a plain window as the page, and seams that
// record messages and the shell's "open".
class MediaTest : public ::testing::Test {
 protected:
  PlatformSeam platform_seam = win32_platform();
  Win32Seam shell_seam = win32_seam();
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  MediaHost host = {};
  HMODULE clips = nullptr;
  HWND page = nullptr;
  char previous_dir[MAX_PATH] = "";
  std::string work_dir;

  void SetUp() override {
    messages.clear();
    shell_calls.clear();
    platform_seam.message_box = record_message;
    install_platform(&platform_seam);
    shell_seam.shell_open = record_shell_open;
    install_win32_seam(&shell_seam);
    init_document(doc);
    clips = LoadLibraryExA((program_dir() + "\\res_clips.dll").c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(clips, nullptr);
    set_resource_module(clips);
    GetCurrentDirectoryA(MAX_PATH, previous_dir);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    work_dir = std::string(temp) + "quiz_media_" + std::to_string(GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(work_dir.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(work_dir.c_str()));
    ASSERT_TRUE(files_here().empty());
  }

  void TearDown() override {
    stop_media(&host, page);
    if (IsWindow(page)) DestroyWindow(page);
    for (const std::string& name : files_here()) {
      DeleteFileA(name.c_str());
      RemoveDirectoryA(name.c_str());
    }
    SetCurrentDirectoryA(previous_dir);
    RemoveDirectoryA(work_dir.c_str());
    set_resource_module(nullptr);
    if (clips) FreeLibrary(clips);
    release_document(doc);
    free(doc);
    install_win32_seam(nullptr);
    install_platform(&win32_platform());
  }

  void start(QuizKind kind) {
    doc->kind = kind;
    start_media(&host, doc);
    page = CreateWindowExA(0, "Static", "", WS_OVERLAPPEDWINDOW, 0, 0, 900, 700, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(page, nullptr);
    prepare_player(&host, page);
  }

  // The control's position in seconds; -1 while it has no clip under way.
  double position() {
    double seconds = -1;
    if (!host.media_controls || host.media_controls->get_currentPosition(&seconds) != S_OK) {
      return -1;
    }
    return seconds;
  }

  // Waits for the control to start playing (it does so on threads of its own).
  double wait_for_playback() {
    for (int tries = 0; tries < 100 && position() <= 0; ++tries) pump(50);
    return position();
  }
};

TEST_F(MediaTest, EachPlayDeletesThePreviousFileBeforeWritingItsOwn) {
  start(QUIZ_AUDIO);
  ASSERT_EQ(host.player_missing, 0);
  ASSERT_NE(host.media_controls, nullptr);

  play_clip(&host, page, 2);
  EXPECT_EQ(files_here(), Names({"tirlo2.mp3"}));
  EXPECT_EQ(file_bytes("tirlo2.mp3"), resource_bytes(clips, 402));
  EXPECT_GT(wait_for_playback(), 0);

  FolderWatch watch;
  play_clip(&host, page, 5);
  EXPECT_EQ(watch.changes(), Names({"-tirlo2.mp3", "+tirlo5.mp3"}));
  EXPECT_EQ(host.last_played, 5);
  EXPECT_STREQ(host.media_file_name, "tirlo5.mp3");

  stop_clip(&host, page);  // any StopButton stops the clip under way
  EXPECT_TRUE(files_here().empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(shell_calls.empty());
}

TEST_F(MediaTest, AStopBeforeAnyPlayIsHarmless) {
  start(QUIZ_AUDIO);
  stop_clip(&host, page);
  EXPECT_STREQ(host.media_file_name, "tirlo0.mp3");
  EXPECT_TRUE(files_here().empty());
  play_clip(&host, page, 3);
  EXPECT_EQ(files_here(), Names({"tirlo3.mp3"}));
}

// The environment gives ALSA a null device, so the control really plays.
TEST_F(MediaTest, ARealClipPlaysUntilStopped) {
  start(QUIZ_AUDIO);
  play_clip(&host, page, 2);
  double started = wait_for_playback();
  ASSERT_GT(started, 0);
  pump(400);
  EXPECT_GT(position(), started);

  stop_clip(&host, page);
  double stopped = position();
  pump(400);
  EXPECT_EQ(position(), stopped);
  EXPECT_TRUE(files_here().empty());
}

TEST_F(MediaTest, AMissingClipEndsThePlaySilentlyAfterStoppingTheCurrentOne) {
  start(QUIZ_AUDIO);
  play_clip(&host, page, 2);
  ASSERT_GT(wait_for_playback(), 0);

  play_clip(&host, page, 7);
  EXPECT_TRUE(files_here().empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(host.last_played, 7);
  double stopped = position();
  pump(400);
  EXPECT_EQ(position(), stopped);
}

// The control cannot open the clip: nothing plays, and neither pressing play
// again nor the next clip nor the teardown suffers for it.
TEST_F(MediaTest, AClipTheControlCannotOpenBreaksNothing) {
  start(QUIZ_AUDIO);
  ASSERT_EQ(host.player_missing, 0);
  play_clip(&host, page, 6);
  EXPECT_EQ(files_here(), Names({"tirlo6.mp3"}));
  pump(200);
  EXPECT_LE(position(), 0);
  play_clip(&host, page, 6);
  play_clip(&host, page, 2);
  EXPECT_EQ(files_here(), Names({"tirlo2.mp3"}));
  EXPECT_GT(wait_for_playback(), 0);
  play_clip(&host, page, 6);
  stop_media(&host, page);
  EXPECT_TRUE(files_here().empty());
  EXPECT_TRUE(messages.empty());
}

TEST_F(MediaTest, TeardownDeletesEveryNameOfTheQuizKind) {
  start(QUIZ_AUDIO);
  for (const char* name :
       {"tirlo1.mp3", "tirlo50.mp3", "tirlo96.mp3", "tirlo97.mp3", "tirlo1.avi", "notes.txt"})
    write_file(name, "x");
  play_clip(&host, page, 3);  // still playing at teardown
  ASSERT_GT(wait_for_playback(), 0);

  stop_media(&host, page);
  EXPECT_EQ(files_here(), Names({"notes.txt", "tirlo1.avi", "tirlo97.mp3"}));
  EXPECT_FALSE(IsWindow(page));
  EXPECT_EQ(host.media_player, nullptr);  // released before COM goes
  EXPECT_EQ(host.media_controls, nullptr);
  EXPECT_EQ(host.atl_module, nullptr);
}

TEST_F(MediaTest, AVideoShowsInTheBandAboveItsQuestionUntilStopped) {
  doc->answers_per_question = 2;
  doc->answer_mode = MODE_REVEAL;
  start(QUIZ_VIDEO);
  ASSERT_EQ(host.player_missing, 0);
  HWND shown_host = GetDlgItem(page, ID_PLAYER_HOST);
  ASSERT_NE(shown_host, nullptr);
  RECT unplaced = rect_in(page, shown_host);
  EXPECT_EQ(unplaced.right - unplaced.left, 0);

  // The page has scrolled 30 right and 300 down: PlayButton 4, laid out at
  // (106, 565) below its band, now lies at (76, 265).
  CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE, 76, 265, 20, 20, page,
                  reinterpret_cast<HMENU>(6004), GetModuleHandleA(nullptr), nullptr);
  play_clip(&host, page, 4);
  EXPECT_EQ(files_here(), Names({"tirlo4.avi"}));
  EXPECT_EQ(file_bytes("tirlo4.avi"), resource_bytes(clips, 404));
  RECT shown = rect_in(page, shown_host);
  EXPECT_EQ(shown.left, 76);
  EXPECT_EQ(shown.top, 55);
  EXPECT_EQ(shown.right, 76 + 260);
  EXPECT_EQ(shown.bottom, 55 + 205);
  EXPECT_TRUE(has_style(shown_host, WS_VISIBLE));
  EXPECT_GT(wait_for_playback(), 0);

  stop_clip(&host, page);
  EXPECT_FALSE(has_style(shown_host, WS_VISIBLE));
  EXPECT_TRUE(files_here().empty());

  write_file("tirlo7.avi", "x");
  write_file("tirlo7.mp3", "x");
  stop_media(&host, page);
  EXPECT_EQ(files_here(), Names({"tirlo7.mp3"}));
}

TEST_F(MediaTest, WithoutTheControlClipsGoToTheSystemsPlayerHidden) {
  shell_seam.create_instance = refuse_instance;
  start(QUIZ_AUDIO);
  EXPECT_EQ(host.player_missing, 1);
  EXPECT_EQ(host.media_player, nullptr);
  EXPECT_NE(GetDlgItem(page, ID_PLAYER_HOST), nullptr);

  play_clip(&host, page, 3);
  EXPECT_EQ(files_here(), Names({"tirlo3.mp3"}));
  EXPECT_EQ(file_bytes("tirlo3.mp3"), resource_bytes(clips, 403));
  ASSERT_EQ(shell_calls.size(), 1u);
  EXPECT_EQ(shell_calls[0].owner, page);
  EXPECT_EQ(shell_calls[0].target, "tirlo3.mp3");
  EXPECT_EQ(shell_calls[0].show, SW_HIDE);

  stop_clip(&host, page);  // the system's player is not ours to stop
  EXPECT_EQ(files_here(), Names({"tirlo3.mp3"}));
  EXPECT_EQ(shell_calls.size(), 1u);

  play_clip(&host, page, 5);
  EXPECT_EQ(files_here(), Names({"tirlo5.mp3"}));
  EXPECT_EQ(shell_calls.size(), 2u);

  stop_media(&host, page);
  EXPECT_TRUE(files_here().empty());
}

TEST_F(MediaTest, AClipIsPlayedOnlyFromACompleteFile) {
  shell_seam.create_instance = refuse_instance;
  start(QUIZ_AUDIO);
  const std::string cannot_write =
      "Information: Impossible d'\xE9"
      "crire le fichier audio.";

  CreateDirectoryA("tirlo3.mp3", nullptr);  // the name cannot be made a file
  play_clip(&host, page, 3);
  EXPECT_EQ(messages, Names({cannot_write}));
  EXPECT_TRUE(shell_calls.empty());

  // The system's player still holds a complete copy: that copy is played.
  write_file("tirlo5.mp3", resource_bytes(clips, 405));
  HANDLE held = hold_open("tirlo5.mp3");
  play_clip(&host, page, 5);
  CloseHandle(held);
  EXPECT_EQ(messages.size(), 1u);
  ASSERT_EQ(shell_calls.size(), 1u);
  EXPECT_EQ(shell_calls[0].target, "tirlo5.mp3");

  // A copy cut short is not.
  write_file("tirlo2.mp3", resource_bytes(clips, 402).substr(0, 100));
  held = hold_open("tirlo2.mp3");
  play_clip(&host, page, 2);
  CloseHandle(held);
  EXPECT_EQ(messages, Names({cannot_write, cannot_write}));
  EXPECT_EQ(shell_calls.size(), 1u);
}

TEST_F(MediaTest, TextAndPictureQuizzesHaveNoMedia) {
  for (QuizKind kind : {QUIZ_TEXT, QUIZ_PICTURE}) {
    SCOPED_TRACE(kind);
    write_file("tirlo1.mp3", "x");
    start(kind);
    EXPECT_EQ(host.atl_module, nullptr);
    EXPECT_EQ(GetDlgItem(page, ID_PLAYER_HOST), nullptr);
    play_clip(&host, page, 2);
    stop_clip(&host, page);
    EXPECT_EQ(write_media_file(&host, 402, CLIP_AUDIO), 0);
    // Teardown ends the frame for every kind of quiz, and deletes no clip
    // name of a kind that has none.
    stop_media(&host, page);
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(files_here(), Names({"tirlo1.mp3"}));
    EXPECT_TRUE(shell_calls.empty());
  }
}

// A DLL named "atl.dll" beside the program or in the current folder (a quiz
// downloaded next to a planted one) is never loaded.
TEST_F(MediaTest, TheHostingLibraryComesFromTheSystemDirectoryOnly) {
  const std::string planted = program_dir() + "\\planted\\atl.dll";
  const std::string beside_program = program_dir() + "\\atl.dll";
  ASSERT_TRUE(CopyFileA(planted.c_str(), "atl.dll", FALSE));
  ASSERT_TRUE(CopyFileA(planted.c_str(), beside_program.c_str(), FALSE));
  struct Unplant {
    std::string path;
    ~Unplant() { DeleteFileA(path.c_str()); }
  } unplant{beside_program};

  // A lookup by name finds the planted file (Wine then runs its own library
  // under that name; Windows would run the planted one).
  HMODULE by_name = LoadLibraryA("atl.dll");
  EXPECT_EQ(lower(module_path(by_name)), lower(beside_program));
  FreeLibrary(by_name);
  SetEnvironmentVariableA("QUIZ_PLANTED_ATL", nullptr);

  start(QUIZ_AUDIO);
  char system_dir[MAX_PATH];
  GetSystemDirectoryA(system_dir, MAX_PATH);
  ASSERT_NE(host.atl_module, nullptr);
  EXPECT_EQ(lower(module_path(host.atl_module)), lower(std::string(system_dir) + "\\atl.dll"));
  EXPECT_EQ(GetEnvironmentVariableA("QUIZ_PLANTED_ATL", nullptr, 0), 0u);
  EXPECT_EQ(host.player_missing, 0);
  stop_media(&host, page);
}

}  // namespace
