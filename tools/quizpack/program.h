// What quizpack's command line asks of the system it runs on.
#pragma once

#include <string>

// The running program's own file (UTF-8), or "" when it cannot be told.
std::string program_path();
