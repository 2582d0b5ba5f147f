// Moodle XML, the question bank format of learning platforms: read and
// written with pugixml (Debian's source package), whose reader is
// fuzzed upstream and leaves out what XML's DTDs would fetch or expand.
#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "html_text.h"
#include "question_bank.h"

namespace {

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The text of an element holding <text>, as its format says: HTML reduced
// to its text, the others as they are.
std::string text_of(const pugi::xml_node& holder, char block_break = ' ', int* pictures = nullptr) {
  std::string text = holder.child("text").text().get();
  std::string format = holder.attribute("format").value();
  if (format == "html" || format == "moodle_auto_format")
    return html_to_text(text, block_break, pictures);
  return block_break == ' ' ? collapse_blanks(text) : text;
}

// An answer's text: a platform compares what is typed with it as it is
// written (its usual moodle_auto_format is not HTML there), so only an answer
// marked as HTML is reduced to its text.
std::string answer_text(const pugi::xml_node& answer) {
  if (!answer.child("text")) return answer.text().get();
  if (std::string(answer.attribute("format").value()) == "html") return text_of(answer);
  return collapse_blanks(answer.child("text").text().get());
}

// Moodle's own names of the other types of question.
Message type_name(const std::string& type) {
  if (type == "multichoice" || type == "multichoiceset") return MSG_TYPE_MULTIPLE_CHOICE;
  if (type == "truefalse") return MSG_TYPE_TRUE_FALSE;
  if (type == "matching" || type == "randomsamatch") return MSG_TYPE_MATCHING;
  if (type == "essay") return MSG_TYPE_ESSAY;
  if (type == "description") return MSG_TYPE_DESCRIPTION;
  if (type == "cloze" || type == "multianswer") return MSG_TYPE_CLOZE;
  return Message(MSG_TYPE_NAMED, {type});
}

// One blank of an embedded-answers (cloze) text: "{1:SHORTANSWER:=Paris~%0%Lyon#Non}".
struct Blank {
  size_t start, end;  // the braces, end past the "}"
  std::string type;
  std::string answers;  // what follows the second ":", still escaped
};

std::vector<Blank> blanks_of(const std::string& text) {
  std::vector<Blank> blanks;
  for (size_t open = text.find('{'); open != std::string::npos; open = text.find('{', open + 1)) {
    size_t first = text.find(':', open),
           second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos) break;
    std::string weight = text.substr(open + 1, first - open - 1);
    if (!weight.empty() && weight.find_first_not_of("0123456789") != std::string::npos) continue;
    size_t close = second + 1;
    while (close < text.size() && !(text[close] == '}' && text[close - 1] != '\\')) ++close;
    if (close >= text.size()) break;
    blanks.push_back({open, close + 1, text.substr(first + 1, second - first - 1),
                      text.substr(second + 1, close - second - 1)});
    open = close;
  }
  return blanks;
}

// A cloze answer's text: "\}", "\#", "\~", "\/", "\"" and "\\" as themselves.
std::string cloze_unescaped(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\\' && at + 1 < text.size()) ++at;
    out += text[at];
  }
  return out;
}

size_t find_unescaped(const std::string& text, char c, size_t from) {
  for (size_t at = from; at < text.size(); ++at) {
    if (text[at] == '\\') {
      ++at;
      continue;
    }
    if (text[at] == c) return at;
  }
  return std::string::npos;
}

class XmlReader {
 public:
  XmlReader(const std::string& bytes, const std::string& file, QuestionBank* bank,
            Diagnostics* diagnostics)
      : bytes_(bytes), file_(file), bank_(bank), diagnostics_(diagnostics) {}

  void read() {
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(bytes_.data(), bytes_.size());
    if (!parsed) {
      diagnostics_->error(file_, line_at(size_t(std::max<ptrdiff_t>(parsed.offset, 0))),
                          Message(MSG_IMPORT_XML_ERROR, {parsed.description()}));
      return;
    }
    pugi::xml_node quiz = document.document_element();
    if (std::string(quiz.name()) != "quiz") {
      diagnostics_->error(file_, line_of(quiz), Message(MSG_IMPORT_NOT_MOODLE, {quiz.name()}));
      return;
    }
    for (pugi::xml_node q : quiz.children("question")) question(q);
  }

 private:
  int line_at(size_t offset) {
    offset = std::min(offset, bytes_.size());
    return 1 + int(std::count(bytes_.begin(), bytes_.begin() + ptrdiff_t(offset), '\n'));
  }
  int line_of(const pugi::xml_node& node) {
    ptrdiff_t offset = node.offset_debug();
    return offset < 0 ? 0 : line_at(size_t(offset));
  }
  void warn(int line, const Message& why) { diagnostics_->warning(file_, line, why); }

