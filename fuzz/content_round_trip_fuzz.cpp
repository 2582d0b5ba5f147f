// Any quiz that the source checks accept: the content writer's resources read
// back equal, field for field, through the player's own parser (after the
// player's LZW codec), and equal through dump's reader. The quiz is made from
// the bytes, written as a source and read back with the checks, so only
// quizzes that quizpack would build are compared.
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

void compare_with_player(const QuizSource& quiz) {
  std::string content = through_codec(write_content(quiz)),
              codes = through_codec(write_codes(quiz));
  static QuizDocument doc;
  init_document(&doc);
  expect(parse_content(&doc, reinterpret_cast<const unsigned char*>(content.data()),
                       content.size()) == CONTENT_COMPLETE);
  expect(parse_codes(&doc, reinterpret_cast<const unsigned char*>(codes.data()), codes.size()) ==
         CONTENT_COMPLETE);
  expect(doc.kind == quiz.kind && doc.answers_per_question == quiz.answers &&
         doc.answer_mode == quiz.answer_mode);
  expect(doc.background_colour ==
         (quiz.red | uint32_t(quiz.green) << 8 | uint32_t(quiz.blue) << 16));
  expect(quiz.title == doc.title && quiz.author == doc.author &&
         quiz.explanation == doc.explanation && quiz.labels[0] == doc.answer1_label &&
         quiz.labels[1] == doc.answer2_label);
  expect(doc.question_count == int(quiz.questions.size()) &&
         question_list_length(&doc) == doc.question_count);
  bool reveals = quiz.answer_mode >= MODE_REVEAL && quiz.answer_mode <= MODE_REVEAL_ALL;
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const SourceQuestion& q = quiz.questions[i];
    const QuizQuestion* played = question_at(&doc, int(i));
    expect(q.answer[0] == played->answer1 && q.text == played->question_text);
    expect((quiz.answers == 2 ? q.answer[1] : std::string()) == played->answer2);
    expect((reveals ? q.reveal : std::string()) == played->reveal_text);
    expect((i < quiz.codes.size() ? quiz.codes[i] : std::string()) == doc.codes[i]);
  }
  release_document(&doc);
}

void compare_with_dump(const QuizSource& quiz) {
  QuizSource back;
  std::string problem;
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
  return 0;
}
