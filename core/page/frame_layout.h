// The main frame's layout: where the header panel, the question page and the
// version label stand in its client area, and the size and place at which
// the frame opens. Portable arithmetic; the Win32 frame measures the system's
// borders and scroll bars and the screen's work area, and asks here.
#pragma once

// A control's place in the frame's client area; a negative value counts from
// the client's width (x, width) or height (y, height).
struct FramePlace {
  int x, y, width, height;
};

extern const FramePlace FRAME_PAGE_PLACE;  // its top row covers the panel's last
extern const FramePlace FRAME_PANEL_PLACE;
extern const FramePlace FRAME_VERSION_LABEL_PLACE;

// A value of a FramePlace within an extent of the client.
inline int anchored(int value, int extent) { return value < 0 ? extent + value : value; }

// The smallest frame, outer size: what every quiz opened at before its page
// was measured, and what a quiz with a small page keeps.
enum : int { FRAME_MIN_WIDTH = 544, FRAME_MIN_HEIGHT = 375 };

struct FrameSize {
  int width, height;
};

// A rectangle of the screen, right and bottom edges excluded.
struct ScreenRect {
  int left, top, right, bottom;
};

// The client size at which the question page shows `content_width` pixels of
// its content across and `content_height` down, when its own borders and
// scroll bars take `page_chrome` (its window's size less its client's).
FrameSize frame_client_showing(int content_width, int content_height, FrameSize page_chrome);

// Where a frame of outer size `wanted` opens on a screen's `work_area`: at
// least the smallest frame, never larger than the work area, and centred on
// it (divisions truncate toward zero).
ScreenRect frame_on_work_area(FrameSize wanted, ScreenRect work_area);