  void question(const pugi::xml_node& q) {
    std::string type = q.attribute("type").value();
    int line = line_of(q);
    if (type == "category") {
      std::string path = trimmed(q.child("category").child("text").text().get());
      if (bank_->title.empty() && !path.empty()) bank_->title = path.substr(path.rfind('/') + 1);
      return;
    }
    BankQuestion question;
    question.line = line;
    question.reveal = text_of(q.child("generalfeedback"), '\n');
    bool kept = type == "shortanswer" || type == "numerical" ? short_answer(q, &question)
                : type == "cloze"                            ? cloze(q, &question)
                                                             : false;
    if (!kept && type != "shortanswer" && type != "numerical" && type != "cloze")
      warn(line, Message(MSG_IMPORT_OTHER_TYPE, {type_name(type)}));
    if (!kept) return;
    bank_->questions.push_back(question);
  }

  // Right at 100 %, an anticipated wrong answer at 0 % with its feedback,
  // left out otherwise.
  void keep(const std::string& answer, double fraction, const std::string& feedback, int field,
            int line, BankQuestion* q) {
    if (fraction >= 99.99)
      q->answers[field].push_back(answer);
    else if (fraction <= 0 && !feedback.empty())
      q->wrong[field].push_back({answer, feedback});
    else
      warn(line, Message(MSG_IMPORT_PARTIAL_ANSWER,
                         {answer, number(static_cast<long long>(fraction + 0.5))}));
  }

  bool short_answer(const pugi::xml_node& q, BankQuestion* question) {
    int pictures = 0;
    question->text = text_of(q.child("questiontext"), ' ', &pictures);
    if (pictures > 0) warn(question->line, MSG_IMPORT_PICTURE_LEFT_OUT);
    bool numerical = std::string(q.attribute("type").value()) == "numerical";
    for (pugi::xml_node a : q.children("answer")) {
      std::string answer = trimmed(answer_text(a));
      std::string tolerance = trimmed(a.child("tolerance").text().get());
      if (numerical && strtod(tolerance.c_str(), nullptr) != 0)
        warn(line_of(a), Message(MSG_IMPORT_TOLERANCE, {answer, tolerance}));
      keep(answer, a.attribute("fraction").as_double(), text_of(a.child("feedback")), 0, line_of(a),
           question);
    }
    return true;
  }

  // Embedded answers: one or two typed blanks make a question of one or two
  // answer fields. With two, the text before each blank on its line is its
  // field's label, and the lines before the first one the question.
  bool cloze(const pugi::xml_node& q, BankQuestion* question) {
    std::string text = text_of(q.child("questiontext"), '\n');
    std::vector<Blank> blanks = blanks_of(text);
    bool typed = !blanks.empty() && blanks.size() <= 2;
    for (const Blank& b : blanks) {
      static const char* const TYPED[] = {"SHORTANSWER",   "SA",  "MW", "NUMERICAL", "NM",
                                          "SHORTANSWER_C", "SAC", "MWC"};
      bool known = false;
      for (const char* t : TYPED) known = known || b.type == t;
      typed = typed && known;
    }
    if (!typed) {
      warn(question->line, Message(MSG_IMPORT_OTHER_TYPE, {MSG_TYPE_CLOZE}));
      return false;
    }
    if (blanks.size() == 1) {
      question->text =
          collapse_blanks(text.substr(0, blanks[0].start) + "_____" + text.substr(blanks[0].end));
    } else {
      size_t line_start = text.rfind('\n', blanks[0].start);
      line_start = line_start == std::string::npos ? 0 : line_start + 1;
      question->text = collapse_blanks(text.substr(0, line_start));
      for (int i = 0; i < 2; ++i) {
        size_t from = i == 0 ? line_start : blanks[0].end;
        size_t newline = text.rfind('\n', blanks[size_t(i)].start);
        if (newline != std::string::npos && newline + 1 > from) from = newline + 1;
        std::string label = collapse_blanks(text.substr(from, blanks[size_t(i)].start - from));
        while (!label.empty() && (label.back() == ':' || label.back() == ' ')) label.pop_back();
        if (bank_->labels[i].empty()) bank_->labels[i] = label;
      }
    }
    for (size_t i = 0; i < blanks.size(); ++i) {
      const std::string& list = blanks[i].answers;
      for (size_t at = 0; at < list.size();) {
        size_t next = find_unescaped(list, '~', at);
        std::string item =
            list.substr(at, next == std::string::npos ? std::string::npos : next - at);
        at = next == std::string::npos ? list.size() : next + 1;
        double fraction = 0;
        if (!item.empty() && item[0] == '=') {
          fraction = 100;
          item.erase(0, 1);
        } else if (!item.empty() && item[0] == '%') {
          size_t close = item.find('%', 1);
          fraction = atof(item.substr(1, close == std::string::npos ? 0 : close - 1).c_str());
          item.erase(0, close == std::string::npos ? item.size() : close + 1);
        }
        std::string feedback;
        size_t hash = find_unescaped(item, '#', 0);
        if (hash != std::string::npos) {
          feedback = collapse_blanks(cloze_unescaped(item.substr(hash + 1)));
          item.erase(hash);
        }
        std::string answer = collapse_blanks(cloze_unescaped(item));
        if (!answer.empty() || fraction > 0)
          keep(answer, fraction, feedback, int(i), question->line, question);
      }
    }
    question->fields = int(blanks.size());
    return true;
  }

