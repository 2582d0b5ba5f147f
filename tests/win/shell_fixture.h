// Opens the player's windows in-process, as the start-up does, on a document
// made by the test, and ends them as the program does; records what the shell
// asks of the save and shell seams.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/content/document.h"
#include "win32/answers/save_answers.h"
#include "win32/app/shell.h"

struct ShellOpen {
  HWND owner;
  std::string target;
  int show;
};

class ShellWindows : public ::testing::Test {
 public:
  static std::vector<HWND> saves;                   // pages handed to the save
  static std::vector<SaveOccasion> save_occasions;  // and why, in the same order
  static std::vector<ShellOpen> shell_opens;

 protected:
  HINSTANCE instance = GetModuleHandleA(nullptr);
  Player player = {};
  QuizDocument* doc = nullptr;  // the player's, freed by its teardown
  HWND frame = nullptr;
  HWND panel = nullptr;
  HWND page = nullptr;

  void SetUp() override;
  void TearDown() override;
  // Called before the windows open, on the test's document and player.
  virtual void shape(QuizDocument*, Player*) {}

  // Resizes the frame's outer rectangle and returns its client size.
  SIZE resize_frame(int width, int height);
};

std::string text_of(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT child_rect(HWND child);
RECT rect_of(int x, int y, int width, int height);
// Removes and returns the WM_VSCROLL requests posted to `window` (wParams).
std::vector<WPARAM> take_scroll_requests(HWND window);
// Dispatches every message waiting on this thread, drops WM_QUIT, and decodes
// the pictures `page` still has to decode, as the player's loop does while
// nothing waits.
void pump_messages(HWND page = nullptr);

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const RECT& r);
