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
  // Its size is the first minute's tests'; here it is centred on the screen.
  RECT frame, work;
  GetWindowRect(run.frame, &frame);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(frame.left, work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2);
  EXPECT_EQ(frame.top, work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2);
  int code = close_player(&run);
  if (code < 0) kill_player(&run);
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(file_exists(stray));
}

}  // namespace
