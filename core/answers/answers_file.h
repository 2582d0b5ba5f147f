// The answers file: one line per answer field, in field order, each the
// field's text followed by CR LF. The page reads it back at its creation;
// saving writes it. Portable: the file's bytes come from or go to the caller.
#pragma once

#include <cstddef>

#include "core/content/text_slot.h"

// Written after every line.
#define ANSWER_LINE_END "\r\n"

// The answers file's name for the program file `program_path`: the part after
// the last backslash with its last three characters replaced by "txt" (no
// folder: the file lies in the current directory). A name shorter than three
// characters has no answers file: false, and `slot` is empty.
bool answers_file_name(const char* program_path, char* slot);

// The file a save writes first, in the same folder, and then puts in the
// answers file's place in one step: the answers file's name followed by
// ".tmp". False, and `slot` empty, when that does not fit a slot.
bool answers_temporary_name(const char* answers_name, char* slot);

// Room for one written line: a text of at most 259 bytes and CR LF.
enum { ANSWER_LINE_SIZE = TEXT_SLOT_MAX + 2 };

// The bytes written for a field showing `text`: the text as it is (blanks
// kept, not upper-cased), cut at 259 bytes, then CR LF. Returns their count;
// `line` gets no terminating zero.
size_t format_answer_line(const char* text, char* line);

// Reads the lines of an answers file held in memory.
struct AnswersReader {
  const unsigned char* bytes;
  size_t size;
  size_t position;
};

void start_answers(AnswersReader* reader, const void* bytes, size_t size);

// The next line into a 260-byte slot; returns its length. A line ends at CR
// and everything up to and past the following LF is skipped, so an LF alone
// does not end a line. A line longer than 259 bytes is cut there and the rest
// of it skipped. An exhausted file gives empty lines.
size_t read_answer_line(AnswersReader* reader, char* slot);
