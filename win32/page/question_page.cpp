// The QuestionPage's procedure: its state, scrolling, colours and media
// commands. The build is in page_build.cpp.
#include "question_page.h"

#include <cstdlib>

#include "core/page/page_colours.h"

namespace {

const int WHEEL_NOTCH = 120;  // exactly one notch scrolls; other deltas do nothing
const int LAST_MEDIA_QUESTION = MAX_QUESTIONS;

SCROLLINFO read_bar(HWND page, int bar) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(page, bar, &info);
  return info;
}

int vertical_target(const SCROLLINFO& info, int code, LPARAM target) {
  switch (code) {
    case SB_LINEUP: return info.nPos - SCROLL_LINE;
    case SB_LINEDOWN: return info.nPos + SCROLL_LINE;
    case SB_PAGEUP: return info.nPos - int(info.nPage);
    case SB_PAGEDOWN: return info.nPos + int(info.nPage);
    case SB_THUMBTRACK: return info.nTrackPos;
    case SB_TOP: return 0;
    case SB_BOTTOM: return info.nMax;
    case SCROLL_WHEEL_DOWN: return info.nPos + WHEEL_STEP;
    case SCROLL_WHEEL_UP: return info.nPos - WHEEL_STEP;
    case SCROLL_TO_TARGET: return int(target);
  }
  return info.nPos;
}

int horizontal_target(const SCROLLINFO& info, int code) {
  switch (code) {
    case SB_LINELEFT: return info.nPos - 1;
    case SB_LINERIGHT: return info.nPos + 1;
    case SB_PAGELEFT: return info.nPos - int(info.nPage);
    case SB_PAGERIGHT: return info.nPos + int(info.nPage);
    case SB_THUMBTRACK: return info.nTrackPos;
  }
  return info.nPos;
}

// Whether the page is drawn: it and every ancestor visible, none minimised.
bool page_is_drawn(HWND page) {
  HWND desktop = GetDesktopWindow();
  for (HWND window = page; window && window != desktop; window = GetAncestor(window, GA_PARENT)) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE)) return false;
  }
  return true;
}

// Moves the content by (dx, dy). ScrollWindow moves the pixels and the
// children together but does nothing while the page is not drawn (hidden, or
// in a minimised frame); the children are then moved one by one, so that they
// always stand where the scroll positions say.
void scroll_content(HWND page, int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  if (page_is_drawn(page)) {
    ScrollWindow(page, dx, dy, nullptr, nullptr);
    return;
  }
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 1);
    SetWindowPos(child, nullptr, place.left + dx, place.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Moves the bar to `target` (the bar keeps it within its range) and the
// content by what the position actually changed.
void scroll_bar_to(HWND page, int bar, const SCROLLINFO& info, int target) {
  if (target > info.nMax) target = info.nMax;
  if (target < info.nMin) target = info.nMin;
  SCROLLINFO position = {};
  position.cbSize = sizeof position;
  position.fMask = SIF_POS;
  position.nPos = target;
  SetScrollInfo(page, bar, &position, TRUE);
  GetScrollInfo(page, bar, &position);
  int moved = (info.nPos - position.nPos) * SCROLL_UNIT;
  if (bar == SB_VERT) {
    scroll_content(page, 0, moved);
  } else {
    scroll_content(page, moved, 0);
  }
  decode_pictures_in_view(page_state(page));  // what the scroll brings into view
}

void set_bar(HWND page, int bar, int extent, int visible) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = extent - 2;
  info.nPage = UINT(visible - 1);
  SetScrollInfo(page, bar, &info, TRUE);
}

INT_PTR on_init_dialog(HWND page, LPARAM parameter) {
  const PageSetup* setup = reinterpret_cast<const PageSetup*>(parameter);
  PageState* state = static_cast<PageState*>(calloc(1, sizeof(PageState)));
  if (state) {
    state->page = page;
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
  }
  if (!state || !setup || !setup->doc) {
    setup_scrollbars(page);  // an empty page
    return TRUE;
  }
  state->doc = setup->doc;
  state->field_proc = setup->field_proc;
  state->media = setup->media;
  state->media_calls = setup->media_calls;
  SessionView view = {setup->view, state};
  start_session(&state->session, state->doc, &view);
  build_page(state);
  return TRUE;
}

