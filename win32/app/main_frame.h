// The MainFrame: the top-level window of class "WindowsApp" that holds the
// HeaderPanel above the QuestionPage, the VersionLabel in its bottom right
// corner, and forwards mouse-wheel notches to the page. It saves the answers
// when it closes, when the Windows session ends and on "Sauver". Its user
// data is the Player it was made for.
#pragma once

#include <windows.h>

#include "shell.h"

extern const char FRAME_CLASS[];  // "WindowsApp"
enum : int { VERSION_LABEL_ID = 8000 };
enum : COLORREF { VERSION_LABEL_COLOUR = 0x00C8D0D4 };

bool register_frame_class(HINSTANCE instance);

// Makes the (hidden) frame of `player`, of the smallest size, with its
// VersionLabel, and centres it on the desktop.
HWND create_main_frame(HINSTANCE instance, const char* caption, Player* player);

// Sizes the frame to show the whole of its built page (at least the smallest
// frame, at most the work area of the screen it is on: a page larger than
// that scrolls) and centres it on that work area. The layouts' first row is
// never higher than a screen of 600 pixels can show.
void fit_frame_to_page(HWND frame, HWND page);

LRESULT CALLBACK main_frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam);

// Moves `window` so that its outer rectangle is centred on `reference`'s; only
// the position changes.
void centre_window(HWND window, HWND reference);

// A visible one-line "Static" child with the stock GUI font: a text that
// ends in blanks wider than the label is cut there, never wrapped onto a
// hidden second line.
HWND create_label(HWND parent, const char* text, int x, int y, int width, int height, int id);

// Turns the wParam of one WM_MOUSEWHEEL into the page's wheel scroll request.
void forward_wheel(HWND target, WPARAM wheel_wparam);
