// Why a typed answer got its verdict, in words: the explanation the core
// gives (core/answers/verdict_reason.h), as messages of the catalogue, for
// `quizpack try` and the studio's try box.
#pragma once

#include <vector>

#include "core/answers/verdict_reason.h"
#include "messages.h"

// For a quiz with judging options, the rules of the question and the typed
// text as it was compared (`typed`: what was judged, at most 259 bytes,
// Windows-1252); then, for every quiz, what decided: in English with the
// compared forms, in French as the studio's try box says it ("une lettre de
// différence", "une autre réponse acceptée : « Paname »"...).
std::vector<Message> verdict_reasons(const VerdictExplanation& why, const char* typed);
