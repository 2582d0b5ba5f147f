#include "quiz_form.h"

#include <toml++/toml.h>

#include "quiz_source.h"

namespace {

std::string line(const char* key, const std::string& value) {
  return std::string(key) + " = " + toml_quoted(value) + "\n";
}

std::string text_of(const toml::node* node) {
  const toml::value<std::string>* value = node ? node->as_string() : nullptr;
  return value ? value->get() : std::string();
}

std::string text_at(const toml::table& table, const char* key) { return text_of(table.get(key)); }

void read_judging(const toml::node* node, FormJudging* judging) {
  const toml::table* table = node ? node->as_table() : nullptr;
  if (!table) return;
  judging->present = true;
  for (const FormJudgingKey& k : FORM_JUDGING_KEYS) {
    std::optional<bool> on = (*table)[k.key].value_exact<bool>();
    judging->*k.value = !k.flag ? text_at(*table, k.key)
                        : on    ? std::string(*on ? "true" : "false")
                                : "";
  }
}

// A key given once per answer field: the value itself with one field, a
// list of two with two (as the source reader takes it).
std::vector<const toml::node*> per_field(const toml::node* node, int answers) {
  if (!node) return {};
  if (answers == 1) return {node};
  const toml::array* list = node->as_array();
  if (!list) return {};
  std::vector<const toml::node*> fields;
  for (size_t j = 0; j < list->size() && j < 2; ++j) fields.push_back(list->get(j));
  return fields;
}

void read_lists(const toml::table& table, int answers, FormQuestion* q) {
  std::vector<const toml::node*> also = per_field(table.get("also"), answers);
  for (size_t j = 0; j < also.size(); ++j)
    if (const toml::array* texts = also[j]->as_array())
      for (const toml::node& text : *texts) q->also[j].push_back(text_of(&text));
  std::vector<const toml::node*> wrong = per_field(table.get("wrong"), answers);
  for (size_t j = 0; j < wrong.size(); ++j)
    if (const toml::table* answers_of = wrong[j]->as_table())
      for (auto&& [key, verdict] : *answers_of)
        q->wrong[j].push_back({std::string(key.str()), text_of(&verdict)});
}

void read_question(const toml::table& table, int answers, FormQuestion* q) {
  q->text = text_at(table, "text");
  const toml::node* answer = table.get("answer");
  if (const toml::array* list = answer ? answer->as_array() : nullptr) {
    for (size_t j = 0; j < list->size() && j < 2; ++j) q->answer[j] = text_of(list->get(j));
  } else {
    q->answer[0] = text_of(answer);
  }
  q->reveal = text_at(table, "reveal");
  q->picture = text_at(table, "picture");
  q->answer_picture = text_at(table, "answer_picture");
  q->clip = text_at(table, "clip");
  read_lists(table, answers, q);
  read_judging(table.get("judging"), &q->judging);
}

void read_quiz(const toml::table& root, QuizForm* form) {
  form->kind = text_at(root, "kind");
  if (std::optional<int64_t> answers = root["answers"].value_exact<int64_t>())
    form->answers = *answers == 2 ? 2 : 1;
  form->title = text_at(root, "title");
  form->author = text_at(root, "author");
  form->explanation = text_at(root, "explanation");
  form->link = text_at(root, "link");
  form->link_text = text_at(root, "link_text");
  form->labels[0] = text_at(root, "answer1_label");
  form->labels[1] = text_at(root, "answer2_label");
  form->answer_mode = text_at(root, "answer_mode");
  form->background = text_at(root, "background");
  if (const toml::array* codes = root["codes"].as_array())
    for (const toml::node& code : *codes) form->codes.push_back(text_of(&code));
  if (std::optional<int64_t> mastery = root["mastery_score"].value_exact<int64_t>())
    form->mastery_score = std::to_string(*mastery);
  else
    form->mastery_score = text_at(root, "mastery_score");
  read_judging(root.get("judging"), &form->judging);
  if (const toml::array* questions = root["question"].as_array()) {
    for (const toml::node& node : *questions) {
      const toml::table* table = node.as_table();
      if (!table) continue;
      form->questions.emplace_back();
      read_question(*table, form->answers, &form->questions.back());
    }
  }
}

// The items of a judging table that are given, "key = value" each, in the
// order dump writes them.
std::vector<std::string> judging_items(const FormJudging& judging) {
  std::vector<std::string> items;
  // A flag that is not "true" or "false" cannot come from the form's
  // controls; written quoted, the checks refuse it.
  for (const FormJudgingKey& k : FORM_JUDGING_KEYS) {
    const std::string& value = judging.*k.value;
    if (value.empty()) continue;
    bool bare = k.flag && (value == "true" || value == "false");
    items.push_back(std::string(k.key) + " = " + (bare ? value : toml_quoted(value)));
  }
  return items;
}

}  // namespace

