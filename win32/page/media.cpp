#include "media.h"

#include <objbase.h>
#include <oleauto.h>
#include <wmp.h>

#include <cstring>

#include "win32/app/platform_win32.h"
#include "win32/app/shell.h"
#include "win32/app/win32_seam.h"
#include "core/content/document.h"
#include "core/content/platform.h"
#include "resources/resource_ids.h"
#include "core/page/video_band.h"

HMODULE atl_module = nullptr;
IWMPPlayer* media_player = nullptr;
IWMPControls* media_controls = nullptr;
int player_missing = 0;
int last_played = 0;
char media_file_name[TEXT_SLOT_SIZE] = "";
HICON play_icon = nullptr;
HICON stop_icon = nullptr;

namespace {

// The control's class and interface: mingw's headers declare the interfaces,
// but no import library carries these ids.
const CLSID CLSID_WINDOWS_MEDIA_PLAYER = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
const IID IID_WMP_PLAYER = {
    0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

typedef HRESULT(WINAPI* AttachControl)(IUnknown* control, HWND host, IUnknown** container);
AttachControl attach_control = nullptr;  // "AtlAxAttachControl", or null

bool com_ready = false;      // CoInitialize succeeded and awaits its CoUninitialize
HWND player_host = nullptr;  // PlayerHost, the control's window on the page

// The prefix is cut at the size of `media_dir`, in case it lacks its zero.
const char AUDIO_NAME[] = "%.511stirlo%d.mp3";
const char VIDEO_NAME[] = "%.511stirlo%d.avi";
const char CAPTION[] = "Information";
const char AUDIO_NOT_LOADED[] = "Impossible de charger le fichier audio.";
const char VIDEO_NOT_LOADED[] = "Impossible de charger le fichier vid\xE9o.";
const char AUDIO_NOT_WRITTEN[] =
    "Impossible d'\xE9"
    "crire le fichier audio.";
const char VIDEO_NOT_WRITTEN[] =
    "Impossible d'\xE9"
    "crire le fichier vid\xE9o.";

const int VIDEO_MARGIN = 5;  // between the video and the PlayButton below it
const int WIDE_NAME_SIZE = 512;

bool media_quiz() {
  return current_document &&
         (current_document->kind == QUIZ_AUDIO || current_document->kind == QUIZ_VIDEO);
}

int quiz_clip_type() { return current_document->kind == QUIZ_VIDEO ? CLIP_VIDEO : CLIP_AUDIO; }

// The temporary file of question n: `media_dir` then "tirlo<n>" and the
// clip's extension. False when the name would not fit its slot: a cut name
// would be some other file. wsprintfA writes at most 1024 bytes, which the
// prefix (cut at its slot's size) and the rest always fit.
bool build_media_name(char* slot, int question, int clip_type) {
  char name[1024];
  wsprintfA(name, clip_type == CLIP_VIDEO ? VIDEO_NAME : AUDIO_NAME, current_document->media_dir,
            question);
  slot[0] = '\0';
  if (lstrlenA(name) > TEXT_SLOT_MAX) return false;
  copy_text(slot, name);
  return true;
}

void delete_media_file(const char* name) {
  if (name[0]) DeleteFileA(name);
}

// Only the system directory's "atl.dll": one planted beside a downloaded quiz
// or in the current folder must not run. The altered search path makes the
// library's own imports come from the system directory too.
HMODULE load_hosting_library() {
  static const char NAME[] = "\\atl.dll";
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length + sizeof NAME > MAX_PATH) return nullptr;
  memcpy(path + length, NAME, sizeof NAME);
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// A name that cannot be created may already hold the whole clip: the system's
// player keeps the file it plays open. That copy will do.
bool holds_whole_clip(const char* name, DWORD size) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExA(name, GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeHigh == 0 &&
         data.nFileSizeLow == size;
}

// Writes the clip in one piece; a file cut short is deleted rather than played.
bool save_clip(const char* name, const void* bytes, DWORD size) {
  HANDLE file =
      CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return holds_whole_clip(name, size);
  DWORD written = 0;
  bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
  whole = CloseHandle(file) && whole;
  if (!whole) DeleteFileA(name);
  return whole;
}

// The control takes its texts as BSTRs; null when there is no memory.
BSTR wide_text(const char* text) {
  WCHAR wide[WIDE_NAME_SIZE];
  if (!MultiByteToWideChar(CP_ACP, 0, text, -1, wide, WIDE_NAME_SIZE)) return nullptr;
  return SysAllocString(wide);
}

// Stops the clip and lets go of its file: the control keeps a stopped clip's
// file open, and an open file cannot be deleted. Some versions of the control
// do not implement close; their refusal changes nothing. The video is hidden.
void halt_clip() {
  if (!player_missing && media_controls) {
    media_controls->stop();
    if (media_player) media_player->close();
  }
  if (player_host && current_document->kind == QUIZ_VIDEO) ShowWindow(player_host, SW_HIDE);
}

// A clip starts when play is called, not already when its file is named.
// Some versions of the control, left to start by themselves, half-open a clip
// they cannot decode and then crash on the play that follows it; started only
// by play, such a clip just does not play.
void hold_playback_for_play(IWMPPlayer* player) {
  IWMPSettings* settings = nullptr;
  if (FAILED(player->get_settings(&settings)) || !settings) return;
  settings->put_autoStart(VARIANT_FALSE);
  settings->Release();
}

// Our references to the control. Its host window holds its own until it is
// destroyed.
void release_player() {
  if (media_controls) media_controls->Release();
  if (media_player) media_player->Release();
  media_controls = nullptr;
  media_player = nullptr;
}

// A video shows in the band the grid leaves above the question's answer block.
// The page scrolls its children with ScrollWindow, so the band moves by as much
// as the question's PlayButton has moved from its place in the layout.
void show_video(HWND page, int question) {
  if (!player_host || current_document->kind != QUIZ_VIDEO) return;
  BandRect band =
      video_band(question, current_document->answers_per_question, current_document->answer_mode);
  POINT laid_out = {band.x, band.y + band.height};
  POINT now = laid_out;
  RECT button;
  if (GetWindowRect(GetDlgItem(page, PLAY_BUTTON_BASE + question), &button)) {
    now.x = button.left;
    now.y = button.top;
    ScreenToClient(page, &now);
  }
  SetWindowPos(player_host, nullptr, band.x + now.x - laid_out.x, band.y + now.y - laid_out.y,
               band.width, band.height - VIDEO_MARGIN,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

void start_media() {
  if (!media_quiz()) return;
  atl_module = load_hosting_library();
  if (!atl_module) return;  // COM stays uninitialised: the control cannot be made
  attach_control = reinterpret_cast<AttachControl>(
      reinterpret_cast<void (*)()>(GetProcAddress(atl_module, "AtlAxAttachControl")));
  com_ready = SUCCEEDED(CoInitialize(nullptr));
}

void prepare_player(HWND page) {
  if (!media_quiz()) return;
  HINSTANCE program = GetModuleHandleA(nullptr);
  play_icon = LoadIconA(program, MAKEINTRESOURCEA(IDI_PLAY));
  stop_icon = LoadIconA(program, MAKEINTRESOURCEA(IDI_STOP));
  player_host = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                                page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(PLAYER_HOST_ID)),
                                program, nullptr);
  release_player();
  // Without the hosting library (and so without COM) no control can be hosted.
  player_missing = 1;
  if (!attach_control) return;
  void* control = nullptr;
  if (FAILED(win32_seam().create_instance(CLSID_WINDOWS_MEDIA_PLAYER, IID_WMP_PLAYER, &control)) ||
      !control)
    return;
  media_player = static_cast<IWMPPlayer*>(control);
  player_missing = 0;
  attach_control(media_player, player_host, nullptr);
  media_player->get_controls(&media_controls);
  hold_playback_for_play(media_player);
  BSTR mode = wide_text("none");
  if (mode) media_player->put_uiMode(mode);
  SysFreeString(mode);
}

int write_media_file(int resource_id, int clip_type) {
  if (!media_quiz()) return 0;
  HMODULE module = resource_module();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource_id), "img");
  if (!found) return 0;
  DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) {
    show_message(clip_type == CLIP_VIDEO ? VIDEO_NOT_LOADED : AUDIO_NOT_LOADED, CAPTION);
    return 0;
  }
  const void* bytes = LockResource(loaded);
  if (!bytes) return 0;
  char name[TEXT_SLOT_SIZE];
  if (!build_media_name(name, resource_id - CLIP_RESOURCE_BASE, clip_type)) return 0;
  if (!save_clip(name, bytes, size)) {
    show_message(clip_type == CLIP_VIDEO ? VIDEO_NOT_WRITTEN : AUDIO_NOT_WRITTEN, CAPTION);
    return 0;
  }
  return 1;
}

