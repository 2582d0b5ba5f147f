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
