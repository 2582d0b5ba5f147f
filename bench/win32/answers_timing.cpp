// bench_answers [REPEATS]: what judging costs in the player's own windows.
// Opens the frame, header panel and question page as the start-up does, on a
// picture quiz of 96 questions with two fields each (192 fields and labels)
// whose expected answers are 259 bytes long, then times
//   - the verdict ladder alone on 259-byte texts, in its longest path: not an
//     anagram, more than two edits, neither text inside the other, so both
//     edit distances (of the texts and of their sorted letters), the
//     containment scan and the similarity are all computed;
//   - update_score: the session's 192 verdicts counted, " n / N" and the
//     code written into the header panel;
//   - one evaluate_answer on such a field: the field read, the ladder, the
//     verdict shown and the score;
//   - judge_all_fields, what the page does once at start with restored
//     answers, when all 192 fields hold such answers (the longest restore).
// Prints each figure's median and least time per call in microseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/answers/quiz_session.h"
#include "core/answers/verdict.h"
#include "win32/answers/answer_field.h"
#include "win32/app/main_frame.h"
#include "win32/app/startup.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

const int QUESTIONS = 96;
const int FIELD_ID = 4001 + 2 * 47;  // the first field of question 48

double now_us() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1e6 * double(counter.QuadPart) / double(frequency.QuadPart);
}

// 259 bytes of varied letters, different for each seed.
std::string long_text(int seed) {
  std::string text;
  for (int i = 0; text.size() < 259; ++i) text += char('A' + (i * 7 + seed * 3) % 26);
  return text;
}

// Every third letter changed to one the expected text never holds: about 86
// edits, so no row before the last ones answers.
std::string worst_typing(const std::string& expected) {
  std::string typed = expected;
  for (size_t i = 0; i < typed.size(); i += 3) typed[i] = '#';
  return typed;
}

struct Figure {
  const char* name;
  std::vector<double> times;
};

void report(Figure& figure) {
  std::sort(figure.times.begin(), figure.times.end());
  printf("%-34s median %8.1f us   least %8.1f us   (%zu calls)\n", figure.name,
         figure.times[figure.times.size() / 2], figure.times.front(), figure.times.size());
}

template <typename Call>
Figure time_calls(const char* name, int repeats, Call call) {
  Figure figure = {name, {}};
  for (int i = 0; i < repeats; ++i) {
    double started = now_us();
    call();
    figure.times.push_back(now_us() - started);
  }
  return figure;
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? atoi(argv[1]) : 200;
  if (repeats < 1) repeats = 1;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  install_platform(&win32_platform());
  register_frame_class(instance);
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (!doc) return 1;
  init_document(doc);
  doc->kind = QUIZ_PICTURE;  // the program has no pictures: empty statics
  doc->question_count = QUESTIONS;
  doc->answers_per_question = 2;
  for (int n = 1; n <= QUESTIONS; ++n) {
    append_question(doc, long_text(2 * n).c_str(), long_text(2 * n + 1).c_str(), "");
    copy_text(doc->codes[n - 1], ("CODE-" + std::to_string(n)).c_str());
  }
  Player player = {};
  player.document = doc;
  open_player_windows(instance, &player);
  HWND page = player.page;
  QuizSession* session = page_session(page);

  const std::string expected = question_at(doc, 47)->answer1;
  const std::string typed = worst_typing(expected);
  SetDlgItemTextA(page, FIELD_ID, typed.c_str());
  Verdict verdict = judge_answer(expected.c_str(), typed.c_str());
  printf("quiz: %d questions x 2 fields; texts of %zu bytes; worst-case verdict \"%s\"\n",
         QUESTIONS, expected.size(), verdict_text(verdict));

  Figure ladder = time_calls("verdict ladder (judge_answer)", repeats,
                             [&] { judge_answer(expected.c_str(), typed.c_str()); });
  Figure score = time_calls("update_score (192 verdicts)", repeats, [&] { update_score(session); });
  Figure evaluation = time_calls("evaluate_answer (259-byte field)", repeats,
                                 [&] { evaluate_answer(page, FIELD_ID); });
  for (int k = 1; k <= 2 * QUESTIONS; ++k) {
    const QuizQuestion* question = question_at(doc, (k - 1) / 2);
    set_answer_text(session, k,
                    worst_typing(k % 2 ? question->answer1 : question->answer2).c_str());
  }
  Figure restore = time_calls("judge_all_fields (192 fields)", repeats / 20 + 1,
                              [&] { judge_all_fields(session); });
  // A judgement that changes its answer saves the whole file: here 192
  // fields of 259 bytes, the largest answers file (about 50 KB).
  for (int k = 1; k <= 2 * QUESTIONS; ++k) {
    SetDlgItemTextA(page, ID_ANSWER_FIELD + k, session->fields[k - 1].text);
  }
  std::string other = typed;
  other[0] = other[0] == 'x' ? 'y' : 'x';
  bool flip = false;
  Figure saving = time_calls("evaluate_answer changed, saved", repeats / 4 + 1, [&] {
    flip = !flip;
    SetDlgItemTextA(page, FIELD_ID, (flip ? other : typed).c_str());
    evaluate_answer(page, FIELD_ID);
  });
  report(ladder);
  report(score);
  report(evaluation);
  report(restore);
  report(saving);
  printf("one frame at 60 Hz: 16667 us\n");

  tear_down(&player);
  char answers[TEXT_SLOT_SIZE];
  if (program_answers_file(answers)) DeleteFileA(answers);
  return 0;
}
