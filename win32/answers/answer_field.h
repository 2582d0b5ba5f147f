// The AnswerField: a single-line edit control whose procedure makes it judge
// itself when it is left and on Enter, select its whole text when it gets the
// focus, spread its answer with F1, save with F2, and keep the focused field
// in view on Tab. Page Up and Page Down scroll the page. Its page's state
// holds the edit class's own procedure and the session that judges.
#pragma once

#include <windows.h>

#include "core/answers/quiz_session.h"

LRESULT CALLBACK answer_field_proc(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

// Judges AnswerField `field_id` of the page with the text it shows: the
// session decides, the page shows what changed.
Judgement evaluate_answer(HWND page, int field_id);

// F1: every field not yet right takes this field's text, and all are judged;
// right answers keep theirs. The focus stays in `field`.
void spread_answer(HWND field);

// Scrolls the page, as little as needed, so that the answer field and its
// question (picture, labels, the other field) are seen.
void bring_field_into_view(HWND page, HWND field);

// Gives the keyboard focus to the first field not yet right (the first field
// when all are) and brings it into view; the start-up calls it once the page
// is shown, so the first keys typed go where the user can see them.
void focus_first_open_field(HWND page);
