// The score and the reward code in the header panel, recomputed from the
// verdict labels of the question page each time: they go down as well as up.
#pragma once

#include <windows.h>

#include "core/content/document.h"

// Writes " n / N" into the ScoreLabel and the code of score n into the
// CodeBox of the document's header panel (nothing while there is none).
void update_score(QuizDocument* doc, HWND page);

// Whether the verdict label `label_id` of the page reads exactly "BRAVO".
bool label_reads_right(HWND page, int label_id);
