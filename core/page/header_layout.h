// The header panel's layout: its controls, where each is made and where the
// panel puts it at every size, and the panel's colours. Portable: the Win32
// panel makes and moves its controls at these places; the web player lays out
// its header from the same numbers.
#pragma once

#include <cstdint>

#include "core/page/frame_layout.h"

// The panel's controls, in the order it makes them.
enum HeaderControl : int {
  HEADER_HYPERLINK,
  HEADER_AUTHOR_CAPTION,
  HEADER_AUTHOR,
  HEADER_SAVE,
  HEADER_EXPLANATION,
  HEADER_TITLE,
  HEADER_CODE_CAPTION,
  HEADER_SCORE,
  HEADER_CODE,
  HEADER_LINE_UNDER_SCORE,
  HEADER_LINE_LEFT,
  HEADER_LINE_RIGHT,
  HEADER_CONTROL_COUNT
};

// The panel's colours (0x00BBGGRR) and the width of the border its dialog
// template draws around its client (FRAME_PANEL_PLACE is its outer place).
enum : uint32_t { HEADER_PANEL_COLOUR = 0x00FF8080, HEADER_HYPERLINK_COLOUR = 0x00FF3232 };
enum { HEADER_PANEL_BORDER = 1 };

// Where each control is made, by HeaderControl, in panel client pixels.
extern const FramePlace HEADER_CREATED[HEADER_CONTROL_COUNT];

// The controls the panel moves at every size, in the order it moves them
// (each comes to the top of the z-order as it moves); a negative x or width
// counts from the panel's client width, as a FramePlace does.
struct HeaderMove {
  HeaderControl control;
  FramePlace place;
};
enum { HEADER_MOVE_COUNT = 6 };
extern const HeaderMove HEADER_MOVES[HEADER_MOVE_COUNT];

// A control's rectangle in a panel whose client is `panel_width` wide, once
// laid out: anchored to the right edge for the moved ones, where made for the
// others; never a negative width. An unknown control has no place (0 x 0).
FramePlace header_place(HeaderControl control, int panel_width);
