#include "quiz_source.h"

// toml++'s own assertions are debugging checks that end the program; one
// fires on a table header such as "[=]", which its parser then refuses with
// a proper error. Built without NDEBUG, as the project is, they are left out.
#define TOML_ASSERT(expr) static_cast<void>(0)
#include <toml++/toml.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/answers/judging.h"
#include "core/answers/text_toolkit.h"
#include "core/answers/verdict.h"
#include "core/content/document.h"
#include "core/content/header_link.h"
#include "core/content/text_slot.h"
#include "core/page/verdict_fit.h"
#include "cp1252.h"
#include "files.h"

namespace {

const char* const KIND_NAMES[] = {"text", "picture", "audio", "video"};
const char* const MODE_NAMES[] = {"none", "picture", "reveal", "reveal-box", "reveal-all"};
const char* const ACCENT_NAMES[] = {"exact", "hint", "ignored"};
const int KIND_COUNT = 4, MODE_COUNT = 5, ACCENT_COUNT = 3;

const std::vector<std::string> QUIZ_KEYS = {
    "kind",       "title",   "author",        "explanation",   "link",
    "link_text",  "answers", "answer1_label", "answer2_label", "answer_mode",
    "background", "codes",   "question",      "judging",       "mastery_score"};
const std::vector<std::string> QUESTION_KEYS = {
    "text", "answer", "reveal", "picture", "answer_picture", "clip", "also", "wrong", "judging"};
const std::vector<std::string> JUDGING_KEYS = {
    "preset",  "accented_case",       "accents",         "articles",
    "hyphens", "punctuation",         "ligatures",       "unaccented_capitals",
    "numbers", "optional_circumflex", "capital_articles"};
const char* const PRESET_NAMES[] = {"fair"};
const int PRESET_COUNT = 1;

// The rules each preset stands for, in the order of PRESET_NAMES. "fair":
// what a French teacher accepts (tests/data/fairness.txt): the case of
// accented letters, a capital without its accent, a hyphen typed as a blank,
// punctuation at the ends and quotes, ligatures typed as two letters, an
// article left out, the circumflex of i and u and the blanks that group
// digits do not count; a wrong accent of a small letter is named, another
// number is wrong, and the article of a name ("Le Havre") is not left out.
const JudgingRules PRESETS[] = {
    {true, ACCENTS_HINT, true, true, true, true, true, true, true, true}};

// What a text is for decides which bytes it may hold: "|" ends every content
// text but not a code line, CR or LF ends a code line, and only a reveal text
// (shown in a label or a message box) may break lines.
enum TextUse { PLAIN_TEXT, REVEAL_TEXT, CODE_TEXT };

// By value: with a reference, std::quoted (found by argument-dependent lookup
// where <iomanip> is included, as libc++ does) would be the better match.
std::string quoted(std::string text) { return "\"" + text + "\""; }

std::string list_of(const char* const* names, int count) {
  std::string list;
  for (int i = 0; i < count; ++i) list += (i ? ", " : "") + quoted(names[i]);
  return list;
}

int index_of(const char* const* names, int count, const std::string& name) {
  for (int i = 0; i < count; ++i)
    if (name == names[i]) return i;
  return -1;
}

// A known key close to a mistyped one, or "".
std::string nearest_key(const std::string& key, const std::vector<std::string>& keys) {
  char typed[TEXT_SLOT_SIZE], known[TEXT_SLOT_SIZE];
  copy_text(typed, key.c_str());
  upper_ascii(typed);
  for (const std::string& candidate : keys) {
    copy_text(known, candidate.c_str());
    upper_ascii(known);
    if (edit_distance(typed, known) <= 2) return candidate;
  }
  return "";
}

// What messages call a part of the quiz, and its field in the studio.
Subject quiz_part(const char* field, MessageId name) { return {field, name}; }

Subject question_part(int number, const char* field, Message part) {
  return {"q" + std::to_string(number) + "." + field,
          Message(MSG_NAME_QUESTION_PART, {::number(number), std::move(part)})};
}

// The question as a whole, in a message about one of its fields.
Subject whole_question(int number, const std::string& field) {
  return {field, Message(MSG_NAME_QUESTION, {::number(number)})};
}

// A part of a subject: a rule of a judging table, a listed wrong answer, its verdict.
Subject part_of(const Subject& base, MessageId name, std::vector<Message> args) {
  args.insert(args.begin(), base.name);
  return {base.field, Message(name, std::move(args))};
}

class SourceReader {
 public:
  SourceReader(const std::string& path, QuizSource* quiz, Diagnostics* diagnostics)
      : path_(path), quiz_(quiz), diagnostics_(diagnostics) {}

