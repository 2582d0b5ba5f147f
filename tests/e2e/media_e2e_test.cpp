// The audio and video examples, packed by quizpack, started from a folder of
// their own and driven with their PlayButtons and StopButtons: each play
// replaces the previous clip's temporary file with its own, a stop deletes it,
// and closing leaves no temporary file behind, even with a clip under way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/page/page_layout.h"
#include "driver.h"

namespace {

typedef std::vector<std::string> Names;

struct MediaQuiz {
  const char* name;       // the example, packed as <name>.exe
  const char* extension;  // of its temporary clip files
  int first, second;      // two of its questions, played in turn
};

class MediaRun : public ::testing::TestWithParam<MediaQuiz> {
 protected:
  PlayerRun run;
  std::string folder;

  void SetUp() override {
    const MediaQuiz& quiz = GetParam();
    folder = fresh_folder(std::string("media-") + quiz.name);
    std::string copy = folder + "\\" + quiz.name + ".exe";
    ASSERT_TRUE(CopyFileA((std::string(QUIZ_EXAMPLES_DIR) + "\\" + quiz.name + ".exe").c_str(),
                          copy.c_str(), FALSE));
    ASSERT_TRUE(start_player(copy, folder, &run));
    ASSERT_NE(run.page, nullptr);
  }
  void TearDown() override { kill_player(&run); }

  void press(int id) {
    HWND button = GetDlgItem(run.page, id);
    ASSERT_NE(button, nullptr) << id;
    click_button(button);
    settle(run);
  }
  Names clips_left() { return files_matching(folder, "tirlo*"); }
  // Under Wine the media device may let go of a file, or hide its window,
  // some time after the click: the state once it is as expected, or as it
  // stands after 5 s.
  template <class Done>
  static void wait_until(Done done) {
    for (int waited = 0; waited < 5000 && !done(); waited += 20) Sleep(20);
  }
  Names clips_become(const Names& expected) {
    wait_until([&] { return clips_left() == expected; });
    return clips_left();
  }
  bool host_becomes(HWND host, bool visible) {
    wait_until([&] { return (IsWindowVisible(host) != FALSE) == visible; });
    return IsWindowVisible(host) != FALSE;
  }
  std::string clip(int question) {
    return "tirlo" + std::to_string(question) + "." + GetParam().extension;
  }
};

TEST_P(MediaRun, PlaySwitchStopAndCloseLeaveNoClipBehind) {
  const MediaQuiz& quiz = GetParam();
  bool video = std::string(quiz.extension) == "avi";
  HWND host = GetDlgItem(run.page, ID_PLAYER_HOST);
  ASSERT_NE(host, nullptr);

  press(ID_PLAY_BUTTON + quiz.first);
  EXPECT_EQ(clips_become({clip(quiz.first)}), Names({clip(quiz.first)}));
  press(ID_PLAY_BUTTON + quiz.second);
  EXPECT_EQ(clips_become({clip(quiz.second)}), Names({clip(quiz.second)}));  // the first one's file is gone
  if (video) {
    RECT shown;
    GetClientRect(host, &shown);
    EXPECT_TRUE(host_becomes(host, true));
    EXPECT_GT(shown.right, 0);
  }

  press(ID_STOP_BUTTON + quiz.first);  // any StopButton stops the clip under way
  EXPECT_TRUE(clips_become({}).empty());
  if (video) {
    EXPECT_FALSE(host_becomes(host, false));
  }

  // A clip still playing when the window closes.
  press(ID_PLAY_BUTTON + quiz.first);
  EXPECT_EQ(clips_become({clip(quiz.first)}), Names({clip(quiz.first)}));
  EXPECT_EQ(close_player(&run), 0);
  EXPECT_TRUE(clips_become({}).empty());
}

// The examples hold three clips (voix) and two (films).
INSTANTIATE_TEST_SUITE_P(Examples, MediaRun,
                         ::testing::Values(MediaQuiz{"voix", "mp3", 2, 3},
                                           MediaQuiz{"films", "avi", 2, 1}),
                         [](const ::testing::TestParamInfo<MediaQuiz>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
