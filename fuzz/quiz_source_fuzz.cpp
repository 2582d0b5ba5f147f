// Any bytes as a quiz source: the reader and its checks end with a verdict,
// every message names a line of the source (or none); a source they accept
// is written again as dump writes it, and that text is accepted too and gives
// the same content and codes, and its judging options block, when it asks for
// options, is one the player's reader takes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/authoring/content_writer.h"
#include "core/authoring/quiz_source.h"

namespace {

bool read(const std::string& text, QuizSource* quiz) {
  Diagnostics diagnostics;
  bool ok = parse_quiz_source(text, "fuzz.toml", quiz, &diagnostics);
  if (ok == diagnostics.has_errors()) abort();
  int lines = 1;
  for (char c : text) lines += c == '\n';
  for (const Diagnostic& d : diagnostics.list())
    if (d.line < 0 || d.line > lines || d.file != "fuzz.toml" || d.text().empty() ||
        d.text(Language::FRENCH).empty())
      abort();
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuizSource quiz, again;
  if (!read(std::string(reinterpret_cast<const char*>(data), size), &quiz)) return 0;
  if (quiz.questions.empty() || quiz.questions.size() > QUIZ_MAX_QUESTIONS) abort();
  if (quiz.codes.size() > quiz.questions.size()) abort();
  if (!read(write_quiz_source(quiz), &again)) abort();
  if (write_content(again) != write_content(quiz) || write_codes(again) != write_codes(quiz))
    abort();
  std::string block = write_judging_block(quiz);
  QuizSource read_back = quiz;
  if (!block.empty() && !read_judging_block(block, &read_back)) abort();
  return 0;
}
