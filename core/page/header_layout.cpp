#include "header_layout.h"

// clang-format off
const FramePlace HEADER_CREATED[HEADER_CONTROL_COUNT] = {
    {736, 5, 115, 18},   // HEADER_HYPERLINK
    {736, 25, 27, 18},   // HEADER_AUTHOR_CAPTION
    {763, 25, 85, 18},   // HEADER_AUTHOR
    {666, 25, 55, 18},   // HEADER_SAVE
    {110, 19, 490, 27},  // HEADER_EXPLANATION
    {110, 3, 260, 18},   // HEADER_TITLE
    {7, 29, 36, 15},     // HEADER_CODE_CAPTION
    {10, 1, 80, 20},     // HEADER_SCORE
    {44, 29, 53, 16},    // HEADER_CODE
    {0, 26, 100, 1},     // HEADER_LINE_UNDER_SCORE
    {100, 0, 1, 50},     // HEADER_LINE_LEFT
    {730, 0, 1, 50},     // HEADER_LINE_RIGHT
};

// Anchored to the right edge; only the explanation stretches, and it shares
// two rows with the title above it.
const HeaderMove HEADER_MOVES[HEADER_MOVE_COUNT] = {
    {HEADER_HYPERLINK, {-134, 0, 115, 18}},
    {HEADER_AUTHOR_CAPTION, {-134, 25, 26, 18}},
    {HEADER_AUTHOR, {-107, 25, 105, 18}},
    {HEADER_SAVE, {-204, 25, 55, 18}},
    {HEADER_EXPLANATION, {110, 19, -324, 28}},
    {HEADER_LINE_RIGHT, {-145, 0, 1, 50}},
};
// clang-format on

FramePlace header_place(HeaderControl control, int panel_width) {
  if (control < 0 || control >= HEADER_CONTROL_COUNT) return {0, 0, 0, 0};
  for (const HeaderMove& move : HEADER_MOVES) {
    if (move.control != control) continue;
    const FramePlace& at = move.place;
    // A panel narrower than the middle block leaves the explanation no width
    // rather than a negative one.
    int width = anchored(at.width, panel_width);
    return {anchored(at.x, panel_width), at.y, width < 0 ? 0 : width, at.height};
  }
  return HEADER_CREATED[control];
}
