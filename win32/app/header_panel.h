// The HeaderPanel: the band across the top of the frame (dialog template
// 1002) with the score and reward code, the title, explanation and "Sauver",
// and the maker's hyperlink above the author.
#pragma once

#include <windows.h>

// The maker's web address: the text of the hyperlink and what it opens.
extern const char MAKER_ADDRESS[];

// Control ids; the score and code writers find ScoreLabel and CodeBox by them.
enum HeaderControl : int {
  HYPERLINK_LABEL = 24,
  AUTHOR_CAPTION = 25,
  AUTHOR_LABEL = 26,
  SAVE_BUTTON = 27,
  EXPLANATION_LABEL = 28,
  TITLE_LABEL = 29,
  CODE_BOX = 30,
  CODE_CAPTION = 31,
  SCORE_LABEL = 32,
  SEPARATOR_UNDER_SCORE = 120,
  SEPARATOR_LEFT = 121,
  SEPARATOR_RIGHT = 122,
};

enum : COLORREF { PANEL_COLOUR = 0x00FF8080, HYPERLINK_COLOUR = 0x00FF3232 };

INT_PTR CALLBACK header_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);

// Gives a static control the look of a link: an underlined font three
// quarters of its height, and the pointing hand as the "Static" class cursor.
void style_hyperlink(HWND label);
