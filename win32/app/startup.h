// The player's life on its one thread: start-up, message loop, teardown.
// Split so that window tests make the same windows without running WinMain.
#pragma once

#include <windows.h>

// The whole life; returns the process exit code.
int run_player(HINSTANCE instance);

// With `current_document` loaded: makes the frame (centred), the HeaderPanel
// and the QuestionPage, shows them and sends the page to its top. Sets the
// shell globals and the document's panel handle; returns the frame.
HWND open_player_windows(HINSTANCE instance);

// Until WM_QUIT; every message is offered first to the QuestionPage's dialog
// keyboard handling. Returns the quit's exit code.
int run_message_loop();

// Ends the page, destroys the panel, stops the media host, deletes the
// VersionLabel brush, and releases and frees the document.
void tear_down(HWND frame);
