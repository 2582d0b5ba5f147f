// The QuestionPage: the scrolling dialog of questions below the header panel.
// It builds every control while it initialises, then only scrolls, paints its
// statics in the quiz's colours and hands media commands on.
#pragma once

#include <windows.h>

#include "core/content/document.h"

// Scroll requests the page accepts in WM_VSCROLL beside the standard codes.
enum : int {
  SCROLL_WHEEL_DOWN = 500,  // down one wheel step
  SCROLL_WHEEL_UP = 501,    // up one wheel step
  SCROLL_TO_TARGET = 502,   // to `scroll_target`
};

enum : int {
  SCROLL_UNIT = 1,    // pixels per scroll position
  SCROLL_LINE = 310,  // one line up or down: about a row of pictures
  WHEEL_STEP = 50,    // one wheel notch
};

// The controls that judging and saving work on, by number, recorded by the
// build as it makes them and forgotten when the page goes. Finding a control
// by its id walks every child of the page, hundreds on a large quiz, and
// under Wine each step is a round trip to the server.
struct PageControls {
  HWND page;
  HWND fields[MAX_ANSWER_FIELDS + 1];    // AnswerField k at [k]
  HWND verdicts[MAX_ANSWER_FIELDS + 1];  // VerdictLabel k at [k]
  HWND reveals[MAX_QUESTIONS + 1];       // RevealLabel n at [n]
  HWND pictures[MAX_QUESTIONS + 1];      // QuestionPicture n at [n]
};
extern PageControls page_controls;

// Control `id` of `page`: from the table when it is that page's and the id
// one of its numbered controls, found by id otherwise.
HWND page_control(HWND page, int id);

// The text of control `id` of the page into a 260-byte slot (empty when there
// is no such control), and a new text for it.
void read_control_text(HWND page, int id, char* slot);
void write_control_text(HWND page, int id, const char* text);

extern int page_width;  // extent of the page content, set by the build
extern int page_height;
extern int scroll_target;        // vertical position taken on SCROLL_TO_TARGET
extern WNDPROC edit_class_proc;  // the edit class's own procedure

// The page owns the bitmaps shown by its QuestionPictures: whoever gives one a
// new bitmap (STM_SETIMAGE) deletes the one it replaces, and the page deletes
// the last ones when it is destroyed.
INT_PTR CALLBACK question_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// Sizes both scroll bars from the content extent and the client size; a page
// that fits shows a disabled bar at position 0.
void setup_scrollbars(HWND page);

// Scrolls the page sideways to `position`, kept within the bar's range.
void scroll_horizontally_to(HWND page, int position);

// The font of the answer fields, made once per document.
void create_answer_font(QuizDocument* doc);

// Where the page hands the play and stop commands of an audio or video quiz:
// the media host, unless a test installs its own table (null puts the media
// host back). The table must outlive its use.
struct PageMediaCalls {
  void (*play_clip)(HWND page, int question);
  void (*stop_clip)(HWND page);
};
void install_page_media(const PageMediaCalls* calls);

// Builds every control of the page from the document (WM_INITDIALOG).
void build_page(HWND page, QuizDocument* doc);
