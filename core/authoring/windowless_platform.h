// The platform seam of front ends without windows (quizpack, the studio),
// for the core's document: a brush is only its colour, a font is nothing,
// there are no resources of its own and messages go nowhere (the front end
// shows the core's results itself).
#pragma once

#include <cstdint>

#include "core/content/platform.h"

// Installs the seam; calling it again changes nothing.
void install_windowless_platform();

// The seam itself, for a front end that gives it resources or messages of
// its own (the web player).
const PlatformSeam& windowless_seam();

// The colour (0x00BBGGRR) of a brush this seam made.
uint32_t brush_colour(BrushHandle brush);
