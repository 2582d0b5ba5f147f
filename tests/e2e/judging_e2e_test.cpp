// A packed quiz with judging options, played as a user would: its options
// judge the typed answers; the same quiz with its options block cut off (as
// an older quizpack would have made it, or a player that reads only up to
// the colours sees it) is judged by the ladder alone. The answers file and
// the score work as they always have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/content/lzw.h"
#include "core/content/resource_names.h"
#include "core/page/page_layout.h"
#include "driver.h"
#include "resources/resource_ids.h"

namespace {

const std::string QUIZ = std::string(QUIZ_E2E_DIR) + "\\juge.exe";
const std::string FAIR_QUIZ = std::string(QUIZ_E2E_DIR) + "\\equitable.exe";
const WORD NEUTRAL = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::string content_of(const std::string& exe) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "";
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(CONTENT_RESOURCE), CONTENT_RESOURCE_TYPE);
  const char* bytes =
      found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : nullptr;
  std::string encoded = bytes ? std::string(bytes, SizeofResource(module, found)) : "";
  FreeLibrary(module);
  LzwOutput out;
  std::string plain;
  if (lzw_decode(reinterpret_cast<const unsigned char*>(encoded.data()), encoded.size(), &out) ==
      LZW_OK)
    plain.assign(reinterpret_cast<const char*>(out.bytes), out.length);
  lzw_release(&out);
  return plain;
}

// Rewrites the content resource of `exe` as `plain`, encoded as the player reads it.
bool put_content(const std::string& exe, const std::string& plain) {
  LzwOutput out;
  if (lzw_encode(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), &out) !=
      LZW_OK)
    return false;
  HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
  bool done = update &&
              UpdateResourceA(update, CONTENT_RESOURCE_TYPE, MAKEINTRESOURCEA(CONTENT_RESOURCE),
                              NEUTRAL, out.bytes, DWORD(out.length)) &&
              EndUpdateResourceA(update, FALSE);
  lzw_release(&out);
  return done;
}

class Judged : public ::testing::Test {
 protected:
  PlayerRun run;
  std::string folder;
  std::string name = "juge";
  int fields = 6;

  void TearDown() override { kill_player(&run); }

  void start() { ASSERT_TRUE(start_player(folder + "\\" + name + ".exe", folder, &run)); }
  void close() { ASSERT_EQ(close_player(&run), 0); }
  std::string answers_path() { return folder + "\\" + name + ".txt"; }
  HWND field(int k) { return GetDlgItem(run.page, ID_ANSWER_FIELD + k); }
  std::vector<std::string> verdicts() {
    std::vector<std::string> all;
    for (int k = 1; k <= fields; ++k)
      all.push_back(text_of(GetDlgItem(run.page, ID_VERDICT_LABEL + k)));
    return all;
  }
  std::string score() { return text_of(GetDlgItem(run.panel, SCORE_LABEL)); }
  std::string code() { return text_of(GetDlgItem(run.panel, CODE_BOX)); }
  void answer(int k, const std::string& text) {
    set_text(field(k), text);
    press_key(field(k), VK_RETURN);
    settle(run);
  }
};

using Texts = std::vector<std::string>;

// What a French learner types: capitals with their accents, a forgotten
// accent, a typographic apostrophe, another accepted answer, an anticipated
// wrong answer, and no article.
const Texts TYPED = {"ATH\xC8NES", "elan", "l\x92\xCEle de R\xE9", "Paname", "Lens", "Seine"};
const std::string SAVED =
    "ATH\xC8NES\r\nelan\r\nl\x92\xCEle de R\xE9\r\nPaname\r\nlille\r\nSeine\r\n";

TEST_F(Judged, TheQuizsOptionsJudgeAndTheAnswersFileIsAsBefore) {
  folder = fresh_folder("judging-options");
  ASSERT_TRUE(copy_quiz(QUIZ, folder, "juge.exe"));
  start();
  for (int k = 1; k <= 6; ++k) answer(k, TYPED[size_t(k - 1)]);
  EXPECT_EQ(verdicts(), (Texts{"BRAVO", "Accents", "BRAVO", "BRAVO", "Pas Lens", "BRAVO"}));
  EXPECT_EQ(score(), " 4 / 6");
  EXPECT_EQ(code(), "QUATRE");
  answer(5, "lille");
  EXPECT_EQ(verdicts()[4], "BRAVO");
  EXPECT_EQ(score(), " 5 / 6");
  EXPECT_EQ(code(), "CINQ");
  close();
  EXPECT_EQ(read_file(answers_path()), SAVED);

  // Read back and judged again with the options at the next start.
  start();
  EXPECT_EQ(verdicts(), (Texts{"BRAVO", "Accents", "BRAVO", "BRAVO", "BRAVO", "BRAVO"}));
  EXPECT_EQ(score(), " 5 / 6");
  EXPECT_EQ(code(), "CINQ");
  close();
  EXPECT_EQ(read_file(answers_path()), SAVED);
}

TEST_F(Judged, WithItsOptionsBlockCutOffTheLadderAloneJudges) {
  folder = fresh_folder("judging-cut");
  std::string exe = folder + "\\juge.exe";
  ASSERT_TRUE(copy_quiz(QUIZ, folder, "juge.exe"));
  std::string content = content_of(exe);
  size_t block = content.rfind(std::string("JUGE") + char(1));
  ASSERT_NE(block, std::string::npos);
  ASSERT_TRUE(put_content(exe, content.substr(0, block)));
  ASSERT_EQ(content_of(exe), content.substr(0, block));  // everything up to the colours

  ASSERT_TRUE(write_file(answers_path(), SAVED));
  start();
  EXPECT_EQ(verdicts(), (Texts{"Quasiment", "Quasiment", "Quasiment", "FAUX", "BRAVO", "FAUX"}));
  EXPECT_EQ(score(), " 1 / 6");
  EXPECT_EQ(code(), "UN");
  answer(5, "Lens");  // no verdict of its own without the options
  EXPECT_EQ(verdicts()[4], "FAUX");
  EXPECT_EQ(score(), " 0 / 6");
  answer(5, "lille");
  close();
  EXPECT_EQ(read_file(answers_path()), SAVED);
}

// The "fair" preset: what a teacher accepts is right (a hyphen typed as a
// blank, a capital without its accent, a full stop at the end, a ligature
// typed as two letters, quotation marks, a left-out article); a missing
// accent on a small letter is named, and a dropped letter and the article of
// a name left out are near misses.
TEST_F(Judged, TheFairPresetAcceptsWhatATeacherAccepts) {
  name = "equitable";
  fields = 10;
  folder = fresh_folder("judging-fair");
  ASSERT_TRUE(copy_quiz(FAIR_QUIZ, folder, "equitable.exe"));
  start();
  const Texts typed = {"Saint Etienne", " 1789.",  "Paris !",          "coeur", "ETAT",
                       "Seine",         "Athenes", "\xAB Le Cid \xBB", "Lile",  "Havre"};
  for (int k = 1; k <= fields; ++k) answer(k, typed[size_t(k - 1)]);
  EXPECT_EQ(verdicts(), (Texts{"BRAVO", "BRAVO", "BRAVO", "BRAVO", "BRAVO", "BRAVO", "Accents",
                               "BRAVO", "Quasiment", "Trop court"}));
  EXPECT_EQ(score(), " 7 / 10");
  EXPECT_EQ(code(), "SEPT");
  close();
}

}  // namespace
