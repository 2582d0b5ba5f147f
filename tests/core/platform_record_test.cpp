// What a school platform records of a session: the lesson's status and
// score as the learner answers, with and without a mastery score, and the
// answers in the compact form of suspend data, read back to the same answers
// file, cut at whole fields when they do not fit.
#include "core/carrier/platform_record.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/document_fixture.h"
#include "tests/support/numbered_questions.h"

namespace {

struct Record : DocumentFixture {
  QuizSession session;
  void SetUp() override {
    DocumentFixture::SetUp();
    make_numbered_quiz(doc, QUIZ_PICTURE, 3, 2, MODE_NOTHING);
    start_session(&session, doc, nullptr);
  }
  std::string file() const {
    std::string bytes(ANSWERS_FILE_MAX, '\0');
    bytes.resize(write_answers(&session, &bytes[0]));
    return bytes;
  }
  CompactAnswers compact(size_t limit = SUSPEND_DATA_MAX) const {
    std::string bytes = file();
    return compact_answers(bytes.data(), bytes.size(), session.field_count, limit);
  }
};

TEST_F(Record, TheStatusFollowsTheScoreAndTheMasteryScore) {
  // Fields typed in turn (question n has "Ville n" and "Pays n"), then the
  // status without a mastery score and with one of 2.
  struct Step {
    int field;
    const char* typed;
    int raw;
    const char *plain, *mastered;
  } steps[] = {
      {0, "", 0, "incomplete", "incomplete"},
      {1, "Ville 1", 0, "incomplete", "incomplete"},
      {2, "Pays 1", 1, "incomplete", "incomplete"},
      {3, "Ville 2", 1, "incomplete", "incomplete"},
      {4, "Pays 2", 2, "incomplete", "passed"},
      {4, "Paris", 1, "incomplete", "incomplete"},
      {5, "faux", 1, "incomplete", "incomplete"},
      {6, "faux", 1, "incomplete", "failed"},  // every field answered, 1 of 2
      {4, "Pays 2", 2, "incomplete", "passed"},
      {5, "Ville 3", 2, "incomplete", "passed"},
      {6, "Pays 3", 3, "completed", "passed"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.typed);
    if (s.field) judge_field(&session, s.field, s.typed);
    PlatformScore plain = platform_score(&session, 0), mastered = platform_score(&session, 2);
    EXPECT_EQ(plain.raw, s.raw);
    EXPECT_EQ(plain.max, 3);
    EXPECT_STREQ(plain.status, s.plain);
    EXPECT_STREQ(mastered.status, s.mastered);
  }
}

TEST_F(Record, SuspendDataGivesBackTheAnswersFile) {
  struct Case {
    const char* texts[6];
    const char* form;
  } cases[] = {
      {{"", "", "", "", "", ""}, "1="},
      {{"Paris", "", "", "", "", ""}, "1=Paris"},
      {{"", "", "x", "", "", ""}, "1=||x"},
      {{" a|b ", "100%", "\xE9t\xE9", "", "", "\x9C"}, "1= a%7Cb |100%25|%E9t%E9|||%9C"},
      {{"~ \"<&>\"", "", "", "", "", "fin"}, "1=~ \"<&>\"|||||fin"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.form);
    for (int k = 1; k <= 6; ++k) set_answer_text(&session, k, c.texts[k - 1]);
    CompactAnswers kept = compact();
    EXPECT_EQ(kept.text, c.form);
    EXPECT_TRUE(kept.complete);
    EXPECT_EQ(kept.fields, 6);
    std::string back;
    bool complete = false;
    ASSERT_TRUE(expand_answers(kept.text, &back, &complete));
    EXPECT_TRUE(complete);
    QuizSession again;
    start_session(&again, doc, nullptr);
    restore_answers(&again, back.data(), back.size());
    for (int k = 1; k <= 6; ++k) EXPECT_STREQ(again.fields[k - 1].text, c.texts[k - 1]);
  }
}

TEST_F(Record, AnswersThatDoNotFitKeepTheFirstFieldsWhole) {
  std::string long_text(200, 'e');
  for (int k = 1; k <= 6; ++k) set_answer_text(&session, k, (long_text + char('0' + k)).c_str());
  CompactAnswers kept = compact(700);  // three fields of 201 characters and their separators
  EXPECT_FALSE(kept.complete);
  EXPECT_EQ(kept.fields, 3);
  EXPECT_LE(kept.text.size(), 700u);
  EXPECT_EQ(kept.text.substr(0, 2), "1<");
  std::string back;
  bool complete = true;
  ASSERT_TRUE(expand_answers(kept.text, &back, &complete));
  EXPECT_FALSE(complete);
  EXPECT_EQ(back, file().substr(0, 3 * 203));
  EXPECT_TRUE(compact().complete);  // within the platform's 4,096 characters
}

TEST_F(Record, AnythingElseIsNotSuspendData) {
  std::string back;
  bool complete;
  for (const char* text :
       {"", "1", "2=a", "1?a", "1=%4", "1=%G0", "1=%00", "1=a\tb", "1=%0D", "1=\xE9"}) {
    EXPECT_FALSE(expand_answers(text, &back, &complete)) << text;
  }
  EXPECT_FALSE(expand_answers("1=" + std::string(260, 'x'), &back, &complete));
}

}  // namespace
