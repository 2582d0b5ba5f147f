// Judging the answer fields: the verdict of each, what a solved question does
// by the quiz's answer mode, and the score that follows.
#pragma once

#include <windows.h>

#include "core/content/document.h"

// Judges AnswerField `field_id` of the page, writes its verdict, applies the
// answer mode when this judgement solves its question, and updates the score.
void evaluate_answer(QuizDocument* doc, HWND page, int field_id);

// Judges every answer field once, when the page has been built with every
// label in place: restored answers show their verdicts, reveals and answer
// pictures and count in the score at once. Shows no message box: restoring an
// answer is not finding it.
void judge_all_answers(QuizDocument* doc, HWND page);

// Judges the listed fields with one score update at the end (F1 spreading an
// answer). `field_ids` holds `count` ids.
void evaluate_answers(QuizDocument* doc, HWND page, const int* field_ids, int count);
