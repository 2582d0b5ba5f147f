// Audio and video clips of an audio or video quiz: the media player control
// hosted on the page plays each question's clip from a temporary file in the
// current directory; when the control cannot be made, the system's player gets
// the file. For the other kinds every operation does nothing.
#pragma once

#include <windows.h>

#include "core/content/document.h"

struct IWMPPlayer;
struct IWMPControls;

enum ClipType : int { CLIP_AUDIO = 1, CLIP_VIDEO = 2 };

typedef HRESULT(WINAPI* AttachControl)(IUnknown* control, HWND host, IUnknown** container);

// The media host of one quiz, from start-up to teardown.
struct MediaHost {
  const QuizDocument* doc;
  HMODULE atl_module;                    // the system's "atl.dll", or null
  AttachControl attach_control;          // its "AtlAxAttachControl", or null
  bool com_ready;                        // CoInitialize succeeded and awaits its CoUninitialize
  IWMPPlayer* media_player;              // the control, or null
  IWMPControls* media_controls;          // its transport, or null
  HWND player_host;                      // PlayerHost, the control's window on the page
  int player_missing;                    // 1: clips go to the system's player
  int last_played;                       // question of the last PlayButton, 0 before any
  char media_file_name[TEXT_SLOT_SIZE];  // temporary file in use, "" at start
  HICON play_icon;                       // icons of the PlayButtons and StopButtons,
  HICON stop_icon;                       // null when the program has none
};

// A host for `doc` that plays nothing itself: without the hosting library
// and COM, clips go to the system's player.
void init_media(MediaHost* host, const QuizDocument* doc);
// At start-up, before any window: the hosting library and COM.
void start_media(MediaHost* host, const QuizDocument* doc);
// First step of the page build: the icons, PlayerHost and the control.
void prepare_player(MediaHost* host, HWND page);
// Copies clip resource `resource_id` to its temporary file; 1 when the file
// holds the whole clip, 0 otherwise.
int write_media_file(MediaHost* host, int resource_id, int clip_type);
void play_clip(MediaHost* host, HWND page, int question);
void stop_clip(MediaHost* host, HWND page);
// At teardown, for every kind of quiz: stops the clip and releases the
// control, destroys the frame (the page and PlayerHost with it), then deletes
// the temporary names, ends COM and frees the hosting library.
void stop_media(MediaHost* host, HWND frame);
