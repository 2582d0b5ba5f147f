// The shell's record of the one running quiz: the document, the media host,
// the three windows by name, and what the frame keeps of its own. Start-up
// fills it, the frame holds it in its user data, teardown empties it.
#pragma once

#include <windows.h>

#include "core/content/document.h"
#include "core/page/frame_layout.h"
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
  // Where the frame may open: null is the work area of the screen it is on.
  // Window tests give a small screen's.
  bool (*work_area)(HWND frame, RECT* out);
  // The frame's own: the brush of its VersionLabel, made and deleted with it,
  // and the child that had the focus when it was last deactivated.
  HBRUSH version_label_brush;
  HWND focus_when_left;
};
