// Why the ladder gave a verdict: a short French line for authors trying
// answers (the studio's try box). Not in the player: it only explains what
// judge_answer decided, from the same normalised texts.
#pragma once

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
};

// The reason for `verdict`, which judge_answer gave `typed` against
// `expected` (both as stored, not yet normalised).
VerdictReason verdict_reason(const char* expected, const char* typed, Verdict verdict);

// The reason as the author reads it, in Windows-1252.
const char* verdict_reason_text(VerdictReason reason);
