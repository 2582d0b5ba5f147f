#include "score_rules.h"

#include <cstring>

#include "verdict.h"

namespace {

const int FIRST_FIELD_ID = 4000;  // AnswerField k is 4000 + k
const char NO_CODE[] = "      ";  // the CodeBox at score 0

int questions_on_page(const QuizDocument* doc) {
  if (doc->question_count < 0) return 0;
  return doc->question_count < MAX_QUESTIONS ? doc->question_count : MAX_QUESTIONS;
}

// Decimal digits of a number that is not negative, at `out`; returns the end.
char* put_number(char* out, int number) {
  char digits[12];
  int count = 0;
  unsigned value = number < 0 ? 0u : unsigned(number);
  do {
    digits[count++] = char('0' + value % 10);
    value /= 10;
  } while (value);
  while (count) *out++ = digits[--count];
  return out;
}

}  // namespace

int fields_per_question(const QuizDocument* doc) {
  return doc->kind != QUIZ_TEXT && doc->answers_per_question == 2 ? 2 : 1;
}

int answer_field_count(const QuizDocument* doc) {
  return questions_on_page(doc) * fields_per_question(doc);
}

int answer_lines_per_question(uint32_t kind, int answers_per_question) {
  if (kind == QUIZ_TEXT) return 1;
  if (kind != QUIZ_PICTURE && kind != QUIZ_AUDIO && kind != QUIZ_VIDEO) return 0;
  return answers_per_question > 0 ? answers_per_question : 0;
}

bool locate_field(const QuizDocument* doc, int field_id, FieldPlace* place) {
  int k = field_id - FIRST_FIELD_ID;
  if (k < 1 || k > answer_field_count(doc)) return false;
  int per_question = fields_per_question(doc);
  place->field = k;
  place->question = (k - 1) / per_question + 1;
  place->answer = (k - 1) % per_question + 1;
  return true;
}

const char* expected_answer(const QuizDocument* doc, const FieldPlace& place) {
  const QuizQuestion* question = question_at(doc, place.question - 1);
  if (!question) return "";
  return place.answer == 2 ? question->answer2 : question->answer1;
}

FieldVerdict judge_field_answer(const QuizDocument* doc, const FieldPlace& place,
                                const char* typed) {
  return judge_typed_answer(&doc->judging, place.question, place.answer,
                            expected_answer(doc, place), typed);
}

bool question_solved(const QuizDocument* doc, int question, const char* const typed[]) {
  int per_question = fields_per_question(doc);
  for (int j = 1; j <= per_question; ++j) {
    FieldPlace place = {question, j, (question - 1) * per_question + j};
    if (!typed_answer_right(&doc->judging, question, j, expected_answer(doc, place), typed[j - 1]))
      return false;
  }
  return true;
}

bool label_is_right(const char* label) { return strcmp(label, RIGHT_WORD) == 0; }

int count_solved(const QuizDocument* doc, const bool right[]) {
  int per_question = fields_per_question(doc);
  int questions = questions_on_page(doc);
  int score = 0;
  for (int n = 0; n < questions; ++n) {
    int found = 0;
    for (int j = 0; j < per_question; ++j) found += right[n * per_question + j] ? 1 : 0;
    if (found == per_question) ++score;
  }
  return score;
}

void format_score(char* slot, int score, int question_count) {
  char* out = slot;
  *out++ = ' ';
  out = put_number(out, score);
  memcpy(out, " / ", 3);
  out = put_number(out + 3, question_count);
  *out = 0;
}

const char* code_for_score(const QuizDocument* doc, int score) {
  if (score <= 0 || score > MAX_QUESTIONS) return NO_CODE;
  return doc->codes[score - 1];
}
