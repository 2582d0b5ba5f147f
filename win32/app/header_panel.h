// The HeaderPanel: the band across the top of the frame (dialog template
// 1002) with the score and reward code, the title, explanation and "Sauver",
// and the quiz's link (when it gives one) above the author. Made with the
// QuizDocument as its parameter (CreateDialogParamA); its control ids are in
// resources/resource_ids.h. A click on "Sauver" goes on to its parent, which
// saves.
#pragma once

#include <windows.h>

// The panel's places and colours.
#include "core/page/header_layout.h"

enum : COLORREF { PANEL_COLOUR = HEADER_PANEL_COLOUR, HYPERLINK_COLOUR = HEADER_HYPERLINK_COLOUR };

INT_PTR CALLBACK header_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

// Gives a static control the look of a link: an underlined font three
// quarters of its height, and the pointing hand as the "Static" class cursor.
void style_hyperlink(HWND label);
