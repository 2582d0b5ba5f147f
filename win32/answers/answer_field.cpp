#include "answer_field.h"

#include "core/answers/field_view.h"
#include "core/page/page_layout.h"
#include "save_answers.h"
#include "win32/page/question_page.h"

namespace {

// Field k of the page's session, when it is one and its control exists.
bool is_field(const PageState* state, int k) {
  return state && state->doc && k >= 1 && k <= state->session.field_count && state->fields[k];
}

// The field's number k on its page; 0 when it is none of the session's fields.
int field_number(const PageState* state, HWND field) {
  int k = GetDlgCtrlID(field) - ID_ANSWER_FIELD;
  return is_field(state, k) ? k : 0;
}

// A control's extent in the page's content, top to bottom or left to right.
Span extent_of(HWND page, HWND control, int position, bool across) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
  int offset = position * SCROLL_UNIT;
  if (across) return {place.left + offset, place.right + offset};
  return {place.top + offset, place.bottom + offset};
}

void widen(Span* span, HWND page, HWND control, int position) {
  if (!control) return;
  Span own = extent_of(page, control, position, false);
  if (span->bottom <= span->top) {
    *span = own;
    return;
  }
  if (own.top < span->top) span->top = own.top;
  if (own.bottom > span->bottom) span->bottom = own.bottom;
}

// Sideways the field is shown with its verdict label, where typed keys and
// their verdict are seen. At start a field seen whole from the page's left
// edge keeps the page there, so that the question texts are seen whole too.
void bring_field_across(HWND page, HWND field, bool keep_left_edge) {
  int position = GetScrollPos(page, SB_HORZ);
  Span own = extent_of(page, field, position, true);
  Span with_label = own;
  HWND label = page_control(page, GetDlgCtrlID(field) + VERDICT_LABEL_OFFSET);
  if (label) with_label.bottom = extent_of(page, label, position, true).bottom;
  RECT client;
  GetClientRect(page, &client);
  int target =
      position_showing(with_label, own, position * SCROLL_UNIT, client.right) / SCROLL_UNIT;
  if (keep_left_edge && position_showing(own, own, 0, client.right) == 0) target = 0;
  if (target != position) scroll_horizontally_to(page, target);
}

void evaluate_field(HWND field) { evaluate_answer(GetParent(field), GetDlgCtrlID(field)); }

// Typing replaces the whole answer.
void on_set_focus(HWND field) { SendMessageA(field, EM_SETSEL, 0, -1); }

// Tab moves the focus when it goes down, so its release arrives in the field
// that was reached. The field that has the focus is the one to show, wherever
// the release is delivered.
void on_tab_released(HWND field) {
  HWND page = GetParent(field);
  HWND focus = GetFocus();
  if (focus && GetParent(focus) == page) bring_field_into_view(page, focus);
}

// Key releases, and keys pressed with Alt (Alt+Enter judges too). True when
// the key is the field's own and the edit control must not see it.
bool on_key(HWND field, WPARAM key) {
  switch (key) {
    case VK_RETURN: evaluate_field(field); return true;
    case VK_TAB: on_tab_released(field); break;
    case VK_F1: spread_answer(field); break;
    case VK_F2: save_answers(GetParent(field)); break;
  }
  return false;
}

// Page Up and Page Down scroll the page a page at a time, repeating while
// held; the arrows stay the edit control's own, moving the caret.
bool on_key_down(HWND field, WPARAM key) {
  if (key != VK_PRIOR && key != VK_NEXT) return false;
  SendMessageA(GetParent(field), WM_VSCROLL, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
  return true;
}

}  // namespace

LRESULT CALLBACK answer_field_proc(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
  const PageState* state = page_state(GetParent(field));
  WNDPROC edit = state ? state->edit_class_proc : nullptr;
  if (!edit) return DefWindowProcA(field, message, wparam, lparam);
  switch (message) {
    case WM_SETFOCUS: on_set_focus(field); break;
    case WM_KILLFOCUS: evaluate_field(field); break;
    case WM_CHAR:
      if (wparam == '\r' || wparam == '\t') return 0;  // no beep, no character
      break;
    case WM_KEYDOWN:
      if (on_key_down(field, wparam)) return 0;
      break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
      if (on_key(field, wparam)) return 1;
      break;
  }
  return CallWindowProcA(edit, field, message, wparam, lparam);
}

Judgement evaluate_answer(HWND page, int field_id) {
  PageState* state = page_state(page);
  int k = field_id - ID_ANSWER_FIELD;
  if (!is_field(state, k)) return {};
  char typed[TEXT_SLOT_SIZE] = "";
  GetWindowTextA(state->fields[k], typed, sizeof typed);
  return judge_field(&state->session, k, typed);
}

void spread_answer(HWND field) {
  PageState* state = page_state(GetParent(field));
  int k = field_number(state, field);
  if (!k) return;
  char text[TEXT_SLOT_SIZE] = "";
  GetWindowTextA(field, text, sizeof text);
  spread_answer_text(&state->session, k, text);
}

namespace {

// The field with its question, top to bottom; sideways as bring_field_across.
void show_field(HWND page, HWND field, bool keep_left_edge) {
  const PageState* state = page_state(page);
  int k = field_number(state, field);
  if (!k) return;
  bring_field_across(page, field, keep_left_edge);
  int position = GetScrollPos(page, SB_VERT);
  Span field_span = {0, 0}, question = {0, 0};
  widen(&field_span, page, field, position);
  int per_question = state->session.per_question;
  int n = (k - 1) / per_question + 1;
  for (int j = 1; j <= per_question; ++j) {
    int other = (n - 1) * per_question + j;
    widen(&question, page, state->fields[other], position);
    widen(&question, page, state->verdicts[other], position);
  }
  widen(&question, page, state->pictures[n], position);
  RECT client;
  GetClientRect(page, &client);
  int target =
      position_showing(question, field_span, position * SCROLL_UNIT, client.bottom) / SCROLL_UNIT;
  if (target != position) SendMessageA(page, WM_VSCROLL, SCROLL_TO_TARGET, target);
}

}  // namespace

void bring_field_into_view(HWND page, HWND field) { show_field(page, field, false); }

void focus_first_open_field(HWND page) {
  const PageState* state = page_state(page);
  if (!state || !state->doc) return;
  HWND target = state->fields[first_open_field(&state->session)];
  if (!target) return;
  SetFocus(target);
  show_field(page, target, true);
}
