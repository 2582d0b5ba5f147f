// The platform seam in the browser. The page paints everything itself, so a
// brush is only its colour, a font is nothing, the module has no resources of
// its own and messages go nowhere (the page shows the core's results).
#pragma once

#include <cstdint>

#include "core/content/platform.h"

// Installs the seam (once; later calls do nothing).
void install_web_platform();

// The colour (0x00BBGGRR) of a brush this seam made.
uint32_t brush_colour(BrushHandle brush);
