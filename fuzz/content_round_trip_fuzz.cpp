// Any quiz that the source checks accept: the content writer's resources read
// back equal, field for field and judging options included, through the
// player's own parser (after the player's LZW codec), and equal through
// dump's reader. The quiz is made from the bytes, written as a source and
// read back with the checks, so only quizzes that quizpack would build are
// compared (a header's link included). The bytes left over then stand as a judging options block
// after the quiz's colours: whether the player takes it or not, the rest of the quiz reads as
// before, and what it takes dump writes back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/authoring/content_writer.h"
#include "core/authoring/cp1252.h"
#include "core/authoring/quiz_source.h"
#include "core/content/content_parser.h"
#include "null_platform.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }
  bool done() const { return position_ >= size_; }
  std::string rest() {
    std::string out(reinterpret_cast<const char*>(data_) + position_, size_ - position_);
    position_ = size_;
    return out;
  }

  // A Windows-1252 text: mostly printable bytes, now and then a line break or
  // another byte the checks refuse in some texts.
  std::string text() {
    std::string out;
    size_t length = next();
    if (length > 200) length = 200 + next() % 80;  // past the 259-byte limit at times
    for (size_t i = 0; i < length && !done(); ++i) {
      uint8_t byte = next();
      if (byte < 0x20) byte = byte == 1 ? '\r' : byte == 2 ? '\n' : uint8_t('a' + byte % 26);
      out += char(byte);
    }
    return out;
  }

 private:
  const uint8_t* data_;
  size_t size_, position_ = 0;
};

// The rules of two bytes: the first three rules from the first, the later
// ones from the second.
JudgingRules rules_from(uint8_t byte, uint8_t more) {
  JudgingRules rules = {(byte & 1) != 0, AccentRule((byte >> 1) % 3), (byte & 8) != 0};
  rules.hyphens = (more & 1) != 0;
  rules.punctuation = (more & 2) != 0;
  rules.ligatures = (more & 4) != 0;
  rules.unaccented_capitals = (more & 8) != 0;
  rules.numbers = (more & 16) != 0;
  rules.optional_circumflex = (more & 32) != 0;
  rules.capital_articles = (more & 64) != 0;
  return rules;
}

// Judging options for about half the quizzes: the quiz's rules, and for
// some questions their own rules and lists, now and then one text more than
// the checks allow.
void judging_from(Bytes* bytes, QuizSource* quiz) {
  uint8_t byte = bytes->next();
  if (!(byte & 1)) return;
  quiz->judging = (byte & 2) != 0;
  quiz->rules = rules_from(byte >> 2, bytes->next());
  for (SourceQuestion& q : quiz->questions) {
    uint8_t own = bytes->next();
    if (own & 0x80) continue;
    q.own_rules = (own & 0x40) != 0;
    q.rules = rules_from(own, bytes->next());
    for (int j = 0; j < quiz->answers; ++j) {
      size_t also = bytes->next() % (JUDGING_MAX_ALTERNATIVES + 2);
      size_t wrong = bytes->next() % (JUDGING_MAX_WRONG_ANSWERS + 2);
      for (size_t k = 0; k < also && !bytes->done(); ++k) q.also[j].push_back(bytes->text());
      for (size_t k = 0; k < wrong && !bytes->done(); ++k)
        q.wrong[j].push_back({bytes->text(), bytes->text()});
    }
  }
}

QuizSource quiz_from(Bytes* bytes) {
  QuizSource quiz;
  quiz.kind = bytes->next() % 4;
  quiz.answers = quiz.kind == QUIZ_TEXT ? 1 : 1 + bytes->next() % 2;
  quiz.answer_mode = bytes->next() % 5;
  quiz.red = bytes->next(), quiz.green = bytes->next(), quiz.blue = bytes->next();
  for (std::string* text :
       {&quiz.title, &quiz.author, &quiz.explanation, &quiz.labels[0], &quiz.labels[1]})
    *text = bytes->text();
  if (quiz.title.empty()) quiz.title = "T";
  // A header's link for some quizzes, a text alone now and then.
  uint8_t link = bytes->next();
  if (link & 1) quiz.link = (link & 2 ? "https://" : "http://") + bytes->text();
  if (link & 4) quiz.link_text = bytes->text();
  size_t count = 1 + bytes->next() % QUIZ_MAX_QUESTIONS;
  for (size_t i = 0; i < count && !bytes->done(); ++i) {
    SourceQuestion q;
    q.text = bytes->text();
    for (int j = 0; j < quiz.answers; ++j) q.answer[j] = bytes->text();
    q.reveal = bytes->text();
    quiz.questions.push_back(q);
  }
  if (quiz.questions.empty()) quiz.questions.resize(1);
  size_t codes = bytes->next() % (quiz.questions.size() + 1);
  for (size_t i = 0; i < codes; ++i) quiz.codes.push_back(bytes->text());
  judging_from(bytes, &quiz);
  return quiz;
}

// The bytes the player's parser gets: the resource after the LZW codec.
std::string through_codec(const std::string& plain) {
  std::string encoded, decoded;
  if (encode_resource(plain, &encoded) != 0 || decode_resource(encoded, &decoded) != 0) abort();
  if (decoded != plain) abort();
  return decoded;
}