void play_clip(HWND page, int question) {
  if (!media_quiz() || question < 1 || question > MEDIA_QUESTIONS) return;
  halt_clip();
  delete_media_file(media_file_name);
  last_played = question;
  int clip_type = quiz_clip_type();
  if (write_media_file(CLIP_RESOURCE_BASE + question, clip_type) != 1) return;
  build_media_name(media_file_name, question, clip_type);
  if (player_missing) {
    win32_seam().shell_open(page, media_file_name, SW_HIDE);
    return;
  }
  if (!media_player) return;
  show_video(page, question);
  BSTR url = wide_text(media_file_name);
  if (url) media_player->put_URL(url);
  SysFreeString(url);
  if (media_controls) media_controls->play();
}

void stop_clip(HWND) {
  if (!media_quiz()) return;
  build_media_name(media_file_name, last_played, quiz_clip_type());
  if (player_missing || !media_controls) return;
  halt_clip();
  delete_media_file(media_file_name);
}

// The control is stopped and released before its window goes, and every
// temporary name is deleted after that, when nothing holds the files open any
// more; COM and the hosting library go last.
void stop_media(HWND frame) {
  if (!media_quiz()) return;
  halt_clip();
  release_player();
  DestroyWindow(frame);
  if (player_host && IsWindow(player_host)) DestroyWindow(player_host);
  player_host = nullptr;
  char name[TEXT_SLOT_SIZE];
  for (int question = 1; question <= MEDIA_QUESTIONS; ++question)
    if (build_media_name(name, question, quiz_clip_type())) DeleteFileA(name);
  if (com_ready) CoUninitialize();
  com_ready = false;
  if (atl_module) FreeLibrary(atl_module);
  atl_module = nullptr;
  attach_control = nullptr;
  player_missing = 0;
  last_played = 0;
  media_file_name[0] = '\0';
}
