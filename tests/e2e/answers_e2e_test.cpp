// Packed quizzes answered as a user would: typed answers, Enter, Tab, F1 and
// F2, the verdicts, score and code read back, the window closed, the answers
// file checked, and the player started again on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/page/page_layout.h"
#include "driver.h"
#include "resources/resource_ids.h"
#include "tests/support/unwritable_answers.h"

namespace {

std::string quiz_file(const std::string& name) {
  return std::string(name == "longue" ? QUIZ_E2E_DIR : QUIZ_EXAMPLES_DIR) + "/" + name + ".exe";
}

class Played : public ::testing::Test {
 protected:
  PlayerRun run;
  std::string folder, name;

  void TearDown() override { kill_player(&run); }

  // A fresh folder holding the quiz (and an answers file when given), then
  // the player started there.
  void start_fresh(const std::string& quiz, const std::string& answers = "") {
    name = quiz;
    folder = fresh_folder("answers-" + quiz);
    ASSERT_TRUE(copy_quiz(quiz_file(quiz), folder, quiz + ".exe"));
    if (!answers.empty()) {
      ASSERT_TRUE(write_file(answers_path(), answers));
    }
    start_again();
  }
  void start_again() { ASSERT_TRUE(start_player(folder + "\\" + name + ".exe", folder, &run)); }
  void close() { ASSERT_EQ(close_player(&run), 0); }

  std::string answers_path() { return folder + "\\" + name + ".txt"; }
  HWND field(int k) { return GetDlgItem(run.page, ID_ANSWER_FIELD + k); }
  std::string verdict(int k) { return text_of(GetDlgItem(run.page, ID_VERDICT_LABEL + k)); }
  bool revealed(int n) {
    return IsWindowVisible(GetDlgItem(run.page, ID_REVEAL_LABEL + n)) != FALSE;
  }
  std::string score() { return text_of(GetDlgItem(run.panel, SCORE_LABEL)); }
  std::string code() { return text_of(GetDlgItem(run.panel, CODE_BOX)); }

