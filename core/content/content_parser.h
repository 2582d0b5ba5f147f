// Reads the decoded content resources into a QuizDocument.
//
// Content (resource 104): byte 0 unused, byte 1 kind + 1, byte 2 question
// count, byte 3 answers per question, five "|"-ended header texts, the
// question records, the answer-mode byte, the reveal records of modes 2 to 4,
// then red, green and blue, and after them the header's link record
// (header_link.h) and the judging options block that a quiz may carry
// (judging_options.h). Codes (resource 105): one CR LF-ended line per
// question.
//
// The parser guards the document against content it does not expect:
// - a text or a code longer than 259 bytes is cut at 259 bytes and the rest of
//   it is skipped;
// - answers per question other than 2 is read as 1: a record then holds two
//   texts (answer, question text), exactly as the content lays it out;
// - only the first 96 questions are kept (one reward code per score); the
//   records of the others are read past so that the answer mode, reveals and
//   colours are still found;
// - content that ends early keeps everything read up to there: complete
//   question records only, the question count lowered to them; the fields not
//   reached keep their defaults. No message is shown for it.
#pragma once

#include <cstddef>

#include "document.h"

enum ContentStatus { CONTENT_COMPLETE = 0, CONTENT_TRUNCATED = 1 };

ContentStatus parse_content(QuizDocument* doc, const unsigned char* bytes, size_t length);
ContentStatus parse_codes(QuizDocument* doc, const unsigned char* bytes, size_t length);

// The small built-in quiz used when the program carries no content.
void use_demonstration_content(QuizDocument* doc);
