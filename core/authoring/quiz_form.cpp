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

void read_question(const toml::table& table, FormQuestion* q) {
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
}

void read_quiz(const toml::table& root, QuizForm* form) {
  form->kind = text_at(root, "kind");
  if (std::optional<int64_t> answers = root["answers"].value_exact<int64_t>())
    form->answers = *answers == 2 ? 2 : 1;
  form->title = text_at(root, "title");
  form->author = text_at(root, "author");
  form->explanation = text_at(root, "explanation");
  form->labels[0] = text_at(root, "answer1_label");
  form->labels[1] = text_at(root, "answer2_label");
  form->answer_mode = text_at(root, "answer_mode");
  form->background = text_at(root, "background");
  if (const toml::array* codes = root["codes"].as_array())
    for (const toml::node& code : *codes) form->codes.push_back(text_of(&code));
  if (const toml::array* questions = root["question"].as_array()) {
    for (const toml::node& node : *questions) {
      const toml::table* table = node.as_table();
      if (!table) continue;
      form->questions.emplace_back();
      read_question(*table, &form->questions.back());
    }
  }
}

}  // namespace

std::string write_form_source(const QuizForm& form) {
  std::string out;
  if (!form.kind.empty()) out += line("kind", form.kind);
  out += line("title", form.title);
  out += line("author", form.author);
  out += line("explanation", form.explanation);
  out += "answers = " + std::to_string(form.answers) + "\n";
  out += line("answer1_label", form.labels[0]);
  out += line("answer2_label", form.labels[1]);
  if (!form.answer_mode.empty()) out += line("answer_mode", form.answer_mode);
  if (!form.background.empty()) out += line("background", form.background);
  out += "codes = [\n";
  for (const std::string& code : form.codes) out += "  " + toml_quoted(code) + ",\n";
  out += "]\n";
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
  }
  return out;
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