  void read(const toml::table& root) {
    check_keys(root, QUIZ_KEYS, {"source", Message()});
    read_kind(root);
    read_answers(root);
    read_title(root);
    read_text_key(root, "author", quiz_part("author", MSG_NAME_AUTHOR), PLAIN_TEXT, &quiz_->author);
    read_text_key(root, "explanation", quiz_part("explanation", MSG_NAME_EXPLANATION), PLAIN_TEXT,
                  &quiz_->explanation);
    read_link(root);
    read_text_key(root, "answer1_label", quiz_part("label1", MSG_NAME_LABEL1), PLAIN_TEXT,
                  &quiz_->labels[0]);
    read_text_key(root, "answer2_label", quiz_part("label2", MSG_NAME_LABEL2), PLAIN_TEXT,
                  &quiz_->labels[1]);
    read_answer_mode(root);
    read_background(root);
    read_codes(root);
    if (const toml::node* judging = root.get("judging"))
      quiz_->judging = read_rules(*judging, quiz_part("judging", MSG_NAME_JUDGING), JudgingRules{},
                                  &quiz_->rules);
    read_questions(root);
    check_whole_quiz(root);
  }

 private:
  static int line_of(const toml::node& node) { return int(node.source().begin.line); }
  void error(int line, const Message& problem, const Subject& about) {
    diagnostics_->error(path_, line, problem, about);
  }
  void warning(int line, const Message& problem, const Subject& about) {
    diagnostics_->warning(path_, line, problem, about);
  }

  void check_keys(const toml::table& table, const std::vector<std::string>& keys,
                  const Subject& where) {
    for (auto&& [key, node] : table) {
      std::string name(key.str());
      bool known = false;
      for (const std::string& k : keys) known = known || k == name;
      if (known) continue;
      std::string near = nearest_key(name, keys);
      error(line_of(node),
            near.empty() ? Message(MSG_UNKNOWN_KEY, {name})
                         : Message(MSG_UNKNOWN_KEY_NEAR, {name, near}),
            where);
    }
  }

  // A UTF-8 string value, or an error about `what`.
  bool string_value(const toml::node& node, const Subject& what, std::string* out) {
    const toml::value<std::string>* value = node.as_string();
    if (!value) {
      error(line_of(node), MSG_NOT_A_TEXT, what);
      return false;
    }
    *out = value->get();
    return true;
  }

  bool read_text(const toml::node& node, const Subject& what, TextUse use, std::string* out) {
    std::string utf8;
    Message problem;
    if (!string_value(node, what, &utf8)) return false;
    if (!utf8_to_cp1252(utf8, out, &problem)) {
      error(line_of(node), problem, what);
      return false;
    }
    return check_text(*out, line_of(node), what, use);
  }

  bool check_text(const std::string& text, int line, const Subject& what, TextUse use) {
    if (text.size() > QUIZ_TEXT_MAX) {
      error(line, Message(MSG_TOO_LONG, {number(text.size())}), what);
      return false;
    }
    for (char c : text) {
      unsigned char byte = static_cast<unsigned char>(c);
      if (byte == '|' && use != CODE_TEXT) {
        error(line, MSG_HAS_BAR, what);
        return false;
      }
      if ((byte == '\r' || byte == '\n') && use == REVEAL_TEXT) continue;
      if ((byte == '\r' || byte == '\n') && use == CODE_TEXT) {
        error(line, MSG_CODE_LINE_BREAK, what);
        return false;
      }
      if (byte < 0x20 || byte == 0x7F) {
        char code[8];
        snprintf(code, sizeof code, "U+00%02X", byte);
        error(line,
              Message(use == PLAIN_TEXT ? MSG_CONTROL_CHARACTER_PLAIN : MSG_CONTROL_CHARACTER,
                      {std::string(code)}),
              what);
        return false;
      }
    }
    return true;
  }

  // Reads `key` when present; false when absent or wrong.
  bool read_text_key(const toml::table& table, const char* key, const Subject& what, TextUse use,
                     std::string* out) {
    const toml::node* node = table.get(key);
    return node && read_text(*node, what, use, out);
  }

  // Reads a name from `names`; false when absent or wrong.
  bool read_name(const toml::table& table, const char* key, const Subject& what,
                 const char* const* names, int count, int* index) {
    const toml::node* node = table.get(key);
    std::string name;
    if (!node || !string_value(*node, what, &name)) return false;
    *index = index_of(names, count, name);
    if (*index >= 0) return true;
    error(line_of(*node), Message(MSG_NOT_ONE_OF, {name, list_of(names, count)}), what);
    return false;
  }

  // The window's caption and the header's title, and what the studio names
  // the quiz's file after: a title of blanks is none.
  void read_title(const toml::table& root) {
    const Subject title = quiz_part("title", MSG_NAME_TITLE);
    const toml::node* node = root.get("title");
    if (!node) {
      error(1, MSG_NO_TITLE, {"title", Message()});
      return;
    }
    if (read_text(*node, title, PLAIN_TEXT, &quiz_->title) &&
        quiz_->title.find_first_not_of(' ') == std::string::npos)
      error(line_of(*node), MSG_NO_TITLE, {"title", Message()});
  }

