// Placeholder: the field behaves as a plain edit control until its own
// keyboard handling lands.
#include "answer_field.h"

#include "../page/question_page.h"

LRESULT CALLBACK answer_field_proc(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcA(edit_class_proc, field, message, wparam, lparam);
}
