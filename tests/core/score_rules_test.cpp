#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/answers/field_view.h"
#include "core/answers/score_rules.h"
#include "tests/support/document_fixture.h"
#include "tests/support/numbered_questions.h"

namespace {

struct ScoreRules : DocumentFixture {
  void shape(uint32_t kind, int count, int answers) {
    doc->kind = kind;
    doc->question_count = count;
    doc->answers_per_question = answers;
    add_numbered_questions(doc, count);
  }

  int score(const std::vector<const char*>& labels) {
    bool right[MAX_ANSWER_FIELDS] = {};
    for (size_t k = 0; k < labels.size(); ++k) right[k] = label_is_right(labels[k]);
    return count_solved(doc, right);
  }

  std::string score_text(int score) {
    char slot[TEXT_SLOT_SIZE];
    format_score(slot, score, doc->question_count);
    return slot;
  }
};

TEST_F(ScoreRules, FieldsStandForTheirQuestionAndAnswer) {
  shape(QUIZ_PICTURE, 3, 2);
  EXPECT_EQ(answer_field_count(doc), 6);
  FieldPlace place;
  ASSERT_TRUE(locate_field(doc, 4005, &place));  // question 3, first field
  EXPECT_EQ(place.question, 3);
  EXPECT_EQ(place.answer, 1);
  EXPECT_STREQ(expected_answer(doc, place), "Ville 3");
  ASSERT_TRUE(locate_field(doc, 4002, &place));
  EXPECT_STREQ(expected_answer(doc, place), "Pays 1");
  EXPECT_FALSE(locate_field(doc, 4000, &place));
  EXPECT_FALSE(locate_field(doc, 4007, &place));

  // A text quiz has one field per question even when its content says two.
  doc->kind = QUIZ_TEXT;
  EXPECT_EQ(answer_field_count(doc), 3);
  ASSERT_TRUE(locate_field(doc, 4002, &place));
  EXPECT_STREQ(expected_answer(doc, place), "Ville 2");
  EXPECT_FALSE(locate_field(doc, 4004, &place));
}

TEST_F(ScoreRules, SolvedNeedsEveryFieldOfTheQuestion) {
  shape(QUIZ_VIDEO, 2, 2);
  const char* both[] = {" ville 2", "PAYS 2"};
  const char* one[] = {"Ville 2", "Pays"};
  EXPECT_TRUE(question_solved(doc, 2, both));
  EXPECT_FALSE(question_solved(doc, 2, one));
  EXPECT_EQ(score({"BRAVO", "BRAVO", "BRAVO", "Quasiment"}), 1);
  EXPECT_EQ(score({"BRAVO", "?", "BRAVO", "BRAVO"}), 1);
}

TEST_F(ScoreRules, OnlyTheExactWordCounts) {
  shape(QUIZ_TEXT, 4, 1);
  EXPECT_EQ(score({"bravo", "BRAVO ", " BRAVO", "BRAV"}), 0);
  EXPECT_EQ(score({"BRAVO", "FAUX", "BRAVO", "?"}), 2);
}

TEST_F(ScoreRules, ScoreTextAndCodeGoUpAndDown) {
  shape(QUIZ_TEXT, 7, 1);
  EXPECT_EQ(score_text(0), " 0 / 7");
  EXPECT_STREQ(code_for_score(doc, 0), "      ");
  EXPECT_EQ(score_text(3), " 3 / 7");
  EXPECT_STREQ(code_for_score(doc, 3), "CODE-3");
  EXPECT_STREQ(code_for_score(doc, 4), "CODE-4");
  EXPECT_STREQ(code_for_score(doc, 3), "CODE-3");
  doc->codes[4][0] = 0;  // a score the content gave no code shows an empty box
  EXPECT_STREQ(code_for_score(doc, 5), "");
  doc->question_count = 96;
  EXPECT_EQ(score_text(96), " 96 / 96");
  EXPECT_STREQ(code_for_score(doc, 97), "      ");
}

TEST_F(ScoreRules, NoQuestionsNoFields) {
  shape(QUIZ_PICTURE, 0, 2);
  EXPECT_EQ(answer_field_count(doc), 0);
  EXPECT_EQ(score({}), 0);
  doc->question_count = -3;  // never from the loader, but nothing breaks
  EXPECT_EQ(answer_field_count(doc), 0);
  doc->question_count = 500;
  EXPECT_EQ(answer_field_count(doc), MAX_ANSWER_FIELDS);
  FieldPlace place;
  ASSERT_TRUE(locate_field(doc, 4001, &place));
  EXPECT_STREQ(expected_answer(doc, place), "");  // a document without its questions
}

TEST(FieldView, MovesAsLittleAsNeeded) {
  const int visible = 300;
  // Already in view: no move.
  EXPECT_EQ(position_showing({100, 200}, {180, 200}, 50, visible), 50);
  // Below: its bottom meets the page's bottom; above: its top meets the top.
  EXPECT_EQ(position_showing({600, 900}, {880, 900}, 0, visible), 600);
  EXPECT_EQ(position_showing({100, 150}, {130, 150}, 400, visible), 100);
  // Taller than the page: the top of the question, unless the field would be
  // cut off, which then meets the bottom.
  EXPECT_EQ(position_showing({1000, 1200}, {1180, 1200}, 0, 150), 1050);
  EXPECT_EQ(position_showing({1000, 1200}, {1010, 1030}, 0, 150), 1000);
  EXPECT_EQ(position_showing({1000, 1200}, {1180, 1200}, 0, 0), 0);  // a page without room
}

}  // namespace
