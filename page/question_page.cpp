// Placeholder page: an empty dialog until the question page is built.
#include "question_page.h"

int page_width = 0;
int page_height = 0;
int scroll_target = 0;
WNDPROC edit_class_proc = nullptr;

INT_PTR CALLBACK question_page_proc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}
