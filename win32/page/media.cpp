#include "media.h"

#include <objbase.h>
#include <oleauto.h>
#include <wmp.h>

#include <cstring>

#include "core/content/platform.h"
#include "core/content/resource_names.h"
#include "core/page/page_layout.h"
#include "resources/resource_ids.h"
#include "win32/platform/platform_win32.h"
#include "win32/platform/win32_seam.h"

namespace {

// The control's class and interface: mingw's headers declare the interfaces,
// but no import library carries these ids.
const CLSID CLSID_WINDOWS_MEDIA_PLAYER = {
    0x6BF52A52, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};
const IID IID_WMP_PLAYER = {
    0x6BF52A4F, 0x394A, 0x11D3, {0xB1, 0x53, 0x00, 0xC0, 0x4F, 0x79, 0xFA, 0xA6}};

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

bool media_quiz(const MediaHost* host) {
  return host->doc && (host->doc->kind == QUIZ_AUDIO || host->doc->kind == QUIZ_VIDEO);
}

int quiz_clip_type(const MediaHost* host) {
  return host->doc->kind == QUIZ_VIDEO ? CLIP_VIDEO : CLIP_AUDIO;
}

// The temporary file of question n: `media_dir` then "tirlo<n>" and the
// clip's extension. False when the name would not fit its slot: a cut name
// would be some other file. wsprintfA writes at most 1024 bytes, which the
// prefix (cut at its slot's size) and the rest always fit.
bool build_media_name(const MediaHost* host, char* slot, int question, int clip_type) {
  char name[1024];
  wsprintfA(name, clip_type == CLIP_VIDEO ? VIDEO_NAME : AUDIO_NAME, host->doc->media_dir,
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
void halt_clip(MediaHost* host) {
  if (!host->player_missing && host->media_controls) {
    host->media_controls->stop();
    if (host->media_player) host->media_player->close();
  }
  if (host->player_host && host->doc->kind == QUIZ_VIDEO) ShowWindow(host->player_host, SW_HIDE);
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
void release_player(MediaHost* host) {
  if (host->media_controls) host->media_controls->Release();
  if (host->media_player) host->media_player->Release();
  host->media_controls = nullptr;
  host->media_player = nullptr;
}

// A video shows in the band the grid leaves above the question's answer block.
// The page scrolls its children with ScrollWindow, so the band moves by as much
// as the question's PlayButton has moved from its place in the layout.
void show_video(const MediaHost* host, HWND page, int question) {
  if (!host->player_host || host->doc->kind != QUIZ_VIDEO) return;
  PageBox band = video_band(question, host->doc->answers_per_question, host->doc->answer_mode);
  POINT laid_out = {band.x, band.y + band.height};
  POINT now = laid_out;
  RECT button;
  if (GetWindowRect(GetDlgItem(page, ID_PLAY_BUTTON + question), &button)) {
    now.x = button.left;
    now.y = button.top;
    ScreenToClient(page, &now);
  }
  SetWindowPos(host->player_host, nullptr, band.x + now.x - laid_out.x, band.y + now.y - laid_out.y,
               band.width, band.height - VIDEO_MARGIN,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

void init_media(MediaHost* host, const QuizDocument* doc) {
  *host = {};
  host->doc = doc;
}

void start_media(MediaHost* host, const QuizDocument* doc) {
  init_media(host, doc);
  if (!media_quiz(host)) return;
  host->atl_module = load_hosting_library();
  if (!host->atl_module) return;  // COM stays uninitialised: the control cannot be made
  host->attach_control = reinterpret_cast<AttachControl>(
      reinterpret_cast<void (*)()>(GetProcAddress(host->atl_module, "AtlAxAttachControl")));
  host->com_ready = SUCCEEDED(CoInitialize(nullptr));
}

void prepare_player(MediaHost* host, HWND page) {
  if (!media_quiz(host)) return;
  HINSTANCE program = GetModuleHandleA(nullptr);
  host->play_icon = LoadIconA(program, MAKEINTRESOURCEA(IDI_PLAY));
  host->stop_icon = LoadIconA(program, MAKEINTRESOURCEA(IDI_STOP));
  host->player_host = CreateWindowExA(
      0, "Static", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, page,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_PLAYER_HOST)), program, nullptr);
  release_player(host);
  // Without the hosting library (and so without COM) no control can be hosted.
  host->player_missing = 1;
  if (!host->attach_control) return;
  void* control = nullptr;
  if (FAILED(win32_seam().create_instance(CLSID_WINDOWS_MEDIA_PLAYER, IID_WMP_PLAYER, &control)) ||
      !control)
    return;
  host->media_player = static_cast<IWMPPlayer*>(control);
  host->player_missing = 0;
  host->attach_control(host->media_player, host->player_host, nullptr);
  host->media_player->get_controls(&host->media_controls);
  hold_playback_for_play(host->media_player);
  BSTR mode = wide_text("none");
  if (mode) host->media_player->put_uiMode(mode);
  SysFreeString(mode);
}

int write_media_file(MediaHost* host, int resource_id, int clip_type) {
  if (!media_quiz(host)) return 0;
  HMODULE module = resource_module();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource_id), MEDIA_RESOURCE_TYPE);
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
  if (!build_media_name(host, name, resource_id - QUESTION_MEDIA_RESOURCE, clip_type)) return 0;
  if (!save_clip(name, bytes, size)) {
    show_message(clip_type == CLIP_VIDEO ? VIDEO_NOT_WRITTEN : AUDIO_NOT_WRITTEN, CAPTION);
    return 0;
  }
  return 1;
}

void play_clip(MediaHost* host, HWND page, int question) {
  if (!media_quiz(host) || question < 1 || question > MAX_QUESTIONS) return;
  halt_clip(host);
  delete_media_file(host->media_file_name);
  host->last_played = question;
  int clip_type = quiz_clip_type(host);
  if (write_media_file(host, QUESTION_MEDIA_RESOURCE + question, clip_type) != 1) return;
  build_media_name(host, host->media_file_name, question, clip_type);
  if (host->player_missing) {
    win32_seam().shell_open(page, host->media_file_name, SW_HIDE);
    return;
  }
  if (!host->media_player) return;
  show_video(host, page, question);
  BSTR url = wide_text(host->media_file_name);
  if (url) host->media_player->put_URL(url);
  SysFreeString(url);
  if (host->media_controls) host->media_controls->play();
}

void stop_clip(MediaHost* host, HWND) {
  if (!media_quiz(host)) return;
  build_media_name(host, host->media_file_name, host->last_played, quiz_clip_type(host));
  if (host->player_missing || !host->media_controls) return;
  halt_clip(host);
  delete_media_file(host->media_file_name);
}

// The control is stopped and released before its window goes, and every
// temporary name is deleted after that, when nothing holds the files open any
// more; COM and the hosting library go last. The frame goes the same way
// whatever the kind of quiz, so the page's own destruction always runs.
void stop_media(MediaHost* host, HWND frame) {
  bool media = media_quiz(host);
  if (media) {
    halt_clip(host);
    release_player(host);
  }
  if (frame) DestroyWindow(frame);
  if (host->player_host && IsWindow(host->player_host)) DestroyWindow(host->player_host);
  host->player_host = nullptr;
  if (media) {
    char name[TEXT_SLOT_SIZE];
    for (int question = 1; question <= MAX_QUESTIONS; ++question)
      if (build_media_name(host, name, question, quiz_clip_type(host))) DeleteFileA(name);
  }
  if (host->com_ready) CoUninitialize();
  if (host->atl_module) FreeLibrary(host->atl_module);
  init_media(host, host->doc);
}
