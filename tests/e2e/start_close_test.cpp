#include <gtest/gtest.h>

#include "driver.h"

namespace {

TEST(StartAndClose, TheDemonstrationQuizOpensTitledAndClosesWithZero) {
  PlayerRun run;
  std::string folder = fresh_folder("start-close");
  ASSERT_TRUE(start_player(QUIZ_PLAYER, folder, &run));
  EXPECT_EQ(text_of(run.frame), "Nom du tirlo");
  RECT frame;
  GetWindowRect(run.frame, &frame);
  EXPECT_EQ(frame.right - frame.left, 544);
  EXPECT_EQ(frame.bottom - frame.top, 375);
  int code = close_player(&run);
  if (code < 0) kill_player(&run);
  EXPECT_EQ(code, 0);
}

}  // namespace
