// Shell globals: alive for the whole process, written only by the start-up.
#pragma once

#include <windows.h>

#include "../content/document.h"

extern QuizDocument* current_document;  // the one quiz, owned by the start-up
extern HWND header_panel_window;
extern HWND question_page_window;
