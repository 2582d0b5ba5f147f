// Shell globals: alive for the whole process, written only by the start-up.
#pragma once

#include <windows.h>

#include "win32/answers/save_answers.h"
#include "core/content/document.h"

extern QuizDocument* current_document;  // the one quiz, owned by the start-up
extern HWND header_panel_window;
extern HWND question_page_window;
extern HBRUSH version_label_brush;  // paints the frame's VersionLabel

// What the frame's close, the end of the session, the panel's "Sauver" button
// and F2 in an answer field call to save the answers: save_answers_at. Window
// tests put a recorder here to watch the call.
extern void (*save_answers_call)(HWND page, SaveOccasion occasion);

// A value of a layout table: a negative value counts from the far edge, so
// that -134 in a row of the table means W - 134 for a parent W pixels wide.
inline int anchored(int value, int extent) { return value < 0 ? extent + value : value; }
