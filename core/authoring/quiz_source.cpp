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

std::string counted(size_t count, const char* thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
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

class SourceReader {
 public:
  SourceReader(const std::string& path, QuizSource* quiz, Diagnostics* diagnostics)
      : path_(path), quiz_(quiz), diagnostics_(diagnostics) {}

  void read(const toml::table& root) {
    check_keys(root, QUIZ_KEYS, "");
    read_kind(root);
    read_answers(root);
    read_title(root);
    read_text_key(root, "author", "author", PLAIN_TEXT, &quiz_->author);
    read_text_key(root, "explanation", "explanation", PLAIN_TEXT, &quiz_->explanation);
    read_link(root);
    read_text_key(root, "answer1_label", "answer1_label", PLAIN_TEXT, &quiz_->labels[0]);
    read_text_key(root, "answer2_label", "answer2_label", PLAIN_TEXT, &quiz_->labels[1]);
    read_answer_mode(root);
    read_background(root);
    read_codes(root);
    if (const toml::node* judging = root.get("judging"))
      quiz_->judging = read_rules(*judging, "judging", JudgingRules{}, &quiz_->rules);
    read_questions(root);
    check_whole_quiz(root);
  }

 private:
  static int line_of(const toml::node& node) { return int(node.source().begin.line); }
  void error(int line, const std::string& text) { diagnostics_->error(path_, line, text); }
  void warning(int line, const std::string& text) { diagnostics_->warning(path_, line, text); }

  void check_keys(const toml::table& table, const std::vector<std::string>& keys,
                  const std::string& where) {
    for (auto&& [key, node] : table) {
      std::string name(key.str());
      bool known = false;
      for (const std::string& k : keys) known = known || k == name;
      if (known) continue;
      std::string text = where + "unknown key " + quoted(name);
      std::string near = nearest_key(name, keys);
      if (!near.empty()) text += " (did you mean " + quoted(near) + "?)";
      error(line_of(node), text);
    }
  }

  // A UTF-8 string value, or an error naming `what`.
  bool string_value(const toml::node& node, const std::string& what, std::string* out) {
    const toml::value<std::string>* value = node.as_string();
    if (!value) {
      error(line_of(node), what + " must be a text in quotes");
      return false;
    }
    *out = value->get();
    return true;
  }

  bool read_text(const toml::node& node, const std::string& what, TextUse use, std::string* out) {
    std::string utf8, problem;
    if (!string_value(node, what, &utf8)) return false;
    if (!utf8_to_cp1252(utf8, out, &problem)) {
      error(line_of(node), what + " " + problem);
      return false;
    }
    return check_text(*out, line_of(node), what, use);
  }

  bool check_text(const std::string& text, int line, const std::string& what, TextUse use) {
    if (text.size() > QUIZ_TEXT_MAX) {
      error(line, what + " is " + std::to_string(text.size()) +
                      " bytes long in Windows-1252; the player keeps at most 259");
      return false;
    }
    for (char c : text) {
      unsigned char byte = static_cast<unsigned char>(c);
      if (byte == '|' && use != CODE_TEXT) {
        error(line, what + " contains \"|\", which ends a text in the player's content");
        return false;
      }
      if ((byte == '\r' || byte == '\n') && use == REVEAL_TEXT) continue;
      if ((byte == '\r' || byte == '\n') && use == CODE_TEXT) {
        error(line, what + " contains a line break (CR or LF), which ends a code line");
        return false;
      }
      if (byte < 0x20 || byte == 0x7F) {
        char number[8];
        snprintf(number, sizeof number, "%02X", byte);
        error(line, what + " contains the control character U+00" + number +
                        (use == PLAIN_TEXT ? " (only reveal texts may break lines)" : ""));
        return false;
      }
    }
    return true;
  }

  // Reads `key` when present; false when absent or wrong.
  bool read_text_key(const toml::table& table, const char* key, const std::string& what,
                     TextUse use, std::string* out) {
    const toml::node* node = table.get(key);
    return node && read_text(*node, what, use, out);
  }

  // Reads a name from `names`; false when absent or wrong.
  bool read_name(const toml::table& table, const char* key, const char* const* names, int count,
                 int* index) {
    const toml::node* node = table.get(key);
    std::string name;
    if (!node || !string_value(*node, key, &name)) return false;
    *index = index_of(names, count, name);
    if (*index >= 0) return true;
    error(line_of(*node),
          std::string(key) + " " + quoted(name) + " is not one of " + list_of(names, count));
    return false;
  }

  // The window's caption and the header's title, and what the studio names
  // the quiz's file after: a title of blanks is none.
  void read_title(const toml::table& root) {
    const char* none = "the quiz has no title: write title = \"...\"";
    const toml::node* node = root.get("title");
    if (!node) {
      error(1, none);
      return;
    }
    if (read_text(*node, "title", PLAIN_TEXT, &quiz_->title) &&
        quiz_->title.find_first_not_of(' ') == std::string::npos)
      error(line_of(*node), none);
  }

  // The header's link. The address is kept as the web writes it: a blank,
  // "|" and every character beyond ASCII become %XX (UTF-8), so an address
  // pasted from a browser's bar works as it is.
  void read_link(const toml::table& root) {
    const toml::node* node = root.get("link");
    std::string typed;
    if (node && string_value(*node, "link", &typed)) {
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
        error(line_of(*node),
              "link is " + std::to_string(address.size()) +
                  " characters long as a web address; the player keeps at most 259");
      else if (!web_address_ok(address.c_str(), address.size()))
        error(line_of(*node),
              "link must be a web address that starts with https:// or http://, e.g. link = "
              "\"https://www.example.org/quiz\"");
      else
        quiz_->link = address;
    }
    const toml::node* text = root.get("link_text");
    if (!text) return;
    read_text(*text, "link_text", PLAIN_TEXT, &quiz_->link_text);
    if (!node)
      error(line_of(*text), "link_text is shown for a link: write link = \"https://...\" too");
  }

  void read_kind(const toml::table& root) {
    int kind = 0;
    kind_known_ = read_name(root, "kind", KIND_NAMES, KIND_COUNT, &kind);
    if (kind_known_) quiz_->kind = uint32_t(kind);
    if (!root.get("kind"))
      error(1, "the quiz has no kind: write kind = " + list_of(KIND_NAMES, KIND_COUNT));
  }

  void read_answers(const toml::table& root) {
    const toml::node* node = root.get("answers");
    if (!node) return;
    std::optional<int64_t> answers = node->value_exact<int64_t>();
    if (!answers || (*answers != 1 && *answers != 2)) {
      error(line_of(*node), "answers (answer fields per question) must be 1 or 2");
      return;
    }
    if (kind_known_ && quiz_->kind == QUIZ_TEXT && *answers == 2) {
      error(line_of(*node), "a text quiz has one answer field per question: answers must be 1");
      return;
    }
    quiz_->answers = int(*answers);
  }

  void read_answer_mode(const toml::table& root) {
    int mode = 0;
    if (read_name(root, "answer_mode", MODE_NAMES, MODE_COUNT, &mode)) quiz_->answer_mode = mode;
  }

  void read_background(const toml::table& root) {
    const toml::node* node = root.get("background");
    std::string colour;
    if (!node || !string_value(*node, "background", &colour)) return;
    unsigned red, green, blue;
    char end;
    if (colour.size() != 7 || colour[0] != '#' ||
        strspn(colour.c_str() + 1, "0123456789abcdefABCDEF") != 6 ||
        sscanf(colour.c_str(), "#%2x%2x%2x%c", &red, &green, &blue, &end) != 3) {
      error(line_of(*node), "background must be a colour written #RRGGBB, e.g. \"#5A5F96\"");
      return;
    }
    quiz_->red = uint8_t(red), quiz_->green = uint8_t(green), quiz_->blue = uint8_t(blue);
  }

  void read_codes(const toml::table& root) {
    const toml::node* node = root.get("codes");
    if (!node) return;
    const toml::array* codes = node->as_array();
    if (!codes) {
      error(line_of(*node), "codes must be a list of texts, e.g. codes = [\"A1\", \"B2\"]");
      return;
    }
    for (size_t i = 0; i < codes->size(); ++i) {
      std::string code;
      read_text((*codes)[i], "code " + std::to_string(i + 1), CODE_TEXT, &code);
      quiz_->codes.push_back(code);
    }
  }

  void read_questions(const toml::table& root) {
    const toml::node* node = root.get("question");
    if (!node) return;
    const toml::array* questions = node->as_array();
    if (!questions || !questions->is_array_of_tables()) {
      error(line_of(*node), "questions must be written as [[question]] tables");
      return;
    }
    for (size_t i = 0; i < questions->size(); ++i)
      read_question(*(*questions)[i].as_table(), int(i + 1));
  }

  void read_question(const toml::table& table, int number) {
    SourceQuestion question;
    question.line = line_of(table);
    std::string where = "question " + std::to_string(number) + ": ";
    check_keys(table, QUESTION_KEYS, where);
    // A text quiz shows its questions' texts: an empty one (or blanks) is none.
    const toml::node* text = table.get("text");
    bool text_read = read_text_key(table, "text", where + "text", PLAIN_TEXT, &question.text);
    if (quiz_->kind == QUIZ_TEXT &&
        (!text || (text_read && question.text.find_first_not_of(' ') == std::string::npos)))
      error(text ? line_of(*text) : question.line,
            "question " + std::to_string(number) + " has no text");
    read_answer(table, where, &question);
    read_text_key(table, "reveal", where + "reveal", REVEAL_TEXT, &question.reveal);
    read_media(table, "picture", where, &question.picture);
    read_media(table, "answer_picture", where, &question.answer_picture);
    read_media(table, "clip", where, &question.clip);
    if (const toml::node* judging = table.get("judging"))
      question.own_rules = read_rules(*judging, where + "judging", quiz_->rules, &question.rules);
    if (const toml::node* also = table.get("also")) read_also(*also, where, &question);
    if (const toml::node* wrong = table.get("wrong")) read_wrong(*wrong, where, &question);
    quiz_->questions.push_back(question);
  }

  // Judging rules: `base` with the keys the table gives.
  bool read_rules(const toml::node& node, const std::string& what, const JudgingRules& base,
                  JudgingRules* out) {
    const toml::table* table = node.as_table();
    if (!table) {
      error(line_of(node), what + " must be a table, e.g. judging = { accents = \"hint\" }");
      return false;
    }
    check_keys(*table, JUDGING_KEYS, what + ": ");
    *out = base;
    int preset = 0;
    if (read_name(*table, "preset", PRESET_NAMES, PRESET_COUNT, &preset)) *out = PRESETS[preset];
    read_flag(*table, "accented_case", what, &out->accented_case);
    int accents = 0;
    if (read_name(*table, "accents", ACCENT_NAMES, ACCENT_COUNT, &accents))
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

  void read_flag(const toml::table& table, const char* key, const std::string& what, bool* out) {
    const toml::node* node = table.get(key);
    if (!node) return;
    std::optional<bool> value = node->value_exact<bool>();
    if (value)
      *out = *value;
    else
      error(line_of(*node), what + ": " + key + " must be true or false");
  }

  // A key given once per answer field: its value itself with one field, a
  // list of two values with two.
  std::vector<const toml::node*> per_field(const toml::node& node, const std::string& what,
                                           const char* example) {
    if (quiz_->answers == 1) return {&node};
    const toml::array* list = node.as_array();
    if (list && list->size() == 2) return {&(*list)[0], &(*list)[1]};
    error(line_of(node),
          what + " must hold two values, one per answer field (answers = 2), e.g. " + example);
    return {};
  }

  std::string field_what(const std::string& what, size_t j) {
    return quiz_->answers == 2 ? what + " (field " + std::to_string(j + 1) + ")" : what;
  }

  void read_also(const toml::node& node, const std::string& where, SourceQuestion* question) {
    std::vector<const toml::node*> fields =
        per_field(node, where + "also", "also = [[\"rond\"], []]");
    for (size_t j = 0; j < fields.size(); ++j) {
      std::string what = field_what(where + "also", j);
      const toml::array* texts = fields[j]->as_array();
      if (!texts) {
        error(line_of(*fields[j]), what + " must be a list of texts, e.g. also = [\"Paname\"]");
        continue;
      }
      if (texts->size() > JUDGING_MAX_ALTERNATIVES)
        error(line_of(*fields[j]),
              what + " holds " + counted(texts->size(), "answer") + "; a field accepts at most " +
                  std::to_string(JUDGING_MAX_ALTERNATIVES) + " besides its answer");
      for (const toml::node& value : *texts) {
        std::string text;
        if (read_text(value, what, PLAIN_TEXT, &text) && check_answer(text, line_of(value), what))
          question->also[j].push_back(text);
      }
    }
  }

  void read_wrong(const toml::node& node, const std::string& where, SourceQuestion* question) {
    std::vector<const toml::node*> fields =
        per_field(node, where + "wrong", "wrong = [{ Lyon = \"Non, pas Lyon\" }, {}]");
    for (size_t j = 0; j < fields.size(); ++j) {
      std::string what = field_what(where + "wrong", j);
      const toml::table* table = fields[j]->as_table();
      if (!table) {
        error(line_of(*fields[j]),
              what +
                  " must be a table of wrong answers and their verdicts, e.g. wrong = { Lyon "
                  "= \"Non, pas Lyon\" }");
        continue;
      }
      if (table->size() > JUDGING_MAX_WRONG_ANSWERS)
        error(line_of(*fields[j]), what + " lists " + counted(table->size(), "wrong answer") +
                                       "; a field takes at most " +
                                       std::to_string(JUDGING_MAX_WRONG_ANSWERS));
      for (auto&& [key, value] : *table) {
        WrongAnswer wrong;
        wrong.line = line_of(value);
        std::string answer_what = what + " " + quoted(std::string(key.str())), problem;
        if (!utf8_to_cp1252(std::string(key.str()), &wrong.answer, &problem)) {
          error(wrong.line, answer_what + " " + problem);
          continue;
        }
        if (!check_text(wrong.answer, wrong.line, answer_what, PLAIN_TEXT) ||
            !check_answer(wrong.answer, wrong.line, answer_what) ||
            !read_text(value, answer_what + ": its verdict", PLAIN_TEXT, &wrong.verdict) ||
            !check_verdict(wrong.verdict, wrong.line, answer_what))
          continue;
        question->wrong[j].push_back(wrong);
      }
    }
  }

  // A listed verdict is shown in place of the ladder's: it must be seen, and
  // must not read as solved or as nothing typed.
  bool check_verdict(const std::string& verdict, int line, const std::string& what) {
    if (verdict.empty()) {
      error(line, what + ": its verdict is empty");
      return false;
    }
    if (verdict == RIGHT_WORD || verdict == verdict_text(VERDICT_EMPTY)) {
      error(line, what + ": its verdict " + quoted(verdict) + " would read as " +
                      (verdict == RIGHT_WORD ? "solved" : "nothing typed"));
      return false;
    }
    return true;
  }

  void read_answer(const toml::table& table, const std::string& where, SourceQuestion* question) {
    const toml::node* node = table.get("answer");
    if (!node) {
      error(question->line, where + "no answer: write answer = \"...\"" +
                                (quiz_->answers == 2 ? " with two texts in [ ]" : ""));
      return;
    }
    const toml::array* list = node->as_array();
    size_t given = list ? list->size() : 1;
    if (given != size_t(quiz_->answers)) {
      error(line_of(*node),
            where + "answer must hold " + counted(size_t(quiz_->answers), "text") +
                ", one per answer field (answers = " + std::to_string(quiz_->answers) + ")" +
                (quiz_->answers == 2 ? ", e.g. answer = [\"Rome\", \"Italie\"]" : ""));
      return;
    }
    for (int j = 0; j < quiz_->answers; ++j) {
      const toml::node& value = list ? (*list)[size_t(j)] : *node;
      std::string what = where + (j == 0 ? "answer" : "second answer");
      if (read_text(value, what, PLAIN_TEXT, &question->answer[j]))
        check_answer(question->answer[j], line_of(value), what);
    }
  }

  // The player trims and upper-cases the typed answer but only upper-cases the
  // expected one: an empty expected answer, or one with a blank at either
  // end, could never be matched.
  bool check_answer(const std::string& answer, int line, const std::string& what) {
    if (answer.empty()) {
      error(line, what + " is empty, so no typed answer could ever match it");
      return false;
    }
    if (answer.front() == ' ' || answer.back() == ' ') {
      error(line, what +
                      " has a blank at its start or end; the player trims typed answers, so "
                      "it could never be matched");
      return false;
    }
    return true;
  }

  void read_media(const toml::table& table, const char* key, const std::string& where,
                  MediaRef* media) {
    const toml::node* node = table.get(key);
    if (!node) return;
    media->line = line_of(*node);
    if (!string_value(*node, where + key, &media->path)) return;
    if (media->path.empty()) {
      error(media->line, where + key + " is empty: name a file or leave the key out");
      return;
    }
    if (!kind_known_) return;
    bool picture_key = strcmp(key, "clip") != 0;
    bool picture_kind = quiz_->kind == QUIZ_PICTURE,
         clip_kind = quiz_->kind == QUIZ_AUDIO || quiz_->kind == QUIZ_VIDEO;
    if (picture_key && !picture_kind)
      error(media->line, where + key + ": only a picture quiz shows pictures (kind = " +
                             quoted(kind_name(quiz_->kind)) + ")");
    if (!picture_key && !clip_kind)
      error(media->line, where + "clip: only an audio or a video quiz plays clips (kind = " +
                             quoted(kind_name(quiz_->kind)) + ")");
  }

  void check_whole_quiz(const toml::table& root) {
    size_t count = quiz_->questions.size();
    if (count == 0 && !root.get("question"))
      error(1, "the quiz has no question: add [[question]] tables");
    if (count > QUIZ_MAX_QUESTIONS)
      error(quiz_->questions[QUIZ_MAX_QUESTIONS].line,
            "the quiz has " + std::to_string(count) + " questions; the player holds at most 96");
    int codes_line = root.get("codes") ? line_of(*root.get("codes")) : 1;
    std::string codes_for =
        counted(quiz_->codes.size(), "code") + " for " + counted(count, "question");
    if (quiz_->codes.size() > count && count > 0)
      error(codes_line, codes_for + ": one code per score, from 1 to " + std::to_string(count));
    else if (quiz_->codes.size() < count && count <= QUIZ_MAX_QUESTIONS)
      warning(codes_line, codes_for + ": " +
                              (quiz_->codes.size() + 1 == count
                                   ? "score " + std::to_string(count) + " reveals"
                                   : "scores " + std::to_string(quiz_->codes.size() + 1) + " to " +
                                         std::to_string(count) + " reveal") +
                              " no code");
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
      error(line_of(*node),
            "mastery_score (the questions to solve to pass) must be a whole number from 1 to " +
                std::to_string(count > 0 ? count : 1));
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
      std::string where = "question " + std::to_string(i + 1) + ": ";
      for (int j = 0; j < quiz_->answers; ++j) {
        FieldAnswers answers = {};
        answers.accepted[answers.accepted_count++] = q.answer[j].c_str();
        for (const std::string& other : q.also[j]) {
          if (answers.accepted_count > JUDGING_MAX_ALTERNATIVES) break;
          if (right_with_rules(rules, answers, other.c_str()))
            warning(q.line, field_what(where + "also", size_t(j)) + " " +
                                quoted(cp1252_to_utf8(other)) +
                                " is already accepted once compared; it changes nothing");
          answers.accepted[answers.accepted_count++] = other.c_str();
        }
        for (const WrongAnswer& wrong : q.wrong[j]) {
          int width = verdict_text_width(wrong.verdict.c_str(), room.font);
          if (kind_known_ && width > room.width)
            warning(wrong.line, field_what(where + "wrong", size_t(j)) + " " +
                                    quoted(cp1252_to_utf8(wrong.answer)) + ": its verdict " +
                                    quoted(cp1252_to_utf8(wrong.verdict)) + " is " +
                                    std::to_string(width) +
                                    " pixels wide, and the verdict "
                                    "label shows " +
                                    std::to_string(room.width) + ": it is cut");
          if (answers.wrong_count == JUDGING_MAX_WRONG_ANSWERS) break;
          answers.wrong[answers.wrong_count] = wrong.answer.c_str();
          answers.wrong_verdicts[answers.wrong_count++] = wrong.verdict.c_str();
        }
        for (int w = 0; w < answers.wrong_count; ++w) {
          FieldVerdict judged = judge_with_rules(rules, answers, answers.wrong[w]);
          std::string what = field_what(where + "wrong", size_t(j)) + " " +
                             quoted(cp1252_to_utf8(answers.wrong[w]));
          if (judged.by == JUDGED_RIGHT)
            error(q.wrong[j][size_t(w)].line,
                  what + " is accepted as right (it matches " +
                      quoted(cp1252_to_utf8(answers.accepted[judged.answer])) + ")");
          else if (judged.by == JUDGED_LISTED && judged.answer != w)
            warning(q.wrong[j][size_t(w)].line,
                    what + " is the same answer as " +
                        quoted(cp1252_to_utf8(answers.wrong[judged.answer])) +
                        " once compared; its verdict is never shown");
        }
      }
    }
  }

  void warn_about_media_and_reveals() {
    bool reveals_used = quiz_->answer_mode >= MODE_REVEAL && quiz_->answer_mode <= MODE_REVEAL_ALL;
    bool warned_reveal = false, warned_answer_picture = false;
    if (quiz_->answer_mode == MODE_SECOND_PICTURE && quiz_->kind != QUIZ_PICTURE)
      warning(1, "answer mode \"picture\" swaps in answer pictures, which only a picture quiz has");
    for (size_t i = 0; i < quiz_->questions.size(); ++i) {
      const SourceQuestion& q = quiz_->questions[i];
      std::string number = std::to_string(i + 1);
      if (quiz_->kind == QUIZ_PICTURE && q.picture.path.empty())
        warning(q.line, "question " + number + " has no picture; the player shows an empty frame");
      if ((quiz_->kind == QUIZ_AUDIO || quiz_->kind == QUIZ_VIDEO) && q.clip.path.empty())
        warning(q.line, "question " + number + " has no clip; its play button plays nothing");
      if (!q.reveal.empty() && !reveals_used && !warned_reveal) {
        warned_reveal = true;
        warning(q.line,
                "reveal texts are used only in answer modes \"reveal\", \"reveal-box\" "
                "and \"reveal-all\"; they are left out");
      }
      if (!q.answer_picture.path.empty() && quiz_->answer_mode != MODE_SECOND_PICTURE &&
          !warned_answer_picture) {
        warned_answer_picture = true;
        warning(q.answer_picture.line, "answer pictures are shown only in answer mode \"picture\"");
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

std::string wrong_value(const std::vector<WrongText>& wrong) {
  if (wrong.empty()) return "{}";
  std::string out = "{ ";
  for (size_t i = 0; i < wrong.size(); ++i)
    out += (i ? ", " : "") + toml_string(wrong[i].answer) + " = " + toml_string(wrong[i].verdict);
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
    diagnostics->error(path, int(e.source().begin.line), std::string(e.description()));
  }
  return diagnostics->error_count() == errors_before;
}

bool read_quiz_source(const std::string& path, QuizSource* quiz, Diagnostics* diagnostics) {
  std::string text, problem;
  if (!read_file(path, &text, &problem)) {
    diagnostics->error(path, 0, "cannot read the quiz source: " + problem);
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

std::string wrong_line(const std::vector<WrongText> (&wrong)[2], int answers) {
  return per_field_line("wrong", wrong, answers, wrong_value);
}
