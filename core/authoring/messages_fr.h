// quizpack's messages as the studio shows them: in French, beside the field
// of the quiz they are about. The checks word their messages once, in
// English, for the command line; this reads each back by its wording and
// says it in French. A message it does not know keeps its English text and
// its line, on the whole source.
#pragma once

#include <string>

#include "diagnostics.h"

struct FrenchMessage {
  bool error;
  // The field the message is about: "kind", "title", "author", "explanation",
  // "link", "link_text", "answers", "label1", "label2", "answer_mode", "background", "codes",
  // "code<N>", "questions", "q<N>" (a question as a whole), "q<N>.text",
  // "q<N>.answer1", "q<N>.answer2", "q<N>.reveal", "q<N>.picture",
  // "q<N>.answer_picture", "q<N>.clip", "judging" (the quiz's rules),
  // "q<N>.judging", "q<N>.also1", "q<N>.also2", "q<N>.wrong1", "q<N>.wrong2";
  // "source" (the whole source), "file"
  // (a packed quiz being opened) or "player".
  std::string field;
  std::string text;  // UTF-8, without the field's name
};

FrenchMessage french_message(const Diagnostic& diagnostic);

// A problem the checks word after the name of what they check (" is not a
// JPEG (...)", " has the character ..."), in French; the English when it is
// not one of theirs.
std::string french_problem(const std::string& after_name);
