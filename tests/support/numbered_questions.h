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
