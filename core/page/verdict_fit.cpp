#include "verdict_fit.h"

namespace {

// Advance widths of 0x20 to 0xFF, measured under Wine in a verdict label of
// each kind (PageTest.VerdictFontWidthsAreTheLabels checks them).
const uint8_t GUI_FONT_WIDTHS[224] = {
    3,  3, 5, 7, 6, 8, 6,  2,  3, 3,  4, 6, 3,  3, 3, 5,  // 0x20
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  3, 3, 6,  6, 6, 6,  // 0x30
    11, 7, 7, 7, 8, 7, 6,  8,  8, 3,  5, 7, 6,  9, 8, 8,  // 0x40
    7,  8, 8, 7, 7, 8, 7,  11, 7, 7,  7, 3, 5,  3, 6, 6,  // 0x50
    3,  6, 6, 6, 6, 6, 3,  6,  6, 2,  2, 6, 2,  8, 6, 6,  // 0x60
    6,  6, 3, 5, 3, 6, 6,  8,  5, 5,  5, 4, 2,  4, 7, 3,  // 0x70
    6,  3, 3, 3, 5, 6, 5,  5,  3, 11, 7, 6, 10, 3, 7, 3,  // 0x80
    3,  3, 3, 4, 4, 6, 5,  6,  3, 9,  5, 6, 10, 3, 5, 7,  // 0x90
    3,  3, 6, 6, 6, 6, 2,  6,  3, 9,  4, 6, 6,  3, 8, 6,  // 0xa0
    4,  6, 3, 3, 3, 6, 6,  3,  3, 3,  4, 6, 8,  8, 8, 6,  // 0xb0
    7,  7, 7, 7, 7, 7, 10, 7,  7, 7,  7, 7, 3,  3, 3, 3,  // 0xc0
    8,  8, 8, 8, 8, 8, 8,  6,  8, 8,  8, 8, 8,  7, 7, 6,  // 0xd0
    6,  6, 6, 6, 6, 6, 10, 6,  6, 6,  6, 6, 2,  4, 4, 4,  // 0xe0
    6,  6, 6, 6, 6, 6, 6,  6,  6, 6,  6, 6, 6,  5, 6, 5,  // 0xf0
};

const uint8_t STATIC_FONT_WIDTHS[224] = {
    4,  4,  5, 9, 7, 13, 8,  4,  5, 5,  7, 8, 4,  5,  4,  7,   // 0x20
    7,  7,  7, 7, 7, 7,  7,  7,  7, 7,  4, 4, 8,  9,  8,  6,   // 0x30
    10, 7,  7, 7, 7, 7,  6,  8,  8, 5,  6, 7, 6,  10, 8,  8,   // 0x40
    7,  8,  8, 7, 7, 8,  7,  11, 7, 7,  7, 5, 7,  5,  9,  7,   // 0x50
    6,  7,  7, 6, 7, 7,  4,  7,  7, 4,  4, 7, 4,  10, 7,  7,   // 0x60
    7,  7,  5, 6, 4, 7,  7,  10, 7, 6,  6, 7, 7,  7,  9,  5,   // 0x70
    7,  11, 4, 7, 6, 11, 7,  7,  6, 18, 7, 5, 11, 11, 7,  11,  // 0x80
    11, 3,  3, 6, 5, 7,  7,  10, 6, 9,  6, 4, 11, 11, 6,  7,   // 0x90
    4,  4,  7, 7, 7, 7,  7,  7,  7, 11, 6, 7, 9,  5,  11, 11,  // 0xa0
    6,  9,  6, 6, 6, 7,  7,  4,  6, 6,  6, 7, 12, 12, 12, 7,   // 0xb0
    7,  7,  7, 7, 7, 7,  11, 7,  7, 7,  7, 7, 5,  5,  5,  5,   // 0xc0
    7,  8,  8, 8, 8, 8,  8,  9,  8, 8,  8, 8, 8,  7,  7,  7,   // 0xd0
    7,  7,  7, 7, 7, 7,  11, 6,  7, 7,  7, 7, 4,  4,  4,  4,   // 0xe0
    7,  7,  7, 7, 7, 7,  7,  8,  7, 7,  7, 7, 7,  6,  7,  6,   // 0xf0
};

const int LABEL_BORDERS = 2;  // WS_BORDER: one pixel each side

}  // namespace

VerdictRoom verdict_room(const PageShape& shape) {
  PageLayout layout;
  begin_page_layout(&layout, shape);
  const PictureSize none[3] = {};
  QuestionPlaces places;
  lay_out_question(&layout, 1, none, &places);
  for (int i = 0; i < places.count; ++i) {
    const ControlPlace& place = places.places[i];
    if (place.role == ROLE_VERDICT) return {place.width - LABEL_BORDERS, place.font};
  }
  return {0, FONT_UNSET};
}

int verdict_char_width(unsigned char c, ControlFont font) {
  if (c < 0x20) return 0;
  return font == FONT_GUI ? GUI_FONT_WIDTHS[c - 0x20] : STATIC_FONT_WIDTHS[c - 0x20];
}

int verdict_text_width(const char* text, ControlFont font) {
  int width = 0;
  for (; *text; ++text) width += verdict_char_width(static_cast<unsigned char>(*text), font);
  return width;
}
