// The fairness table against the "fair" judging preset, judged as `quizpack
// try` judges: the table's expected answers are the questions of sources
// that say `preset = "fair"`, each source is read and checked, written into
// the content the player would carry, read back by the player's parser and
// every typed answer judged by the player's own judging.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "core/authoring/packer.h"
#include "core/authoring/quiz_source.h"
#include "core/content/document.h"
#include "tests/support/fairness_table.h"

namespace {

// A text quiz of the cases [first, last) whose question n expects the
// expected answer of case first + n - 1.
std::string fair_quiz(const std::vector<FairnessCase>& cases, size_t first, size_t last) {
  std::string source = "kind = \"text\"\ntitle = \"Equitable\"\n[judging]\npreset = \"fair\"\n";
  for (size_t i = first; i < last; ++i)
    source +=
        "[[question]]\ntext = \"Q\"\nanswer = " + toml_quoted(cp1252_to_utf8(cases[i].expected)) +
        "\n";
  return source;
}

TEST(Fairness, TheFairPresetAgreesWithWhatATeacherAccepts) {
  std::vector<FairnessCase> cases;
  std::string problem;
  ASSERT_TRUE(read_fairness_table(QUIZ_FAIRNESS_TABLE, &cases, &problem)) << problem;
  ASSERT_GE(cases.size(), 150u);
  int agreed = 0;
  std::string misses, wrong_marked_right;
  for (size_t first = 0; first < cases.size(); first += MAX_QUESTIONS) {
    size_t last = std::min(cases.size(), first + size_t(MAX_QUESTIONS));
    QuizSource quiz;
    Diagnostics diagnostics;
    ASSERT_TRUE(parse_quiz_source(fair_quiz(cases, first, last), "fair.toml", &quiz, &diagnostics));
    for (size_t i = first; i < last; ++i) {
      const FairnessCase& c = cases[i];
      TriedAnswer tried;
      Message refused;
      ASSERT_TRUE(
          try_quiz_answer(quiz, int(i - first + 1), 1, cp1252_to_utf8(c.typed), &tried, &refused))
          << say(refused, Language::ENGLISH);
      Mark judged = mark_of(tried.verdict);
      if (judged == c.mark) {
        ++agreed;
        continue;
      }
      std::string line = "  line " + std::to_string(c.line) + ", " + c.group + ": \"" +
                         cp1252_to_utf8(c.typed) + "\" for \"" + cp1252_to_utf8(c.expected) +
                         "\": " + tried.word + ", a teacher says " + mark_name(c.mark) + " (" +
                         c.rule + ")\n";
      misses += line;
      if (judged == MARK_RIGHT && c.mark == MARK_WRONG) wrong_marked_right += line;
    }
  }
  std::cout << "the fair preset agrees with " << agreed << " of " << cases.size()
            << " cases; it misses:\n"
            << misses;
  EXPECT_EQ(wrong_marked_right, "") << "right for what a teacher marks wrong";
  // At least 95 % of the cases: the misses are answers that only the words'
  // meaning tells apart ("cour" for "cœur", "peut être", "Marie et Pierre
  // Curie"), a name's particle written small ("Artagnan" for "d'Artagnan"),
  // and numbers in words.
  EXPECT_GE(agreed * 100, int(cases.size()) * 95) << misses;
}

}  // namespace
