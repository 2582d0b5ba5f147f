// Drives a running player from outside, as a user would: start it in a folder
// of its own, find its windows and controls, type, press keys, read texts,
// answer its message boxes, close it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct PlayerRun {
  PROCESS_INFORMATION process = {};
  HWND frame = nullptr;  // the "WindowsApp" main frame
  HWND panel = nullptr;  // header panel (the child dialog holding control 32)
  HWND page = nullptr;   // question page (the other child dialog)
};

// A fresh, empty folder for one run: <base>\<name>.
std::string fresh_folder(const std::string& name);

// Starts `program` with `folder` as its current directory and waits until its
// main frame is visible (and its dialogs exist).
bool start_player(const std::string& program, const std::string& folder, PlayerRun* run,
                  DWORD timeout_ms = 15000);

// Closes the main frame as the close box does and waits for the process to end.
// Returns its exit code, or -1 when it did not end in time.
int close_player(PlayerRun* run, DWORD timeout_ms = 15000);
// Waits for the process to end (closed some other way); the same results.
int wait_for_exit(PlayerRun* run, DWORD timeout_ms = 15000);

// Ends the process if it is still running (a failed test must not leave it).
void kill_player(PlayerRun* run);

std::string text_of(HWND window);
void set_text(HWND window, const std::string& text);

// Posts a key going down and up to a window; the player's loop sees it as a
// user's key press (Tab moves the focus through its dialog handling).
void press_key(HWND window, int virtual_key);
// Posts a key pressed with Alt held (WM_SYSKEYDOWN).
void press_alt_key(HWND window, int virtual_key);

// Waits until a window's text equals `expected`; false on timeout.
bool wait_for_text(HWND window, const std::string& expected, DWORD timeout_ms = 5000);

// Waits until the player has handled every message posted before this call.
void settle(const PlayerRun& run);

// A message box of the player's process with this caption, or null on timeout.
HWND wait_for_message_box(const PlayerRun& run, const std::string& caption,
                          DWORD timeout_ms = 5000);
// The text of a message box (its static control).
std::string message_box_text(HWND box);
// Presses a message box's button (IDOK, IDCANCEL, IDRETRY ...).
void press_button(HWND box, int button_id);

// Reads a whole file; empty when it does not exist.
std::string read_file(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);

// Presses a button as a click does (BM_CLICK, posted): its parent gets the
// button's command from the player's own loop.
void click_button(HWND button);

// Names of the files in `folder` that match `pattern` ("tirlo*.mp3"), sorted.
std::vector<std::string> files_matching(const std::string& folder, const std::string& pattern);

// For the answers suite.

// Copies a packed quiz into `folder` under the file name `name`.
bool copy_quiz(const std::string& quiz, const std::string& folder, const std::string& name);

// The player's window that has the keyboard focus, or null.
HWND focused_control(const PlayerRun& run);

// Whether `control` lies from top to bottom inside `container`'s client area
// as the screen shows them (what the user can see of a scrolled page).
bool shown_top_to_bottom(HWND control, HWND container);

// The size of a control's window.
SIZE size_of(HWND control);
