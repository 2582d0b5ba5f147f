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

std::string rules_text(const JudgingRules& rules) {
  static const char* const ACCENTS[] = {"accents exact", "accents named (\"Accents\")",
                                        "accents ignored (\xC5\x92 = OE, \xC3\x86 = AE)"};
  return std::string(rules.accented_case ? "case of accented letters ignored"
                                         : "case of accented letters counts") +
         ", " + ACCENTS[rules.accents] + ", " +
         (rules.articles ? "leading articles optional" : "articles count") + ", plain typography";
}

std::string accepted_name(const FieldAnswers& answers, int i) {
  return std::string(i == 0 ? "the answer " : "the other accepted answer ") +
         quoted(answers.accepted[i]);
}

}  // namespace

std::vector<std::string> verdict_reasons(const JudgingOptions& options, int question, int field,
                                         const std::string& expected, const char* typed,
                                         const FieldVerdict& verdict) {
  JudgingRules rules = judging_rules(&options, question);
  FieldAnswers answers = field_answers(&options, question, field, expected.c_str());
  bool own = options.question_flags[question - 1] != JUDGING_AS_QUIZ;
  std::vector<std::string> lines;
  lines.push_back(std::string(own ? "rules of this question: " : "rules: ") + rules_text(rules));
  if (verdict.by == JUDGED_EMPTY) {
    lines.push_back("nothing typed");
    return lines;
  }
  bool fold = rules.accents != ACCENTS_EXACT;
  lines.push_back("typed, as compared: " + form_of(rules, false, typed));
  std::string articles = verdict.without_articles ? ", leading articles left out" : "";
  int i = verdict.answer;
  switch (verdict.by) {
    case JUDGED_RIGHT:
      lines.push_back("equals " + accepted_name(answers, i) + ", compared as " +
                      form_of(rules, false, answers.accepted[i]) + articles);
      break;
    case JUDGED_LISTED:
      lines.push_back("equals the listed wrong answer " + quoted(answers.wrong[i]) +
                      ", compared as " + form_of(rules, fold, answers.wrong[i]) +
                      (fold ? " (accents aside)" : "") + articles +
                      ": its own verdict, in place of the ladder's");
      break;
    case JUDGED_ACCENTS:
      lines.push_back("equals " + accepted_name(answers, i) + " but for its accents: both are " +
                      form_of(rules, true, typed) + " without them" + articles);
      break;
    default:
      lines.push_back("the ladder, against " +
                      (answers.accepted_count > 1
                           ? "the closest of the " + std::to_string(answers.accepted_count) +
                                 " accepted answers: " + quoted(answers.accepted[i])
                           : accepted_name(answers, i)) +
                      ", compared as " + form_of(rules, false, answers.accepted[i]) + articles);
  }
  return lines;
}
