// Which question and expected answer each answer field stands for, when a
// question is solved, and what the header panel shows for a score. Portable:
// the Win32 side reads the controls and hands their texts over.
#pragma once

#include "core/content/document.h"
#include "judging.h"

// A grid quiz with two answers per question has two fields per question; every
// other quiz has one (a text quiz always, whatever its content says).
int fields_per_question(const QuizDocument* doc);

// The answer fields of the page: questions (0 to 96) times fields per question.
int answer_field_count(const QuizDocument* doc);

// Answers-file lines the page reads for each question: one per field; a grid
// quiz whose answers per question are neither 1 nor 2 makes no fields but
// reads that many lines all the same; a kind the page does not lay out, none.
int answer_lines_per_question(uint32_t kind, int answers_per_question);

// Where an answer field stands: question n, its answer j, and k over the page
// (every number 1-based).
struct FieldPlace {
  int question;
  int answer;
  int field;
};

// The place of AnswerField `field_id` (4000 + k); false for an id that is not
// one of the page's fields.
bool locate_field(const QuizDocument* doc, int field_id, FieldPlace* place);

// The expected answer of a field: the question's first or second answer, as
// stored. Empty when the document has no questions.
const char* expected_answer(const QuizDocument* doc, const FieldPlace& place);

// How the text typed in a field is judged: with the quiz's judging options
// when it carries them, by the plain ladder when not. Every front end judges
// a field through it.
FieldVerdict judge_field_answer(const QuizDocument* doc, const FieldPlace& place,
                                const char* typed);

// Whether typed texts solve question n: typed[j - 1] is what field j of the
// question shows, and every one must be right as `judge_field_answer` judges it.
bool question_solved(const QuizDocument* doc, int question, const char* const typed[]);

// Only a verdict label reading exactly "BRAVO" counts as right.
bool label_is_right(const char* label);

// The solved questions: those whose every field's label is right, where
// right[k - 1] tells for field k.
int count_solved(const QuizDocument* doc, const bool right[]);

// The ScoreLabel's text " n / N" into a 260-byte slot.
void format_score(char* slot, int score, int question_count);

// The CodeBox's text at a score: the code stored for it, six blanks at 0.
const char* code_for_score(const QuizDocument* doc, int score);
