// The player's life on its one thread: start-up, message loop, teardown.
// Split so that window tests make the same windows, and end them the same
// way, without running WinMain.
#pragma once

#include <windows.h>

#include "shell.h"

// The whole life; returns the process exit code.
int run_player(HINSTANCE instance);

// With the player's document loaded (and its media host started): makes the
// frame (centred), the HeaderPanel and the QuestionPage, shows them, sends
// the page to its top and focuses the first answer to find. Fills the
// player's windows and the document's panel handle; returns the frame.
HWND open_player_windows(HINSTANCE instance, Player* player);

// Until WM_QUIT; every message is offered first to the QuestionPage's dialog
// keyboard handling. Returns the quit's exit code.
int run_message_loop(HWND page);

// The same for every kind of quiz, and again harmless: nothing is judged from
// here on, the media host stops its clip, the frame goes with the panel and
// the page (which deletes its bitmaps), the media host ends, and the document
// is released and freed. The player is left empty.
void tear_down(Player* player);
