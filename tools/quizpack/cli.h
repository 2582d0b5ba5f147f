// quizpack's command line: build, dump, check, try, and --help on each.
#pragma once

#include <ostream>
#include <string>

// Runs quizpack with its arguments; returns the exit status (0 on success).
int quizpack_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// A quiz source dropped onto quizpack arrives as its one argument: when the
// command line is that (a name ending in .toml, in any case), the quiz to
// build beside it (the same name ending in .exe); "" otherwise.
std::string dropped_quiz_output(int argc, const char* const* argv);
