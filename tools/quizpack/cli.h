// quizpack's command line: build, dump, check, try, and --help on each.
#pragma once

#include <ostream>

// Runs quizpack with its arguments; returns the exit status (0 on success).
int quizpack_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
