#include "content_writer.h"

#include "core/content/document.h"
#include "core/content/lzw.h"

namespace {

const char SEPARATOR = '|';

bool has_reveal_records(int mode) { return mode >= MODE_REVEAL && mode <= MODE_REVEAL_ALL; }

void put_text(std::string* out, const std::string& text) {
  *out += text;
  *out += SEPARATOR;
}

class ContentReader {
 public:
  explicit ContentReader(const std::string& bytes) : bytes_(bytes) {}

  bool byte(unsigned char* value) {
    if (position_ >= bytes_.size()) return false;
    *value = static_cast<unsigned char>(bytes_[position_++]);
    return true;
  }

  std::string rest() const { return bytes_.substr(position_); }

  bool text(std::string* out) {
    size_t end = bytes_.find(SEPARATOR, position_);
    if (end == std::string::npos) return false;
    *out = bytes_.substr(position_, end - position_);
    position_ = end + 1;
    return true;
  }

 private:
  const std::string& bytes_;
  size_t position_ = 0;
};

bool read_questions(ContentReader* reader, int count, QuizSource* quiz) {
  for (int i = 0; i < count; ++i) {
    SourceQuestion question;
    if (!reader->text(&question.answer[0])) return false;
    if (quiz->answers == 2 && !reader->text(&question.answer[1])) return false;
    if (!reader->text(&question.text)) return false;
    quiz->questions.push_back(question);
  }
  return true;
}

bool read_reveals(ContentReader* reader, QuizSource* quiz) {
  if (!has_reveal_records(quiz->answer_mode)) return true;
  std::string read_past;
  for (SourceQuestion& question : quiz->questions) {
    if (!reader->text(&question.reveal)) return false;
    if (quiz->answer_mode == MODE_REVEAL_BOX && !reader->text(&read_past)) return false;
  }
  return true;
}

}  // namespace

std::string write_content(const QuizSource& quiz) {
  std::string out;
  out += '\0';
  out += char(quiz.kind + 1);
  out += char(quiz.questions.size());
  out += char(quiz.answers);
  for (const std::string* text :
       {&quiz.title, &quiz.author, &quiz.explanation, &quiz.labels[0], &quiz.labels[1]})
    put_text(&out, *text);
  for (const SourceQuestion& question : quiz.questions) {
    put_text(&out, question.answer[0]);
    if (quiz.answers == 2) put_text(&out, question.answer[1]);
    put_text(&out, question.text);
  }
  out += char(quiz.answer_mode);
  if (has_reveal_records(quiz.answer_mode)) {
    for (const SourceQuestion& question : quiz.questions) {
      put_text(&out, question.reveal);
      if (quiz.answer_mode == MODE_REVEAL_BOX) put_text(&out, "");
    }
  }
  out += char(quiz.red);
  out += char(quiz.green);
  out += char(quiz.blue);
  return out + write_link_record(quiz) + write_judging_block(quiz);
}

std::string write_link_record(const QuizSource& quiz) {
  if (quiz.link.empty()) return "";
  std::string body;
  put_text(&body, quiz.link);
  put_text(&body, quiz.link_text);
  std::string out(HEADER_LINK_SIGNATURE);
  out += char(HEADER_LINK_VERSION);
  out += char(body.size() & 0xFF);
  out += char(body.size() >> 8);
  return out + body;
}

std::string write_judging_block(const QuizSource& quiz) {
  if (!uses_judging_options(quiz)) return "";
  JudgingFlags quiz_flags = flags_from_rules(quiz.rules);
  // Version 1, with one rules byte, unless a rule of the second byte is used:
  // quizzes that need no later rule keep the bytes they always had.
  bool second = (quiz_flags & JUDGE_SECOND_BYTE) != 0;
  for (size_t i = 0; i < quiz.questions.size(); ++i)
    second = second || (quiz.questions[i].own_rules &&
                        (flags_from_rules(quiz.questions[i].rules) & JUDGE_SECOND_BYTE));
  auto rules = [second](JudgingFlags flags) {
    std::string bytes(1, char(flags & 0xFF));
    if (second) bytes += char(flags >> 8);
    return bytes;
  };
  std::string records;
  int count = 0;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const SourceQuestion& q = quiz.questions[i];
    JudgingFlags own = q.own_rules ? flags_from_rules(q.rules) : JudgingFlags(JUDGING_AS_QUIZ);
    if (own == quiz_flags) own = JUDGING_AS_QUIZ;
    bool lists = false;
    for (int j = 0; j < quiz.answers; ++j)
      lists = lists || !q.also[j].empty() || !q.wrong[j].empty();
    if (own == JUDGING_AS_QUIZ && !lists) continue;
    ++count;
    records += char(i + 1);
    records += rules(own);
    for (int j = 0; j < quiz.answers; ++j) {
      records += char(q.also[j].size());
      for (const std::string& other : q.also[j]) put_text(&records, other);
      records += char(q.wrong[j].size());
      for (const WrongAnswer& wrong : q.wrong[j]) {
        put_text(&records, wrong.answer);
        put_text(&records, wrong.verdict);
      }
    }
  }
  return std::string(JUDGING_SIGNATURE) + char(second ? 2 : 1) + rules(quiz_flags) + char(count) +
         records;
}

