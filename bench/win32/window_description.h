// A description of a program's windows, written by the benchmark's player and
// read by the floor program: each window in creation order with its parent,
// class, styles, id, place, font and text, the fonts by their LOGFONT, and
// each picture's bitmap size. Tab-separated lines of text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

const char BENCH_DESCRIBE_VARIABLE[] = "BENCH_DESCRIBE";

enum WindowKind { KIND_FRAME, KIND_PANEL, KIND_PAGE, KIND_CONTROL };

struct DescribedWindow {
  WindowKind kind;
  int parent;  // index of the parent in the list; -1 for the frame
  std::string class_name, text;
  DWORD style, ex_style;
  int id, x, y, width, height;
  int font;                // index in the fonts; -1 for none set
  int bitmap_w, bitmap_h;  // a picture's bitmap, 0 x 0 for none
};

struct WindowDescription {
  std::vector<LOGFONTA> fonts;
  std::vector<DescribedWindow> windows;
};

void write_window_description(const char* path, HWND frame, HWND panel, HWND page);
bool read_window_description(const char* path, WindowDescription* out);
