// The QuestionPage: the scrolling dialog of questions below the header panel.
#pragma once

#include <windows.h>

// Scroll requests the page accepts in WM_VSCROLL beside the standard codes.
enum : int {
  SCROLL_WHEEL_DOWN = 500,  // down one wheel step
  SCROLL_WHEEL_UP = 501,    // up one wheel step
  SCROLL_TO_TARGET = 502,   // to `scroll_target`
};

extern int page_width;     // extent of the page content, set by the build
extern int page_height;
extern int scroll_target;  // vertical position taken on SCROLL_TO_TARGET
extern WNDPROC edit_class_proc;  // the edit class's own procedure

INT_PTR CALLBACK question_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