const FormJudgingKey FORM_JUDGING_KEYS[FORM_JUDGING_KEY_COUNT] = {
    {"preset", &FormJudging::preset, false},
    {"accented_case", &FormJudging::accented_case, true},
    {"accents", &FormJudging::accents, false},
    {"articles", &FormJudging::articles, true},
    {"hyphens", &FormJudging::hyphens, true},
    {"punctuation", &FormJudging::punctuation, true},
    {"ligatures", &FormJudging::ligatures, true},
    {"unaccented_capitals", &FormJudging::unaccented_capitals, true},
    {"numbers", &FormJudging::numbers, true},
    {"optional_circumflex", &FormJudging::optional_circumflex, true},
    {"capital_articles", &FormJudging::capital_articles, true}};

FormUse form_use(const QuizForm& form) {
  FormUse use;
  bool text = form.kind == "text", picture = form.kind == "picture",
       clip = form.kind == "audio" || form.kind == "video";
  use.known_kind = text || picture || clip;
  use.question_text = text || !use.known_kind;
  use.answers = text ? 1 : form.answers;
  use.labels = !text && use.answers == 2;
  use.picture_mode = picture || !use.known_kind;
  use.answer_mode = form.answer_mode == "picture" && !use.picture_mode ? "none" : form.answer_mode;
  use.reveal = use.answer_mode == "reveal" || use.answer_mode == "reveal-box" ||
               use.answer_mode == "reveal-all" || !use.known_kind;
  use.picture = picture || !use.known_kind;
  use.answer_picture = (picture && use.answer_mode == "picture") || !use.known_kind;
  use.clip = clip || !use.known_kind;
  return use;
}

QuizForm used_form(const QuizForm& form) {
  FormUse use = form_use(form);
  QuizForm used = form;
  used.answers = use.answers;
  used.answer_mode = use.answer_mode;
  if (!use.labels) used.labels[0] = used.labels[1] = "";
  for (FormQuestion& q : used.questions) {
    if (!use.question_text) q.text = "";
    if (!use.reveal) q.reveal = "";
    if (!use.picture) q.picture = "";
    if (!use.answer_picture) q.answer_picture = "";
    if (!use.clip) q.clip = "";
    if (use.answers == 1) {
      q.answer[1] = "";
      q.also[1].clear();
      q.wrong[1].clear();
    }
  }
  return used;
}

