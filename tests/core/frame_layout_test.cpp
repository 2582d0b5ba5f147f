// The frame's opening size and place: the whole page, never below the
// smallest frame nor beyond the screen's work area.
#include "core/page/frame_layout.h"

#include <gtest/gtest.h>

namespace {

void expect_rect(const ScreenRect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(FrameLayout, TheClientHoldsThePageAndItsChrome) {
  FrameSize client = frame_client_showing(850, 30, {20, 20});
  EXPECT_EQ(client.width, 850 + 20 + 11);
  EXPECT_EQ(client.height, 30 + 20 + 68);
}

TEST(FrameLayout, OpensCentredOnTheWorkAreaWithinItsBounds) {
  // A small page keeps the smallest frame.
  expect_rect(frame_on_work_area({300, 200}, {0, 0, 1280, 1024}), 368, 324, 912, 699);
  expect_rect(frame_on_work_area({900, 520}, {0, 0, 1280, 1024}), 190, 252, 1090, 772);
  // Too large for the screen: the whole work area, beside a taskbar on the
  // left, on a second screen to the right.
  expect_rect(frame_on_work_area({1000, 700}, {40, 0, 800, 600}), 40, 0, 800, 600);
  expect_rect(frame_on_work_area({1000, 500}, {1280, 30, 2080, 600}), 1280, 65, 2080, 565);
  // Odd room: the division truncates.
  expect_rect(frame_on_work_area({545, 376}, {0, 0, 800, 600}), 127, 112, 672, 488);
  // A work area below the smallest frame still holds the frame.
  expect_rect(frame_on_work_area({900, 500}, {0, 0, 500, 300}), 0, 0, 500, 300);
}

}  // namespace
