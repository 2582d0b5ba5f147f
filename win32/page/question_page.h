// The QuestionPage: the scrolling dialog of questions below the header panel.
// It builds every control while it initialises, then only scrolls, paints its
// statics in the quiz's colours and hands media commands on. Its state, the
// quiz session included, lives in the dialog's user data.
#pragma once

#include <windows.h>

#include "core/answers/quiz_session.h"
#include "core/content/document.h"
#include "core/page/page_layout.h"
#include "media.h"

// Scroll requests the page accepts in WM_VSCROLL beside the standard codes.
enum : int {
  SCROLL_WHEEL_DOWN = 500,  // down one wheel step
  SCROLL_WHEEL_UP = 501,    // up one wheel step
  SCROLL_TO_TARGET = 502,   // to the vertical position in lParam
};

enum : int {
  SCROLL_UNIT = 1,    // pixels per scroll position
  SCROLL_LINE = 310,  // one line up or down: about a row of pictures
  WHEEL_STEP = 50,    // one wheel notch
};

// Where the page hands the play and stop commands of an audio or video quiz
// when a test watches them instead of the media host.
struct PageMediaCalls {
  void (*play_clip)(HWND page, int question);
  void (*stop_clip)(HWND page);
};

// What the page is made from: the parameter of CreateDialogParamA, read
// while the page initialises.
struct PageSetup {
  QuizDocument* doc;  // null: an empty page
  // The answer fields' procedure; null leaves them plain edit controls.
  WNDPROC field_proc;
  // How the session's changes are shown, with the page's state as instance;
  // null shows nothing.
  const SessionViewOps* view;
  MediaHost* media;                   // the clips of an audio or video quiz, or null
  const PageMediaCalls* media_calls;  // null: play and stop go to `media`
};

// The page's own state, from WM_INITDIALOG to its destruction. The numbered
// controls are kept by number as the build makes them: finding one by its id
// walks every child of the page, and under Wine each step is a round trip to
// the server.
struct PageState {
  HWND page;
  QuizDocument* doc;
  QuizSession session;
  HWND fields[MAX_ANSWER_FIELDS + 1];    // AnswerField k at [k]
  HWND verdicts[MAX_ANSWER_FIELDS + 1];  // VerdictLabel k at [k]
  HWND reveals[MAX_QUESTIONS + 1];       // RevealLabel n at [n]
  HWND pictures[MAX_QUESTIONS + 1];      // QuestionPicture n at [n]
  // The box question n's picture was fitted and centred in, from the layout,
  // in page content coordinates: an answer picture takes the same.
  PageBox picture_boxes[MAX_QUESTIONS + 1];
  // Question pictures laid out from the size their JPEG header gives and not
  // decoded yet: each is decoded when it comes into view, or while the
  // program has nothing else to do. COM stays open until the last is done.
  bool picture_pending[MAX_QUESTIONS + 1];
  int pictures_pending;
  bool apartment_open;
  int width, height;        // content extent, set by the build
  bool save_failure_told;   // a save after a judgement failed and the user knows
  WNDPROC field_proc;       // from the setup
  WNDPROC edit_class_proc;  // the edit class's own procedure
  MediaHost* media;         // from the setup
  const PageMediaCalls* media_calls;
};

// The state of a page; null for any other window, and once the page is gone.
PageState* page_state(HWND page);

// The page's session; null without one.
QuizSession* page_session(HWND page);

// Control `id` of `page`: from the state's tables for the numbered controls,
// found by id otherwise.
HWND page_control(HWND page, int id);

// The extent of the page's content, as the build laid it out.
SIZE page_extent(HWND page);

// The page owns the bitmaps shown by its QuestionPictures: whoever gives one a
// new bitmap (STM_SETIMAGE) deletes the one it replaces, and the page deletes
// the last ones when it is destroyed. Nothing is judged once it is going.
INT_PTR CALLBACK question_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// Sizes both scroll bars from the content extent and the client size; a page
// that fits shows a disabled bar at position 0.
void setup_scrollbars(HWND page);

// Scrolls the page sideways to `position`, kept within the bar's range.
void scroll_horizontally_to(HWND page, int position);

// The font of the answer fields, made once per document.
void create_answer_font(QuizDocument* doc);

// Decodes one picture still waiting, if any, and shows it: the message loop
// calls it while no message waits. False once none waits (and for a window
// that is not a page).
bool decode_next_picture(HWND page);

// Decodes and shows every waiting picture whose box is in the page's view.
void decode_pictures_in_view(PageState* state);

// Question n's picture no longer waits: an answer picture took its static.
void forget_pending_picture(PageState* state, int n);

// No picture waits any more (the page is going).
void release_pending_pictures(PageState* state);

// Builds every control of the page from its state's document (WM_INITDIALOG),
// fills the answer fields from the answers file and judges them all.
void build_page(PageState* state);
