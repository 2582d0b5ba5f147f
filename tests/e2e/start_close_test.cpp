#include <gtest/gtest.h>

#include "driver.h"

namespace {

// Closing also deletes a "tirlo.mp3" left in the current directory.
TEST(StartAndClose, TheDemonstrationQuizOpensTitledCentredAndClosesWithZero) {
  PlayerRun run;
  std::string folder = fresh_folder("start-close");
  std::string stray = folder + "\\tirlo.mp3";
  ASSERT_TRUE(write_file(stray, "ID3"));
  ASSERT_TRUE(start_player(QUIZ_PLAYER, folder, &run));
  EXPECT_EQ(text_of(run.frame), "Nom du tirlo");
  RECT frame, desktop;
  GetWindowRect(run.frame, &frame);
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(frame.right - frame.left, 544);
  EXPECT_EQ(frame.bottom - frame.top, 375);
  EXPECT_EQ(frame.left, (desktop.right - 544) / 2);
  EXPECT_EQ(frame.top, (desktop.bottom - 375) / 2);
  int code = close_player(&run);
  if (code < 0) kill_player(&run);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(file_exists(stray));
}

}  // namespace
