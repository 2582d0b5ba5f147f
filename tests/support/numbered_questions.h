// Questions whose texts say their number, for tests of answers and scores.
#pragma once

#include <string>

#include "core/content/document.h"

// Appends `count` questions: question n expects "Ville n" (and "Pays n" in a
// second field), reveals "Voici n", and score n shows "CODE-n".
inline void add_numbered_questions(QuizDocument* doc, int count) {
  for (int n = 1; n <= count; ++n) {
    std::string number = std::to_string(n);
    append_question(doc, ("Ville " + number).c_str(), ("Pays " + number).c_str(), "?");
    copy_text(question_at(doc, n - 1)->reveal_text, ("Voici " + number).c_str());
    copy_text(doc->codes[n - 1], ("CODE-" + number).c_str());
  }
}

// A quiz of `count` such questions, of this kind, answers per question and
// answer mode.
inline void make_numbered_quiz(QuizDocument* doc, uint32_t kind, int count, int answers,
                               int mode) {
  doc->kind = kind;
  doc->question_count = count;
  doc->answers_per_question = answers;
  doc->answer_mode = mode;
  add_numbered_questions(doc, count);
}
