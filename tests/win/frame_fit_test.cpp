// The frame as it opens on a screen too small for its page (800 x 600): it
// fills the work area, the page scrolls, and the start shows the page's
// top-left corner with the first field in view and no question text cut.
// (The real screen's sizes are the end-to-end layer's.)
#include <gtest/gtest.h>
#include <windows.h>

#include "core/page/page_layout.h"
#include "shell_fixture.h"
#include "tests/support/numbered_questions.h"
#include "tests/support/seen_whole.h"
#include "win32/page/question_page.h"

namespace {

struct Shape {
  const char* name;
  uint32_t kind;
  int answers;
  int mode;
};

bool small_screen(HWND, RECT* out) {
  *out = {0, 0, 800, 600};
  return true;
}

class SmallScreen : public ShellWindows, public ::testing::WithParamInterface<Shape> {
 protected:
  void shape(QuizDocument* quiz, Player* to_open) override {
    make_numbered_quiz(quiz, GetParam().kind, 40, GetParam().answers, GetParam().mode);
    to_open->work_area = small_screen;
  }
};

TEST_P(SmallScreen, FillsTheWorkAreaAndStartsAtTheTopLeft) {
  RECT r;
  GetWindowRect(frame, &r);
  EXPECT_EQ(r, rect_of(0, 0, 800, 600));
  SCROLLINFO across = {};
  across.cbSize = sizeof across;
  across.fMask = SIF_ALL;
  GetScrollInfo(page, SB_HORZ, &across);
  EXPECT_GT(across.nMax + 1, int(across.nPage));  // the page scrolls sideways
  EXPECT_EQ(across.nPos, 0);
  EXPECT_EQ(GetScrollPos(page, SB_VERT), 0);
  HWND first = GetDlgItem(page, ID_ANSWER_FIELD + 1);
  EXPECT_EQ(GetFocus(), first);
  EXPECT_TRUE(seen_whole(first, page));
  if (GetParam().kind == QUIZ_TEXT) {
    EXPECT_TRUE(seen_whole(GetDlgItem(page, ID_QUESTION_TEXT), page));
  }
}

INSTANTIATE_TEST_SUITE_P(Quizzes, SmallScreen,
                         ::testing::Values(Shape{"text", QUIZ_TEXT, 1, MODE_REVEAL_BOX},
                                           Shape{"pictures", QUIZ_PICTURE, 2, MODE_SECOND_PICTURE},
                                           Shape{"video", QUIZ_VIDEO, 2, MODE_REVEAL_ALL}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
