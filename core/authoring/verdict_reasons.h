// Why a typed answer got its verdict, in words: the explanation the core
// gives (core/answers/verdict_reason.h), said for `quizpack try` in English
// lines and for the studio's try box in one short French line.
#pragma once

#include <string>
#include <vector>

#include "core/answers/verdict_reason.h"

// Lines of UTF-8 text for a quiz with judging options: the rules of the
// question, the typed text as it was compared, and the accepted or listed
// answer that decided. `typed` is what was judged (at most 259 bytes,
// Windows-1252).
std::vector<std::string> verdict_reasons(const VerdictExplanation& why, const char* typed);

// One French line (UTF-8): "une lettre de différence", "une autre réponse
// acceptée : « Paname »", "une réponse fausse prévue : « Lyon »"...
std::string verdict_reason_french(const VerdictExplanation& why);
