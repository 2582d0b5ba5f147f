#include "verdict_reason.h"

#include <cstring>

#include "core/content/text_slot.h"
#include "text_toolkit.h"

namespace {

// The base letter (A to Z) of a Windows-1252 letter, accented or not; 0 for
// anything else. Letters without a plain form (Æ, Ð, Þ, ß...) have none.
char base_letter(unsigned char c) {
  static const char ACCENTED[] =  // 0xC0 to 0xFF
      "AAAAAA\0CEEEEIIII\0NOOOOO\0OUUUUY\0\0"
      "AAAAAA\0CEEEEIIII\0NOOOOO\0OUUUUY\0Y";
  if (c >= 'A' && c <= 'Z') return char(c);
  if (c >= 'a' && c <= 'z') return char(c - 'a' + 'A');
  if (c >= 0xC0) return ACCENTED[c - 0xC0];
  switch (c) {
    case 0x8A:
    case 0x9A: return 'S';
    case 0x8E:
    case 0x9E: return 'Z';
    case 0x9F: return 'Y';
  }
  return 0;
}

// Whether two accented letters are one letter in its two cases (é and É).
bool case_pair(unsigned char a, unsigned char b) {
  if (a > b) {
    unsigned char t = a;
    a = b;
    b = t;
  }
  if (a >= 0xC0 && a <= 0xDE && a != 0xD7 && b == a + 0x20) return true;
  return (a == 0x8A && b == 0x9A) || (a == 0x8C && b == 0x9C) || (a == 0x8E && b == 0x9E) ||
         (a == 0x9F && b == 0xFF);
}

// One edit between texts of the same length: the letter that differs says
// whether it is only its accent, or its case.
VerdictReason changed_letter(const char* expected, const char* typed) {
  size_t i = 0;
  while (expected[i] && expected[i] == typed[i]) ++i;
  unsigned char e = static_cast<unsigned char>(expected[i]),
                t = static_cast<unsigned char>(typed[i]);
  if (case_pair(e, t)) return REASON_ACCENT_CASE;
  char base = base_letter(e);
  if (base && base == base_letter(t)) return REASON_ACCENT;
  return REASON_ONE_LETTER_CHANGED;
}

VerdictReason one_edit(const char* expected, const char* typed) {
  size_t e = strlen(expected), t = strlen(typed);
  if (t > e) return REASON_ONE_MORE_LETTER;
  if (t < e) return REASON_ONE_LETTER_LESS;
  return changed_letter(expected, typed);
}

// Why a typed answer is "FAUX": a part of the answer that is too short to
// count, or simply too far from it.
VerdictReason wrong(const char* expected, const char* typed) {
  if (find_contained(expected, typed) != -2) return REASON_FAR;
  return strlen(expected) <= 9 ? REASON_SHORT_ANSWER_PART : REASON_SMALL_PART;
}

// The reason for a ladder's verdict between two texts as it compared them.
VerdictReason ladder_reason(const char* e, const char* t, Verdict verdict) {
  switch (verdict) {
    case VERDICT_EMPTY: return REASON_NOTHING_TYPED;
    case VERDICT_RIGHT: return REASON_CASE_OR_BLANKS;
    case VERDICT_ANAGRAM: return REASON_SAME_LETTERS;
    case VERDICT_ONE_EDIT: return one_edit(e, t);
    case VERDICT_TWO_EDITS: return REASON_TWO_LETTERS;
    case VERDICT_TOO_SHORT: return REASON_LARGE_PART;
    case VERDICT_NOT_FAR: return REASON_HALF_PART;
    case VERDICT_TOO_LONG: return REASON_MORE_TEXT;
    case VERDICT_SIMILAR: return REASON_SIMILAR;
    case VERDICT_ACCENTS: return REASON_ACCENT;
    case VERDICT_WRONG: break;
  }
  return wrong(e, t);
}

// The rules that tolerate a difference between `typed` and the accepted
// answer it is right for: those without which it would not be right.
JudgingFlags tolerated_differences(const JudgingRules& rules, const char* accepted,
                                   const char* typed) {
  FieldAnswers answer = {};
  answer.accepted[0] = accepted;
  answer.accepted_count = 1;
  JudgingFlags flags = flags_from_rules(rules), tolerated = 0;
  for (JudgingFlags flag : TOLERANCES) {
    if (!(flags & flag)) continue;
    if (!right_with_rules(rules_from_flags(JudgingFlags(flags & ~flag)), answer, typed))
      tolerated |= flag;
  }
  return tolerated;
}

}  // namespace

const JudgingFlags TOLERANCES[TOLERANCE_COUNT] = {JUDGE_HYPHENS,   JUDGE_PUNCTUATION,
                                                  JUDGE_LIGATURES, JUDGE_UNACCENTED_CAPITALS,
                                                  JUDGE_NUMBERS,   JUDGE_OPTIONAL_CIRCUMFLEX};

VerdictReason verdict_reason(const char* expected, const char* typed, Verdict verdict) {
  if (verdict == VERDICT_RIGHT && strcmp(expected, typed) == 0) return REASON_EXACT;
  char e[TEXT_SLOT_SIZE], t[TEXT_SLOT_SIZE];
  copy_text(e, expected);
  copy_text(t, typed);
  normalise_expected(e);
  normalise_typed(t);
  return ladder_reason(e, t, verdict);
}

VerdictExplanation explain_verdict(const JudgingOptions* options, int question, int answer,
                                   const char* expected, const char* typed,
                                   const FieldVerdict& verdict) {
  VerdictExplanation why = {};
  why.by = verdict.by;
  why.options = options->present;
  why.without_articles = verdict.without_articles;
  why.answer = verdict.answer;
  why.decided = expected;
  why.accepted_count = 1;
  if (!why.options) {
    why.reason = verdict_reason(expected, typed, verdict.verdict);
    return why;
  }
  why.own_rules = options->question_flags[question - 1] != JUDGING_AS_QUIZ;
  why.rules = judging_rules(options, question);
  FieldAnswers answers = field_answers(options, question, answer, expected);
  why.accepted_count = answers.accepted_count;
  why.decided = verdict.by == JUDGED_LISTED ? answers.wrong[verdict.answer]
                                            : answers.accepted[verdict.answer];
  why.reason = REASON_NOTHING_TYPED;
  if (verdict.by != JUDGED_RIGHT && verdict.by != JUDGED_LADDER) return why;
  if (verdict.by == JUDGED_RIGHT && strcmp(why.decided, typed) == 0) {
    why.reason = REASON_EXACT;
    return why;
  }
  if (verdict.by == JUDGED_RIGHT)
    why.tolerated = tolerated_differences(why.rules, why.decided, typed);
  // The ladder compared the judging forms, without their leading articles
  // when that is what decided.
  char e[TEXT_SLOT_SIZE], t[TEXT_SLOT_SIZE];
  judging_pair(why.rules, false, why.decided, typed, e, t);
  size_t a = 0, b = 0;
  if (verdict.without_articles) {
    a = leading_article(e);
    b = leading_article(t);
  }
  // The answer but for the article of its name, which may not be left out.
  size_t named = verdict.by == JUDGED_LADDER ? name_article(why.rules, why.decided) : 0;
  bool name = named > 0 && leading_article(t) == 0 && strcmp(e + named, t) == 0;
  why.reason = verdict.by == JUDGED_RIGHT      ? REASON_AS_COMPARED
               : name                          ? REASON_NAME_ARTICLE
               : other_number(why.rules, e, t) ? REASON_OTHER_NUMBER
                                               : ladder_reason(e + a, t + b, verdict.verdict);
  return why;
}