void expect(bool condition) {
  if (!condition) abort();
}

// The document holds the quiz's judging options: the rules of every question
// and the lists of every field, text for text; none when the quiz asks none.
void expect_judging(const JudgingOptions& options, const QuizSource& quiz) {
  expect(options.present == uses_judging_options(quiz));
  if (!options.present) return;
  expect(options.quiz_flags == flags_from_rules(quiz.rules));
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const SourceQuestion& q = quiz.questions[i];
    int n = int(i + 1);
    expect(flags_from_rules(judging_rules(&options, n)) ==
           flags_from_rules(question_rules(quiz, i)));
    for (int j = 0; j < 2; ++j) {
      const FieldOptions* field = judging_field(&options, n, j + 1);
      expect(field->alternatives == q.also[j].size() && field->wrong_answers == q.wrong[j].size());
      int text = 0;
      for (const std::string& other : q.also[j])
        expect(other == judging_text(&options, field, text++));
      for (const WrongAnswer& wrong : q.wrong[j]) {
        expect(wrong.answer == judging_text(&options, field, text++));
        expect(wrong.verdict == judging_text(&options, field, text++));
      }
      expect(judging_text(&options, field, text) == nullptr);
    }
  }
}

// Everything of the quiz but its judging options and codes.
void expect_plain_content(const QuizDocument& doc, const QuizSource& quiz) {
  expect(doc.kind == quiz.kind && doc.answers_per_question == quiz.answers &&
         doc.answer_mode == quiz.answer_mode);
  expect(doc.background_colour ==
         (quiz.red | uint32_t(quiz.green) << 8 | uint32_t(quiz.blue) << 16));
  expect(quiz.title == doc.title && quiz.author == doc.author &&
         quiz.explanation == doc.explanation && quiz.labels[0] == doc.answer1_label &&
         quiz.labels[1] == doc.answer2_label);
  expect(quiz.link == doc.link.address && quiz.link_text == doc.link.text);
  expect(doc.question_count == int(quiz.questions.size()) &&
         question_list_length(&doc) == doc.question_count);
  bool reveals = quiz.answer_mode >= MODE_REVEAL && quiz.answer_mode <= MODE_REVEAL_ALL;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const SourceQuestion& q = quiz.questions[i];
    const QuizQuestion* played = question_at(&doc, int(i));
    expect(q.answer[0] == played->answer1 && q.text == played->question_text);
    expect((quiz.answers == 2 ? q.answer[1] : std::string()) == played->answer2);
    expect((reveals ? q.reveal : std::string()) == played->reveal_text);
  }
}

// The player's document of decoded content, parsed whole.
QuizDocument* played(const std::string& content) {
  static QuizDocument doc;
  release_document(&doc);
  init_document(&doc);
  expect(parse_content(&doc, reinterpret_cast<const unsigned char*>(content.data()),
                       content.size()) == CONTENT_COMPLETE);
  return &doc;
}

void compare_with_player(const QuizSource& quiz) {
  std::string content = through_codec(write_content(quiz)),
              codes = through_codec(write_codes(quiz));
  QuizDocument* doc = played(content);
  expect(parse_codes(doc, reinterpret_cast<const unsigned char*>(codes.data()), codes.size()) ==
         CONTENT_COMPLETE);
  expect_plain_content(*doc, quiz);
  expect_judging(doc->judging, quiz);
  for (size_t i = 0; i < quiz.questions.size(); ++i)
    expect((i < quiz.codes.size() ? quiz.codes[i] : std::string()) == doc->codes[i]);
}

// The quiz's content with `block` in place of its own judging options.
void compare_with_any_block(const QuizSource& quiz, const std::string& block) {
  std::string content = write_content(quiz);
  content.resize(content.size() - write_judging_block(quiz).size());
  size_t plain = content.size();
  content += block;
  QuizDocument* doc = played(content);
  expect_plain_content(*doc, quiz);
  QuizSource back;
  Message problem;
  expect(read_content(content, &back, &problem));
  expect_judging(doc->judging, back);
  std::string again = write_content(back);
  expect(again.compare(0, plain, content, 0, plain) == 0);
  expect_judging(played(again)->judging, back);
}

void compare_with_dump(const QuizSource& quiz) {
  QuizSource back;
  Message problem;
  expect(read_content(write_content(quiz), &back, &problem));
  back.codes = read_codes(write_codes(quiz), back.questions.size());
  expect(write_content(back) == write_content(quiz) && write_codes(back) == write_codes(quiz));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  install_null_platform();
  Bytes bytes(data, size);
  QuizSource made = quiz_from(&bytes), quiz;
  Diagnostics diagnostics;
  if (!parse_quiz_source(write_quiz_source(made), "fuzz.toml", &quiz, &diagnostics)) return 0;
  compare_with_player(quiz);
  compare_with_dump(quiz);
  compare_with_any_block(quiz,
                         std::string(JUDGING_SIGNATURE) + char(JUDGING_VERSION) + bytes.rest());
  return 0;
}
