// quizpack's command line: build, dump, check, try, import, export, and
// --help on each, in the author's language (--lang fr or en, or the system's).
#pragma once

#include <ostream>
#include <string>

#include "core/authoring/messages.h"

// Runs quizpack with its arguments; returns the exit status (0 on success).
int quizpack_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// A quiz source dropped onto quizpack arrives as its one argument: when the
// command line is that (a name ending in .toml, in any case), the quiz to
// build beside it (the same name ending in .exe); "" otherwise.
std::string dropped_quiz_output(int argc, const char* const* argv);

// The language quizpack speaks for this command line: the one --lang names,
// or the author's, as the system tells it.
Language command_line_language(int argc, const char* const* argv);
