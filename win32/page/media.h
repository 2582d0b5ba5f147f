// Audio and video clips of an audio or video quiz: the media player control
// hosted on the page plays each question's clip from a temporary file in the
// current directory; when the control cannot be made, the system's player gets
// the file. For the other kinds every operation does nothing.
#pragma once

#include <windows.h>

#include "core/content/text_slot.h"

struct IWMPPlayer;
struct IWMPControls;

enum : int {
  PLAYER_HOST_ID = 9900,
  PLAY_BUTTON_BASE = 6000,   // PlayButton n is 6000 + n
  CLIP_RESOURCE_BASE = 400,  // the clip of question n is resource "img" 400 + n
  MEDIA_QUESTIONS = 96,      // PlayButtons 1 to 96: the temporary names in use
};

enum ClipType : int { CLIP_AUDIO = 1, CLIP_VIDEO = 2 };

void start_media();              // at start-up, before any window
void prepare_player(HWND page);  // first step of the page build
// Copies clip resource `resource_id` to its temporary file; 1 when the file
// holds the whole clip, 0 otherwise.
int write_media_file(int resource_id, int clip_type);
void play_clip(HWND page, int question);
void stop_clip(HWND page);
void stop_media(HWND frame);  // at teardown: destroys the frame

// Program-wide state of the media host.
extern HMODULE atl_module;                    // the system's "atl.dll", or null
extern IWMPPlayer* media_player;              // the control, or null
extern IWMPControls* media_controls;          // its transport, or null
extern int player_missing;                    // 1: clips go to the system's player
extern int last_played;                       // question of the last PlayButton, 0 before any
extern char media_file_name[TEXT_SLOT_SIZE];  // temporary file in use, "" at start
extern HICON play_icon;                       // icons of the PlayButtons and StopButtons,
extern HICON stop_icon;                       // null when the program has none