  // The header's link. The address is kept as the web writes it: a blank,
  // "|" and every character beyond ASCII become %XX (UTF-8), so an address
  // pasted from a browser's bar works as it is.
  void read_link(const toml::table& root) {
    const toml::node* node = root.get("link");
    std::string typed;
    const Subject link = quiz_part("link", MSG_NAME_LINK);
    if (node && string_value(*node, link, &typed)) {
      std::string address;
      for (char c : typed) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte > 0x7F || byte == ' ' || byte == '|') {
          char escape[4];
          snprintf(escape, sizeof escape, "%%%02X", byte);
          address += escape;
        } else {
          address += c;
        }
      }
      if (address.size() > QUIZ_TEXT_MAX)
        error(line_of(*node), Message(MSG_LINK_TOO_LONG, {number(address.size())}), link);
      else if (!web_address_ok(address.c_str(), address.size()))
        error(line_of(*node), MSG_LINK_NOT_WEB, link);
      else
        quiz_->link = address;
    }
    const toml::node* text = root.get("link_text");
    if (!text) return;
    const Subject link_text = quiz_part("link_text", MSG_NAME_LINK_TEXT);
    read_text(*text, link_text, PLAIN_TEXT, &quiz_->link_text);
    if (!node) error(line_of(*text), MSG_LINK_TEXT_ALONE, link_text);
  }

  void read_kind(const toml::table& root) {
    int kind = 0;
    kind_known_ =
        read_name(root, "kind", quiz_part("kind", MSG_NAME_KIND), KIND_NAMES, KIND_COUNT, &kind);
    if (kind_known_) quiz_->kind = uint32_t(kind);
    if (!root.get("kind"))
      error(1, Message(MSG_NO_KIND, {list_of(KIND_NAMES, KIND_COUNT)}), {"kind", Message()});
  }

  void read_answers(const toml::table& root) {
    const toml::node* node = root.get("answers");
    if (!node) return;
    std::optional<int64_t> answers = node->value_exact<int64_t>();
    if (!answers || (*answers != 1 && *answers != 2)) {
      error(line_of(*node), MSG_ANSWERS_ONE_OR_TWO, {"answers", Message()});
      return;
    }
    if (kind_known_ && quiz_->kind == QUIZ_TEXT && *answers == 2) {
      error(line_of(*node), MSG_TEXT_QUIZ_ONE_FIELD, {"answers", Message()});
      return;
    }
    quiz_->answers = int(*answers);
  }

  void read_answer_mode(const toml::table& root) {
    int mode = 0;
    if (read_name(root, "answer_mode", quiz_part("answer_mode", MSG_NAME_ANSWER_MODE), MODE_NAMES,
                  MODE_COUNT, &mode))
      quiz_->answer_mode = mode;
  }

  void read_background(const toml::table& root) {
    const toml::node* node = root.get("background");
    std::string colour;
    Subject about = quiz_part("background", MSG_NAME_BACKGROUND);
    if (!node || !string_value(*node, about, &colour)) return;
    unsigned red, green, blue;
    char end;
    if (colour.size() != 7 || colour[0] != '#' ||
        strspn(colour.c_str() + 1, "0123456789abcdefABCDEF") != 6 ||
        sscanf(colour.c_str(), "#%2x%2x%2x%c", &red, &green, &blue, &end) != 3) {
      error(line_of(*node), MSG_BAD_BACKGROUND, {"background", Message()});
      return;
    }
    quiz_->red = uint8_t(red), quiz_->green = uint8_t(green), quiz_->blue = uint8_t(blue);
  }

  void read_codes(const toml::table& root) {
    const toml::node* node = root.get("codes");
    if (!node) return;
    const toml::array* codes = node->as_array();
    if (!codes) {
      error(line_of(*node), MSG_CODES_NOT_LIST, {"codes", Message()});
      return;
    }
    for (size_t i = 0; i < codes->size(); ++i) {
      std::string code;
      std::string n = std::to_string(i + 1);
      read_text((*codes)[i], {"code" + n, Message(MSG_NAME_CODE, {n})}, CODE_TEXT, &code);
      quiz_->codes.push_back(code);
    }
  }

  void read_questions(const toml::table& root) {
    const toml::node* node = root.get("question");
    if (!node) return;
    const toml::array* questions = node->as_array();
    if (!questions || !questions->is_array_of_tables()) {
      error(line_of(*node), MSG_QUESTIONS_NOT_TABLES, {"questions", Message()});
      return;
    }
    for (size_t i = 0; i < questions->size(); ++i)
      read_question(*(*questions)[i].as_table(), int(i + 1));
  }

  void read_question(const toml::table& table, int number) {
    SourceQuestion question;
    question.line = line_of(table);
    check_keys(table, QUESTION_KEYS, whole_question(number, "q" + std::to_string(number)));
    // A text quiz shows its questions' texts: an empty one (or blanks) is none.
    const toml::node* text = table.get("text");
    bool text_read = read_text_key(table, "text", question_part(number, "text", MSG_PART_TEXT),
                                   PLAIN_TEXT, &question.text);
    if (quiz_->kind == QUIZ_TEXT &&
        (!text || (text_read && question.text.find_first_not_of(' ') == std::string::npos)))
      error(text ? line_of(*text) : question.line, MSG_QUESTION_NO_TEXT,
            whole_question(number, "q" + std::to_string(number) + ".text"));
    read_answer(table, number, &question);
    read_text_key(table, "reveal", question_part(number, "reveal", MSG_PART_REVEAL), REVEAL_TEXT,
                  &question.reveal);
    read_media(table, "picture", question_part(number, "picture", MSG_PART_PICTURE),
               &question.picture);
    read_media(table, "answer_picture",
               question_part(number, "answer_picture", MSG_PART_ANSWER_PICTURE),
               &question.answer_picture);
    read_media(table, "clip", question_part(number, "clip", MSG_PART_CLIP), &question.clip);
    if (const toml::node* judging = table.get("judging"))
      question.own_rules = read_rules(*judging, question_part(number, "judging", MSG_PART_JUDGING),
                                      quiz_->rules, &question.rules);
    if (const toml::node* also = table.get("also")) read_also(*also, number, &question);
    if (const toml::node* wrong = table.get("wrong")) read_wrong(*wrong, number, &question);
    quiz_->questions.push_back(question);
  }

  // Judging rules: `base` with the keys the table gives.
  bool read_rules(const toml::node& node, const Subject& what, const JudgingRules& base,
                  JudgingRules* out) {
    const toml::table* table = node.as_table();
    if (!table) {
      error(line_of(node), MSG_RULES_NOT_TABLE, what);
      return false;
    }
    check_keys(*table, JUDGING_KEYS, what);
    *out = base;
    int preset = 0;
    if (read_name(*table, "preset", part_of(what, MSG_NAME_RULE, {"preset"}), PRESET_NAMES,
                  PRESET_COUNT, &preset))
      *out = PRESETS[preset];
    read_flag(*table, "accented_case", what, &out->accented_case);
    int accents = 0;
    if (read_name(*table, "accents", part_of(what, MSG_NAME_RULE, {"accents"}), ACCENT_NAMES,
                  ACCENT_COUNT, &accents))
      out->accents = AccentRule(accents);
    read_flag(*table, "articles", what, &out->articles);
    read_flag(*table, "hyphens", what, &out->hyphens);
    read_flag(*table, "punctuation", what, &out->punctuation);
    read_flag(*table, "ligatures", what, &out->ligatures);
    read_flag(*table, "unaccented_capitals", what, &out->unaccented_capitals);
    read_flag(*table, "numbers", what, &out->numbers);
    read_flag(*table, "optional_circumflex", what, &out->optional_circumflex);
    read_flag(*table, "capital_articles", what, &out->capital_articles);
    return true;
  }

  void read_flag(const toml::table& table, const char* key, const Subject& what, bool* out) {
    const toml::node* node = table.get(key);
    if (!node) return;
    std::optional<bool> value = node->value_exact<bool>();
    if (value)
      *out = *value;
    else
      error(line_of(*node), Message(MSG_FLAG_NOT_BOOLEAN, {key}), what);
  }

  // A key given once per answer field: its value itself with one field, a
  // list of two values with two.
  std::vector<const toml::node*> per_field(const toml::node& node, const Subject& what,
                                           const char* example) {
    if (quiz_->answers == 1) return {&node};
    const toml::array* list = node.as_array();
    if (list && list->size() == 2) return {&(*list)[0], &(*list)[1]};
    error(line_of(node), Message(MSG_TWO_VALUES, {example}), what);
    return {};
  }

  // The list `key` of answer field j (0-based) of question `number`.
  Subject field_list(int number, const char* key, size_t j) {
    std::string field = std::string(key) + std::to_string(j + 1);
    bool also = strcmp(key, "also") == 0;
    if (quiz_->answers != 2)
      return question_part(number, field.c_str(), also ? MSG_PART_ALSO : MSG_PART_WRONG);
    return question_part(
        number, field.c_str(),
        Message(also ? MSG_PART_ALSO_FIELD : MSG_PART_WRONG_FIELD, {::number(j + 1)}));
  }

  void read_also(const toml::node& node, int number, SourceQuestion* question) {
    std::vector<const toml::node*> fields =
        per_field(node, question_part(number, "also1", MSG_PART_ALSO), "also = [[\"rond\"], []]");
    for (size_t j = 0; j < fields.size(); ++j) {
      Subject what = field_list(number, "also", j);
      const toml::array* texts = fields[j]->as_array();
      if (!texts) {
        error(line_of(*fields[j]), MSG_ALSO_NOT_LIST, what);
        continue;
      }
      if (texts->size() > JUDGING_MAX_ALTERNATIVES)
        error(line_of(*fields[j]),
              Message(MSG_ALSO_TOO_MANY,
                      {::number(texts->size()), ::number(JUDGING_MAX_ALTERNATIVES)}),
              what);
      for (const toml::node& value : *texts) {
        std::string text;
        if (read_text(value, what, PLAIN_TEXT, &text) && check_answer(text, line_of(value), what))
          question->also[j].push_back(text);
      }
    }
  }

  void read_wrong(const toml::node& node, int number, SourceQuestion* question) {
    std::vector<const toml::node*> fields =
        per_field(node, question_part(number, "wrong1", MSG_PART_WRONG),
                  "wrong = [{ Lyon = \"Non, pas Lyon\" }, {}]");
    for (size_t j = 0; j < fields.size(); ++j) {
      Subject what = field_list(number, "wrong", j);
      const toml::table* table = fields[j]->as_table();
      if (!table) {
        error(line_of(*fields[j]), MSG_WRONG_NOT_TABLE, what);
        continue;
      }
      if (table->size() > JUDGING_MAX_WRONG_ANSWERS)
        error(line_of(*fields[j]),
              Message(MSG_WRONG_TOO_MANY,
                      {::number(table->size()), ::number(JUDGING_MAX_WRONG_ANSWERS)}),
              what);
      for (auto&& [key, value] : *table) {
        WrongAnswer wrong;
        wrong.line = line_of(value);
        std::string typed(key.str());
        Subject answer_what = part_of(what, MSG_NAME_WRONG_ANSWER, {typed});
        Message problem;
        if (!utf8_to_cp1252(typed, &wrong.answer, &problem)) {
          error(wrong.line, problem, answer_what);
          continue;
        }
        if (!check_text(wrong.answer, wrong.line, answer_what, PLAIN_TEXT) ||
            !check_answer(wrong.answer, wrong.line, answer_what) ||
            !read_text(value, part_of(answer_what, MSG_NAME_VERDICT_OF, {}), PLAIN_TEXT,
                       &wrong.verdict) ||
            !check_verdict(wrong.verdict, wrong.line, answer_what))
          continue;
        question->wrong[j].push_back(wrong);
      }
    }
  }

  // A listed verdict is shown in place of the ladder's: it must be seen, and
  // must not read as solved or as nothing typed.
  bool check_verdict(const std::string& verdict, int line, const Subject& what) {
    if (verdict.empty()) {
      error(line, MSG_VERDICT_EMPTY, what);
      return false;
    }
    if (verdict == RIGHT_WORD || verdict == verdict_text(VERDICT_EMPTY)) {
      error(line,
            Message(verdict == RIGHT_WORD ? MSG_VERDICT_SOLVED : MSG_VERDICT_NOTHING_TYPED,
                    {cp1252_to_utf8(verdict)}),
            what);
      return false;
    }
    return true;
  }

  void read_answer(const toml::table& table, int number, SourceQuestion* question) {
    const toml::node* node = table.get("answer");
    std::string field = "q" + std::to_string(number) + ".answer1";
    if (!node) {
      error(question->line, quiz_->answers == 2 ? MSG_NO_ANSWER_TWO : MSG_NO_ANSWER,
            whole_question(number, field));
      return;
    }
    const toml::array* list = node->as_array();
    size_t given = list ? list->size() : 1;
    if (given != size_t(quiz_->answers)) {
      error(line_of(*node),
            quiz_->answers == 2 ? Message(MSG_ANSWER_COUNT_TWO)
                                : Message(MSG_ANSWER_COUNT, {::number(quiz_->answers)}),
            question_part(number, "answer1", MSG_PART_ANSWER));
      return;
    }
    for (int j = 0; j < quiz_->answers; ++j) {
      const toml::node& value = list ? (*list)[size_t(j)] : *node;
      Subject what = j == 0 ? question_part(number, "answer1", MSG_PART_ANSWER)
                            : question_part(number, "answer2", MSG_PART_SECOND_ANSWER);
      if (read_text(value, what, PLAIN_TEXT, &question->answer[j]))
        check_answer(question->answer[j], line_of(value), what);
    }
  }

  // The player trims and upper-cases the typed answer but only upper-cases the
  // expected one: an empty expected answer, or one with a blank at either
  // end, could never be matched.
  bool check_answer(const std::string& answer, int line, const Subject& what) {
    if (answer.empty()) {
      error(line, MSG_ANSWER_EMPTY, what);
      return false;
    }
    if (answer.front() == ' ' || answer.back() == ' ') {
      error(line, MSG_ANSWER_BLANK_END, what);
      return false;
    }
    return true;
  }

  void read_media(const toml::table& table, const char* key, const Subject& what, MediaRef* media) {
    const toml::node* node = table.get(key);
    if (!node) return;
    media->line = line_of(*node);
    if (!string_value(*node, what, &media->path)) return;
    if (media->path.empty()) {
      error(media->line, MSG_MEDIA_NAME_EMPTY, what);
      return;
    }
    if (!kind_known_) return;
    bool picture_key = strcmp(key, "clip") != 0;
    bool picture_kind = quiz_->kind == QUIZ_PICTURE,
         clip_kind = quiz_->kind == QUIZ_AUDIO || quiz_->kind == QUIZ_VIDEO;
    if (picture_key && !picture_kind)
      error(media->line, Message(MSG_PICTURE_KIND, {kind_name(quiz_->kind)}), what);
    if (!picture_key && !clip_kind)
      error(media->line, Message(MSG_CLIP_KIND, {kind_name(quiz_->kind)}), what);
  }

  void check_whole_quiz(const toml::table& root) {
    size_t count = quiz_->questions.size();
    if (count == 0 && !root.get("question")) error(1, MSG_NO_QUESTION, {"questions", Message()});
    if (count > QUIZ_MAX_QUESTIONS)
      error(quiz_->questions[QUIZ_MAX_QUESTIONS].line,
            Message(MSG_TOO_MANY_QUESTIONS, {number(count)}), {"questions", Message()});
    int codes_line = root.get("codes") ? line_of(*root.get("codes")) : 1;
    size_t codes = quiz_->codes.size();
    Message code_count = number(codes), question_count = number(count);
    if (codes > count && count > 0)
      error(codes_line, Message(MSG_CODES_TOO_MANY, {code_count, question_count}),
            {"codes", Message()});
    else if (codes < count && count <= QUIZ_MAX_QUESTIONS)
      warning(codes_line,
              codes + 1 == count
                  ? Message(MSG_CODES_ONE_SHORT, {code_count, question_count})
                  : Message(MSG_CODES_SHORT, {code_count, question_count, number(codes + 1)}),
              {"codes", Message()});
    warn_about_media_and_reveals();
    check_judging();
    read_mastery_score(root);
  }

  void read_mastery_score(const toml::table& root) {
    const toml::node* node = root.get("mastery_score");
    if (!node) return;
    std::optional<int64_t> score = node->value_exact<int64_t>();
    int64_t count = int64_t(quiz_->questions.size());
    if (!score || *score < 1 || (count > 0 && *score > count)) {
      error(line_of(*node), Message(MSG_MASTERY_SCORE, {number(count > 0 ? count : 1)}),
            {"mastery_score", Message()});
      return;
    }
    quiz_->mastery_score = int(*score);
  }

  // Lists that contradict the answers or repeat themselves once compared as
  // the player compares them.
  void check_judging() {
    PageShape shape = {quiz_->kind, int(quiz_->questions.size()), quiz_->answers,
                       quiz_->answer_mode};
    VerdictRoom room = verdict_room(shape);
    for (size_t i = 0; i < quiz_->questions.size(); ++i) {
      const SourceQuestion& q = quiz_->questions[i];
      JudgingRules rules = question_rules(*quiz_, i);
      int n = int(i + 1);
      for (int j = 0; j < quiz_->answers; ++j) {
        FieldAnswers answers = {};
        answers.accepted[answers.accepted_count++] = q.answer[j].c_str();
        for (const std::string& other : q.also[j]) {
          if (answers.accepted_count > JUDGING_MAX_ALTERNATIVES) break;
          if (right_with_rules(rules, answers, other.c_str()))
            warning(q.line, Message(MSG_ALSO_ALREADY_ACCEPTED, {cp1252_to_utf8(other)}),
                    field_list(n, "also", size_t(j)));
          answers.accepted[answers.accepted_count++] = other.c_str();
        }
        Subject wrong_list = field_list(n, "wrong", size_t(j));
        for (const WrongAnswer& wrong : q.wrong[j]) {
          int width = verdict_text_width(wrong.verdict.c_str(), room.font);
          if (kind_known_ && width > room.width)
            warning(wrong.line,
                    Message(MSG_VERDICT_TOO_WIDE,
                            {cp1252_to_utf8(wrong.verdict), number(width), number(room.width)}),
                    part_of(wrong_list, MSG_NAME_WRONG_ANSWER, {cp1252_to_utf8(wrong.answer)}));
          if (answers.wrong_count == JUDGING_MAX_WRONG_ANSWERS) break;
          answers.wrong[answers.wrong_count] = wrong.answer.c_str();
          answers.wrong_verdicts[answers.wrong_count++] = wrong.verdict.c_str();
        }
        for (int w = 0; w < answers.wrong_count; ++w) {
          FieldVerdict judged = judge_with_rules(rules, answers, answers.wrong[w]);
          Subject what =
              part_of(wrong_list, MSG_NAME_WRONG_ANSWER, {cp1252_to_utf8(answers.wrong[w])});
          if (judged.by == JUDGED_RIGHT)
            error(q.wrong[j][size_t(w)].line,
                  Message(MSG_WRONG_IS_RIGHT, {cp1252_to_utf8(answers.accepted[judged.answer])}),
                  what);
          else if (judged.by == JUDGED_LISTED && judged.answer != w)
            warning(q.wrong[j][size_t(w)].line,
                    Message(MSG_WRONG_REPEATED, {cp1252_to_utf8(answers.wrong[judged.answer])}),
                    what);
        }
      }
    }
  }

  void warn_about_media_and_reveals() {
    bool reveals_used = quiz_->answer_mode >= MODE_REVEAL && quiz_->answer_mode <= MODE_REVEAL_ALL;
    bool warned_reveal = false, warned_answer_picture = false;
    Subject mode = {"answer_mode", Message()};
    if (quiz_->answer_mode == MODE_SECOND_PICTURE && quiz_->kind != QUIZ_PICTURE)
      warning(1, MSG_MODE_PICTURE_WITHOUT_PICTURES, mode);
    for (size_t i = 0; i < quiz_->questions.size(); ++i) {
      const SourceQuestion& q = quiz_->questions[i];
      int n = int(i + 1);
      std::string field = "q" + std::to_string(n);
      if (quiz_->kind == QUIZ_PICTURE && q.picture.path.empty())
        warning(q.line, MSG_NO_PICTURE, whole_question(n, field + ".picture"));
      if ((quiz_->kind == QUIZ_AUDIO || quiz_->kind == QUIZ_VIDEO) && q.clip.path.empty())
        warning(q.line, MSG_NO_CLIP, whole_question(n, field + ".clip"));
      if (!q.reveal.empty() && !reveals_used && !warned_reveal) {
        warned_reveal = true;
        warning(q.line, MSG_REVEALS_UNUSED, mode);
      }
      if (!q.answer_picture.path.empty() && quiz_->answer_mode != MODE_SECOND_PICTURE &&
          !warned_answer_picture) {
        warned_answer_picture = true;
        warning(q.answer_picture.line, MSG_ANSWER_PICTURES_UNUSED, mode);
      }
    }
  }

  const std::string& path_;
  bool kind_known_ = false;
  QuizSource* quiz_;
  Diagnostics* diagnostics_;
};

