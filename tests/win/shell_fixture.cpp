#include "shell_fixture.h"

#include <cstdlib>
#include <ostream>

#include "win32/answers/save_answers.h"
#include "win32/app/main_frame.h"
#include "win32/app/shell.h"
#include "win32/app/startup.h"
#include "win32/page/question_page.h"
#include "win32/platform/win32_seam.h"

std::vector<HWND> ShellWindows::saves;
std::vector<SaveOccasion> ShellWindows::save_occasions;
std::vector<ShellOpen> ShellWindows::shell_opens;

namespace {

void record_save(HWND page, SaveOccasion occasion) {
  ShellWindows::saves.push_back(page);
  ShellWindows::save_occasions.push_back(occasion);
}

INT_PTR record_shell_open(HWND owner, const char* target, int show) {
  ShellWindows::shell_opens.push_back({owner, target, show});
  return 42;  // what the shell answers on success
}

// The real calls but the shell's, which is recorded.
Win32Seam recording_seam;

}  // namespace

void ShellWindows::SetUp() {
  saves.clear();
  save_occasions.clear();
  shell_opens.clear();
  install_win32_seam(nullptr);
  recording_seam = win32_seam();
  recording_seam.shell_open = record_shell_open;
  install_win32_seam(&recording_seam);
  register_frame_class(instance);  // fails harmlessly once registered
  doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  init_document(doc);
  copy_text(doc->title, "Capitales d'Europe");
  copy_text(doc->author, "Marie Curie");
  copy_text(doc->explanation, "Trouvez la ville");
  doc->question_count = 36;
  player.document = doc;
  player.save = record_save;
  shape(doc, &player);
  frame = open_player_windows(instance, &player);
  panel = player.panel;
  page = player.page;
  pump_messages();
}

// As the program ends: the same teardown, whatever the test did.
void ShellWindows::TearDown() {
  tear_down(&player);
  pump_messages();
  install_win32_seam(nullptr);
}

SIZE ShellWindows::resize_frame(int width, int height) {
  SetWindowPos(frame, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(frame, &client);
  return {client.right, client.bottom};
}

std::string text_of(HWND window) {
  char text[260] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

RECT child_rect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT rect_of(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

std::vector<WPARAM> take_scroll_requests(HWND window) {
  std::vector<WPARAM> requests;
  MSG message;
  while (PeekMessageA(&message, window, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) {
    EXPECT_EQ(message.lParam, 0);
    requests.push_back(message.wParam);
  }
  return requests;
}

void pump_messages(HWND page) {
  MSG message;
  do {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  } while (decode_next_picture(page));
}

std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << ", " << r.top << ") " << r.right - r.left << " x "
             << r.bottom - r.top;
}
