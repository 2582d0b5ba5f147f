// The two "PATCH" resources a quiz travels in, laid out exactly as the
// player's loader reads them (content/content_parser.h), and read back for
// `dump`.
#pragma once

#include <string>
#include <vector>

#include "quiz_source.h"

// Resource 104 before encoding: an unused byte, kind + 1, question count,
// answers per question, five "|"-ended header texts, per question its
// answer(s) and text, the answer-mode byte, the reveal records of modes 2 to
// 4 (mode 3 holds a second text, which the player reads past: it is left
// empty), then red, green and blue; then the header's link record when the
// quiz gives a link, and, when the quiz asks for judging options, their block.
std::string write_content(const QuizSource& quiz);

// The header's link record (core/content/header_link.h), or nothing for a
// quiz without a link.
std::string write_link_record(const QuizSource& quiz);

// The judging options block (core/content/judging_options.h) of a quiz that
// asks for options, or nothing. A question's own rules equal to the quiz's
// are written as the quiz's.
std::string write_judging_block(const QuizSource& quiz);

// Resource 105 before encoding: one CR LF-ended line per question; a question
// without a code gets an empty line.
std::string write_codes(const QuizSource& quiz);

// Reads decoded content back into `quiz` (everything but codes and media).
// Content that ends before its last field is refused with `problem`. Bytes
// after the colours (and the link record) that the player's reader does not
// take as judging options are left out, and told in `ignored` when it is given.
bool read_content(const std::string& content, QuizSource* quiz, std::string* problem,
                  std::string* ignored = nullptr);

// Reads a judging options block (what follows the colours) into `quiz`,
// whose questions are already read, with the player's own reader. False, and
// `quiz` unchanged, when that reader refuses it.
bool read_judging_block(const std::string& block, QuizSource* quiz);

// Reads up to `count` code lines; codes left empty at the end are dropped.
std::vector<std::string> read_codes(const std::string& codes, size_t count);

// LZW through the player's own codec. Returns the codec's status (0 success).
int encode_resource(const std::string& plain, std::string* encoded);
int decode_resource(const std::string& encoded, std::string* plain);