// A TOML basic string: quotes, backslashes and control characters escaped.
std::string toml_string(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      snprintf(escape, sizeof escape, "\\u%04X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string text_line(const char* key, const std::string& cp1252) {
  return std::string(key) + " = " + toml_string(cp1252_to_utf8(cp1252)) + "\n";
}

std::string also_value(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) out += (i ? ", " : "") + toml_string(texts[i]);
  return out + "]";
}

// A table holds each key once: of a wrong answer a form lists again, the
// first is written (form_repeats tells the author).
std::string wrong_value(const std::vector<WrongText>& wrong) {
  if (wrong.empty()) return "{}";
  std::string out = "{ ";
  for (size_t i = 0; i < wrong.size(); ++i) {
    if (!lists_wrong(wrong, i, wrong[i].answer))
      out += (i ? ", " : "") + toml_string(wrong[i].answer) + " = " + toml_string(wrong[i].verdict);
  }
  return out + " }";
}

// A key given once per answer field: the value alone, or a list of two.
template <typename List, typename Value>
std::string per_field_line(const char* key, const List (&lists)[2], int answers, Value value) {
  if (lists[0].empty() && (answers == 1 || lists[1].empty())) return "";
  std::string line = std::string(key) + " = ";
  if (answers == 1) return line + value(lists[0]) + "\n";
  return line + "[" + value(lists[0]) + ", " + value(lists[1]) + "]\n";
}

