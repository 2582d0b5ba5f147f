// What a player sees first, on the real screen: the frame opens centred on the
// work area at a size that shows the page's whole width and its first whole
// row (numbers, texts, pictures, fields, verdicts, reveal labels), with the
// first field focused and nothing cut on its left.
#include <gtest/gtest.h>

#include <string>

#include "core/page/page_layout.h"
#include "driver.h"
#include "tests/support/seen_whole.h"

namespace {

struct Example {
  const char* name;  // a packed example, or "" for the demonstration quiz
  int first_row;     // questions in the first row
  int per_question;  // answer fields per question
};

class FirstMinute : public ::testing::TestWithParam<Example> {
 protected:
  PlayerRun run;
  void TearDown() override { kill_player(&run); }
};

TEST_P(FirstMinute, OpensOnTheWholeFirstRow) {
  const Example& quiz = GetParam();
  std::string name = *quiz.name ? quiz.name : "demonstration";
  std::string folder = fresh_folder("first-minute-" + name);
  std::string program = QUIZ_PLAYER;
  if (*quiz.name) {
    program = folder + "\\" + name + ".exe";
    ASSERT_TRUE(
        copy_quiz(std::string(QUIZ_EXAMPLES_DIR) + "/" + name + ".exe", folder, name + ".exe"));
  }
  ASSERT_TRUE(start_player(program, folder, &run));
  settle(run);

  RECT work, frame;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(run.frame, &frame);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  EXPECT_GE(width, 544);
  EXPECT_GE(height, 375);
  EXPECT_LE(width, work.right - work.left);
  EXPECT_LE(height, work.bottom - work.top);
  EXPECT_EQ(frame.left, work.left + ((work.right - work.left) - width) / 2);
  EXPECT_EQ(frame.top, work.top + ((work.bottom - work.top) - height) / 2);

  for (int n = 1; n <= quiz.first_row; ++n) {
    for (int j = 1; j <= quiz.per_question; ++j) {
      int k = (n - 1) * quiz.per_question + j;
      EXPECT_TRUE(seen_whole(GetDlgItem(run.page, ID_ANSWER_FIELD + k), run.page)) << k;
      EXPECT_TRUE(seen_whole(GetDlgItem(run.page, ID_VERDICT_LABEL + k), run.page)) << k;
    }
    for (int id : {ID_QUESTION_PICTURE + n, ID_REVEAL_LABEL + n, ID_PLAY_BUTTON + n}) {
      if (HWND control = GetDlgItem(run.page, id)) {
        EXPECT_TRUE(seen_whole(control, run.page)) << id;
      }
    }
  }
  // Every number and question text of the page starts inside it: nothing
  // cut on the left.
  RECT shown;
  GetClientRect(run.page, &shown);
  MapWindowPoints(run.page, nullptr, reinterpret_cast<POINT*>(&shown), 2);
  for (HWND child = GetWindow(run.page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(child);
    if (id != ID_QUESTION_TEXT && id != ID_NUMBER_LABEL && id != ID_ANSWER_CAPTION) continue;
    RECT own;
    GetWindowRect(child, &own);
    EXPECT_GE(own.left, shown.left) << id;
  }
  EXPECT_EQ(focused_control(run), GetDlgItem(run.page, ID_ANSWER_FIELD + 1));
  EXPECT_EQ(close_player(&run), 0);
}

INSTANTIATE_TEST_SUITE_P(Examples, FirstMinute,
                         ::testing::Values(Example{"", 3, 2}, Example{"capitales", 1, 1},
                                           Example{"formes", 3, 2}, Example{"films", 2, 2},
                                           Example{"voix", 3, 1}),
                         [](const auto& info) {
                           return std::string(*info.param.name ? info.param.name : "demonstration");
                         });

}  // namespace