// Keeps the children where the set-up leaves the positions.
void on_size(HWND page) {
  int old_h = GetScrollPos(page, SB_HORZ), old_v = GetScrollPos(page, SB_VERT);
  setup_scrollbars(page);
  int new_h = GetScrollPos(page, SB_HORZ), new_v = GetScrollPos(page, SB_VERT);
  scroll_content(page, (old_h - new_h) * SCROLL_UNIT, (old_v - new_v) * SCROLL_UNIT);
  decode_pictures_in_view(page_state(page));
}

void on_vscroll(HWND page, int code, LPARAM target) {
  SCROLLINFO info = read_bar(page, SB_VERT);
  scroll_bar_to(page, SB_VERT, info, vertical_target(info, code, target));
}

void on_hscroll(HWND page, int code) {
  SCROLLINFO info = read_bar(page, SB_HORZ);
  scroll_bar_to(page, SB_HORZ, info, horizontal_target(info, code));
}

// Posted, so the scroll follows the message in progress. The wheel is taken
// here in every case: passed on, it would reach the main frame, which hands
// wheel notches back to the page, and scroll twice.
INT_PTR on_mouse_wheel(HWND page, int delta) {
  if (delta == WHEEL_NOTCH) PostMessageA(page, WM_VSCROLL, SCROLL_WHEEL_UP, 0);
  if (delta == -WHEEL_NOTCH) PostMessageA(page, WM_VSCROLL, SCROLL_WHEEL_DOWN, 0);
  return TRUE;
}

void on_command(HWND page, WPARAM command) {
  const PageState* state = page_state(page);
  const QuizDocument* doc = state ? state->doc : nullptr;
  if (!doc || (doc->kind != QUIZ_AUDIO && doc->kind != QUIZ_VIDEO)) return;
  const PageMediaCalls* calls = state->media_calls;
  if (command > WPARAM(ID_PLAY_BUTTON) && command <= WPARAM(ID_PLAY_BUTTON + LAST_MEDIA_QUESTION)) {
    int question = int(command) - ID_PLAY_BUTTON;
    if (calls) {
      calls->play_clip(page, question);
    } else if (state->media) {
      play_clip(state->media, page, question);
    }
  } else if (command > WPARAM(ID_STOP_BUTTON) &&
             command <= WPARAM(ID_STOP_BUTTON + LAST_MEDIA_QUESTION)) {
    if (calls) {
      calls->stop_clip(page);
    } else if (state->media) {
      stop_clip(state->media, page);
    }
  }
}

// A verdict label is painted by its field's verdict as the session holds it.
// A static that only carries a verdict label's id keeps its own text.
const char* verdict_shown(const PageState* state, HWND control, int id, char* slot) {
  int field = id - ID_VERDICT_LABEL;
  if (field >= 1 && field <= state->session.field_count && control == state->verdicts[field]) {
    return state->session.fields[field - 1].word;
  }
  GetWindowTextA(control, slot, TEXT_SLOT_SIZE);
  return slot;
}

INT_PTR on_ctl_color_static(HWND page, HDC dc, HWND control) {
  const PageState* state = page_state(page);
  if (!state || !state->doc) return FALSE;
  const QuizDocument* doc = state->doc;
  int id = int(GetWindowLongA(control, GWL_ID));
  char slot[TEXT_SLOT_SIZE] = "";
  const char* text = is_verdict_label(doc, id) ? verdict_shown(state, control, id, slot) : slot;
  StaticColours colours = static_colours(doc, id, text);
  if (!colours.painted) return FALSE;
  if (colours.transparent) SetBkMode(dc, TRANSPARENT);
  if (colours.sets_text) SetTextColor(dc, colours.text_colour);
  if (colours.sets_back) SetBkColor(dc, colours.back_colour);
  return reinterpret_cast<INT_PTR>(colours.brush);
}

INT_PTR on_ctl_color_dlg(HWND page) {
  const PageState* state = page_state(page);
  return state && state->doc ? reinterpret_cast<INT_PTR>(state->doc->background_brush) : FALSE;
}

HWND numbered(HWND const* table, int count, int number) {
  return number >= 1 && number <= count ? table[number] : nullptr;
}

