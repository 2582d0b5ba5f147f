// The MainFrame: the top-level window of class "WindowsApp" that holds the
// HeaderPanel above the QuestionPage, the VersionLabel in its bottom right
// corner, and forwards mouse-wheel notches to the page. It saves the answers
// when it closes, when the Windows session ends and on "Sauver". Its user
// data is the Player it was made for.
#pragma once

#include <windows.h>

#include "shell.h"

extern const char FRAME_CLASS[];  // "WindowsApp"
enum : int { FRAME_WIDTH = 544, FRAME_HEIGHT = 375, VERSION_LABEL_ID = 8000 };
enum : COLORREF { VERSION_LABEL_COLOUR = 0x00C8D0D4 };

bool register_frame_class(HINSTANCE instance);

// Makes the (hidden) frame of `player` with its VersionLabel and centres it
// on the desktop.
HWND create_main_frame(HINSTANCE instance, const char* caption, Player* player);

LRESULT CALLBACK main_frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam);

// Moves `window` so that its outer rectangle is centred on `reference`'s; only
// the position changes.
void centre_window(HWND window, HWND reference);

// A visible "Static" child with the stock GUI font.
HWND create_label(HWND parent, const char* text, int x, int y, int width, int height, int id);

// Turns the wParam of one WM_MOUSEWHEEL into the page's wheel scroll request.
void forward_wheel(HWND target, WPARAM wheel_wparam);
