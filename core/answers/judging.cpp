#include "judging.h"

#include <cstring>

#include "core/content/text_slot.h"
#include "text_toolkit.h"

namespace {

// The optional articles, upper-cased as the judging form has them; the
// elided ones need no blank after them.
const char* const ARTICLES[] = {"DE LA ", "LES ", "LE ", "LA ", "UNE ",
                                "UN ",    "DES ", "DU ", "L'",  "D'"};

// The article itself, without the blank that ends it.
size_t article_word(const char* form, size_t length) {
  while (length > 0 && form[length - 1] == ' ') --length;
  return length;
}

// Whether two leading articles (of lengths a and b, 0 for none) let the rest
// be compared: when either is missing, or both are the same word.
bool articles_agree(const char* expected, size_t a, const char* typed, size_t b) {
  if (a == 0 || b == 0) return true;
  size_t wa = article_word(expected, a), wb = article_word(typed, b);
  return wa == wb && memcmp(expected, typed, wa) == 0;
}

struct Comparison {
  bool equal;
  bool without_articles;
};

// Whether two texts in judging form are the same answer: equal, or with
// optional articles equal once a leading article is left out on either side,
// unless both have one and they differ ("le Seine" is not "la Seine"), or the
// expected one's belongs to its name (`named`) and the typed text has none.
Comparison compare(const char* expected, const char* typed, bool articles, bool named = false) {
  if (strcmp(expected, typed) == 0) return {true, false};
  if (!articles) return {false, false};
  size_t a = leading_article(expected), b = leading_article(typed);
  if (named && b == 0) return {false, false};
  bool equal =
      (a || b) && articles_agree(expected, a, typed, b) && strcmp(expected + a, typed + b) == 0;
  return {equal, equal};
}

// The ladder's verdicts are in the order of its rows: the earlier, the closer.
bool closer(Verdict candidate, Verdict best) { return int(candidate) < int(best); }

// A listed verdict that would read as solved or as nothing typed is never shown.
bool usable_verdict(const char* word) {
  return word[0] != 0 && strcmp(word, RIGHT_WORD) != 0 &&
         strcmp(word, verdict_text(VERDICT_EMPTY)) != 0;
}

FieldVerdict decided(Verdict verdict, JudgedBy by, int answer, bool without_articles) {
  return {verdict, verdict_text(verdict), by, answer, without_articles};
}

int right_answer(const JudgingRules& rules, const FieldAnswers& answers, const char* typed,
                 bool* without_articles) {
  char e[TEXT_SLOT_SIZE], t[TEXT_SLOT_SIZE];
  for (int i = 0; i < answers.accepted_count; ++i) {
    judging_pair(rules, false, answers.accepted[i], typed, e, t);
    Comparison c = compare(e, t, rules.articles, name_article(rules, answers.accepted[i]) > 0);
    if (c.equal) {
      *without_articles = c.without_articles;
      return i;
    }
  }
  return -1;
}

}  // namespace

bool other_number(const JudgingRules& rules, const char* expected_form, const char* typed_form) {
  return rules.numbers && has_digit(expected_form) && numbers_differ(expected_form, typed_form);
}

size_t leading_article(const char* form) {
  for (const char* article : ARTICLES) {
    size_t length = strlen(article);
    if (strncmp(form, article, length) != 0) continue;
    if (form[length] == ' ') ++length;  // "L' ILE"
    return form[length] != 0 ? length : 0;
  }
  return 0;
}

namespace {

// The judging form but for the case of its letters, which a capital's
// missing accent needs to be seen.
void judging_letters(const JudgingRules& rules, bool fold, const char* text, char* out) {
  copy_text(out, text);
  if (rules.punctuation) plain_quotes(out);
  plain_typography(out);
  if (rules.hyphens) hyphens_as_blanks(out);
  if (rules.punctuation) trim_punctuation(out);
  if (rules.numbers) join_digit_groups(out);
  if (rules.ligatures) spell_ligatures(out);
  if (rules.optional_circumflex) drop_circumflex_i_u(out);
  if (fold || rules.accents == ACCENTS_IGNORED) fold_accents(out);
  trim_spaces(out);
  // Quotation marks only are still typed: not nothing.
  if (out[0] == 0 && rules.punctuation) {
    JudgingRules kept = rules;
    kept.punctuation = false;
    judging_letters(kept, fold, text, out);
  }
}

void raise_case(const JudgingRules& rules, char* text) {
  upper_ascii(text);
  if (rules.accented_case) upper_accented(text);
}

}  // namespace

void judging_form(const JudgingRules& rules, bool fold, const char* text, char* out) {
  judging_letters(rules, fold, text, out);
  raise_case(rules, out);
}

void judging_pair(const JudgingRules& rules, bool fold, const char* expected, const char* typed,
                  char* expected_out, char* typed_out) {
  judging_letters(rules, fold, expected, expected_out);
  judging_letters(rules, fold, typed, typed_out);
  if (rules.unaccented_capitals) accent_bare_capitals(expected_out, typed_out, rules.accented_case);
  raise_case(rules, expected_out);
  raise_case(rules, typed_out);
}

