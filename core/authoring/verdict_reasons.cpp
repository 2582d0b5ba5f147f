#include "verdict_reasons.h"

#include "core/content/text_slot.h"
#include "cp1252.h"

namespace {

std::string quoted(const std::string& cp1252) { return "\"" + cp1252_to_utf8(cp1252) + "\""; }

std::string form_of(const JudgingRules& rules, bool fold, const char* text) {
  char form[TEXT_SLOT_SIZE];
  judging_form(rules, fold, text, form);
  return quoted(form);
}

// What each rule that tolerates a difference lets pass, as the command line
// says it.
const char* english_tolerance(JudgingFlags flag) {
  switch (flag) {
    case JUDGE_HYPHENS: return "hyphens between words as blanks";
    case JUDGE_PUNCTUATION: return "punctuation at the ends and quotes ignored";
    case JUDGE_LIGATURES: return "\xC5\x93 and \xC3\xA6 as oe and ae";
    case JUDGE_UNACCENTED_CAPITALS: return "capitals without their accents";
    case JUDGE_NUMBERS: return "numbers as numbers, blanks grouping digits ignored";
    case JUDGE_OPTIONAL_CIRCUMFLEX: return "the circumflex of i and u optional";
  }
  return "";
}

std::string rules_text(const JudgingRules& rules) {
  static const char* const ACCENTS[] = {"accents exact", "accents named (\"Accents\")",
                                        "accents ignored (\xC5\x92 = OE, \xC3\x86 = AE)"};
  std::string text =
      std::string(rules.accented_case ? "case of accented letters ignored"
                                      : "case of accented letters counts") +
      ", " + ACCENTS[rules.accents] + ", " +
      (!rules.articles          ? "articles count"
       : rules.capital_articles ? "leading articles optional but a name's (a capital)"
                                : "leading articles optional") +
      ", plain typography";
  for (JudgingFlags flag : TOLERANCES)
    if (flags_from_rules(rules) & flag) text += std::string(", ") + english_tolerance(flag);
  return text;
}

// The tolerated differences joined: "a, b et c" in French, "a, b, c" in English.
std::string tolerances(JudgingFlags tolerated, bool french) {
  std::vector<std::string> items;
  for (JudgingFlags flag : TOLERANCES)
    if (tolerated & flag)
      items.push_back(french ? cp1252_to_utf8(tolerance_text(flag)) : english_tolerance(flag));
  std::string text;
  for (size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : french && i + 1 == items.size() ? " et " : ", ") + items[i];
  return text;
}

// The ladder's reasons, as the command line says them.
const char* english_reason(VerdictReason reason) {
  switch (reason) {
    case REASON_SAME_LETTERS: return "the same letters in another order";
    case REASON_ONE_MORE_LETTER: return "one letter too many";
    case REASON_ONE_LETTER_LESS: return "one letter missing";
    case REASON_ONE_LETTER_CHANGED: return "one letter differs";
    case REASON_ACCENT_CASE: return "an accented letter in the other case";
    case REASON_ACCENT: return "one accent differs";
    case REASON_TWO_LETTERS: return "two letters differ";
    case REASON_LARGE_PART: return "a part of the answer, over 70 % of it";
    case REASON_HALF_PART: return "a part of the answer, over half of it";
    case REASON_SHORT_ANSWER_PART:
      return "only a part: an answer under 10 characters is typed whole";
    case REASON_SMALL_PART: return "too short a part of the answer (half of it or less)";
    case REASON_MORE_TEXT: return "the answer with more text";
    case REASON_SIMILAR: return "over 80 % in common";
    case REASON_FAR: return "too far from the answer";
    case REASON_OTHER_NUMBER: return "another number: a number is right or wrong";
    case REASON_NAME_ARTICLE:
      return "the answer without its article, which belongs to the name (it has a capital)";
    default: return "";
  }
}

std::string accepted_name(const VerdictExplanation& why, bool first) {
  return std::string(first ? "the answer " : "the other accepted answer ") + quoted(why.decided);
}

}  // namespace

std::vector<std::string> verdict_reasons(const VerdictExplanation& why, const char* typed) {
  const JudgingRules& rules = why.rules;
  std::vector<std::string> lines;
  lines.push_back(std::string(why.own_rules ? "rules of this question: " : "rules: ") +
                  rules_text(rules));
  if (why.by == JUDGED_EMPTY) {
    lines.push_back("nothing typed");
    return lines;
  }
  bool fold = rules.accents != ACCENTS_EXACT;
  bool first = why.answer == 0;  // the expected answer; the others are named as such
  lines.push_back("typed, as compared: " + form_of(rules, false, typed));
  std::string articles = why.without_articles ? ", leading articles left out" : "";
  switch (why.by) {
    case JUDGED_RIGHT:
      lines.push_back("equals " + accepted_name(why, first) + ", compared as " +
                      form_of(rules, false, why.decided) + articles);
      if (why.tolerated) lines.push_back("right only with: " + tolerances(why.tolerated, false));
      break;
    case JUDGED_LISTED:
      lines.push_back("equals the listed wrong answer " + quoted(why.decided) + ", compared as " +
                      form_of(rules, fold, why.decided) + (fold ? " (accents aside)" : "") +
                      articles + ": its own verdict, in place of the ladder's");
      break;
    case JUDGED_ACCENTS:
      lines.push_back("equals " + accepted_name(why, first) + " but for its accents: both are " +
                      form_of(rules, true, typed) + " without them" + articles);
      break;
    default:
      lines.push_back("the ladder, against " +
                      (why.accepted_count > 1
                           ? "the closest of the " + std::to_string(why.accepted_count) +
                                 " accepted answers: " + quoted(why.decided)
                           : accepted_name(why, true)) +
                      ", compared as " + form_of(rules, false, why.decided) + articles + ": " +
                      english_reason(why.reason));
  }
  return lines;
}

std::string verdict_reason_french(const VerdictExplanation& why) {
  std::string decided = "\xC2\xAB " + cp1252_to_utf8(why.decided) + " \xC2\xBB";
  std::string line;
  switch (why.by) {
    case JUDGED_RIGHT:
      line = why.answer != 0 ? "une autre r\xC3\xA9ponse accept\xC3\xA9"
                               "e : " +
                                   decided
             : why.tolerated ? "la r\xC3\xA9ponse attendue"
                             : cp1252_to_utf8(verdict_reason_text(why.reason));
      if (why.tolerated) line += ", " + tolerances(why.tolerated, true) + " pr\xC3\xA8s";
      break;
    case JUDGED_LISTED: line = "une r\xC3\xA9ponse fausse pr\xC3\xA9vue : " + decided; break;
    case JUDGED_ACCENTS:
      line = (why.answer == 0 ? std::string("la r\xC3\xA9ponse attendue") : decided) +
             " \xC3\xA0 ses accents pr\xC3\xA8s : les accents comptent";
      break;
    case JUDGED_LADDER:
      line = cp1252_to_utf8(verdict_reason_text(why.reason));
      if (why.accepted_count > 1) line += ", avec " + decided;
      break;
    case JUDGED_EMPTY: return cp1252_to_utf8(verdict_reason_text(REASON_NOTHING_TYPED));
  }
  if (why.without_articles) line += ", sans l'article";
  return line;
}
