// A quiz as an editor holds it while the author works on it (the studio):
// every value as typed, UTF-8, unchecked. Written out, it is a source like
// any other, and the source reader's checks decide what is wrong with it.
#pragma once

#include <string>
#include <vector>

#include "quiz_source.h"

// A judging table as written: a preset's name ("fair"), "true" or "false"
// for the flags, "exact", "hint" or "ignored" (or what was typed) for
// accents; an empty value is a key left out (the default, the preset's or
// the quiz's rule).
struct FormJudging {
  bool present = false;
  std::string preset, accented_case, accents, articles;
  std::string hyphens, punctuation, ligatures, unaccented_capitals, numbers, optional_circumflex;
  std::string capital_articles;
};

// The keys of a judging table, in the order they are written, and where a
// form keeps each; `flag` for those that are true or false.
struct FormJudgingKey {
  const char* key;
  std::string FormJudging::*value;
  bool flag;
};
enum { FORM_JUDGING_KEY_COUNT = 11 };
extern const FormJudgingKey FORM_JUDGING_KEYS[FORM_JUDGING_KEY_COUNT];

using FormWrong = WrongText;

struct FormQuestion {
  std::string text, answer[2], reveal;
  std::string picture, answer_picture, clip;  // media paths as the source names them
  // Per answer field: other accepted answers and anticipated wrong answers.
  std::vector<std::string> also[2];
  std::vector<FormWrong> wrong[2];
  FormJudging judging;  // the question's own rules
};

struct QuizForm {
  std::string kind;  // "text", "picture"...; empty: left out
  int answers = 1;   // answer fields per question: 1 or 2
  std::string title, author, explanation, labels[2];
  std::string link, link_text;  // empty: left out
  std::string answer_mode;      // "none", "reveal"...; empty: left out
  std::string background;       // "#RRGGBB" as typed; empty: left out
  std::vector<std::string> codes;
  std::string mastery_score;  // SCORM packages: questions to solve to pass; empty: none
  FormJudging judging;        // the quiz's [judging] table
  std::vector<FormQuestion> questions;
};

// What of a form its quiz uses, by its kind, answer fields and answer mode:
// an editor shows those fields and sets the others aside (kept, but not in
// the quiz), so that changing the kind and back loses nothing.
struct FormUse {
  bool known_kind;          // false: the kind is not one of the four (nothing set aside)
  bool question_text;       // a text quiz shows its questions' texts
  int answers;              // answer fields per question (a text quiz has one)
  bool labels;              // the captions of two answer fields, in a grid
  bool picture_mode;        // the answer mode that shows answer pictures can be chosen
  std::string answer_mode;  // the mode the quiz gets ("none" for one it cannot have)
  bool reveal;              // reveal texts (the modes that reveal)
  bool picture, answer_picture, clip;
};
FormUse form_use(const QuizForm& form);

// The form with what its quiz does not use left out: what is written,
// checked, tried and packed.
QuizForm used_form(const QuizForm& form);

// The source of a form (UTF-8 TOML), laid out as `dump` lays out its sources:
// one key a line, each code on a line of its own.
std::string write_form_source(const QuizForm& form);

// What a form can hold and its source cannot: a wrong answer listed again in
// one field (the source keeps the first, so the other verdict is never
// shown), told as a warning beside the field.
void form_repeats(const QuizForm& form, Diagnostics* diagnostics);

// Reads a source into a form, keeping every value of the right type even
// where the checks refuse it (the author mends it in the form); keys it does
// not know and values of the wrong type are left out. False with `problem`
// when the text is not TOML at all.
bool read_form_source(const std::string& text, QuizForm* form, std::string* problem);

// The quiz an answer to question `index` (0-based) of `form` is tried in: that
// question's answers and judging lists alone, under the quiz's rules, judged
// with options when the whole quiz would be. Problems elsewhere in the form
// do not stop the author trying answers.
QuizForm trial_form(const QuizForm& form, size_t index);
