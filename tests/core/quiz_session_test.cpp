// The session's rules without any window: every answer mode with one and two
// fields, restoring and judging again, the score going down as well as up,
// F1, the answers file, and nothing judged once the session has ended.
#include "core/answers/quiz_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/document_fixture.h"
#include "tests/support/numbered_questions.h"
#include "tests/support/recording_view.h"

namespace {

using Calls = std::vector<std::string>;

struct Session : DocumentFixture {
  RecordingView recorder;
  QuizSession session;

  void quiz(uint32_t kind, int count, int answers, int mode) {
    make_numbered_quiz(doc, kind, count, answers, mode);
    SessionView view = recorder.view();
    start_session(&session, doc, &view);
  }
  Judgement judge(int k, const char* typed) { return judge_field(&session, k, typed); }
  // Judges and returns what the view was told.
  Calls answer(int k, const char* typed) {
    judge(k, typed);
    return recorder.take();
  }
  std::string verdict(int k) { return verdict_text(session.fields[k - 1].verdict); }
};

TEST_F(Session, OneFieldPerQuestionScoreGoesUpAndDown) {
  quiz(QUIZ_TEXT, 3, 1, MODE_NOTHING);
  EXPECT_EQ(session.field_count, 3);
  EXPECT_EQ(answer(1, "  ville 1 "), (Calls{"verdict 1 BRAVO", "score  1 / 3 CODE-1"}));
  EXPECT_EQ(answer(2, "Ville 2"), (Calls{"verdict 2 BRAVO", "score  2 / 3 CODE-2"}));
  EXPECT_EQ(answer(1, "Lyon"), (Calls{"verdict 1 FAUX", "score  1 / 3 CODE-1"}));
  EXPECT_EQ(answer(2, "ELLIV 2"), (Calls{"verdict 2 Anagramme", "score  0 / 3       "}));
  EXPECT_EQ(answer(2, ""), (Calls{"verdict 2 ?", "score  0 / 3       "}));
  EXPECT_EQ(session.score, 0);
  EXPECT_STREQ(session_code(&session), "      ");
  EXPECT_STREQ(session.fields[0].text, "Lyon");  // kept as typed
}

TEST_F(Session, AJudgementTellsWhatChanged) {
  quiz(QUIZ_PICTURE, 2, 1, MODE_NOTHING);
  Judgement first = judge(1, "Ville 1");
  EXPECT_TRUE(first.judged);
  EXPECT_TRUE(first.answer_changed);
  EXPECT_TRUE(first.verdict_changed);
  EXPECT_EQ(first.verdict, VERDICT_RIGHT);
  EXPECT_EQ(first.question, 1);
  EXPECT_TRUE(first.score_changed);
  EXPECT_EQ(first.score, 1);
  Judgement again = judge(1, "Ville 1");  // left again: nothing changed
  EXPECT_TRUE(again.judged);
  EXPECT_FALSE(again.answer_changed);
  EXPECT_FALSE(again.verdict_changed);
  EXPECT_FALSE(again.score_changed);
  Judgement other = judge(1, "ville 1");  // another text, the same verdict
  EXPECT_TRUE(other.answer_changed);
  EXPECT_FALSE(other.verdict_changed);
  EXPECT_FALSE(judge(0, "x").judged);
  EXPECT_FALSE(judge(3, "x").judged);
}

TEST_F(Session, TwoFieldsSolveTheirQuestionOnlyTogether) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_REVEAL);
  EXPECT_EQ(session.field_count, 6);
  EXPECT_EQ(answer(2, "Pays 1"), (Calls{"verdict 2 BRAVO", "score  0 / 3       "}));
  answer(1, "Pays 1");
  EXPECT_EQ(verdict(1), "FAUX");
  EXPECT_EQ(answer(1, "ville 1"),
            (Calls{"verdict 1 BRAVO", "reveal 1 shown", "score  1 / 3 CODE-1"}));
  EXPECT_TRUE(session_question_solved(&session, 1));
  EXPECT_EQ(answer(2, "Pay"), (Calls{"reveal 1 hidden", "verdict 2 FAUX", "score  0 / 3       "}));
  EXPECT_FALSE(session_question_solved(&session, 1));
  // The second field right while the first is wrong reveals nothing.
  answer(3, "Lyon");
  EXPECT_EQ(answer(4, "Pays 2"), (Calls{"verdict 4 BRAVO", "score  0 / 3       "}));
}

