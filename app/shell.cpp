#include "shell.h"

QuizDocument* current_document = nullptr;
HWND header_panel_window = nullptr;
HWND question_page_window = nullptr;