size_t name_article(const JudgingRules& rules, const char* expected) {
  if (!rules.articles || !rules.capital_articles) return 0;
  char letters[TEXT_SLOT_SIZE], form[TEXT_SLOT_SIZE];
  judging_letters(rules, false, expected, letters);
  copy_text(form, letters);
  raise_case(rules, form);
  size_t length = leading_article(form);
  if (length == 0 || !is_capital(letters[0])) return 0;
  // In capitals throughout, an answer does not tell a name's article apart.
  bool small = false;
  for (const char* c = letters; *c; ++c) small = small || is_small(*c);
  // "Le", "Les", "De la": a capital, then small letters ("LE Havre" is no name's).
  for (size_t i = 1; i < length && letters[i] != ' ' && letters[i] != '\''; ++i)
    if (!is_small(letters[i])) return 0;
  return small ? length : 0;
}

FieldAnswers field_answers(const JudgingOptions* options, int question, int answer,
                           const char* expected) {
  FieldAnswers answers = {};
  answers.accepted[0] = expected;
  answers.accepted_count = 1;
  const FieldOptions* field = judging_field(options, question, answer);
  if (!field) return answers;
  int text = 0;
  for (int i = 0; i < field->alternatives; ++i)
    answers.accepted[answers.accepted_count++] = judging_text(options, field, text++);
  for (int i = 0; i < field->wrong_answers; ++i) {
    answers.wrong[i] = judging_text(options, field, text++);
    answers.wrong_verdicts[i] = judging_text(options, field, text++);
  }
  answers.wrong_count = field->wrong_answers;
  return answers;
}

bool right_with_rules(const JudgingRules& rules, const FieldAnswers& answers, const char* typed) {
  char form[TEXT_SLOT_SIZE];
  judging_form(rules, false, typed, form);
  bool without_articles;
  return form[0] != 0 && right_answer(rules, answers, typed, &without_articles) >= 0;
}

FieldVerdict judge_with_rules(const JudgingRules& rules, const FieldAnswers& answers,
                              const char* typed) {
  char t[TEXT_SLOT_SIZE], e[TEXT_SLOT_SIZE];
  judging_form(rules, false, typed, t);
  if (t[0] == 0) return decided(VERDICT_EMPTY, JUDGED_EMPTY, 0, false);
  bool without_articles = false;
  int right = right_answer(rules, answers, typed, &without_articles);
  if (right >= 0) return decided(VERDICT_RIGHT, JUDGED_RIGHT, right, without_articles);

  // Wrong answers are recognised whatever their accents, unless accents are exact.
  bool fold = rules.accents != ACCENTS_EXACT;
  for (int i = 0; i < answers.wrong_count; ++i) {
    if (!usable_verdict(answers.wrong_verdicts[i])) continue;
    judging_pair(rules, fold, answers.wrong[i], typed, e, t);
    Comparison c = compare(e, t, rules.articles);
    if (c.equal)
      return {VERDICT_WRONG, answers.wrong_verdicts[i], JUDGED_LISTED, i, c.without_articles};
  }
  if (rules.accents == ACCENTS_HINT) {
    for (int i = 0; i < answers.accepted_count; ++i) {
      judging_pair(rules, true, answers.accepted[i], typed, e, t);
      Comparison c = compare(e, t, rules.articles, name_article(rules, answers.accepted[i]) > 0);
      if (c.equal) return decided(VERDICT_ACCENTS, JUDGED_ACCENTS, i, c.without_articles);
    }
  }

  FieldVerdict best = decided(VERDICT_WRONG, JUDGED_LADDER, 0, false);
  for (int i = 0; i < answers.accepted_count; ++i) {
    judging_pair(rules, false, answers.accepted[i], typed, e, t);
    // Another number is wrong, however close its digits.
    if (other_number(rules, e, t)) continue;
    Verdict v = ladder_verdict(e, t);
    if (closer(v, best.verdict)) best = decided(v, JUDGED_LADDER, i, false);
    size_t a = rules.articles ? leading_article(e) : 0;
    size_t b = rules.articles ? leading_article(t) : 0;
    if (b == 0 && a > 0 && name_article(rules, answers.accepted[i]) > 0) {
      // The name without its own article is short of a part of it.
      if (strcmp(e + a, t) == 0 && closer(VERDICT_TOO_SHORT, best.verdict))
        best = decided(VERDICT_TOO_SHORT, JUDGED_LADDER, i, false);
    } else if ((a || b) && articles_agree(e, a, t, b)) {
      v = ladder_verdict(e + a, t + b);
      if (closer(v, best.verdict)) best = decided(v, JUDGED_LADDER, i, true);
    }
  }
  return best;
}

FieldVerdict judge_typed_answer(const JudgingOptions* options, int question, int answer,
                                const char* expected, const char* typed) {
  if (options->present)
    return judge_with_rules(judging_rules(options, question),
                            field_answers(options, question, answer, expected), typed);
  Verdict verdict = judge_answer(expected, typed);
  JudgedBy by = verdict == VERDICT_EMPTY   ? JUDGED_EMPTY
                : verdict == VERDICT_RIGHT ? JUDGED_RIGHT
                                           : JUDGED_LADDER;
  return decided(verdict, by, 0, false);
}

bool typed_answer_right(const JudgingOptions* options, int question, int answer,
                        const char* expected, const char* typed) {
  if (options->present)
    return right_with_rules(judging_rules(options, question),
                            field_answers(options, question, answer, expected), typed);
  return answer_matches(expected, typed);
}
