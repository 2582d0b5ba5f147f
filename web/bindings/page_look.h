// How the page shows a verdict as the player paints it, for the bindings.
#pragma once

#include <emscripten/val.h>

#include <string>

// The colours of a verdict label reading `word` (UTF-8): {paint, back, text}.
emscripten::val verdict_look(const std::string& word);
