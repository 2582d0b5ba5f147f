// Judging with the options a quiz may carry (core/content/judging_options.h):
// the case of accented letters, accents exact, named or ignored, plain
// typography, other accepted answers, optional leading articles, hyphens as
// blanks, punctuation at the ends and quotes, ligatures, capitals without
// their accents, numbers judged as numbers, the circumflex of i and u, the
// articles of names, and anticipated wrong answers with verdicts of their
// own. A quiz without
// options is judged by the plain ladder (verdict.h), exactly.
//
// With options, a typed answer is, in this order:
// 1. "?" when nothing is typed;
// 2. "BRAVO" when it equals an accepted answer (the expected one or another)
//    once both are in their judging form (`judging_form`), a leading article
//    left out on either side when articles are optional (but the article of
//    a name, `name_article`, when capital articles count);
// 3. the author's verdict when it equals one of the wrong answers listed for
//    the field (accents aside unless they are exact);
// 4. "Accents" when, with accents named, it equals an accepted answer but for
//    its accents;
// 5. otherwise the best verdict the ladder gives it against any accepted
//    answer (its rows in order: "Anagramme" best, "FAUX" worst), the first
//    accepted answer winning a tie; "Trop court" for an accepted answer
//    without the article of its name ("Havre" for "Le Havre"); with numbers
//    judged as numbers, "FAUX" against an accepted answer whose numbers it
//    does not hold.
// "BRAVO" still means solved: a listed verdict that reads "BRAVO" or "?" is
// never given.
#pragma once

#include <cstddef>

#include "core/content/judging_options.h"
#include "verdict.h"

enum JudgedBy {
  JUDGED_EMPTY,    // nothing typed
  JUDGED_RIGHT,    // an accepted answer
  JUDGED_LISTED,   // a listed wrong answer: the author's verdict
  JUDGED_ACCENTS,  // an accepted answer but for its accents
  JUDGED_LADDER,   // the ladder, against the closest accepted answer
};

// One field's verdict and what decided it. It compares with a Verdict and has
// its own `verdict_text`, so code written for `judge_answer` reads it alike.
struct FieldVerdict {
  Verdict verdict;
  const char* word;  // the verdict label's text (valid while the options live)
  JudgedBy by;
  // The accepted answer that decided (0 the expected one, i the i-th other
  // one), or for JUDGED_LISTED the listed wrong answer (0-based).
  int answer;
  bool without_articles;  // decided on the texts without their leading articles
};

inline bool operator==(const FieldVerdict& judged, Verdict verdict) {
  return judged.verdict == verdict;
}
inline bool operator!=(const FieldVerdict& judged, Verdict verdict) {
  return judged.verdict != verdict;
}
inline const char* verdict_text(const FieldVerdict& judged) { return judged.word; }

// Everything one answer field is judged against.
struct FieldAnswers {
  const char* accepted[1 + JUDGING_MAX_ALTERNATIVES];  // the expected answer first
  int accepted_count;
  const char* wrong[JUDGING_MAX_WRONG_ANSWERS];
  const char* wrong_verdicts[JUDGING_MAX_WRONG_ANSWERS];
  int wrong_count;
};

// The answers of field `answer` of question `question` (1-based), whose
// expected answer is `expected`, with the options' other lists.
FieldAnswers field_answers(const JudgingOptions* options, int question, int answer,
                           const char* expected);

// Judges what is typed in that field: with the quiz's options when it carries
// them, by the plain ladder (`judge_answer`) when not.
FieldVerdict judge_typed_answer(const JudgingOptions* options, int question, int answer,
                                const char* expected, const char* typed);
// Whether it is right: the same as a "BRAVO" verdict, for less work.
bool typed_answer_right(const JudgingOptions* options, int question, int answer,
                        const char* expected, const char* typed);

// The same under given rules (a quiz with options).
FieldVerdict judge_with_rules(const JudgingRules& rules, const FieldAnswers& answers,
                              const char* typed);
bool right_with_rules(const JudgingRules& rules, const FieldAnswers& answers, const char* typed);

// The form in which a text is compared under `rules`, into a 260-byte slot:
// typography plain; quotes and the punctuation at the ends, hyphens between
// words and ligatures as the rules say; accents folded when `fold` (or when
// they are ignored); a to z upper-cased and the accented letters too when
// their case does not count; blanks trimmed.
void judging_form(const JudgingRules& rules, bool fold, const char* text, char* out);

// The forms in which an accepted or listed answer and a typed one are
// compared with each other: each its judging form, except that where the
// rules let capitals go without their accents, a bare capital of either
// takes the accent of the other's letter ("ETAT" and "État" are both
// "ÉTAT"). Into two 260-byte slots.
void judging_pair(const JudgingRules& rules, bool fold, const char* expected, const char* typed,
                  char* expected_out, char* typed_out);

// Whether, with numbers judged as numbers, a typed answer holds other
// numbers than the accepted answer that holds some (both in judging form):
// it is then wrong whatever the ladder would say.
bool other_number(const JudgingRules& rules, const char* expected_form, const char* typed_form);

// With optional articles and capital articles, the length of the leading
// article (with its blank) of an accepted answer as stored when it belongs
// to the name: written with a capital, then small letters ("Le Havre",
// "La Rochelle", "L'Étranger"), as French typography marks the article of a
// name, in an answer not all in capitals; it may then not be left out. 0
// otherwise ("la Seine", "LE HAVRE").
size_t name_article(const JudgingRules& rules, const char* expected);

// The length of a text's leading article with the blank after it ("LA ",
// "L'", "L' ", "DE LA "...), for a text in judging form; 0 when it has none or
// nothing follows it.
size_t leading_article(const char* form);
