// The header panel's places: the right block keeps its distances to the
// right edge at every width, only the explanation stretches, the left block
// and the title stay where they were made.
#include "core/page/header_layout.h"

#include <gtest/gtest.h>

namespace {

void expect_place(const FramePlace& p, int x, int y, int width, int height) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_EQ(p.width, width);
  EXPECT_EQ(p.height, height);
}

TEST(HeaderLayout, TheRightBlockFollowsTheRightEdge) {
  for (int w : {520, 850, 1400}) {
    SCOPED_TRACE(w);
    expect_place(header_place(HEADER_HYPERLINK, w), w - 134, 0, 115, 18);
    expect_place(header_place(HEADER_AUTHOR_CAPTION, w), w - 134, 25, 26, 18);
    expect_place(header_place(HEADER_AUTHOR, w), w - 107, 25, 105, 18);
    expect_place(header_place(HEADER_SAVE, w), w - 204, 25, 55, 18);
    expect_place(header_place(HEADER_LINE_RIGHT, w), w - 145, 0, 1, 50);
    // The explanation stretches and ends 10 pixels before the button.
    expect_place(header_place(HEADER_EXPLANATION, w), 110, 19, w - 324, 28);
    // The others stay where they were made, whatever the width.
    expect_place(header_place(HEADER_TITLE, w), 110, 3, 260, 18);
    expect_place(header_place(HEADER_SCORE, w), 10, 1, 80, 20);
    expect_place(header_place(HEADER_CODE, w), 44, 29, 53, 16);
    expect_place(header_place(HEADER_LINE_LEFT, w), 100, 0, 1, 50);
  }
}

TEST(HeaderLayout, EachMovedControlOnceAndEdgeCases) {
  int moved[HEADER_CONTROL_COUNT] = {};
  for (const HeaderMove& move : HEADER_MOVES) ++moved[move.control];
  for (int c = 0; c < HEADER_CONTROL_COUNT; ++c) EXPECT_LE(moved[c], 1) << c;
  // The hyperlink moves first: the z-order follows the moves.
  EXPECT_EQ(HEADER_MOVES[0].control, HEADER_HYPERLINK);
  // Narrower than the middle block: no negative width.
  EXPECT_EQ(header_place(HEADER_EXPLANATION, 300).width, 0);
  expect_place(header_place(HeaderControl(HEADER_CONTROL_COUNT), 800), 0, 0, 0, 0);
  expect_place(header_place(HeaderControl(-1), 800), 0, 0, 0, 0);
}

}  // namespace