std::string write_form_source(const QuizForm& form) {
  std::string out;
  if (!form.kind.empty()) out += line("kind", form.kind);
  out += line("title", form.title);
  out += line("author", form.author);
  out += line("explanation", form.explanation);
  if (!form.link.empty()) out += line("link", form.link);
  if (!form.link_text.empty()) out += line("link_text", form.link_text);
  out += "answers = " + std::to_string(form.answers) + "\n";
  out += line("answer1_label", form.labels[0]);
  out += line("answer2_label", form.labels[1]);
  if (!form.answer_mode.empty()) out += line("answer_mode", form.answer_mode);
  if (!form.background.empty()) out += line("background", form.background);
  out += "codes = [\n";
  for (const std::string& code : form.codes) out += "  " + toml_quoted(code) + ",\n";
  out += "]\n";
  // A number as typed; anything else quoted, which the checks refuse.
  const std::string& mastery = form.mastery_score;
  if (!mastery.empty())
    out += "mastery_score = " +
           (mastery.size() <= 9 && mastery.find_first_not_of("0123456789") == std::string::npos
                ? mastery
                : toml_quoted(mastery)) +
           "\n";
  if (form.judging.present) {
    out += "\n[judging]\n";
    for (const std::string& item : judging_items(form.judging)) out += item + "\n";
  }
  for (const FormQuestion& q : form.questions) {
    out += "\n[[question]]\n";
    if (!q.text.empty() || form.kind == "text") out += line("text", q.text);
    if (form.answers == 2)
      out += "answer = [" + toml_quoted(q.answer[0]) + ", " + toml_quoted(q.answer[1]) + "]\n";
    else
      out += line("answer", q.answer[0]);
    if (!q.reveal.empty()) out += line("reveal", q.reveal);
    if (!q.picture.empty()) out += line("picture", q.picture);
    if (!q.answer_picture.empty()) out += line("answer_picture", q.answer_picture);
    if (!q.clip.empty()) out += line("clip", q.clip);
    out += also_line(q.also, form.answers);
    out += wrong_line(q.wrong, form.answers);
    std::vector<std::string> own = judging_items(q.judging);
    if (q.judging.present || !own.empty()) {
      out += "judging = { ";
      for (size_t i = 0; i < own.size(); ++i) out += (i ? ", " : "") + own[i];
      out += own.empty() ? "}\n" : " }\n";
    }
  }
  return out;
}

void form_repeats(const QuizForm& form, Diagnostics* diagnostics) {
  for (size_t i = 0; i < form.questions.size(); ++i)
    for (int j = 0; j < (form.answers == 2 ? 2 : 1); ++j) {
      const std::vector<FormWrong>& wrong = form.questions[i].wrong[j];
      for (size_t n = 0; n < wrong.size(); ++n) {
        if (!lists_wrong(wrong, n, wrong[n].answer)) continue;
        Message part = form.answers == 2 ? Message(MSG_PART_WRONG_FIELD, {number(j + 1)})
                                         : Message(MSG_PART_WRONG);
        Message field(MSG_NAME_QUESTION_PART, {number(static_cast<long long>(i) + 1), part});
        diagnostics->warning("quiz.toml", 0, Message(MSG_WRONG_REPEATED, {wrong[n].answer}),
                             {"q" + std::to_string(i + 1) + ".wrong" + std::to_string(j + 1),
                              Message(MSG_NAME_WRONG_ANSWER, {field, wrong[n].answer})});
      }
    }
}

bool read_form_source(const std::string& text, QuizForm* form, std::string* problem) {
  *form = QuizForm();
  try {
    read_quiz(toml::parse(text), form);
  } catch (const toml::parse_error& e) {
    *problem =
        "line " + std::to_string(e.source().begin.line) + ": " + std::string(e.description());
    return false;
  }
  return true;
}

QuizForm trial_form(const QuizForm& form, size_t index) {
  QuizForm trial;
  trial.answers = form.answers == 2 ? 2 : 1;
  trial.kind = trial.answers == 2 ? "picture" : "text";  // a text quiz has one field
  trial.title = "essai";
  trial.judging = form.judging;
  // Options in any question make the whole quiz judged with them.
  for (const FormQuestion& q : form.questions)
    for (int j = 0; j < 2; ++j)
      if (!q.also[j].empty() || !q.wrong[j].empty() || q.judging.present ||
          !judging_items(q.judging).empty())
        trial.judging.present = true;
  const FormQuestion& from = form.questions[index];
  FormQuestion q;
  q.text = "essai";
  for (int j = 0; j < 2; ++j) {
    q.answer[j] = from.answer[j];
    q.also[j] = from.also[j];
    q.wrong[j] = from.wrong[j];
  }
  q.judging = from.judging;
  trial.questions.push_back(q);
  return trial;
}
