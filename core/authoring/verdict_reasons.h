// Why a typed answer got its verdict under a quiz's judging options, as
// `quizpack try` prints it: the rules of the question, the typed text as it
// was compared, and the accepted or listed answer that decided.
#pragma once

#include <string>
#include <vector>

#include "core/answers/judging.h"

// Lines of UTF-8 text, from the verdict the player's code gave `typed` (at
// most 259 bytes, Windows-1252) in field `field` of question `question`.
std::vector<std::string> verdict_reasons(const JudgingOptions& options, int question, int field,
                                         const std::string& expected, const char* typed,
                                         const FieldVerdict& verdict);
