// What a school platform (a SCORM 1.2 run-time) records of one person's
// session: the score, the lesson's status, and the answers in the compact
// form its suspend data holds. The page's bridge sets these values; it
// decides none of them.
#pragma once

#include <cstddef>
#include <string>

#include "core/answers/quiz_session.h"

// The characters of suspend data a SCORM 1.2 run-time must keep.
enum { SUSPEND_DATA_MAX = 4096 };

// The values after a judgement: raw is the solved questions, max the
// questions (min is 0). The status is "incomplete" until every question is
// solved, then "completed"; with a mastery score (above 0: the solved
// questions needed), "passed" once the score reaches it, "failed" once every
// field holds an answer without reaching it, "incomplete" before.
struct PlatformScore {
  int raw, max;
  const char* status;
};
PlatformScore platform_score(const QuizSession* session, double mastery);

// The answers file's bytes (one line per field, CR LF after each) in the
// compact form: "1" then "=" when every answer is kept, "<" when only the
// first ones fit; then the fields' texts separated by "|", trailing empty
// fields left out, every byte outside " " to "~" and every "|" and "%"
// written "%" and two hex digits. At most `limit` characters: when every
// answer does not fit, the first fields that do are kept whole.
struct CompactAnswers {
  std::string text;
  int fields;     // fields whose text is kept (trailing empty ones included)
  bool complete;  // every field's text is kept
};
CompactAnswers compact_answers(const void* answers, size_t size, int field_count, size_t limit);

// The answers file's bytes back from the compact form: one line per field
// kept. False for anything that is not that form (it is then not used).
bool expand_answers(const std::string& text, std::string* answers, bool* complete);
