// Any bytes after the colours as a judging options block: the reader stays
// inside the bytes, takes a block whole or not at all, and whatever it takes
// judges typed answers without ever saying "BRAVO" for an answer it does not
// count as right, nor showing "?" for one that was typed.
//
// Input: byte 0 the question count (0 to 96), byte 1 odd for two answer
// fields per question, then the block.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/answers/judging.h"

namespace {

void check(bool condition) {
  if (!condition) abort();
}

// Each typed text against expected answers with what the rules look at:
// accents, articles (a name's among them), a hyphen, a capital, a
// ligature, numbers and a sign.
void judge_field(const JudgingOptions& options, int question, int answer, const char* typed) {
  static const char* const EXPECTED[] = {"l'\xCEle de la Cit\xE9", "Le Havre",
                                         "\xC9tat de Saint-\xC9tienne, \x9Cuvre",
                                         "-273,15 \xB0"
                                         "C, 10 000 ans, 1914-1918 !"};
  for (const char* expected : EXPECTED) {
    FieldVerdict verdict = judge_typed_answer(&options, question, answer, expected, typed);
    bool right = typed_answer_right(&options, question, answer, expected, typed);
    check(verdict.word != nullptr);
    check(right == (verdict.verdict == VERDICT_RIGHT));
    check(right == (strcmp(verdict.word, RIGHT_WORD) == 0));
    check((verdict.verdict == VERDICT_EMPTY) == (strcmp(verdict.word, "?") == 0));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int questions = data[0] % (JUDGING_QUESTIONS + 1), answers = data[1] % 2 ? 2 : 1;
  const uint8_t* block = data + 2;
  size_t length = size - 2;
  JudgingOptions options = {};
  if (!read_judging_options(block, length, questions, answers, &options)) {
    check(options.present == 0 && options.texts == nullptr);
    return 0;
  }
  check(options.present == 1 && options.texts_size <= length);
  check(judging_flags_known(options.quiz_flags));
  // Judging is the slow part: enough texts to reach every rule, fast runs.
  const int JUDGED_TEXTS = 24;
  int judged = 0;
  for (int n = 1; n <= JUDGING_QUESTIONS; ++n) {
    JudgingFlags own = options.question_flags[n - 1];
    check(own == JUDGING_AS_QUIZ || (n <= questions && judging_flags_known(own)));
    for (int j = 1; j <= 2; ++j) {
      const FieldOptions* field = judging_field(&options, n, j);
      int texts = field->alternatives + 2 * field->wrong_answers;
      check(field->alternatives <= JUDGING_MAX_ALTERNATIVES);
      check(field->wrong_answers <= JUDGING_MAX_WRONG_ANSWERS);
      check(texts == 0 || (n <= questions && j <= answers));
      for (int i = 0; i < texts; ++i) {
        const char* text = judging_text(&options, field, i);
        check(text >= options.texts && text < options.texts + options.texts_size);
        size_t kept = strnlen(text, size_t(options.texts + options.texts_size - text));
        check(kept >= 1 && kept <= 259 && text + kept < options.texts + options.texts_size);
        // The first listed texts typed, and typed with one letter more.
        if (++judged > JUDGED_TEXTS) continue;
        judge_field(options, n, j, text);
        char longer[260];
        size_t start = kept < 259 ? kept : 258;
        memcpy(longer, text, start);
        longer[start] = 'e';
        longer[start + 1] = 0;
        judge_field(options, n, j, longer);
      }
      if (n <= 2) {
        judge_field(options, n, j, " L\x92ILE DE LA CITE ");
        judge_field(options, n, j, "ETAT DE SAINT ETIENNE OEUVRE.");
        judge_field(options, n, j, "havre");
        judge_field(options, n, j,
                    "\xAB-273.15 \xB0"
                    "C 10000 ans 1914 1918\xBB");
      }
    }
  }
  release_judging_options(&options);
  return 0;
}
