// How the page paints its statics: which brush and which device-context
// colours each one gets, decided from its id and, for a verdict label, its
// text. Portable: the Win32 page applies the decision.
#pragma once

#include <cstdint>

#include "core/content/document.h"

struct StaticColours {
  bool painted;          // false: the platform's standard dialog colours
  bool transparent;      // background mode TRANSPARENT
  bool sets_text;        // text colour below
  uint32_t text_colour;  // 0x00BBGGRR
  bool sets_back;        // text background colour below
  uint32_t back_colour;
  BrushHandle brush;
};

// True for the ids of verdict labels: the decision then needs the label's text.
bool is_verdict_label(const QuizDocument* doc, int id);

// The colours of the static `id` whose text (verdict labels only) is `text`.
StaticColours static_colours(const QuizDocument* doc, int id, const char* text);

// Contrast, for the web pages. The Windows player keeps its own colours; a
// page draws a text that would read at 4.5 : 1 or below on its colour in one
// that reads above it (the accessibility guidelines' level for body text).
// These live in text_contrast.cpp, apart, so that the player carries none of
// them.
enum : uint32_t {
  // What a page draws for a static the player leaves to the system's
  // colours: black on the dialog face.
  DEFAULT_TEXT_COLOUR = 0x00000000,
  DEFAULT_FACE_COLOUR = 0x00F0F0F0,
};
const double MIN_TEXT_CONTRAST = 4.5;

// The contrast of two colours (0x00BBGGRR): from 1 (the same) to 21 (black
// and white), by their relative luminances in sRGB.
double contrast_ratio(uint32_t a, uint32_t b);

// `text` where it reads above MIN_TEXT_CONTRAST on `back`; otherwise the
// colour nearest to it, on the straight line from it toward black or white
// (whichever reads better on `back`), that does: the link stays a blue, a
// black number on a dark background turns light.
uint32_t readable_text_colour(uint32_t text, uint32_t back);

// A static's text as a page shows it: the colour behind it, the Windows
// player's text colour and its contrast there, and the page's own.
struct TextLook {
  uint32_t back;
  uint32_t player_text;
  double player_contrast;
  uint32_t page_text;
};

// `brush_colour` is the colour of `colours.brush` (the platform's to tell).
TextLook text_look(const StaticColours& colours, uint32_t brush_colour);
