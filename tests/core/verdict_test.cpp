#include <gtest/gtest.h>

#include <string>

#include "core/answers/verdict.h"

namespace {

std::string judged(const std::string& expected, const std::string& typed) {
  return verdict_text(judge_answer(expected.c_str(), typed.c_str()));
}

TEST(Verdict, WordsAreTheSystemsOwn) {
  EXPECT_STREQ(verdict_text(VERDICT_EMPTY), "?");
  EXPECT_STREQ(verdict_text(VERDICT_RIGHT), "BRAVO");
  EXPECT_STREQ(verdict_text(VERDICT_SIMILAR),
               "y a de l'id\xE9"
               "e");
  EXPECT_STREQ(verdict_text(VERDICT_WRONG), "FAUX");
}

TEST(Verdict, NormalisationOfTypedAndExpected) {
  EXPECT_EQ(judged("Paris", "  paris "), "BRAVO");
  EXPECT_EQ(judged("Paris ", "Paris"), "Quasiment");     // the expected text is not trimmed
  EXPECT_EQ(judged("\xC9lan", "\xE9lan"), "Quasiment");  // only a to z have an upper case
  EXPECT_EQ(judged("Paris", ""), "?");
  EXPECT_EQ(judged("Paris", "   "), "?");
}

TEST(Verdict, LadderRowsInOrder) {
  EXPECT_EQ(judged("Paris", "PARSI"), "Anagramme");  // distance 2, but anagram first
  EXPECT_EQ(judged("Paris", "Pari"), "Quasiment");
  EXPECT_EQ(judged("Paris", "Par"), "Presque");
  EXPECT_EQ(judged("Charles de Gaulle", "Charles de Gau"), "Trop court");
  EXPECT_EQ(judged("Charles de Gaulle", "Charles de"), "pas loin");
  EXPECT_EQ(judged("Charles de Gaulle", "Charles"), "FAUX");
  EXPECT_EQ(judged("Mozart", "Moz"), "FAUX");
  EXPECT_EQ(judged("Napoleon", "Napoleon Bonaparte"), "Trop long");
  EXPECT_EQ(judged("Napoleon Bonaparte", "Napoleon Bonapartx"), "Quasiment");
  EXPECT_EQ(judged("Napoleon Bonaparte", "Napoleone Bonaparta"), "Presque");
  EXPECT_EQ(judged("Napoleon Bonaparte", "Napoleon Bonapxxxx"), "FAUX");
  EXPECT_EQ(judged("Napoleon Bonaparte", "Napoleon Bonaparxx"), "Presque");
}

TEST(Verdict, ContainmentBoundaries) {
  // Expected of exactly 10 characters: P = 70 is not above 70, P = 50 not above 50.
  EXPECT_EQ(judged("ABCDEFGHIJ", "ABCDEFGH"), "Presque");  // two edits come first
  EXPECT_EQ(judged("ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNO"), "Trop court");  // 75
  EXPECT_EQ(judged("ABCDEFGHIJ", "ABCDEFG"), "pas loin");                      // 70
  EXPECT_EQ(judged("ABCDEFGHIJ", "ABCDEF"), "pas loin");                       // 60
  EXPECT_EQ(judged("ABCDEFGHIJ", "ABCDE"), "FAUX");                            // 50
  // Nine characters: never "Trop court" nor "pas loin".
  EXPECT_EQ(judged("ABCDEFGHI", "ABCDEF"), "FAUX");
  EXPECT_EQ(judged("ABCDEFGHIJ", "DEFGHI"), "pas loin");  // any inner run counts
}

TEST(Verdict, SimilarityBoundary) {
  const std::string expected = "ABCDEFGHIJKLMNOPQRST";  // 20 characters
  EXPECT_EQ(judged(expected, "ABCDEFGHIJKLMNOPQxyz"),
            "y a de l'id\xE9"
            "e");                                               // Q = 85
  EXPECT_EQ(judged(expected, "ABCDEFGHIJKLMNOPwxyz"), "FAUX");  // Q = 80
}

TEST(Verdict, AnswerMatchesUsesBothNormalisations) {
  EXPECT_TRUE(answer_matches("Paris", " PARIS  "));
  EXPECT_FALSE(answer_matches("Paris ", "Paris"));
  EXPECT_TRUE(answer_matches("", "   "));
}

}  // namespace
