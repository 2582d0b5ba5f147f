// The shell's record of the one running quiz: the document, the media host,
// the three windows by name, and what the frame keeps of its own. Start-up
// fills it, the frame holds it in its user data, teardown empties it.
#pragma once

#include <windows.h>

#include "core/content/document.h"
#include "win32/answers/save_answers.h"
#include "win32/page/media.h"

struct Player {
  QuizDocument* document;  // the one quiz, owned from start-up to teardown
  MediaHost media;
  HWND frame;
  HWND panel;  // the HeaderPanel
  HWND page;   // the QuestionPage
  // What the frame's close, the end of the session and "Sauver" call to save
  // the answers; null is save_answers_at. Window tests record the call.
  void (*save)(HWND page, SaveOccasion occasion);
  // The frame's own: the brush of its VersionLabel, made and deleted with it,
  // and the child that had the focus when it was last deactivated.
  HBRUSH version_label_brush;
  HWND focus_when_left;
};

// A value of a layout table: a negative value counts from the far edge, so
// that -134 in a row of the table means W - 134 for a parent W pixels wide.
inline int anchored(int value, int extent) { return value < 0 ? extent + value : value; }