TEST_F(Session, AnswerPictureOncePerSolveAndKeptWhenWrongAgain) {
  quiz(QUIZ_PICTURE, 2, 1, MODE_SECOND_PICTURE);
  EXPECT_EQ(answer(1, "Ville 1"), (Calls{"verdict 1 BRAVO", "picture 1", "score  1 / 2 CODE-1"}));
  Judgement again = judge(1, "Ville 1");
  EXPECT_FALSE(again.answer_picture);
  EXPECT_EQ(recorder.take(), (Calls{"score  1 / 2 CODE-1"}));
  EXPECT_EQ(answer(1, "Lyon"), (Calls{"verdict 1 FAUX", "score  0 / 2       "}));  // stays shown
  EXPECT_TRUE(judge(1, "Ville 1").answer_picture);  // found again: shown again
}

TEST_F(Session, RevealBoxOncePerSolveWithTheVerdictShownFirst) {
  quiz(QUIZ_PICTURE, 3, 1, MODE_REVEAL_BOX);
  // The box takes the focus from the field, which is judged again inside it:
  // it finds the answer right already, and says nothing more.
  recorder.during_message = [this] { judge(2, "Ville 2"); };
  Judgement found = judge(2, "Ville 2");
  EXPECT_STREQ(found.message, "Voici 2");
  EXPECT_EQ(found.reveal, REVEAL_SHOWN);
  EXPECT_EQ(recorder.take(), (Calls{"verdict 2 BRAVO", "reveal 2 shown", "message texte: Voici 2",
                                    "score  1 / 3 CODE-1", "score  1 / 3 CODE-1"}));
  recorder.during_message = nullptr;
  EXPECT_EQ(judge(2, "Ville 2").message, nullptr);
  recorder.take();
  EXPECT_EQ(answer(2, "Ville"),
            (Calls{"reveal 2 hidden", "verdict 2 Presque", "score  0 / 3       "}));
  EXPECT_EQ(answer(2, "Ville 2"), (Calls{"verdict 2 BRAVO", "reveal 2 shown",
                                         "message texte: Voici 2", "score  1 / 3 CODE-1"}));
}

TEST_F(Session, RevealAllOnceEveryFieldIsRightAndAgainAfterAMistake) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_REVEAL_ALL);
  const char* texts[] = {"Ville 1", "Pays 1", "Ville 2", "Pays 2", "Ville 3", "Pays 3"};
  for (int k = 1; k <= 5; ++k) answer(k, texts[k - 1]);
  EXPECT_FALSE(session.all_revealed);
  Judgement last = judge(6, texts[5]);
  EXPECT_TRUE(last.revealed_all);
  EXPECT_EQ(recorder.take(), (Calls{"verdict 6 BRAVO", "reveal 1 shown", "reveal 2 shown",
                                    "reveal 3 shown", "score  3 / 3 CODE-3"}));
  EXPECT_TRUE(session.all_revealed);
  EXPECT_EQ(answer(3, "Ville"),
            (Calls{"reveal 2 hidden", "verdict 3 Presque", "score  2 / 3 CODE-2"}));
  EXPECT_FALSE(session.all_revealed);
  EXPECT_EQ(answer(3, texts[2]),
            (Calls{"verdict 3 BRAVO", "reveal 2 shown", "score  3 / 3 CODE-3"}));
  EXPECT_TRUE(session.all_revealed);
}

// Every answer mode with one and with two fields per question, on a page of
// two questions: what each judgement shows, in order, and what it returns.
// A question is solved only when every one of its fields is right; solving
// it shows its answer picture (mode 1), its reveal label (2, 3) and the
// "texte" box (3), once per solve; mode 4 shows every reveal label once every
// field is right. A wrong field hides its question's reveal label; an answer
// picture stays.
struct ModeCase {
  int mode;
  int per_question;
};

struct EveryAnswerMode : Session, ::testing::WithParamInterface<ModeCase> {
  int mode = GetParam().mode;
  int per = GetParam().per_question;
  bool reveals = mode >= MODE_REVEAL;

