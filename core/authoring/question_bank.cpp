#include "question_bank.h"

#include <cctype>

#include "cp1252.h"

namespace {

std::string lower_extension(const std::string& name) {
  size_t dot = name.rfind('.');
  size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = name.substr(dot);
  for (char& c : extension) c = char(tolower(static_cast<unsigned char>(c)));
  return extension;
}

// The file's name without its folder and extension: the quiz's title when
// its questions name none.
std::string stem(const std::string& name) {
  size_t slash = name.find_last_of("/\\");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  size_t dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::string utf16_to_utf8(const std::string& bytes, size_t start, bool little) {
  std::string out;
  for (size_t at = start; at + 1 < bytes.size(); at += 2) {
    uint32_t unit = little ? uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8
                           : uint8_t(bytes[at]) << 8 | uint8_t(bytes[at + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < bytes.size()) {
      uint32_t low = little ? uint8_t(bytes[at + 2]) | uint8_t(bytes[at + 3]) << 8
                            : uint8_t(bytes[at + 2]) << 8 | uint8_t(bytes[at + 3]);
      if (low >= 0xDC00 && low < 0xE000) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (unit >= 0xD800 && unit < 0xE000) unit = 0xFFFD;  // a surrogate alone
    append_utf8(unit, &out);
  }
  return out;
}

// Whether a text holds a GIFT answer block: a "{" closed by a "}".
bool looks_like_gift(const std::string& text) {
  size_t open = text.find('{');
  return open != std::string::npos && text.find('}', open) != std::string::npos;
}

// The problem that leaves a question out, as import says it: the part of
// the question the check names, with its problem.
Message left_out(const Diagnostic& d) {
  const Message& name = d.about.name;
  if (name.id == MSG_NAME_QUESTION_PART && name.args.size() == 2)
    return Message(MSG_IMPORT_LEFT_OUT, {name.args[1], d.problem});
  return Message(MSG_IMPORT_LEFT_OUT_WHOLE, {d.problem});
}

class FormMaker {
 public:
  FormMaker(const QuestionBank& bank, const std::string& file, Diagnostics* diagnostics,
            const std::function<bool(const std::string&)>& media_exists)
      : bank_(bank), file_(file), diagnostics_(diagnostics), media_exists_(media_exists) {}

  void make(ImportedQuiz* imported) {
    QuizForm& form = imported->form;
    form = QuizForm();
    int fields = bank_.questions.empty() ? 1 : bank_.questions[0].fields;
    bool pictures = false, untitled = !bank_.questions.empty(), reveals = false,
         answer_pictures = false;
    for (const BankQuestion& q : bank_.questions) {
      pictures = pictures || !q.picture.empty();
      untitled = untitled && q.text.empty();
      reveals = reveals || !q.reveal.empty();
      answer_pictures = answer_pictures || !q.answer_picture.empty();
    }
    // Only a grid of questions has two answer fields, or none of its
    // questions' texts to show; in a text quiz a question without one is
    // left out.
    form.kind = fields == 2 || pictures || untitled ? "picture" : "text";
    form.answers = fields;
    form.title = bank_.title.empty() ? stem(file_) : bank_.title;
    Message why;
    if (title_refused(form, &why)) {
      std::string given = is_utf8(form.title) ? form.title : cp1252_to_utf8(form.title);
      Message reason = why;
      form.title = stem(file_);
      if (title_refused(form, &why)) form.title = "Quiz";
      diagnostics_->warning(file_, 0,
                            Message(MSG_IMPORT_TITLE_REPLACED, {given, reason, form.title}));
    }
    if (fields == 2) {
      form.labels[0] = bank_.labels[0];
      form.labels[1] = bank_.labels[1];
    }
    form.answer_mode = answer_pictures ? "picture" : reveals ? "reveal" : "";
    for (const BankQuestion& q : bank_.questions) {
      if (q.fields != fields) {
        warn(q.line, Message(MSG_IMPORT_FIELDS_DIFFER, {number(q.fields), number(fields)}));
        ++imported->left_out;
        continue;
      }
      FormQuestion question;
      if (!checked(form, q, &question)) {
        ++imported->left_out;
        continue;
      }
      if (!q.picture.empty() && media_exists_ && !media_exists_(q.picture))
        warn(q.line, Message(MSG_IMPORT_PICTURE_MISSING, {q.picture}));
      if (!q.answer_picture.empty() && media_exists_ && !media_exists_(q.answer_picture))
        warn(q.line, Message(MSG_IMPORT_PICTURE_MISSING, {q.answer_picture}));
      form.questions.push_back(question);
    }
    if (form.questions.size() > QUIZ_MAX_QUESTIONS) {
      diagnostics_->warning(file_, 0,
                            Message(MSG_IMPORT_TOO_MANY, {number(form.questions.size())}));
      imported->left_out += int(form.questions.size()) - QUIZ_MAX_QUESTIONS;
      form.questions.resize(QUIZ_MAX_QUESTIONS);
    }
  }

 private:
  void warn(int line, const Message& why) { diagnostics_->warning(file_, line, why); }

  // The first error the source's checks find in a quiz of this one
  // question; false when there is none.
  bool refused(const QuizForm& form, const FormQuestion& question, Diagnostic* first) {
    QuizForm trial = form;
    trial.title = "T";
    trial.questions = {question};
    QuizSource quiz;
    Diagnostics diagnostics;
    if (parse_quiz_source(write_form_source(trial), "import.toml", &quiz, &diagnostics))
      return false;
    for (const Diagnostic& d : diagnostics.list())
      if (d.error) {
        *first = d;
        return true;
      }
    return false;
  }

  // The first error the checks find in the form's title; false when they
  // take it.
  bool title_refused(const QuizForm& form, Message* first) {
    if (!is_utf8(form.title)) {  // bytes a source cannot hold at all
      *first = MSG_NOT_UTF8;
      return true;
    }
    QuizForm trial = form;
    FormQuestion question;
    question.text = "Q";
    question.answer[0] = question.answer[1] = "A";
    trial.questions = {question};
    QuizSource quiz;
    Diagnostics diagnostics;
    parse_quiz_source(write_form_source(trial), "import.toml", &quiz, &diagnostics);
    for (const Diagnostic& d : diagnostics.list())
      if (d.error && d.about.field == "title") {
        *first = d.problem;
        return true;
      }
    return false;
  }

  // The question as the quiz takes it: its other accepted and wrong
  // answers that the checks refuse are left out, each told; false, told,
  // when the checks refuse the question itself.
  bool checked(const QuizForm& form, const BankQuestion& q, FormQuestion* question) {
    Diagnostic why;
    // A text quiz shows each question's text: one without would ask nothing.
    if (form.kind == "text" && q.text.empty()) {
      warn(q.line, Message(MSG_IMPORT_LEFT_OUT_WHOLE, {MSG_QUESTION_NO_TEXT}));
      return false;
    }
    question->text = q.text;
    question->reveal = q.reveal;
    question->picture = q.picture;
    question->answer_picture = q.answer_picture;
    for (int j = 0; j < form.answers; ++j)
      question->answer[j] = q.answers[j].empty() ? "" : q.answers[j][0];
    if (refused(form, *question, &why)) {
      warn(q.line, left_out(why));
      return false;
    }
    for (int j = 0; j < form.answers; ++j) {
      const std::vector<std::string>& answers = q.answers[j];
      size_t others = answers.empty() ? 0 : answers.size() - 1;
      if (others > JUDGING_MAX_ALTERNATIVES)
        warn(q.line, Message(MSG_IMPORT_TOO_MANY_ALSO, {number(others)}));
      for (size_t i = 1; i < answers.size() && question->also[j].size() < JUDGING_MAX_ALTERNATIVES;
           ++i) {
        if (refused(form, plain_question(form, answers[i], j), &why))
          warn(q.line, Message(MSG_IMPORT_ANSWER_LEFT_OUT, {answers[i], why.problem}));
        else
          question->also[j].push_back(answers[i]);
      }
      if (q.wrong[j].size() > JUDGING_MAX_WRONG_ANSWERS)
        warn(q.line, Message(MSG_IMPORT_TOO_MANY_WRONG, {number(q.wrong[j].size())}));
      for (const auto& [answer, verdict] : q.wrong[j]) {
        if (question->wrong[j].size() == JUDGING_MAX_WRONG_ANSWERS) break;
        if (lists_wrong(question->wrong[j], question->wrong[j].size(),
                        answer)) {  // a source lists each wrong answer once
          warn(q.line, Message(MSG_IMPORT_WRONG_TWICE, {answer}));
          continue;
        }
        FormQuestion alone = *question;
        alone.wrong[j] = {{answer, verdict}};
        if (refused(form, alone, &why))
          warn(q.line, Message(MSG_IMPORT_WRONG_LEFT_OUT, {answer, why.problem}));
        else
          question->wrong[j].push_back({answer, verdict});
      }
    }
    return true;
  }

  // A question of a text and this answer alone in field j (the other field
  // answered), to check one answer by itself.
  static FormQuestion plain_question(const QuizForm& form, const std::string& answer, int j) {
    FormQuestion alone;
    alone.text = "Q";
    for (int k = 0; k < form.answers; ++k) alone.answer[k] = "A";
    alone.answer[j] = answer;
    return alone;
  }

  const QuestionBank& bank_;
  const std::string& file_;
  Diagnostics* diagnostics_;
  const std::function<bool(const std::string&)>& media_exists_;
};

}  // namespace

std::string text_of_bytes(const std::string& bytes) {
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.compare(0, 2, "\xFF\xFE") == 0) return utf16_to_utf8(bytes, 2, true);
  if (bytes.compare(0, 2, "\xFE\xFF") == 0) return utf16_to_utf8(bytes, 2, false);
  return is_utf8(bytes) ? bytes : cp1252_to_utf8(bytes);
}

BankFormat bank_format(const std::string& name, const std::string& bytes) {
  std::string extension = lower_extension(name);
  if (extension == ".gift") return BankFormat::GIFT;
  if (extension == ".xml") return BankFormat::MOODLE_XML;
  if (extension == ".csv" || extension == ".tsv") return BankFormat::SPREADSHEET;
  std::string text = text_of_bytes(bytes.substr(0, 65536));
  if (text.find('\0') != std::string::npos) return BankFormat::UNKNOWN;  // not text at all
  size_t first = text.find_first_not_of(" \t\r\n");
  if (extension != ".txt" && first != std::string::npos && text[first] == '<')
    return BankFormat::MOODLE_XML;
  if (extension != ".txt" && !extension.empty()) return BankFormat::UNKNOWN;
  return looks_like_gift(text) ? BankFormat::GIFT : BankFormat::SPREADSHEET;
}

bool import_questions(const std::string& bytes, const std::string& file, ImportedQuiz* imported,
                      Diagnostics* diagnostics,
                      const std::function<bool(const std::string&)>& media_exists) {
  *imported = ImportedQuiz();
  QuestionBank bank;
  size_t errors = diagnostics->error_count(), warnings = diagnostics->list().size();
  switch (bank_format(file, bytes)) {
    case BankFormat::GIFT: read_gift(text_of_bytes(bytes), file, &bank, diagnostics); break;
    case BankFormat::MOODLE_XML: read_moodle_xml(bytes, file, &bank, diagnostics); break;
    case BankFormat::SPREADSHEET:
      read_spreadsheet(text_of_bytes(bytes), file, &bank, diagnostics);
      break;
    case BankFormat::UNKNOWN: diagnostics->error(file, 0, MSG_IMPORT_UNKNOWN_FORMAT); return false;
  }
  if (diagnostics->error_count() != errors) return false;
  // What the readers left out: each question of another type, or that they
  // could not read.
  for (size_t i = warnings; i < diagnostics->list().size(); ++i) {
    MessageId id = diagnostics->list()[i].problem.id;
    imported->left_out += id == MSG_IMPORT_OTHER_TYPE || id == MSG_IMPORT_NUMBER_RANGE ||
                          id == MSG_IMPORT_GIFT_UNCLOSED;
  }
  FormMaker(bank, file, diagnostics, media_exists).make(imported);
  if (!imported->form.questions.empty()) return true;
  diagnostics->error(file, 0, MSG_IMPORT_NOTHING);
  return false;
}

QuestionBank bank_of_quiz(const QuizSource& quiz) {
  QuestionBank bank;
  bank.title = cp1252_to_utf8(quiz.title);
  bank.fields = quiz.answers;
  for (int j = 0; j < 2; ++j) bank.labels[j] = cp1252_to_utf8(quiz.labels[j]);
  for (const SourceQuestion& source : quiz.questions) {
    BankQuestion q;
    q.line = source.line;
    q.fields = quiz.answers;
    q.text = cp1252_to_utf8(source.text);
    q.reveal = cp1252_to_utf8(source.reveal);
    q.picture = source.picture.path;
    q.answer_picture = source.answer_picture.path;
    for (int j = 0; j < quiz.answers; ++j) {
      q.answers[j].push_back(cp1252_to_utf8(source.answer[j]));
      for (const std::string& also : source.also[j]) q.answers[j].push_back(cp1252_to_utf8(also));
      for (const WrongAnswer& w : source.wrong[j])
        q.wrong[j].push_back({cp1252_to_utf8(w.answer), cp1252_to_utf8(w.verdict)});
    }
    bank.questions.push_back(q);
  }
  return bank;
}

std::string import_message_french(const Diagnostic& d) {
  std::string text = d.text(Language::FRENCH);
  return d.line > 0 ? say(Message(MSG_IMPORT_AT_LINE, {number(d.line), text}), Language::FRENCH)
                    : text;
}
