// The HeaderPanel: the band across the top of the frame (dialog template
// 1002) with the score and reward code, the title, explanation and "Sauver",
// and the maker's hyperlink above the author. Made with the QuizDocument as
// its parameter (CreateDialogParamA); its control ids are in
// resources/resource_ids.h. A click on "Sauver" goes on to its parent, which
// saves.
#pragma once

#include <windows.h>

// MAKER_ADDRESS: the text of the hyperlink and what it opens.
#include "core/page/frame_layout.h"

enum : COLORREF { PANEL_COLOUR = 0x00FF8080, HYPERLINK_COLOUR = 0x00FF3232 };

INT_PTR CALLBACK header_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

// Gives a static control the look of a link: an underlined font three
// quarters of its height, and the pointing hand as the "Static" class cursor.
void style_hyperlink(HWND label);