  const std::string& bytes_;
  const std::string& file_;
  QuestionBank* bank_;
  Diagnostics* diagnostics_;
};

// The text of a question as Moodle shows it: one paragraph per line.
std::string paragraphs(const std::string& text) {
  std::string html;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) html += "<p>" + html_escaped(line) + "</p>";
    start = end + 1;
  }
  return html;
}

// An answer inside a cloze blank, its special characters escaped.
std::string cloze_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '}' || c == '#' || c == '~' || c == '/' || c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

void add_text(pugi::xml_node parent, const char* name, const std::string& text,
              const char* format = nullptr) {
  pugi::xml_node holder = parent.append_child(name);
  if (format) holder.append_attribute("format") = format;
  holder.append_child("text").text() = text.c_str();
}

}  // namespace

void read_moodle_xml(const std::string& bytes, const std::string& file, QuestionBank* bank,
                     Diagnostics* diagnostics) {
  XmlReader(bytes, file, bank, diagnostics).read();
}

std::string export_moodle_xml(const QuizSource& quiz, Language language) {
  QuestionBank bank = bank_of_quiz(quiz);
  pugi::xml_document document;
  document.append_child(pugi::node_comment)
      .set_value((" " + say(Message(MSG_EXPORT_HEADER, {bank.title}), language) + " ").c_str());
  pugi::xml_node root = document.append_child("quiz");
  pugi::xml_node category = root.append_child("question");
  category.append_attribute("type") = "category";
  add_text(category, "category", "$course$/top/" + bank.title);
  for (size_t i = 0; i < bank.questions.size(); ++i) {
    const BankQuestion& q = bank.questions[i];
    pugi::xml_node question = root.append_child("question");
    question.append_attribute("type") = bank.fields == 2 ? "cloze" : "shortanswer";
    add_text(question, "name", bank.title + " " + std::to_string(i + 1));
    std::string html = paragraphs(q.text);
    if (bank.fields == 2) {
      // One paragraph per field: its label, then its blank.
      for (int j = 0; j < 2; ++j) {
        std::string blank = "{1:SHORTANSWER:";
        for (const std::string& answer : q.answers[j]) blank += "=" + cloze_escaped(answer) + "~";
        for (const auto& [answer, verdict] : q.wrong[j])
          blank += "%0%" + cloze_escaped(answer) + "#" + cloze_escaped(verdict) + "~";
        blank.back() = '}';
        html += "<p>" + html_escaped(bank.labels[j].empty() ? "" : bank.labels[j] + " : ") +
                html_escaped(blank) + "</p>";
      }
    }
    add_text(question, "questiontext", html, "html");
    add_text(question, "generalfeedback", paragraphs(q.reveal), "html");
    question.append_child("defaultgrade").text() = "1";
    question.append_child("penalty").text() = "0.3333333";
    question.append_child("hidden").text() = "0";
    if (bank.fields == 2) continue;
    question.append_child("usecase").text() = "0";  // the player ignores the case of a to z
    for (const std::string& answer : q.answers[0]) {
      pugi::xml_node a = question.append_child("answer");
      a.append_attribute("fraction") = "100";
      a.append_attribute("format") = "moodle_auto_format";
      a.append_child("text").text() = answer.c_str();
    }
    for (const auto& [answer, verdict] : q.wrong[0]) {
      pugi::xml_node a = question.append_child("answer");
      a.append_attribute("fraction") = "0";
      a.append_attribute("format") = "moodle_auto_format";
      a.append_child("text").text() = answer.c_str();
      add_text(a, "feedback", html_escaped(verdict), "html");
    }
  }
  std::ostringstream out;
  document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
  return out.str();
}
