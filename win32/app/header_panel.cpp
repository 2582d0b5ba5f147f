#include "header_panel.h"

#include "core/content/document.h"
#include "core/page/header_layout.h"
#include "resources/resource_ids.h"
#include "shell.h"
#include "win32/platform/win32_seam.h"

namespace {

const DWORD LABEL_STYLE = WS_CHILD | WS_VISIBLE;
// The quiz's own texts show as they are: an "&" is a character, not a mnemonic.
const DWORD QUIZ_TEXT_STYLE = LABEL_STYLE | SS_NOPREFIX;
const DWORD SEPARATOR_STYLE = WS_CHILD | WS_VISIBLE | WS_BORDER;  // 1 pixel: only the border shows

enum ControlFont { FONT_GUI, FONT_TITLE, FONT_SCORE, FONT_HYPERLINK, FONT_NONE };

struct PanelControl {
  int id;
  const char* class_name;
  DWORD style;
  HeaderControl control;  // its places: core/page/header_layout.h
  ControlFont font;
  bool repaint_when_moved;
};

// In creation order. The link's label takes clicks (SS_NOTIFY) only when
// the quiz gives a link.
const PanelControl PANEL_CONTROLS[] = {
    {HYPERLINK_LABEL, "Static", QUIZ_TEXT_STYLE, HEADER_HYPERLINK, FONT_HYPERLINK, false},
    {AUTHOR_CAPTION, "Static", LABEL_STYLE, HEADER_AUTHOR_CAPTION, FONT_GUI, false},
    {AUTHOR_LABEL, "Static", QUIZ_TEXT_STYLE, HEADER_AUTHOR, FONT_GUI, true},
    {SAVE_BUTTON, "button", LABEL_STYLE | BS_PUSHBUTTON, HEADER_SAVE, FONT_GUI, true},
    {EXPLANATION_LABEL, "Static", QUIZ_TEXT_STYLE, HEADER_EXPLANATION, FONT_GUI, true},
    {TITLE_LABEL, "Static", QUIZ_TEXT_STYLE, HEADER_TITLE, FONT_TITLE, false},
    {CODE_CAPTION, "Static", LABEL_STYLE, HEADER_CODE_CAPTION, FONT_GUI, false},
    {SCORE_LABEL, "Static", LABEL_STYLE | SS_CENTER, HEADER_SCORE, FONT_SCORE, false},
    {CODE_BOX, "edit", LABEL_STYLE | ES_READONLY, HEADER_CODE, FONT_GUI, false},
    {SEPARATOR_UNDER_SCORE, "Static", SEPARATOR_STYLE, HEADER_LINE_UNDER_SCORE, FONT_NONE, false},
    {SEPARATOR_LEFT, "Static", SEPARATOR_STYLE, HEADER_LINE_LEFT, FONT_NONE, false},
    {SEPARATOR_RIGHT, "Static", SEPARATOR_STYLE, HEADER_LINE_RIGHT, FONT_NONE, true},
};

const PanelControl* panel_control(HeaderControl control) {
  for (const PanelControl& row : PANEL_CONTROLS)
    if (row.control == control) return &row;
  return nullptr;
}

// The labels and the read-only CodeBox (which asks as a static does) that
// sit on the panel's colour; the separators keep the system's.
const int FIRST_TINTED_ID = 20, LAST_TINTED_ID = 32;

const char AUTHOR_CAPTION_TEXT[] = "Par :";
const char SAVE_TEXT[] = "Sauver";
const char CODE_CAPTION_TEXT[] = " Code :";
const char SCORE_FORMAT[] = " 0 / %d";

const char* control_text(int id, const QuizDocument* doc, char* score) {
  switch (id) {
    case HYPERLINK_LABEL: return doc ? header_link_label(&doc->link) : "";
    case AUTHOR_CAPTION: return AUTHOR_CAPTION_TEXT;
    case AUTHOR_LABEL: return doc ? doc->author : "";
    case SAVE_BUTTON: return SAVE_TEXT;
    case EXPLANATION_LABEL: return doc ? doc->explanation : "";
    case TITLE_LABEL: return doc ? doc->title : "";
    case CODE_CAPTION: return CODE_CAPTION_TEXT;
    case SCORE_LABEL: wsprintfA(score, SCORE_FORMAT, doc ? doc->question_count : 0); return score;
  }
  return "";
}

void set_font(HWND control, ControlFont font, const QuizDocument* doc) {
  switch (font) {
    case FONT_GUI:
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                   TRUE);
      break;
    case FONT_TITLE:
    case FONT_SCORE:
      if (!doc) break;
      SendMessageA(control, WM_SETFONT,
                   reinterpret_cast<WPARAM>(font == FONT_TITLE ? doc->title_font : doc->score_font),
                   FALSE);
      break;
    case FONT_HYPERLINK: style_hyperlink(control); break;
    case FONT_NONE: break;
  }
}

