// The platform seam in the browser. The page paints everything itself, so a
// brush is only its colour and a font is nothing. The module's resources are
// those of the quiz a page opened (none until then), and the core's messages
// are kept for the page to show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/authoring/pe_resources.h"
#include "core/content/platform.h"
#include "core/page/page_colours.h"
#include <emscripten/val.h>

// Installs the seam (once; later calls do nothing).
void install_web_platform();

// The colour (0x00BBGGRR) of a brush this seam made.
uint32_t brush_colour(BrushHandle brush);

// The colours a static is painted with: `paint` its brush ("" for the
// platform's own), `back` behind its text, `text` its text.
emscripten::val look_of(const StaticColours& colours);

// A message the core showed: Windows-1252 texts.
struct WebMessage {
  std::string text, caption;
};

// The core reads its resources from `resources` (which must outlive that
// use; null: none) and its messages go to `messages` (null: nowhere).
void use_web_resources(const std::vector<Resource>* resources, std::vector<WebMessage>* messages);
