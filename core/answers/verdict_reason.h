// Why a field got its verdict: what decided it and, when the ladder did,
// which of its rungs and why, for authors trying answers (`quizpack try`, the
// studio's try box). Not in the player: it only explains what the player's
// judging decided, from the same compared texts.
#pragma once

#include "judging.h"
#include "verdict.h"

enum VerdictReason {
  REASON_NOTHING_TYPED,
  REASON_EXACT,           // typed exactly as stored
  REASON_CASE_OR_BLANKS,  // equal once trimmed and a to z upper-cased
  REASON_SAME_LETTERS,    // "Anagramme"
  REASON_ONE_MORE_LETTER,
  REASON_ONE_LETTER_LESS,
  REASON_ONE_LETTER_CHANGED,
  REASON_ACCENT_CASE,  // one accented letter in the other case (only a to z have one)
  REASON_ACCENT,       // one letter with another accent, or without its accent
  REASON_TWO_LETTERS,
  REASON_LARGE_PART,         // "Trop court"
  REASON_HALF_PART,          // "pas loin"
  REASON_SHORT_ANSWER_PART,  // a part of an answer of 9 characters or fewer
  REASON_SMALL_PART,         // a part of half the answer or less
  REASON_MORE_TEXT,          // "Trop long"
  REASON_SIMILAR,            // "y a de l'idée"
  REASON_FAR,
  REASON_AS_COMPARED,   // with judging options: equal once both are in judging form
  REASON_OTHER_NUMBER,  // with numbers judged as numbers: "FAUX" for another number
  REASON_NAME_ARTICLE,  // with capital articles: the answer without its name's article
};

// The reason for `verdict`, which judge_answer gave `typed` against
// `expected` (both as stored, not yet normalised).
VerdictReason verdict_reason(const char* expected, const char* typed, Verdict verdict);

// The rules that may tolerate a difference the others do not name, in the
// order they are told.
enum { TOLERANCE_COUNT = 6 };
extern const JudgingFlags TOLERANCES[TOLERANCE_COUNT];

// Why `judge_typed_answer` gave `verdict` to `typed` in field `answer` of
// question `question`, whose expected answer is `expected`.
struct VerdictExplanation {
  JudgedBy by;
  bool options;           // judged with the quiz's judging options
  bool own_rules;         // by the question's own rules
  JudgingRules rules;     // the rules that judged (options only)
  int accepted_count;     // the expected answer and the other accepted ones
  int answer;             // as FieldVerdict.answer: 0 the expected answer, i the i-th other
  const char* decided;    // the accepted or listed answer that decided (as stored)
  bool without_articles;  // decided once a leading article was left out
  // For JUDGED_RIGHT and JUDGED_LADDER: how the typed text stands to the
  // answer that decided, compared as the player compared them.
  VerdictReason reason;
  // For JUDGED_RIGHT: the rules of TOLERANCES without which it would not be
  // right.
  JudgingFlags tolerated;
};
// `options` and `expected` must outlive the explanation (`decided` points
// into them).
VerdictExplanation explain_verdict(const JudgingOptions* options, int question, int answer,
                                   const char* expected, const char* typed,
                                   const FieldVerdict& verdict);
