// Judging one answer field and applying what a solved question does.
#pragma once

#include <windows.h>

#include "../content/document.h"

// Judges AnswerField `field_id` of the page, writes its verdict and updates
// the score.
void evaluate_answer(QuizDocument* doc, HWND page, int field_id);
