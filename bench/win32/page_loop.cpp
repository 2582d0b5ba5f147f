#include "page_loop.h"

#include "bench_program.h"
#include "win32/page/question_page.h"

void run_page_loop(HWND page, void (*details)(FILE* file)) {
  MSG message;
  for (;;) {
    PageState* state = page_state(page);
    bool pictures_left = state && state->pictures_pending > 0;
    report_ready_once(details, pictures_left);
    if (pictures_left && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      decode_next_picture(page);
      continue;
    }
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    if (IsDialogMessageA(page, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
