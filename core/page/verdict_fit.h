// Whether a verdict fits its label: the room a verdict label of the page
// gives its text, and how wide a text is in the label's font. For quizpack's
// checks of the verdicts an author writes; the player does not use it.
#pragma once

#include "page_layout.h"

// The text room of the verdict labels of a quiz of this shape (inside their
// border) and the font they draw in.
struct VerdictRoom {
  int width;
  ControlFont font;
};
VerdictRoom verdict_room(const PageShape& shape);

// The width in pixels of a Windows-1252 text drawn in one line in `font`
// (FONT_GUI, or FONT_UNSET: a static's own font), from the fonts' advance
// widths as the player's tested Wine draws them (the GUI font mapped to
// "MS Sans Serif" 8 pt, as Windows maps it, and the System font); a window
// test checks them against the live fonts. Bytes below 0x20
// count 0.
int verdict_text_width(const char* text, ControlFont font);

// The advance width of byte `c` (0x20 to 0xFF) in `font`.
int verdict_char_width(unsigned char c, ControlFont font);
