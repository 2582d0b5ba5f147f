// Fills the QuizDocument from the program's own content resources "PATCH" 104
// (quiz content) and 105 (reward codes), or with the demonstration content
// when 104 is missing or empty. Failures are told to the user in French and
// start-up goes on with what the document then holds.
#pragma once

#include "document.h"

enum { CONTENT_RESOURCE = 104, CODES_RESOURCE = 105 };
extern const char CONTENT_RESOURCE_TYPE[];  // "PATCH"

void load_content(QuizDocument* doc);
