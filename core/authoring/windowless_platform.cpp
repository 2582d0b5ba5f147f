#include "windowless_platform.h"

namespace {

// A tag above the 24 colour bits, so that no brush is a null handle.
const uintptr_t BRUSH_TAG = 0x01000000;

bool find_no_resource(int, const char*, ResourceView*) { return false; }
int answer_ok(const char*, const char*, unsigned) { return ANSWER_OK; }
FontHandle no_font(const FontSpec*) { return nullptr; }
BrushHandle colour_brush(uint32_t colour) {
  return reinterpret_cast<BrushHandle>(uintptr_t(colour & 0x00FFFFFF) | BRUSH_TAG);
}
void delete_nothing(void*) {}

const PlatformSeam WINDOWLESS_SEAM = {find_no_resource, answer_ok, no_font, colour_brush,
                                      delete_nothing};

}  // namespace

void install_windowless_platform() { install_platform(&WINDOWLESS_SEAM); }

const PlatformSeam& windowless_seam() { return WINDOWLESS_SEAM; }

uint32_t brush_colour(BrushHandle brush) {
  return uint32_t(reinterpret_cast<uintptr_t>(brush) & 0x00FFFFFF);
}