// Nothing is judged once the page is going: a field losing the focus as it is
// destroyed would judge itself and could open the "texte" box over a
// vanishing window. The statics do not own their bitmaps: the page deletes
// them.
void on_destroy(HWND page) {
  PageState* state = page_state(page);
  if (!state) return;
  end_session(&state->session);
  release_pending_pictures(state);
  for (int n = 1; n <= MAX_QUESTIONS; ++n) {
    HWND picture = state->pictures[n];
    if (!picture) continue;
    LRESULT bitmap = SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    if (bitmap) DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  }
}

// The children are gone by now: the state goes last.
void on_nc_destroy(HWND page) {
  PageState* state = page_state(page);
  SetWindowLongPtrA(page, DWLP_USER, 0);
  free(state);
}

}  // namespace

PageState* page_state(HWND page) {
  if (!page) return nullptr;
  char class_name[8] = "";
  // Only a dialog's user data is a page's state; DWLP_USER of another window
  // is someone else's bytes.
  if (!GetClassNameA(page, class_name, sizeof class_name) || lstrcmpA(class_name, "#32770") != 0 ||
      GetWindowLongPtrA(page, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(question_page_proc)) {
    return nullptr;
  }
  return reinterpret_cast<PageState*>(GetWindowLongPtrA(page, DWLP_USER));
}

QuizSession* page_session(HWND page) {
  PageState* state = page_state(page);
  return state && state->doc ? &state->session : nullptr;
}

HWND page_control(HWND page, int id) {
  const PageState* c = page_state(page);
  if (!c) return GetDlgItem(page, id);
  if (id > ID_ANSWER_FIELD && id <= ID_ANSWER_FIELD + MAX_ANSWER_FIELDS) {
    return numbered(c->fields, MAX_ANSWER_FIELDS, id - ID_ANSWER_FIELD);
  }
  if (id > ID_VERDICT_LABEL && id <= ID_VERDICT_LABEL + MAX_ANSWER_FIELDS) {
    return numbered(c->verdicts, MAX_ANSWER_FIELDS, id - ID_VERDICT_LABEL);
  }
  if (id > ID_REVEAL_LABEL && id <= ID_REVEAL_LABEL + MAX_QUESTIONS) {
    return numbered(c->reveals, MAX_QUESTIONS, id - ID_REVEAL_LABEL);
  }
  if (id > ID_QUESTION_PICTURE && id <= ID_QUESTION_PICTURE + MAX_QUESTIONS) {
    return numbered(c->pictures, MAX_QUESTIONS, id - ID_QUESTION_PICTURE);
  }
  return GetDlgItem(page, id);
}

SIZE page_extent(HWND page) {
  const PageState* state = page_state(page);
  return state ? SIZE{state->width, state->height} : SIZE{0, 0};
}

void scroll_horizontally_to(HWND page, int position) {
  scroll_bar_to(page, SB_HORZ, read_bar(page, SB_HORZ), position);
}

void setup_scrollbars(HWND page) {
  SIZE extent = page_extent(page);
  RECT client;
  GetClientRect(page, &client);
  int cw = (client.right - client.left) / SCROLL_UNIT;
  int ch = (client.bottom - client.top) / SCROLL_UNIT;
  if (extent.cx <= cw) {
    SetScrollPos(page, SB_HORZ, 0, FALSE);
    cw = extent.cx;
  }
  if (extent.cy <= ch) {
    SetScrollPos(page, SB_VERT, 0, FALSE);
    ch = extent.cy;
  }
  set_bar(page, SB_HORZ, extent.cx, cw);
  set_bar(page, SB_VERT, extent.cy, ch);
}

INT_PTR CALLBACK question_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return on_init_dialog(page, lparam);
    case WM_SIZE: on_size(page); return FALSE;
    case WM_VSCROLL: on_vscroll(page, LOWORD(wparam), lparam); return FALSE;
    case WM_HSCROLL: on_hscroll(page, LOWORD(wparam)); return FALSE;
    case WM_MOUSEWHEEL: return on_mouse_wheel(page, GET_WHEEL_DELTA_WPARAM(wparam));
    case WM_COMMAND: on_command(page, wparam); return FALSE;
    case WM_CTLCOLORSTATIC:
      return on_ctl_color_static(page, reinterpret_cast<HDC>(wparam),
                                 reinterpret_cast<HWND>(lparam));
    case WM_CTLCOLORDLG: return on_ctl_color_dlg(page);
    case WM_DESTROY: on_destroy(page); return FALSE;
    case WM_NCDESTROY: on_nc_destroy(page); return FALSE;
  }
  return FALSE;
}
