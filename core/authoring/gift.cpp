// GIFT, the text format in which learning platforms import and export
// questions: one question per paragraph, its answers between braces. A
// small reader of our own: no library in Debian reads it.
#include <cstdlib>
#include <cstring>

#include "html_text.h"
#include "question_bank.h"

namespace {

const char ESCAPED[] = "~=#{}:\\";

bool escaped_at(const std::string& text, size_t at) {
  // A character is escaped by an odd run of backslashes before it.
  size_t slashes = 0;
  while (at > slashes && text[at - slashes - 1] == '\\') ++slashes;
  return slashes % 2 == 1;
}

// The first of `chars` at or after `from` that no backslash escapes.
size_t find_plain(const std::string& text, const char* chars, size_t from = 0) {
  for (size_t at = text.find_first_of(chars, from); at != std::string::npos;
       at = text.find_first_of(chars, at + 1))
    if (!escaped_at(text, at)) return at;
  return std::string::npos;
}

// "\~ \= \# \{ \} \: \\" as the characters, "\n" as a line break.
std::string unescaped(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\\' && at + 1 < text.size()) {
      char next = text[at + 1];
      if (next == 'n') {
        out += '\n';
        ++at;
        continue;
      }
      if (strchr(ESCAPED, next)) {
        out += next;
        ++at;
        continue;
      }
    }
    out += text[at];
  }
  return out;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

struct Answer {
  char mark;          // '=' or '~'
  int percent = 100;  // its weight
  std::string text;   // unescaped, blanks made one
  std::string feedback;
};

// The answers of a block: "=a =%50%b#why ~c".
std::vector<Answer> answers_of(const std::string& block) {
  std::vector<Answer> answers;
  size_t at = find_plain(block, "=~");
  while (at != std::string::npos) {
    size_t next = find_plain(block, "=~", at + 1);
    std::string item =
        block.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    Answer a;
    a.mark = block[at];
    if (item.size() > 1 && item[0] == '%') {
      size_t close = item.find('%', 1);
      if (close != std::string::npos) {
        a.percent = atoi(item.substr(1, close - 1).c_str());
        item.erase(0, close + 1);
      }
    }
    size_t hash = find_plain(item, "#");
    if (hash != std::string::npos) {
      a.feedback = collapse_blanks(unescaped(item.substr(hash + 1)));
      item.erase(hash);
    }
    a.text = collapse_blanks(unescaped(item));
    answers.push_back(a);
    at = next;
  }
  return answers;
}

class GiftReader {
 public:
  GiftReader(const std::string& file, QuestionBank* bank, Diagnostics* diagnostics)
      : file_(file), bank_(bank), diagnostics_(diagnostics) {}

