// What quizpack's command line asks of the system it runs on.
#pragma once

#include <string>

#include "core/authoring/messages.h"

// The running program's own file (UTF-8), or "" when it cannot be told.
std::string program_path();

// The language the author reads, as the system tells it: on Linux the
// locale of messages (LC_ALL, LC_MESSAGES or LANG, the first one set), on
// Windows the user's interface language.
Language author_language();
