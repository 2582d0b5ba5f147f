#include "verdict_reasons.h"

#include "core/content/text_slot.h"
#include "cp1252.h"

namespace {

std::string form_of(const JudgingRules& rules, bool fold, const char* text) {
  char form[TEXT_SLOT_SIZE];
  judging_form(rules, fold, text, form);
  return cp1252_to_utf8(form);
}

// The rules that tolerate a difference, each as the rules line names it and
// as "la réponse attendue, ... près" says it.
struct ToleranceWords {
  JudgingFlags flag;
  MessageId rule, tolerated;
};
const ToleranceWords TOLERANCE_WORDS[TOLERANCE_COUNT] = {
    {JUDGE_HYPHENS, MSG_RULE_HYPHENS, MSG_TOLERATED_HYPHENS},
    {JUDGE_PUNCTUATION, MSG_RULE_PUNCTUATION, MSG_TOLERATED_PUNCTUATION},
    {JUDGE_LIGATURES, MSG_RULE_LIGATURES, MSG_TOLERATED_LIGATURES},
    {JUDGE_UNACCENTED_CAPITALS, MSG_RULE_UNACCENTED_CAPITALS, MSG_TOLERATED_UNACCENTED_CAPITALS},
    {JUDGE_NUMBERS, MSG_RULE_NUMBERS, MSG_TOLERATED_NUMBERS},
    {JUDGE_OPTIONAL_CIRCUMFLEX, MSG_RULE_OPTIONAL_CIRCUMFLEX, MSG_TOLERATED_OPTIONAL_CIRCUMFLEX},
};

Message rules_message(const VerdictExplanation& why) {
  const JudgingRules& rules = why.rules;
  static const MessageId ACCENTS[] = {MSG_RULE_ACCENTS_EXACT, MSG_RULE_ACCENTS_HINT,
                                      MSG_RULE_ACCENTS_IGNORED};
  MessageId articles = !rules.articles          ? MSG_RULE_ARTICLES_COUNT
                       : rules.capital_articles ? MSG_RULE_ARTICLES_BUT_NAMES
                                                : MSG_RULE_ARTICLES_OPTIONAL;
  // The tolerating rules that are on, each after ", ".
  Message tolerating;
  JudgingFlags on = flags_from_rules(rules);
  for (const ToleranceWords& words : TOLERANCE_WORDS)
    if (on & words.flag) tolerating = Message(MSG_LIST_MORE, {tolerating, words.rule});
  return Message(why.own_rules ? MSG_WHY_OWN_RULES : MSG_WHY_RULES,
                 {rules.accented_case ? MSG_RULE_CASE_IGNORED : MSG_RULE_CASE_COUNTS,
                  ACCENTS[rules.accents], articles, tolerating});
}

// The differences a right answer needed a rule for: "a, b, c" in English,
// "a, b et c" in French.
Message tolerated_message(JudgingFlags tolerated) {
  std::vector<Message> items;
  for (const ToleranceWords& words : TOLERANCE_WORDS)
    if (tolerated & words.flag) items.push_back(words.tolerated);
  Message list = items.empty() ? Message() : items[0];
  for (size_t i = 1; i < items.size(); ++i)
    list = Message(i + 1 == items.size() ? MSG_LIST_LAST : MSG_LIST_MORE, {list, items[i]});
  return list;
}

// The ladder's reasons, and how a right answer stood to the one it equals.
Message reason_message(VerdictReason reason) {
  switch (reason) {
    case REASON_NOTHING_TYPED: return MSG_WHY_NOTHING_TYPED;
    case REASON_EXACT: return MSG_REASON_EXACT;
    case REASON_CASE_OR_BLANKS: return MSG_REASON_CASE_OR_BLANKS;
    case REASON_SAME_LETTERS: return MSG_REASON_SAME_LETTERS;
    case REASON_ONE_MORE_LETTER: return MSG_REASON_ONE_MORE_LETTER;
    case REASON_ONE_LETTER_LESS: return MSG_REASON_ONE_LETTER_LESS;
    case REASON_ONE_LETTER_CHANGED: return MSG_REASON_ONE_LETTER_CHANGED;
    case REASON_ACCENT_CASE: return MSG_REASON_ACCENT_CASE;
    case REASON_ACCENT: return MSG_REASON_ACCENT;
    case REASON_TWO_LETTERS: return MSG_REASON_TWO_LETTERS;
    case REASON_LARGE_PART: return MSG_REASON_LARGE_PART;
    case REASON_HALF_PART: return MSG_REASON_HALF_PART;
    case REASON_SHORT_ANSWER_PART: return MSG_REASON_SHORT_ANSWER_PART;
    case REASON_SMALL_PART: return MSG_REASON_SMALL_PART;
    case REASON_MORE_TEXT: return MSG_REASON_MORE_TEXT;
    case REASON_SIMILAR: return MSG_REASON_SIMILAR;
    case REASON_AS_COMPARED: return MSG_REASON_AS_COMPARED;
    case REASON_OTHER_NUMBER: return MSG_REASON_OTHER_NUMBER;
    case REASON_NAME_ARTICLE: return MSG_REASON_NAME_ARTICLE;
    case REASON_FAR: break;
  }
  return MSG_REASON_FAR;
}

// What decided the verdict: in English with the compared forms, in French
// as the studio's try box says it.
Message deciding(const VerdictExplanation& why, const char* typed) {
  const JudgingRules& rules = why.rules;
  std::string decided = cp1252_to_utf8(why.decided);
  Message articles = why.without_articles ? Message(MSG_WHY_WITHOUT_ARTICLES) : Message();
  Message accepted = why.answer == 0 ? Message(MSG_WHY_THE_ANSWER, {decided})
                                     : Message(MSG_WHY_OTHER_ANSWER, {decided});
  bool fold = rules.accents != ACCENTS_EXACT;
  switch (why.by) {
    case JUDGED_EMPTY: return MSG_WHY_NOTHING_TYPED;
    case JUDGED_RIGHT:
      if (why.tolerated)
        return Message(why.answer == 0 ? MSG_WHY_RIGHT_TOLERATED : MSG_WHY_RIGHT_OTHER_TOLERATED,
                       {accepted, form_of(rules, false, why.decided), articles,
                        tolerated_message(why.tolerated)});
      return Message(
          why.answer == 0 ? MSG_WHY_RIGHT : MSG_WHY_RIGHT_OTHER,
          {accepted, form_of(rules, false, why.decided), articles, reason_message(why.reason)});
    case JUDGED_LISTED:
      return Message(fold ? MSG_WHY_LISTED_FOLDED : MSG_WHY_LISTED,
                     {decided, form_of(rules, fold, why.decided), articles});
    case JUDGED_ACCENTS:
      return Message(MSG_WHY_ACCENTS, {accepted, form_of(rules, true, typed), articles});
    default:
      if (why.accepted_count > 1)
        return Message(MSG_WHY_LADDER_CLOSEST,
                       {decided, form_of(rules, false, why.decided), articles,
                        reason_message(why.reason), number(why.accepted_count)});
      return Message(MSG_WHY_LADDER,
                     {Message(MSG_WHY_THE_ANSWER, {decided}), form_of(rules, false, why.decided),
                      articles, reason_message(why.reason)});
  }
}

}  // namespace

std::vector<Message> verdict_reasons(const VerdictExplanation& why, const char* typed) {
  std::vector<Message> lines;
  if (why.options) {
    lines.push_back(rules_message(why));
    if (why.by != JUDGED_EMPTY)
      lines.push_back(Message(MSG_WHY_TYPED, {form_of(why.rules, false, typed)}));
  }
  lines.push_back(deciding(why, typed));
  return lines;
}
