// The platform seam of the web player: the windowless one (a brush is only
// its colour, a font is nothing), whose resources are those of the quiz the
// page opened (none until then), and whose messages are kept for the page to
// show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/authoring/windowless_platform.h"
#include "core/carrier/pe_reader.h"
#include "core/content/platform.h"
#include "core/page/page_colours.h"
#include <emscripten/val.h>

// Installs the seam.
void install_web_platform();

// The colours a static is painted with: `paint` its brush ("" for the
// platform's own), `back` behind its text ("" for the brush), `text` its
// text as a page draws it (one that reads); and the Windows player's text
// colour, its contrast and whether that reads (`player_text`,
// `player_contrast`, `player_reads`).
emscripten::val look_of(const StaticColours& colours);

// A message the core showed: Windows-1252 texts.
struct WebMessage {
  std::string text, caption;
};

// The core reads its resources from `resources` (which must outlive that
// use; null: none) and its messages go to `messages` (null: nowhere).
void use_web_resources(const std::vector<Resource>* resources, std::vector<WebMessage>* messages);
