#include "shell.h"

#include "win32/answers/save_answers.h"

QuizDocument* current_document = nullptr;
HWND header_panel_window = nullptr;
HWND question_page_window = nullptr;
HBRUSH version_label_brush = nullptr;
void (*save_answers_call)(HWND page, SaveOccasion occasion) = save_answers_at;
