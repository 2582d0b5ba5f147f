#include "verdict.h"

#include <cstring>

#include "core/content/text_slot.h"
#include "text_toolkit.h"

const char RIGHT_WORD[] = "BRAVO";

namespace {

// The ladder's thresholds; the percentages are compared strictly and in whole
// numbers (100 * a > limit * b), so no rounding can move a boundary.
const size_t SHORT_ANSWER_MAX = 9;  // "Trop court" and "pas loin" need more
const long TOO_SHORT_PERCENT = 70;
const long NOT_FAR_PERCENT = 50;
const long SIMILAR_PERCENT = 80;

void copy_normalised(char* slot, const char* text, void (*normalise)(char*)) {
  copy_text(slot, text);
  normalise(slot);
}

bool is_anagram(const char* expected, const char* typed) {
  char sorted_expected[TEXT_SLOT_SIZE], sorted_typed[TEXT_SLOT_SIZE];
  copy_text(sorted_expected, expected);
  copy_text(sorted_typed, typed);
  sort_letters(sorted_expected);
  sort_letters(sorted_typed);
  // Sorted letters at no distance are equal texts: compared as such, without
  // the edit distance's table.
  return strcmp(sorted_expected, sorted_typed) == 0;
}

Verdict climb_ladder(const char* expected, const char* typed, int distance) {
  if (is_anagram(expected, typed)) return VERDICT_ANAGRAM;
  if (distance == 1) return VERDICT_ONE_EDIT;
  if (distance == 2) return VERDICT_TWO_EDITS;
  long expected_length = long(strlen(expected)), typed_length = long(strlen(typed));
  int contained = find_contained(expected, typed);
  if (contained == -2) {
    if (expected_length <= long(SHORT_ANSWER_MAX)) return VERDICT_WRONG;
    if (100 * typed_length > TOO_SHORT_PERCENT * expected_length) return VERDICT_TOO_SHORT;
    if (100 * typed_length > NOT_FAR_PERCENT * expected_length) return VERDICT_NOT_FAR;
    return VERDICT_WRONG;
  }
  if (contained == 2) return VERDICT_TOO_LONG;
  long longest = expected_length > typed_length ? expected_length : typed_length;
  if (100 * (longest - distance) > SIMILAR_PERCENT * longest) return VERDICT_SIMILAR;
  return VERDICT_WRONG;
}

}  // namespace

const char* verdict_text(Verdict verdict) {
  switch (verdict) {
    case VERDICT_EMPTY: return "?";
    case VERDICT_RIGHT: return RIGHT_WORD;
    case VERDICT_ANAGRAM: return "Anagramme";
    case VERDICT_ONE_EDIT: return "Quasiment";
    case VERDICT_TWO_EDITS: return "Presque";
    case VERDICT_TOO_SHORT: return "Trop court";
    case VERDICT_NOT_FAR: return "pas loin";
    case VERDICT_TOO_LONG: return "Trop long";
    case VERDICT_SIMILAR:
      return "y a de l'id\xE9"
             "e";
    case VERDICT_ACCENTS: return "Accents";
    case VERDICT_WRONG: break;
  }
  return "FAUX";
}

VerdictColour verdict_colour(Verdict verdict) {
  switch (verdict) {
    case VERDICT_EMPTY: return VERDICT_PLAIN;
    case VERDICT_RIGHT: return VERDICT_GREEN;
    case VERDICT_ANAGRAM: return VERDICT_ORANGE;
    case VERDICT_WRONG: return VERDICT_RED;
    case VERDICT_ONE_EDIT:
    case VERDICT_TWO_EDITS:
    case VERDICT_TOO_SHORT:
    case VERDICT_NOT_FAR:
    case VERDICT_TOO_LONG:
    case VERDICT_SIMILAR:
    case VERDICT_ACCENTS: break;
  }
  return VERDICT_AMBER;
}

VerdictColour label_colour(const char* label) {
  for (int v = VERDICT_EMPTY; v <= LAST_VERDICT; ++v) {
    if (strcmp(label, verdict_text(Verdict(v))) == 0) return verdict_colour(Verdict(v));
  }
  return VERDICT_AMBER;
}

void normalise_typed(char* text) {
  trim_spaces(text);
  upper_ascii(text);
}

void normalise_expected(char* text) { upper_ascii(text); }

Verdict judge_answer(const char* expected, const char* typed) {
  char e[TEXT_SLOT_SIZE], t[TEXT_SLOT_SIZE];
  copy_normalised(t, typed, normalise_typed);
  if (t[0] == 0) return VERDICT_EMPTY;
  copy_normalised(e, expected, normalise_expected);
  return ladder_verdict(e, t);
}

Verdict ladder_verdict(const char* expected, const char* typed) {
  int distance = edit_distance(expected, typed);
  if (distance == 0) return VERDICT_RIGHT;
  return climb_ladder(expected, typed, distance);
}

bool answer_matches(const char* expected, const char* typed) {
  char e[TEXT_SLOT_SIZE], t[TEXT_SLOT_SIZE];
  copy_normalised(e, expected, normalise_expected);
  copy_normalised(t, typed, normalise_typed);
  return strcmp(e, t) == 0;
}
