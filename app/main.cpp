// Process entry: makes the one QuizDocument, loads the quiz from the program's
// own resources and opens the main frame titled with the quiz title.
#include <windows.h>

#include <cstdlib>

#include "../content/document.h"
#include "../content/loader.h"
#include "platform_win32.h"
#include "shell.h"

namespace {

const char FRAME_CLASS[] = "WindowsApp";
const int FRAME_WIDTH = 544;
const int FRAME_HEIGHT = 375;

LRESULT CALLBACK main_frame_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

bool register_frame_class(HINSTANCE instance) {
  WNDCLASSEXA frame_class = {};
  frame_class.cbSize = sizeof frame_class;
  frame_class.style = CS_DBLCLKS;
  frame_class.lpfnWndProc = main_frame_proc;
  frame_class.hInstance = instance;
  frame_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  frame_class.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  frame_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  frame_class.lpszClassName = FRAME_CLASS;
  return RegisterClassExA(&frame_class) != 0;
}

void centre_on_desktop(HWND window) {
  RECT desktop, frame;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &frame);
  int left = desktop.left + ((desktop.right - desktop.left) - (frame.right - frame.left)) / 2;
  int top = desktop.top + ((desktop.bottom - desktop.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  install_platform(&win32_platform());
  if (!register_frame_class(instance)) return 0;

  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (!doc) return 0;
  init_document(doc);
  current_document = doc;
  load_content(doc);

  HWND frame = CreateWindowExA(0, FRAME_CLASS, doc->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, FRAME_WIDTH, FRAME_HEIGHT, nullptr, nullptr, instance,
                               nullptr);
  centre_on_desktop(frame);
  ShowWindow(frame, SW_SHOWNORMAL);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }

  DestroyWindow(frame);
  release_document(current_document);
  free(current_document);
  current_document = nullptr;
  return static_cast<int>(message.wParam);
}
