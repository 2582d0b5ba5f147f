// Writing every answer field's text to the answers file in the current
// directory. A save never leaves a half-written file: the lines go to a
// temporary file beside it, which then takes the answers file's place in one
// step; when that cannot be done, the old file stays as it was.
#pragma once

#include <windows.h>

// Why a save is made; it decides what the user is told when it fails.
enum SaveOccasion {
  SAVE_ON_REQUEST,      // F2 or "Sauver": the user may retry or go on playing
  SAVE_ON_CLOSE,        // the window closes: the user may retry or quit without saving
  SAVE_AT_SESSION_END,  // Windows is ending the session: one try, nothing shown
};

// Writes the answers file from the page's fields, as they show now, and tells
// the session so; false when it could not be written whole, the old file then
// left as it was.
bool write_answers_file(HWND page);

// Saves the answers of the page; when the file cannot be written, asks in
// French whether to try again, as long as the user wants to (not at the end
// of the session).
void save_answers_at(HWND page, SaveOccasion occasion);

// Saves on the user's request (F2, "Sauver").
void save_answers(HWND page);

// Saves after a judgement that changed an answer. When the file cannot be
// written the user is told once, with an OK box, until a save succeeds
// again; closing the window asks again.
void save_answers_as_answered(HWND page);