bool read_judging_block(const std::string& block, QuizSource* quiz) {
  JudgingOptions options = {};
  if (!read_judging_options(reinterpret_cast<const unsigned char*>(block.data()), block.size(),
                            int(quiz->questions.size()), quiz->answers, &options))
    return false;
  quiz->judging = true;
  quiz->rules = rules_from_flags(options.quiz_flags);
  for (size_t i = 0; i < quiz->questions.size() && i < JUDGING_QUESTIONS; ++i) {
    SourceQuestion& q = quiz->questions[i];
    int number = int(i + 1);
    q.own_rules = options.question_flags[i] != JUDGING_AS_QUIZ;
    q.rules = judging_rules(&options, number);
    for (int j = 0; j < quiz->answers; ++j) {
      const FieldOptions* field = judging_field(&options, number, j + 1);
      int text = 0;
      for (int k = 0; k < field->alternatives; ++k)
        q.also[j].push_back(judging_text(&options, field, text++));
      for (int k = 0; k < field->wrong_answers; ++k) {
        WrongAnswer wrong;
        wrong.answer = judging_text(&options, field, text++);
        wrong.verdict = judging_text(&options, field, text++);
        q.wrong[j].push_back(wrong);
      }
    }
  }
  release_judging_options(&options);
  return true;
}

std::string write_codes(const QuizSource& quiz) {
  std::string out;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    if (i < quiz.codes.size()) out += quiz.codes[i];
    out += "\r\n";
  }
  return out;
}

bool read_content(const std::string& content, QuizSource* quiz, Message* problem, size_t* ignored) {
  ContentReader reader(content);
  unsigned char unused, kind, count, answers, mode;
  *problem = MSG_CONTENT_ENDS_EARLY;
  if (!reader.byte(&unused) || !reader.byte(&kind) || !reader.byte(&count) ||
      !reader.byte(&answers))
    return false;
  if (kind < 1 || kind > 4) {
    *problem = Message(MSG_CONTENT_KIND, {number(kind - 1)});
    return false;
  }
  if (answers != 1 && answers != 2) {
    *problem = Message(MSG_CONTENT_ANSWERS, {number(answers)});
    return false;
  }
  quiz->kind = kind - 1u;
  quiz->answers = answers;
  for (std::string* text :
       {&quiz->title, &quiz->author, &quiz->explanation, &quiz->labels[0], &quiz->labels[1]})
    if (!reader.text(text)) return false;
  if (!read_questions(&reader, count, quiz) || !reader.byte(&mode)) return false;
  if (mode > MODE_REVEAL_ALL) {
    *problem = Message(MSG_CONTENT_MODE, {number(mode)});
    return false;
  }
  quiz->answer_mode = mode;
  if (!read_reveals(&reader, quiz)) return false;
  if (!reader.byte(&quiz->red) || !reader.byte(&quiz->green) || !reader.byte(&quiz->blue))
    return false;
  *problem = Message();
  std::string rest = reader.rest();
  HeaderLink link = {};
  rest.erase(
      0, read_header_link(reinterpret_cast<const unsigned char*>(rest.data()), rest.size(), &link));
  quiz->link = link.address;
  quiz->link_text = link.address[0] ? link.text : "";
  if (ignored) *ignored = 0;
  if (!rest.empty() && !read_judging_block(rest, quiz) && ignored) *ignored = rest.size();
  return true;
}

std::vector<std::string> read_codes(const std::string& codes, size_t count) {
  std::vector<std::string> out;
  size_t position = 0;
  while (out.size() < count && position < codes.size()) {
    size_t end = codes.find('\r', position);
    if (end == std::string::npos) end = codes.size();
    out.push_back(codes.substr(position, end - position));
    position = end + 2;  // the byte after the CR is not looked at
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

int encode_resource(const std::string& plain, std::string* encoded) {
  LzwOutput out;
  int status = lzw_encode(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), &out);
  if (status == LZW_OK) encoded->assign(reinterpret_cast<const char*>(out.bytes), out.length);
  lzw_release(&out);
  return status;
}

int decode_resource(const std::string& encoded, std::string* plain) {
  LzwOutput out;
  int status =
      lzw_decode(reinterpret_cast<const unsigned char*>(encoded.data()), encoded.size(), &out);
  if (status == LZW_OK) plain->assign(reinterpret_cast<const char*>(out.bytes), out.length);
  lzw_release(&out);
  return status;
}