// The panel's own state, its brush, made with the controls and deleted with
// the panel, is its dialog user data; the document it shows (which outlives
// it), its window user data.
HBRUSH panel_brush(HWND panel) {
  return reinterpret_cast<HBRUSH>(GetWindowLongPtrA(panel, DWLP_USER));
}

const QuizDocument* panel_document(HWND panel) {
  return reinterpret_cast<const QuizDocument*>(GetWindowLongPtrA(panel, GWLP_USERDATA));
}

INT_PTR on_init_dialog(HWND panel, const QuizDocument* doc) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(panel, GWLP_HINSTANCE));
  char score[TEXT_SLOT_SIZE];
  for (const PanelControl& row : PANEL_CONTROLS) {
    const FramePlace& at = HEADER_CREATED[row.control];
    DWORD style = row.style;
    // Without a link the label stays in its place, empty, and takes no click
    // (nor shows the hand): there is no address to open.
    if (row.id == HYPERLINK_LABEL && doc && doc->link.address[0]) style |= SS_NOTIFY;
    HWND control = CreateWindowExA(
        0, row.class_name, control_text(row.id, doc, score), style, at.x, at.y, at.width, at.height,
        panel, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    set_font(control, row.font, doc);
  }
  SetWindowLongPtrA(panel, DWLP_USER, reinterpret_cast<LONG_PTR>(CreateSolidBrush(PANEL_COLOUR)));
  SetWindowLongPtrA(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(doc));
  return TRUE;
}

// Anchored to the right edge; only the explanation stretches. Each moved
// control also comes to the top of the z-order.
INT_PTR on_size(HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  for (const HeaderMove& move : HEADER_MOVES) {
    const PanelControl* row = panel_control(move.control);
    if (!row) continue;
    HWND control = GetDlgItem(panel, row->id);
    FramePlace at = header_place(move.control, client.right);
    SetWindowPos(control, HWND_TOP, at.x, at.y, at.width, at.height,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    if (row->repaint_when_moved) InvalidateRect(control, nullptr, FALSE);
  }
  return FALSE;
}

INT_PTR on_ctl_color_static(HWND panel, HDC dc, HWND control) {
  int id = GetWindowLongA(control, GWL_ID);
  if (id == HYPERLINK_LABEL) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, HYPERLINK_COLOUR);
    return reinterpret_cast<INT_PTR>(panel_brush(panel));
  }
  if (id >= FIRST_TINTED_ID && id <= LAST_TINTED_ID) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(panel_brush(panel));
  }
  return FALSE;
}

// Exact wParams: a click on the link (STN_CLICKED is 0), so the second click
// of a double click (STN_DBLCLK) opens nothing more; a click on "Sauver",
// which the frame that holds the page acts on.
INT_PTR on_command(HWND panel, WPARAM command, LPARAM control) {
  const QuizDocument* doc = panel_document(panel);
  if (command == HYPERLINK_LABEL && doc && doc->link.address[0])
    win32_seam().shell_open(nullptr, doc->link.address, SW_SHOWNORMAL);
  if (command == SAVE_BUTTON) SendMessageA(GetParent(panel), WM_COMMAND, command, control);
  return FALSE;
}

INT_PTR on_destroy(HWND panel) {
  DeleteObject(panel_brush(panel));
  SetWindowLongPtrA(panel, DWLP_USER, 0);
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK header_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return on_init_dialog(panel, reinterpret_cast<const QuizDocument*>(lparam));
    case WM_SIZE: return on_size(panel);
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(panel_brush(panel));
    case WM_CTLCOLORSTATIC:
      return on_ctl_color_static(panel, reinterpret_cast<HDC>(wparam),
                                 reinterpret_cast<HWND>(lparam));
    case WM_COMMAND: return on_command(panel, wparam, lparam);
    case WM_DESTROY: return on_destroy(panel);
  }
  return FALSE;
}

// The font is never released: it lives as long as the process. The cursor
// belongs to the "Static" class, so every static that takes the mouse
// (SS_NOTIFY) shows the hand from now on.
void style_hyperlink(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  LOGFONTA font = {};
  font.lfHeight = -(3 * client.bottom / 4);
  font.lfWeight = FW_NORMAL;
  font.lfUnderline = 1;
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  SetClassLongPtrA(label, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}
