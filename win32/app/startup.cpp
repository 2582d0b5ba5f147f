#include "startup.h"

#include <cstdlib>

#include "win32/answers/answer_field.h"
#include "core/content/loader.h"
#include "win32/page/media.h"
#include "win32/page/question_page.h"
#include "resources/resource_ids.h"
#include "header_panel.h"
#include "main_frame.h"
#include "platform_win32.h"
#include "shell.h"

namespace {

// The loader's own words for memory that cannot be had.
const char NO_MEMORY_TEXT[] = "Impossible d'allouer la memoire";
const char NO_MEMORY_CAPTION[] = "information";
const int EXIT_NO_MEMORY = 1;

// Only a fully initialised document is published.
bool make_document() {
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (!doc) return false;
  init_document(doc);
  current_document = doc;
  return true;
}

}  // namespace

// A document that cannot be allocated leaves nothing to show: the user is told
// and the exit code says so (the loader's message for want of memory).
int run_player(HINSTANCE instance) {
  install_platform(&win32_platform());
  if (!register_frame_class(instance)) return 0;
  version_label_brush = CreateSolidBrush(VERSION_LABEL_COLOUR);
  if (!make_document()) {
    show_message(NO_MEMORY_TEXT, NO_MEMORY_CAPTION);
    DeleteObject(version_label_brush);
    return EXIT_NO_MEMORY;
  }
  load_content(current_document);
  start_media();
  HWND frame = open_player_windows(instance);
  int exit_code = run_message_loop();
  tear_down(frame);
  return exit_code;
}

// The frame's first layout comes with its first showing, when both dialogs
// exist. The focus goes to the first answer still to find, in view, only once
// the page is shown and at its top: showing the frame takes the focus.
HWND open_player_windows(HINSTANCE instance) {
  HWND frame = create_main_frame(instance, current_document->title);
  header_panel_window =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_PANEL), frame, header_panel_proc, 0);
  ShowWindow(header_panel_window, SW_SHOWNORMAL);
  current_document->header_panel = header_panel_window;
  question_page_window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PAGE), frame,
                                            question_page_proc, 0);
  ShowWindow(frame, SW_SHOWNORMAL);
  ShowWindow(question_page_window, SW_SHOWNORMAL);
  SendMessageA(question_page_window, WM_VSCROLL, SB_TOP, 0);
  focus_first_open_field(question_page_window);
  return frame;
}

// GetMessageA fails (-1) only for bad arguments; the loop then ends as a
// failure instead of spinning.
int run_message_loop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    if (IsDialogMessageA(question_page_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

// For a text or picture quiz the frame goes away with the process; the media
// host destroys it for an audio or video quiz.
void tear_down(HWND frame) {
  EndDialog(question_page_window, 0);
  DestroyWindow(header_panel_window);
  stop_media(frame);
  DeleteObject(version_label_brush);
  version_label_brush = nullptr;
  if (current_document) {
    release_document(current_document);
    free(current_document);
    current_document = nullptr;
  }
}
