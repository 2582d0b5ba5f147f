// The least a window program does: one empty 544 x 375 window and its message
// loop. The start-up benchmark's reference for what Wine costs any program;
// like the page host it reports when it is first ready.
#include <windows.h>

#include "bench_program.h"

namespace {

const char WINDOW_CLASS[] = "BenchEmptyWindow";
const int WIDTH = 544;
const int HEIGHT = 375;

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  register_window_class(instance, WINDOW_CLASS, window_proc, COLOR_WINDOW);
  HWND window = CreateWindowExA(0, WINDOW_CLASS, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, WIDTH, HEIGHT, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  MSG message;
  for (;;) {
    report_ready_once();
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
