// Fills the QuizDocument from the program's own content resources "PATCH" 104
// (quiz content) and 105 (reward codes), or with the demonstration content
// when 104 is missing or empty. Failures are told to the user in French and
// start-up goes on with what the document then holds.
#pragma once

#include "document.h"
#include "resource_names.h"

void load_content(QuizDocument* doc);

// The loader's message for memory that cannot be had ("Impossible d'allouer
// la memoire", caption "information"); start-up shows it too.
void show_no_memory();