  void SetUp() override {
    Session::SetUp();
    quiz(QUIZ_PICTURE, 2, per, mode);
  }
  // Field j (1 or 2) of question n, as the page numbers fields.
  int field(int n, int j) const { return (n - 1) * per + j; }
  static const char* right(int j) { return j == 1 ? "Ville " : "Pays "; }
  std::string right_text(int n, int j) { return right(j) + std::to_string(n); }
  std::string verdict_call(int n, int j, const char* word) {
    return "verdict " + std::to_string(field(n, j)) + " " + word;
  }
  // What solving question n shows after its last field's verdict.
  Calls solving(int n) {
    std::string q = std::to_string(n);
    if (mode == MODE_SECOND_PICTURE) return {"picture " + q};
    if (mode == MODE_REVEAL) return {"reveal " + q + " shown"};
    if (mode == MODE_REVEAL_BOX) return {"reveal " + q + " shown", "message texte: Voici " + q};
    return {};
  }
  static std::string score(int solved) {
    return solved ? "score  " + std::to_string(solved) + " / 2 CODE-" + std::to_string(solved)
                  : std::string("score  0 / 2       ");
  }
  static Calls join(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
};

TEST_P(EveryAnswerMode, SolvesAQuestionOnlyWithEveryFieldRight) {
  // Question 1's first field right: solves it only when it is its one field.
  Judgement first = judge(field(1, 1), "ville 1");
  Calls shown = recorder.take();
  EXPECT_EQ(first.verdict, VERDICT_RIGHT);
  if (per == 1) {
    EXPECT_EQ(shown, join(join({verdict_call(1, 1, "BRAVO")}, solving(1)), {score(1)}));
  } else {
    EXPECT_EQ(shown, (Calls{verdict_call(1, 1, "BRAVO"), score(0)}));
    EXPECT_FALSE(session_question_solved(&session, 1));
    EXPECT_FALSE(first.answer_picture);
    EXPECT_EQ(first.message, nullptr);
    EXPECT_EQ(first.reveal, REVEAL_KEPT);
    // Its second field wrong, then a near miss: nothing solved, nothing shown
    // but the verdict; then right, which solves the question.
    EXPECT_EQ(answer(field(1, 2), "Lyon"), (Calls{verdict_call(1, 2, "FAUX"), score(0)}));
    EXPECT_EQ(answer(field(1, 2), "Pays"), (Calls{verdict_call(1, 2, "Presque"), score(0)}));
    Judgement second = judge(field(1, 2), "Pays 1");
    EXPECT_EQ(recorder.take(), join(join({verdict_call(1, 2, "BRAVO")}, solving(1)), {score(1)}));
    EXPECT_EQ(second.answer_picture, mode == MODE_SECOND_PICTURE);
    first = second;
  }
  EXPECT_TRUE(session_question_solved(&session, 1));
  EXPECT_EQ(first.score, 1);
  EXPECT_TRUE(first.score_changed);
  EXPECT_EQ(first.reveal,
            mode == MODE_REVEAL || mode == MODE_REVEAL_BOX ? REVEAL_SHOWN : REVEAL_KEPT);
  EXPECT_EQ(first.message == nullptr, mode != MODE_REVEAL_BOX);
  EXPECT_STREQ(session_code(&session), "CODE-1");

  // Question 2, field by field; the last field right solves the page.
  for (int j = 1; j < per; ++j) answer(field(2, j), right_text(2, j).c_str());
  Judgement last = judge(field(2, per), right_text(2, per).c_str());
  Calls all_shown;
  if (mode == MODE_REVEAL_ALL) all_shown = {"reveal 1 shown", "reveal 2 shown"};
  EXPECT_EQ(recorder.take(),
            join(join(join({verdict_call(2, per, "BRAVO")}, solving(2)), all_shown), {score(2)}));
  EXPECT_EQ(last.revealed_all, mode == MODE_REVEAL_ALL);
  EXPECT_EQ(session.all_revealed, mode == MODE_REVEAL_ALL);
  EXPECT_EQ(session.score, 2);

  // Left again as it is: no second picture or box, the score shown again.
  Judgement again = judge(field(2, per), right_text(2, per).c_str());
  EXPECT_EQ(recorder.take(), (Calls{score(2)}));
  EXPECT_FALSE(again.verdict_changed);
  EXPECT_FALSE(again.answer_picture);
  EXPECT_EQ(again.message, nullptr);

  // Each field of question 1 wrong in turn, then found again. Wrong: the
  // score goes down, the reveal label is hidden, an answer picture stays.
  // Found again: solved again, so shown again (mode 4: the hidden label).
  for (int j = 1; j <= per; ++j) {
    Calls hiding;
    if (reveals) hiding = {"reveal 1 hidden"};
    Judgement wrong = judge(field(1, j), "Lyon");
    EXPECT_EQ(recorder.take(), join(join(hiding, {verdict_call(1, j, "FAUX")}), {score(1)})) << j;
    EXPECT_EQ(wrong.reveal, reveals ? REVEAL_HIDDEN : REVEAL_KEPT) << j;
    EXPECT_TRUE(wrong.score_changed) << j;
    EXPECT_FALSE(session_question_solved(&session, 1)) << j;
    EXPECT_TRUE(session_question_solved(&session, 2)) << j;
    EXPECT_FALSE(session.all_revealed) << j;
    EXPECT_STREQ(session_code(&session), "CODE-1") << j;

    Calls again_shown = solving(1);
    if (mode == MODE_REVEAL_ALL) again_shown = {"reveal 1 shown"};
    EXPECT_EQ(answer(field(1, j), right_text(1, j).c_str()),
              join(join({verdict_call(1, j, "BRAVO")}, again_shown), {score(2)}))
        << j;
    EXPECT_EQ(session.all_revealed, mode == MODE_REVEAL_ALL) << j;
    for (int n = 1; n <= 2; ++n) EXPECT_EQ(session.revealed[n - 1], reveals) << j << n;
    EXPECT_STREQ(session_code(&session), "CODE-2") << j;
  }
}

void PrintTo(const ModeCase& c, std::ostream* out) {
  *out << "mode " << c.mode << ", " << c.per_question << " field(s)";
}

INSTANTIATE_TEST_SUITE_P(
    Session, EveryAnswerMode,
    ::testing::Values(ModeCase{MODE_NOTHING, 1}, ModeCase{MODE_NOTHING, 2},
                      ModeCase{MODE_SECOND_PICTURE, 1}, ModeCase{MODE_SECOND_PICTURE, 2},
                      ModeCase{MODE_REVEAL, 1}, ModeCase{MODE_REVEAL, 2},
                      ModeCase{MODE_REVEAL_BOX, 1}, ModeCase{MODE_REVEAL_BOX, 2},
                      ModeCase{MODE_REVEAL_ALL, 1}, ModeCase{MODE_REVEAL_ALL, 2}),
    [](const ::testing::TestParamInfo<ModeCase>& info) {
      return "Mode" + std::to_string(info.param.mode) +
             (info.param.per_question == 1 ? "OneField" : "TwoFields");
    });

TEST_F(Session, RestoredAnswersAreJudgedWithoutABox) {
  quiz(QUIZ_PICTURE, 3, 1, MODE_REVEAL_BOX);
  const std::string file = "Ville 1\r\n\r\n Ville 3 \r\n";
  restore_answers(&session, file.data(), file.size());
  EXPECT_TRUE(recorder.take().empty());  // restoring shows nothing by itself
  EXPECT_STREQ(session.fields[2].text, " Ville 3 ");
  judge_all_fields(&session);
  EXPECT_EQ(recorder.take(), (Calls{"verdict 1 BRAVO", "reveal 1 shown", "verdict 3 BRAVO",
                                    "reveal 3 shown", "score  2 / 3 CODE-2"}));
  EXPECT_EQ(first_open_field(&session), 2);
  // Judged again as the field is left: nothing new to tell.
  EXPECT_EQ(judge(1, "Ville 1").message, nullptr);
}

TEST_F(Session, RestoringReadsALinePerFieldTheWayThePageDoes) {
  quiz(QUIZ_VIDEO, 2, 2, MODE_NOTHING);
  const std::string file = "a\r\nb\nc\r\n" + std::string(300, 'x') + "\r\nd\r\ne\r\n";
  restore_answers(&session, file.data(), file.size());
  EXPECT_STREQ(session.fields[0].text, "a");
  EXPECT_STREQ(session.fields[1].text, "b\nc");  // an LF alone ends no line
  EXPECT_EQ(std::string(session.fields[2].text), std::string(259, 'x'));
  EXPECT_STREQ(session.fields[3].text, "d");

  // A grid quiz with three answers per question has no fields: its lines are
  // read past and every field stays empty.
  doc->answers_per_question = 3;
  start_session(&session, doc, nullptr);
  restore_answers(&session, file.data(), file.size());
  EXPECT_EQ(session.field_count, 2);
  EXPECT_STREQ(session.fields[0].text, "");
  EXPECT_STREQ(session.fields[1].text, "");
}

TEST_F(Session, AnswersFileHasALinePerFieldAsTyped) {
  quiz(QUIZ_PICTURE, 3, 2, MODE_NOTHING);
  const char* texts[] = {"Ville 1", "", " Paris ", "x", "", "Pays 3"};
  for (int k = 1; k <= 6; ++k) set_answer_text(&session, k, texts[k - 1]);
  EXPECT_TRUE(recorder.take().empty());  // a text given is not judged
  char bytes[ANSWERS_FILE_MAX];
  size_t length = write_answers(&session, bytes);
  EXPECT_EQ(std::string(bytes, length), "Ville 1\r\n\r\n Paris \r\nx\r\n\r\nPays 3\r\n");
  EXPECT_FALSE(set_answer_text(&session, 3, " Paris "));
  EXPECT_TRUE(set_answer_text(&session, 3, std::string(300, 'p').c_str()));
  EXPECT_EQ(strlen(session.fields[2].text), 259u);
}

TEST_F(Session, F1GivesTheTextToEveryFieldNotYetRight) {
  quiz(QUIZ_TEXT, 4, 1, MODE_NOTHING);
  copy_text(question_at(doc, 2)->answer1, "Ville 1");
  answer(2, "Ville 2");
  spread_answer_text(&session, 1, "ville 1");
  EXPECT_EQ(recorder.take(),
            (Calls{"text 3 ville 1", "text 4 ville 1", "verdict 1 BRAVO", "verdict 3 BRAVO",
                   "verdict 4 Quasiment", "score  3 / 4 CODE-3"}));
  EXPECT_STREQ(session.fields[1].text, "Ville 2");
  answer(4, "Ville 4");
  spread_answer_text(&session, 1, "Paris");  // every other field right: none changes
  EXPECT_EQ(recorder.take(), (Calls{"verdict 1 FAUX", "score  3 / 4 CODE-3"}));
}

// The session asks for a save after each judgement that left an answer
// unwritten: a changed text, or one a failed save left behind; never for
// restored answers, and never once it has ended.
TEST_F(Session, AJudgementThatChangedAnAnswerAsksForASave) {
  recorder.records_saves = true;
  recorder.saved_session = &session;
  quiz(QUIZ_TEXT, 3, 1, MODE_REVEAL_BOX);
  const std::string file = "Ville 1\r\n";
  restore_answers(&session, file.data(), file.size());
  judge_all_fields(&session);
  recorder.take();
  EXPECT_EQ(answer(1, "Ville 1"), (Calls{"score  1 / 3 CODE-1"}));  // as restored
  EXPECT_EQ(answer(2, "Lyon"), (Calls{"verdict 2 FAUX", "score  1 / 3 CODE-1", "save"}));
  EXPECT_EQ(answer(2, "Lyon"), (Calls{"score  1 / 3 CODE-1"}));

  recorder.saves_fail = true;
  EXPECT_EQ(answer(2, "Ville 2").back(), "save");
  EXPECT_TRUE(session.unsaved);
  EXPECT_EQ(answer(2, "Ville 2").back(), "save");  // tried again, text unchanged
  recorder.saves_fail = false;
  EXPECT_EQ(answer(3, "Ville 3").back(), "save");
  EXPECT_FALSE(session.unsaved);

  spread_answer_text(&session, 1, "Paris");  // one save for the whole spread
  Calls spread = recorder.take();
  EXPECT_EQ(std::count(spread.begin(), spread.end(), "save"), 1);
  EXPECT_EQ(spread.back(), "save");

  // The "texte" box's own loop ends the session: the close saves instead.
  recorder.during_message = [this] { end_session(&session); };
  Calls ending = answer(1, "Ville 1");
  EXPECT_EQ(std::count(ending.begin(), ending.end(), "save"), 0);
  EXPECT_TRUE(session.unsaved);
}

TEST_F(Session, ATextQuizHasOneFieldPerQuestionWhateverItsContentSays) {
  quiz(QUIZ_TEXT, 2, 2, MODE_NOTHING);
  EXPECT_EQ(session.field_count, 2);
  EXPECT_EQ(answer(2, "Ville 2"), (Calls{"verdict 2 BRAVO", "score  1 / 2 CODE-1"}));
}

TEST_F(Session, NothingIsJudgedOnceTheSessionHasEnded) {
  quiz(QUIZ_PICTURE, 2, 1, MODE_REVEAL_BOX);
  end_session(&session);
  EXPECT_FALSE(judge(1, "Ville 1").judged);
  judge_all_fields(&session);
  spread_answer_text(&session, 1, "Ville 1");
  EXPECT_TRUE(recorder.take().empty());
  EXPECT_EQ(session.fields[0].verdict, VERDICT_EMPTY);
}

TEST_F(Session, NoQuestionsNoFields) {
  quiz(QUIZ_PICTURE, 0, 2, MODE_REVEAL_ALL);
  EXPECT_EQ(first_open_field(&session), 0);
  judge_all_fields(&session);
  EXPECT_EQ(recorder.take(), (Calls{"score  0 / 0       "}));
  EXPECT_FALSE(judge(1, "x").judged);
}

}  // namespace