// The rules that differ from `base`, as "key = value" items; without a
// base, the first three always and the others when they are on.
std::vector<std::string> rule_items(const JudgingRules& rules, const JudgingRules* base) {
  std::vector<std::string> items;
  auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
  if (!base || rules.accented_case != base->accented_case)
    items.push_back("accented_case = " + flag(rules.accented_case));
  if (!base || rules.accents != base->accents)
    items.push_back("accents = " + toml_string(accent_rule_name(rules.accents)));
  if (!base || rules.articles != base->articles)
    items.push_back("articles = " + flag(rules.articles));
  const std::pair<const char*, bool JudgingRules::*> later[] = {
      {"hyphens", &JudgingRules::hyphens},
      {"punctuation", &JudgingRules::punctuation},
      {"ligatures", &JudgingRules::ligatures},
      {"unaccented_capitals", &JudgingRules::unaccented_capitals},
      {"numbers", &JudgingRules::numbers},
      {"optional_circumflex", &JudgingRules::optional_circumflex},
      {"capital_articles", &JudgingRules::capital_articles}};
  for (const auto& [key, member] : later)
    if (base ? rules.*member != base->*member : rules.*member)
      items.push_back(std::string(key) + " = " + flag(rules.*member));
  return items;
}

std::string colour_text(const QuizSource& quiz) {
  char colour[8];
  snprintf(colour, sizeof colour, "#%02X%02X%02X", quiz.red, quiz.green, quiz.blue);
  return colour;
}

}  // namespace