  void press(int k, int key) {
    press_key(field(k), key);
    settle(run);
  }
  void answer(int k, const std::string& text) {
    set_text(field(k), text);
    press(k, VK_RETURN);
  }
  std::vector<std::string> verdicts(int count) {
    std::vector<std::string> all;
    for (int k = 1; k <= count; ++k) all.push_back(verdict(k));
    return all;
  }
};

using Texts = std::vector<std::string>;

const std::string SIMILAR =
    "y a de l'id\xE9"
    "e";

TEST_F(Played, EveryVerdictWordSavedAndJudgedAgainAtTheNextStart) {
  start_fresh("nuances");
  EXPECT_EQ(score(), " 0 / 8");
  answer(1, "PARSI");
  answer(2, "\xE9lan");  // only a to z have an upper case
  answer(3, "Charles de Gau");
  EXPECT_EQ(verdict(3), "Trop court");
  answer(3, "Charles");
  EXPECT_EQ(verdict(3), "FAUX");
  answer(3, "Charles de");
  answer(4, "");
  answer(5, "Strasbou");
  answer(6, "Napoleon Bonaparte");
  answer(7, "  napoleon bonaparte ");
  answer(8, "Louis XIV roi solxyz");
  const Texts words = {"Anagramme", "Quasiment", "pas loin", "?",
                       "Presque",   "Trop long", "BRAVO",    SIMILAR};
  EXPECT_EQ(verdicts(8), words);
  EXPECT_EQ(score(), " 1 / 8");
  EXPECT_EQ(code(), "UN");
  close();

  const std::string saved =
      "PARSI\r\n\xE9lan\r\nCharles de\r\n\r\nStrasbou\r\nNapoleon Bonaparte\r\n"
      "  napoleon bonaparte \r\nLouis XIV roi solxyz\r\n";
  EXPECT_EQ(read_file(answers_path()), saved);
  start_again();
  EXPECT_EQ(text_of(field(7)), "  napoleon bonaparte ");
  EXPECT_EQ(verdicts(8), words);  // the last field too
  EXPECT_EQ(score(), " 1 / 8");
  EXPECT_EQ(code(), "UN");
  EXPECT_EQ(focused_control(run), field(1));
  close();
  EXPECT_EQ(read_file(answers_path()), saved);
}

TEST_F(Played, AnOlderFileWithFewerLinesThenF1AndF2) {
  start_fresh("nuances", "Paris\r\nElan\r\n");
  EXPECT_EQ(verdicts(3), (Texts{"BRAVO", "Quasiment", "?"}));
  EXPECT_EQ(score(), " 1 / 8");
  EXPECT_EQ(focused_control(run), field(2));

  answer(7, "Napoleon Bonaparte");
  set_text(field(2), "Mozart");
  press(2, VK_F1);  // into every field not yet right
  EXPECT_EQ(text_of(field(1)), "Paris");
  EXPECT_EQ(text_of(field(8)), "Mozart");
  EXPECT_EQ(verdicts(8),
            (Texts{"BRAVO", "FAUX", "FAUX", "BRAVO", "FAUX", "FAUX", "BRAVO", "FAUX"}));
  EXPECT_EQ(score(), " 3 / 8");
  EXPECT_EQ(code(), "TROIS");
  EXPECT_EQ(focused_control(run), field(2));

  press(2, VK_F2);  // saved at once, the window still open
  const std::string saved =
      "Paris\r\nMozart\r\nMozart\r\nMozart\r\nMozart\r\nMozart\r\nNapoleon Bonaparte\r\nMozart\r\n";
  EXPECT_EQ(read_file(answers_path()), saved);
  close();
  EXPECT_EQ(read_file(answers_path()), saved);
}

TEST_F(Played, SolvedCompletelyThroughTheRevealBoxesWithTheLastCode) {
  start_fresh("capitales");
  const char* capitals[] = {"Paris", "Rome", "Berlin", "Varsovie", "Ath\xE8nes", "Dublin"};
  for (int k = 1; k <= 6; ++k) {
    answer(k, capitals[k - 1]);
    HWND box = wait_for_message_box(run, "texte");
    ASSERT_NE(box, nullptr) << k;
    if (k == 2) {
      EXPECT_EQ(message_box_text(box),
                "Rome fut fond\xE9"
                "e, dit-on, en 753 avant notre \xE8re.");
    }
    press_button(box, IDOK);
    settle(run);
    EXPECT_EQ(verdict(k), "BRAVO") << k;
    EXPECT_EQ(focused_control(run), field(k)) << k;  // typing goes on where it was
    press(k, VK_TAB);  // leaving a right answer tells it no second time
    EXPECT_EQ(wait_for_message_box(run, "texte", 300), nullptr) << k;
  }
  EXPECT_EQ(score(), " 6 / 6");
  EXPECT_EQ(code(),
            "\xC9"
            "CLIPSE");
  close();

  start_again();  // restored and judged, without the boxes
  EXPECT_EQ(wait_for_message_box(run, "texte", 500), nullptr);
  EXPECT_EQ(verdicts(6), Texts(6, "BRAVO"));
  EXPECT_EQ(score(), " 6 / 6");
  EXPECT_EQ(code(),
            "\xC9"
            "CLIPSE");
  close();
}

TEST_F(Played, TwoFieldsSolveTogetherAndSwapThePicture) {
  start_fresh("formes");
  HWND picture = GetDlgItem(run.page, ID_QUESTION_PICTURE + 2);
  EXPECT_EQ(size_of(picture).cx, 52);  // 60 x 300 fitted into 260 x 260
  answer(3, "rectangle");
  answer(4, "bleue");
  EXPECT_EQ(verdicts(4), (Texts{"?", "?", "BRAVO", "Quasiment"}));
  EXPECT_EQ(score(), " 0 / 4");
  EXPECT_EQ(size_of(picture).cx, 52);
  answer(4, "Bleu");
  EXPECT_EQ(score(), " 1 / 4");
  EXPECT_EQ(code(), "ROND");
  EXPECT_EQ(size_of(picture).cx, 260);  // the square answer picture, whole
  EXPECT_EQ(size_of(picture).cy, 260);
  answer(4, "vert");
  EXPECT_EQ(score(), " 0 / 4");
  EXPECT_EQ(size_of(picture).cx, 260);  // stays
  close();
  EXPECT_EQ(read_file(answers_path()), "\r\n\r\nrectangle\r\nvert\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(Played, ARightAnswerRevealsItsTextUntilItChanges) {
  start_fresh("voix");
  answer(2, "CHAT");
  EXPECT_TRUE(revealed(2));
  EXPECT_FALSE(revealed(1));
  answer(2, "chien");
  EXPECT_FALSE(revealed(2));
  answer(1, "Madrid");
  answer(2, "chat");
  answer(3, "quatre");
  EXPECT_TRUE(revealed(1) && revealed(2) && revealed(3));
  EXPECT_EQ(score(), " 3 / 3");
  EXPECT_EQ(code(), "SILENCE");
  close();
}

TEST_F(Played, EveryRevealOnceEveryFieldIsRight) {
  start_fresh("films");
  answer(1, "rouge");
  answer(2, "blanc");
  answer(3, "jaune");
  EXPECT_FALSE(revealed(1) || revealed(2));
  answer(4, "noir");
  EXPECT_TRUE(revealed(1) && revealed(2));
  EXPECT_EQ(score(), " 2 / 2");
  EXPECT_EQ(code(), "COUPEZ !");
  answer(1, "rose");
  EXPECT_FALSE(revealed(1));
  EXPECT_EQ(code(), "ACTION");
  answer(1, "rouge");
  EXPECT_TRUE(revealed(1) && revealed(2));
  close();
}

TEST_F(Played, TheFocusStartsOnTheFirstOpenFieldAndTabKeepsItInView) {
  std::string restored;
  for (int n = 1; n <= 60; ++n) restored += (n == 53 ? std::string() : std::to_string(n)) + "\r\n";
  start_fresh("longue", restored);
  EXPECT_EQ(score(), " 59 / 60");
  EXPECT_EQ(verdict(60), "BRAVO");
  ASSERT_EQ(focused_control(run), field(53));
  EXPECT_TRUE(shown_top_to_bottom(field(53), run.page));
  EXPECT_FALSE(shown_top_to_bottom(field(1), run.page));  // the page had to scroll
  for (int k = 53; k < 60; ++k) {
    press(k, VK_TAB);
    ASSERT_EQ(focused_control(run), field(k + 1));
    EXPECT_TRUE(shown_top_to_bottom(field(k + 1), run.page)) << k + 1;
  }
  press(60, VK_TAB);  // round to the first field, at the top
  ASSERT_EQ(focused_control(run), field(1));
  EXPECT_TRUE(shown_top_to_bottom(field(1), run.page));
  answer(1, "1");
  close();
}

// The header shows the link its quiz gives, as a link; a quiz without one
// shows no address there and takes no click.
TEST_F(Played, TheHeaderShowsTheQuizsOwnLinkOrNone) {
  for (const auto& [quiz, text] :
       {std::make_pair("longue", "Les nombres entiers"), std::make_pair("capitales", "")}) {
    start_fresh(quiz);
    HWND link = GetDlgItem(run.panel, HYPERLINK_LABEL);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(IsWindowVisible(link));
    EXPECT_EQ(text_of(link), text) << quiz;
    EXPECT_EQ((GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY) != 0, *text != 0) << quiz;
    close();
  }
}

TEST_F(Played, AProgramNamedPlayerExeSavesPlayerTxtInTheCurrentDirectory) {
  name = "Player";
  std::string base = fresh_folder("answers-player-name");
  std::string programs = base + "\\programmes";
  folder = base + "\\travail";
  CreateDirectoryA(programs.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(copy_quiz(quiz_file("nuances"), programs, "Player.EXE"));
  ASSERT_TRUE(start_player(programs + "\\Player.EXE", folder, &run));
  answer(1, "Paris");
  close();
  EXPECT_EQ(read_file(folder + "\\Player.txt").substr(0, 7), "Paris\r\n");
  EXPECT_FALSE(file_exists(programs + "\\Player.txt"));
}

// Each judgement that changes an answer saves: a folder that cannot be
// written is told once, with an OK box, and again on close.
TEST_F(Played, AnUnwritableFolderIsToldOnceThenOnCloseAndKeepsTheSavedAnswers) {
  start_fresh("voix", "Madrid\r\n");
  ASSERT_TRUE(block_answers(answers_path()));
  set_text(field(2), "chat");
  press_key(field(2), VK_RETURN);
  HWND box = wait_for_message_box(run, "Enregistrement des r\xE9ponses");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(message_box_text(box).find("\xAB voix.txt \xBB"), std::string::npos);
  EXPECT_NE(message_box_text(box).find("Le jeu continue"), std::string::npos);
  press_button(box, IDOK);
  settle(run);
  EXPECT_EQ(verdict(2), "BRAVO");
  answer(3, "quatre");
  answer(2, "chien");
  EXPECT_EQ(wait_for_message_box(run, "Enregistrement des r\xE9ponses", 500), nullptr);
  PostMessageA(run.frame, WM_CLOSE, 0, 0);
  box = wait_for_message_box(run, "Enregistrement des r\xE9ponses");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(message_box_text(box).find("\xAB voix.txt \xBB"), std::string::npos);
  press_button(box, IDRETRY);
  Sleep(200);
  box = wait_for_message_box(run, "Enregistrement des r\xE9ponses");
  ASSERT_NE(box, nullptr);  // still read-only: asked again
  EXPECT_NE(message_box_text(box).find("quitter sans enregistrer"), std::string::npos);
  press_button(box, IDCANCEL);  // the window closes without saving
  EXPECT_EQ(wait_for_exit(&run), 0);
  EXPECT_EQ(read_file(answers_path()), "Madrid\r\n");
}

// Saved after each judgement: killed without closing, the player loses
// nothing judged, and the next start judges it all again.
TEST_F(Played, AnswersJudgedBeforeAKillAreRestored) {
  start_fresh("nuances");
  answer(1, "Paris");
  answer(2, "elan");
  answer(3, "Charles de Gaule");
  std::vector<std::string> judged = verdicts(3);
  EXPECT_EQ(judged[0], "BRAVO");
  set_text(field(4), "sans Entree");  // not judged: may be lost
  TerminateProcess(run.process.hProcess, 9);
  ASSERT_EQ(wait_for_exit(&run), 9);
  start_again();
  EXPECT_EQ(text_of(field(1)), "Paris");
  EXPECT_EQ(text_of(field(2)), "elan");
  EXPECT_EQ(text_of(field(3)), "Charles de Gaule");
  EXPECT_EQ(verdicts(3), judged);
  close();
}

}  // namespace
