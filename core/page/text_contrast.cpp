// The web pages' contrast rule (page_colours.h), in a file of its own: the
// player links page_colours.cpp, and a function here would be carried by
// every quiz without ever being called.
#include <cmath>

#include "page_colours.h"

namespace {

const uint32_t BLACK = 0x00000000;
const uint32_t WHITE = 0x00FFFFFF;

double linear(uint32_t channel) {
  double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(uint32_t colour) {
  return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
         0.0722 * linear((colour >> 16) & 0xFF);
}

// `from` moved `step` 255ths of the way to `to`, channel by channel.
uint32_t mix(uint32_t from, uint32_t to, uint32_t step) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    int c = a + ((b - a) * int(step) + (b > a ? 127 : -127)) / 255;
    out |= uint32_t(c) << shift;
  }
  return out;
}

bool reads(uint32_t text, uint32_t back) { return contrast_ratio(text, back) > MIN_TEXT_CONTRAST; }

}  // namespace

double contrast_ratio(uint32_t a, uint32_t b) {
  double la = luminance(a), lb = luminance(b);
  return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

uint32_t readable_text_colour(uint32_t text, uint32_t back) {
  text &= WHITE;
  back &= WHITE;
  if (reads(text, back)) return text;
  // One of black and white always reads: their contrasts with any colour
  // multiply to 21, so the better is at least 4.58.
  uint32_t toward = contrast_ratio(BLACK, back) >= contrast_ratio(WHITE, back) ? BLACK : WHITE;
  for (uint32_t step = 1; step < 255; ++step) {
    uint32_t colour = mix(text, toward, step);
    if (reads(colour, back)) return colour;
  }
  return toward;
}

TextLook text_look(const StaticColours& colours, uint32_t brush_colour) {
  TextLook look;
  look.back = colours.sets_back ? colours.back_colour
              : colours.painted ? brush_colour
                                : uint32_t(DEFAULT_FACE_COLOUR);
  look.player_text = colours.sets_text ? colours.text_colour : uint32_t(DEFAULT_TEXT_COLOUR);
  look.player_contrast = contrast_ratio(look.player_text, look.back);
  look.page_text = readable_text_colour(look.player_text, look.back);
  return look;
}