const char* kind_name(uint32_t kind) { return kind < KIND_COUNT ? KIND_NAMES[kind] : "?"; }

const char* answer_mode_name(int mode) {
  return mode >= 0 && mode < MODE_COUNT ? MODE_NAMES[mode] : "?";
}

const char* accent_rule_name(int rule) {
  return rule >= 0 && rule < ACCENT_COUNT ? ACCENT_NAMES[rule] : "?";
}

bool judging_preset(const std::string& name, JudgingRules* rules) {
  int index = index_of(PRESET_NAMES, PRESET_COUNT, name);
  if (index < 0) return false;
  *rules = PRESETS[index];
  return true;
}

bool uses_judging_options(const QuizSource& quiz) {
  if (quiz.judging) return true;
  for (const SourceQuestion& q : quiz.questions) {
    if (q.own_rules) return true;
    for (int j = 0; j < 2; ++j)
      if (!q.also[j].empty() || !q.wrong[j].empty()) return true;
  }
  return false;
}

JudgingRules question_rules(const QuizSource& quiz, size_t i) {
  return i < quiz.questions.size() && quiz.questions[i].own_rules ? quiz.questions[i].rules
                                                                  : quiz.rules;
}

bool parse_quiz_source(const std::string& text, const std::string& path, QuizSource* quiz,
                       Diagnostics* diagnostics) {
  *quiz = QuizSource();
  quiz->path = path;
  quiz->folder = folder_of(path);
  size_t errors_before = diagnostics->error_count();
  try {
    toml::table root = toml::parse(text, path);
    SourceReader(path, quiz, diagnostics).read(root);
  } catch (const toml::parse_error& e) {
    diagnostics->error(path, int(e.source().begin.line),
                       Message(MSG_TOML_SYNTAX, {std::string(e.description())}));
  }
  return diagnostics->error_count() == errors_before;
}

