// Why the ladder decided: each reason, reached by the case that the ladder's
// own boundaries give it.
#include <gtest/gtest.h>

#include <string>

#include "core/answers/verdict_reason.h"

namespace {

VerdictReason reason(const std::string& expected, const std::string& typed) {
  return verdict_reason(expected.c_str(), typed.c_str(),
                        judge_answer(expected.c_str(), typed.c_str()));
}

TEST(VerdictReason, RightAndEmpty) {
  EXPECT_EQ(reason("Paris", ""), REASON_NOTHING_TYPED);
  EXPECT_EQ(reason("Paris", "   "), REASON_NOTHING_TYPED);
  EXPECT_EQ(reason("Paris", "Paris"), REASON_EXACT);
  EXPECT_EQ(reason("Paris", " PARIS"), REASON_CASE_OR_BLANKS);
}

TEST(VerdictReason, OneEditSaysWhichEdit) {
  EXPECT_EQ(reason("Paris", "Pariss"), REASON_ONE_MORE_LETTER);
  EXPECT_EQ(reason("Paris", "Pari"), REASON_ONE_LETTER_LESS);
  EXPECT_EQ(reason("Paris", "Pares"), REASON_ONE_LETTER_CHANGED);
  // The expected answer keeps its blank: the player does not trim it.
  EXPECT_EQ(reason("Paris ", "Paris"), REASON_ONE_LETTER_LESS);
}

TEST(VerdictReason, AccentsAreNamed) {
  // Only a to z have an upper case: é is not É.
  EXPECT_EQ(reason("\xC9lan", "\xE9lan"), REASON_ACCENT_CASE);
  EXPECT_EQ(reason("\xC0 bient\xF4t", "\xE0 bient\xF4t"), REASON_ACCENT_CASE);
  EXPECT_EQ(reason("\x8C"
                   "uf",
                   "\x9C"
                   "uf"),
            REASON_ACCENT_CASE);  // Œ and œ
  EXPECT_EQ(reason("\xE9t\xE9", "\xE9te"), REASON_ACCENT);
  EXPECT_EQ(reason("for\xEAt", "for\xE8t"), REASON_ACCENT);
  EXPECT_EQ(reason("Elan", "\xE9lan"), REASON_ACCENT);
  EXPECT_EQ(reason("\xC6on", "Aon"), REASON_ONE_LETTER_CHANGED);  // Æ has no plain form
  EXPECT_EQ(reason("a\xD7"
                   "b",
                   "a\xF7"
                   "b"),
            REASON_ONE_LETTER_CHANGED);  // × and ÷
}

TEST(VerdictReason, EachRungOfTheLadder) {
  EXPECT_EQ(reason("Paris", "PARSI"), REASON_SAME_LETTERS);
  EXPECT_EQ(reason("Paris", "Par"), REASON_TWO_LETTERS);
  EXPECT_EQ(reason("Charles de Gaulle", "Charles de Gau"), REASON_LARGE_PART);
  EXPECT_EQ(reason("Charles de Gaulle", "Charles de"), REASON_HALF_PART);
  EXPECT_EQ(reason("Napoleon", "Napoleon Bonaparte"), REASON_MORE_TEXT);
  EXPECT_EQ(reason("ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQxyz"), REASON_SIMILAR);
}

TEST(VerdictReason, WrongSaysWhenAPartWasTooShort) {
  EXPECT_EQ(reason("Mozart", "Moz"), REASON_SHORT_ANSWER_PART);        // 6 characters
  EXPECT_EQ(reason("ABCDEFGHI", "ABCDEF"), REASON_SHORT_ANSWER_PART);  // 9: never a part
  EXPECT_EQ(reason("ABCDEFGHIJ", "ABCDE"), REASON_SMALL_PART);         // exactly half
  EXPECT_EQ(reason("Charles de Gaulle", "Charles"), REASON_SMALL_PART);
  EXPECT_EQ(reason("ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPwxyz"), REASON_FAR);
  EXPECT_EQ(reason("Paris", "Londres"), REASON_FAR);
}

}  // namespace
