// Audio and video clips of an audio or video quiz. For the other kinds every
// operation does nothing.
#pragma once

#include <windows.h>

void start_media();               // at start-up, before any window
void prepare_player(HWND page);   // first step of the page build
void play_clip(HWND page, int question);
void stop_clip(HWND page);
void stop_media(HWND frame);      // at teardown