bool read_quiz_source(const std::string& path, QuizSource* quiz, Diagnostics* diagnostics) {
  std::string text;
  Message problem;
  if (!read_file(path, &text, &problem)) {
    diagnostics->error(path, 0, Message(MSG_SOURCE_UNREADABLE, {problem}));
    return false;
  }
  return parse_quiz_source(text, path, quiz, diagnostics);
}

std::string write_quiz_source(const QuizSource& quiz) {
  std::string out;
  out += "kind = " + toml_string(kind_name(quiz.kind)) + "\n";
  out += text_line("title", quiz.title);
  out += text_line("author", quiz.author);
  out += text_line("explanation", quiz.explanation);
  if (!quiz.link.empty()) {
    out += "link = " + toml_string(quiz.link) + "\n";
    if (!quiz.link_text.empty()) out += text_line("link_text", quiz.link_text);
  }
  out += "answers = " + std::to_string(quiz.answers) + "\n";
  out += text_line("answer1_label", quiz.labels[0]);
  out += text_line("answer2_label", quiz.labels[1]);
  out += "answer_mode = " + toml_string(answer_mode_name(quiz.answer_mode)) + "\n";
  out += "background = " + toml_string(colour_text(quiz)) + "\n";
  out += "codes = [\n";
  for (const std::string& code : quiz.codes)
    out += "  " + toml_string(cp1252_to_utf8(code)) + ",\n";
  out += "]\n";
  if (quiz.mastery_score > 0) out += "mastery_score = " + std::to_string(quiz.mastery_score) + "\n";
  if (uses_judging_options(quiz)) {
    out += "\n[judging]\n";
    for (const std::string& item : rule_items(quiz.rules, nullptr)) out += item + "\n";
  }
  for (const SourceQuestion& q : quiz.questions) {
    out += "\n[[question]]\n";
    if (!q.text.empty() || quiz.kind == QUIZ_TEXT) out += text_line("text", q.text);
    if (quiz.answers == 2) {
      out += "answer = [" + toml_string(cp1252_to_utf8(q.answer[0])) + ", " +
             toml_string(cp1252_to_utf8(q.answer[1])) + "]\n";
    } else {
      out += text_line("answer", q.answer[0]);
    }
    if (!q.reveal.empty()) out += text_line("reveal", q.reveal);
    if (!q.picture.path.empty()) out += "picture = " + toml_string(q.picture.path) + "\n";
    if (!q.answer_picture.path.empty())
      out += "answer_picture = " + toml_string(q.answer_picture.path) + "\n";
    if (!q.clip.path.empty()) out += "clip = " + toml_string(q.clip.path) + "\n";
    std::vector<std::string> also[2];
    std::vector<WrongText> wrong[2];
    for (int j = 0; j < 2; ++j) {
      for (const std::string& text : q.also[j]) also[j].push_back(cp1252_to_utf8(text));
      for (const WrongAnswer& w : q.wrong[j])
        wrong[j].push_back({cp1252_to_utf8(w.answer), cp1252_to_utf8(w.verdict)});
    }
    out += also_line(also, quiz.answers);
    out += wrong_line(wrong, quiz.answers);
    std::vector<std::string> own = rule_items(q.rules, &quiz.rules);
    if (q.own_rules && !own.empty()) {
      out += "judging = { ";
      for (size_t i = 0; i < own.size(); ++i) out += (i ? ", " : "") + own[i];
      out += " }\n";
    }
  }
  return out;
}

std::string toml_quoted(const std::string& utf8) { return toml_string(utf8); }

std::string also_line(const std::vector<std::string> (&also)[2], int answers) {
  return per_field_line("also", also, answers, also_value);
}

bool lists_wrong(const std::vector<WrongText>& wrong, size_t count, const std::string& answer) {
  for (size_t k = 0; k < count && k < wrong.size(); ++k)
    if (wrong[k].answer == answer) return true;
  return false;
}

std::string wrong_line(const std::vector<WrongText> (&wrong)[2], int answers) {
  return per_field_line("wrong", wrong, answers, wrong_value);
}