  // Paragraphs, without the comment lines; a blank line ends each.
  void read(const std::string& text) {
    std::string paragraph;
    int line = 0, first = 0;
    for (size_t start = 0; start <= text.size();) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string raw = text.substr(start, end - start);
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      ++line;
      start = end + 1;
      std::string kept = trimmed(raw);
      if (kept.compare(0, 2, "//") == 0) continue;
      if (kept.empty()) {
        question(paragraph, first);
        paragraph.clear();
        continue;
      }
      if (paragraph.empty()) first = line;
      paragraph += (paragraph.empty() ? "" : "\n") + raw;
    }
    question(paragraph, first);
  }

 private:
  void left_out(int line, const Message& why) { diagnostics_->warning(file_, line, why); }

  void question(const std::string& paragraph, int line) {
    std::string text = trimmed(paragraph);
    if (text.empty()) return;
    if (text.compare(0, 10, "$CATEGORY:") == 0) {
      // The category is its line; what follows it is the next question.
      size_t end = text.find('\n');
      std::string path = trimmed(text.substr(10, end == std::string::npos ? end : end - 10));
      if (bank_->title.empty()) bank_->title = path.substr(path.rfind('/') + 1);
      if (end != std::string::npos) question(text.substr(end + 1), line + 1);
      return;
    }
    if (text.compare(0, 2, "::") == 0) {  // its title, which the player has no place for
      size_t close = text.find("::", 2);
      while (close != std::string::npos && escaped_at(text, close))
        close = text.find("::", close + 1);
      if (close != std::string::npos) text = trimmed(text.substr(close + 2));
    }
    bool html = false;
    if (text[0] == '[') {  // its format: [html], [moodle], [plain], [markdown]
      size_t close = text.find(']');
      if (close != std::string::npos) {
        html = text.compare(0, close + 1, "[html]") == 0;
        text = text.substr(close + 1);
      }
    }
    size_t open = find_plain(text, "{");
    if (open == std::string::npos) {
      left_out(line, Message(MSG_IMPORT_OTHER_TYPE, {MSG_TYPE_DESCRIPTION}));
      return;
    }
    size_t close = find_plain(text, "}", open + 1);
    if (close == std::string::npos) {
      left_out(line, MSG_IMPORT_GIFT_UNCLOSED);
      return;
    }
    std::string block = trimmed(text.substr(open + 1, close - open - 1));
    std::string before = text.substr(0, open), after = text.substr(close + 1);
    // A missing word: the text goes on after the answers.
    std::string shown = trimmed(after).empty() ? before : before + "_____" + after;
    BankQuestion q;
    q.line = line;
    q.text = collapse_blanks(html ? html_to_text(unescaped(shown)) : unescaped(shown));
    if (!answers(block, line, &q)) return;
    bank_->questions.push_back(q);
  }

  // The answers of a short-answer or numerical question; false, told, for
  // another type.
  bool answers(const std::string& block, int line, BankQuestion* q) {
    if (block.empty()) {
      left_out(line, Message(MSG_IMPORT_OTHER_TYPE, {MSG_TYPE_ESSAY}));
      return false;
    }
    if (block[0] == '#') return numbers(block.substr(1), line, q);
    std::string plain = trimmed(block.substr(0, find_plain(block, "#")));
    if (plain == "T" || plain == "F" || plain == "TRUE" || plain == "FALSE") {
      left_out(line, Message(MSG_IMPORT_OTHER_TYPE, {MSG_TYPE_TRUE_FALSE}));
      return false;
    }
    std::vector<Answer> list = answers_of(block);
    bool choice = false, matching = false;
    for (const Answer& a : list) {
      choice = choice || a.mark == '~';
      matching = matching || a.text.find("->") != std::string::npos;
    }
    if (matching || choice) {
      left_out(line, Message(MSG_IMPORT_OTHER_TYPE,
                             {matching ? MSG_TYPE_MATCHING : MSG_TYPE_MULTIPLE_CHOICE}));
      return false;
    }
    for (const Answer& a : list) keep(a, a.text, line, q);
    return true;
  }

  // An answer by its weight: right at 100 %, an anticipated wrong answer
  // at 0 % with what to say, left out otherwise.
  void keep(const Answer& a, const std::string& text, int line, BankQuestion* q) {
    if (a.percent == 100)
      q->answers[0].push_back(text);
    else if (a.percent == 0 && !a.feedback.empty())
      q->wrong[0].push_back({text, a.feedback});
    else
      diagnostics_->warning(file_, line,
                            Message(MSG_IMPORT_PARTIAL_ANSWER, {text, number(a.percent)}));
  }

  // "{#3.14}", "{#3.14:0.01}", "{#=1:0 =%50%2:0}", "{#1..5}": the numbers
  // as texts, which is how the player compares them.
  bool numbers(const std::string& block, int line, BankQuestion* q) {
    std::vector<Answer> list;
    if (find_plain(block, "=") == std::string::npos) {
      Answer a;
      a.mark = '=';
      size_t hash = find_plain(block, "#");
      a.text = collapse_blanks(unescaped(block.substr(0, hash)));
      list.push_back(a);
    } else {
      list = answers_of(block);
    }
    for (const Answer& a : list) {
      std::string value = a.text;
      if (value.find("..") != std::string::npos) {
        left_out(line, Message(MSG_IMPORT_NUMBER_RANGE, {value}));
        return false;
      }
      size_t colon = value.find(':');
      if (colon != std::string::npos) {
        std::string tolerance = trimmed(value.substr(colon + 1));
        value = trimmed(value.substr(0, colon));
        if (strtod(tolerance.c_str(), nullptr) != 0)
          diagnostics_->warning(file_, line, Message(MSG_IMPORT_TOLERANCE, {value, tolerance}));
      }
      keep(a, value, line, q);
    }
    return true;
  }

  const std::string& file_;
  QuestionBank* bank_;
  Diagnostics* diagnostics_;
};

// A text as GIFT writes it: its special characters escaped.
std::string gift_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (strchr(ESCAPED, c)) out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

void read_gift(const std::string& text, const std::string& file, QuestionBank* bank,
               Diagnostics* diagnostics) {
  GiftReader(file, bank, diagnostics).read(text);
}

bool export_gift(const QuizSource& quiz, Language language, std::string* out,
                 Diagnostics* diagnostics) {
  if (quiz.answers != 1) {
    diagnostics->error(quiz.path, 0, MSG_EXPORT_GIFT_TWO_FIELDS);
    return false;
  }
  QuestionBank bank = bank_of_quiz(quiz);
  std::string title = bank.title;
  *out = "// " + say(Message(MSG_EXPORT_HEADER, {title}), language) + "\n";
  *out += "$CATEGORY: " + title + "\n";
  for (size_t i = 0; i < bank.questions.size(); ++i) {
    const BankQuestion& q = bank.questions[i];
    *out += "\n::" + gift_escaped(title + " " + std::to_string(i + 1)) +
            "::" + gift_escaped(q.text) + " {";
    for (const std::string& answer : q.answers[0]) *out += "=" + gift_escaped(answer) + " ";
    for (const auto& [answer, verdict] : q.wrong[0])
      *out += "=%0%" + gift_escaped(answer) + "#" + gift_escaped(verdict) + " ";
    out->back() = '}';
    *out += "\n";
  }
  return true;
}
