#include "answer_field.h"

#include "win32/app/shell.h"
#include "core/page/page_layout.h"
#include "win32/page/question_page.h"
#include "evaluation.h"
#include "core/answers/field_view.h"
#include "score.h"
#include "core/answers/score_rules.h"

namespace {

const int LABEL_OFFSET = ID_VERDICT_LABEL - ID_ANSWER_FIELD;

// The field's place on the page, when it is one of the current quiz's fields.
bool field_place(HWND field, FieldPlace* place) {
  return current_document && locate_field(current_document, GetDlgCtrlID(field), place);
}

// A control's vertical extent in page content pixels, added to `span`.
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

// Sideways the field is shown with its verdict label: a text quiz puts its
// fields beyond the right edge of a window of the default size, where typed
// keys would go unseen.
void bring_field_across(HWND page, HWND field) {
  int position = GetScrollPos(page, SB_HORZ);
  Span own = extent_of(page, field, position, true);
  Span with_label = own;
  HWND label = page_control(page, GetDlgCtrlID(field) + LABEL_OFFSET);
  if (label) with_label.bottom = extent_of(page, label, position, true).bottom;
  RECT client;
  GetClientRect(page, &client);
  int target = position_showing(with_label, own, position * SCROLL_UNIT, client.right) / SCROLL_UNIT;
  if (target != position) scroll_horizontally_to(page, target);
}

void evaluate_field(HWND field) {
  if (current_document) evaluate_answer(current_document, GetParent(field), GetDlgCtrlID(field));
}

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
    case VK_F2: save_answers_call(GetParent(field), SAVE_ON_REQUEST); break;
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
  return CallWindowProcA(edit_class_proc, field, message, wparam, lparam);
}

void spread_answer(HWND field) {
  QuizDocument* doc = current_document;
  FieldPlace own;
  if (!field_place(field, &own)) return;
  HWND page = GetParent(field);
  char text[TEXT_SLOT_SIZE] = "";
  GetWindowTextA(field, text, sizeof text);
  // The field itself first, as leaving it would judge it; then every other
  // field not yet right.
  int ids[MAX_ANSWER_FIELDS];
  int count = 0;
  ids[count++] = GetDlgCtrlID(field);
  int fields = answer_field_count(doc);
  for (int k = 1; k <= fields; ++k) {
    int id = ID_ANSWER_FIELD + k;
    if (k == own.field || label_reads_right(page, id + LABEL_OFFSET)) continue;
    write_control_text(page, id, text);
    ids[count++] = id;
  }
  evaluate_answers(doc, page, ids, count);
}

void bring_field_into_view(HWND page, HWND field) {
  FieldPlace place;
  if (!field_place(field, &place)) return;
  bring_field_across(page, field);
  int position = GetScrollPos(page, SB_VERT);
  Span field_span = {0, 0}, question = {0, 0};
  widen(&field_span, page, field, position);
  int per_question = fields_per_question(current_document);
  int first_id = ID_ANSWER_FIELD + (place.question - 1) * per_question;
  for (int j = 1; j <= per_question; ++j) {
    widen(&question, page, page_control(page, first_id + j), position);
    widen(&question, page, page_control(page, first_id + j + LABEL_OFFSET), position);
  }
  widen(&question, page, page_control(page, ID_QUESTION_PICTURE + place.question), position);
  RECT client;
  GetClientRect(page, &client);
  int target =
      position_showing(question, field_span, position * SCROLL_UNIT, client.bottom) / SCROLL_UNIT;
  if (target == position) return;
  scroll_target = target;
  SendMessageA(page, WM_VSCROLL, SCROLL_TO_TARGET, 0);
}

void focus_first_open_field(HWND page) {
  if (!page || !current_document) return;
  int fields = answer_field_count(current_document);
  HWND target = page_control(page, ID_ANSWER_FIELD + 1);
  for (int k = 1; k <= fields; ++k) {
    if (!label_reads_right(page, ID_VERDICT_LABEL + k)) {
      target = page_control(page, ID_ANSWER_FIELD + k);
      break;
    }
  }
  if (!target) return;
  SetFocus(target);
  bring_field_into_view(page, target);
}
