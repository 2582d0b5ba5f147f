#include "startup.h"

#include <cstdlib>

#include "core/content/loader.h"
#include "header_panel.h"
#include "main_frame.h"
#include "resources/resource_ids.h"
#include "win32/answers/answer_field.h"
#include "win32/answers/page_view.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

const int EXIT_NO_MEMORY = 1;

// Only a fully initialised document is published.
QuizDocument* make_document() {
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (doc) init_document(doc);
  return doc;
}

}  // namespace

// A document that cannot be allocated leaves nothing to show: the user is told
// and the exit code says so (the loader's message for want of memory).
int run_player(HINSTANCE instance) {
  install_platform(&win32_platform());
  if (!register_frame_class(instance)) return 0;
  Player player = {};
  player.document = make_document();
  if (!player.document) {
    show_no_memory();
    return EXIT_NO_MEMORY;
  }
  load_content(player.document);
  start_media(&player.media, player.document);
  open_player_windows(instance, &player);
  int exit_code = run_message_loop(player.page);
  tear_down(&player);
  return exit_code;
}

// The frame takes its size once the page is built and measured, before it is
// first shown; its first layout comes with that showing, when both dialogs
// exist. The focus goes to the first answer still to find, in view, only once
// the page is shown and at its top: showing the frame takes the focus.
HWND open_player_windows(HINSTANCE instance, Player* player) {
  QuizDocument* doc = player->document;
  player->frame = create_main_frame(instance, doc->title, player);
  player->panel = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_PANEL), player->frame,
                                     header_panel_proc, reinterpret_cast<LPARAM>(doc));
  ShowWindow(player->panel, SW_SHOWNORMAL);
  doc->header_panel = player->panel;
  PageSetup setup = answering_page(doc, &player->media);
  player->page = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PAGE), player->frame,
                                    question_page_proc, reinterpret_cast<LPARAM>(&setup));
  if (player->page) fit_frame_to_page(player->frame, player->page);
  ShowWindow(player->frame, SW_SHOWNORMAL);
  ShowWindow(player->page, SW_SHOWNORMAL);
  SendMessageA(player->page, WM_VSCROLL, SB_TOP, 0);
  focus_first_open_field(player->page);
  return player->frame;
}

// GetMessageA fails (-1) only for bad arguments; the loop then ends as a
// failure instead of spinning.
int run_message_loop(HWND page) {
  MSG message;
  BOOL got = 0;
  for (;;) {
    // The page's pictures out of view decode one at a time while nothing
    // waits (a paint counts as waiting): the first screen comes first.
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && decode_next_picture(page)) continue;
    if ((got = GetMessageA(&message, nullptr, 0, 0)) <= 0) break;
    if (IsDialogMessageA(page, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

// Judging ends first: the windows going take the focus from the focused
// field, which would judge itself again and could open the "texte" box over
// a vanishing window.
void tear_down(Player* player) {
  if (QuizSession* session = page_session(player->page)) end_session(session);
  stop_media(&player->media, player->frame);
  if (player->document) {
    release_document(player->document);
    free(player->document);
  }
  *player = {};
}
