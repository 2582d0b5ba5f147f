#include "main_frame.h"

#include "resources/resource_ids.h"
#include "win32/page/question_page.h"

const char FRAME_CLASS[] = "WindowsApp";

namespace {

const char VERSION_TEXT[] =
    "R\xE9"
    "alis\xE9 avec la version 2.1.3  ";
// The label is made outside the first client area; the first layout places it.
const int VERSION_LABEL_CREATED_X = 725, VERSION_LABEL_CREATED_WIDTH = 130;

// No part of the player writes this file; closing removes one left behind.
const char STRAY_CLIP_FILE[] = "tirlo.mp3";

// One notch of the wheel, as the high word of WM_MOUSEWHEEL's wParam.
const WORD NOTCH_AWAY = 120, NOTCH_TOWARDS = 0xFF88;

Player* player_of(HWND frame) {
  return reinterpret_cast<Player*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
}

void save(const Player* player, SaveOccasion occasion) {
  (player->save ? player->save : save_answers_at)(player->page, occasion);
}

void place(HWND window, const FramePlace& at, int width, int height, UINT flags) {
  SetWindowPos(window, HWND_TOP, anchored(at.x, width), anchored(at.y, height),
               anchored(at.width, width), anchored(at.height, height), flags);
}

// The frame's Player comes with its creation, before any other message the
// frame handles.
LRESULT on_nc_create(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lparam);
  SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  return DefWindowProcA(frame, message, wparam, lparam);
}

LRESULT on_create(HWND frame, Player* player) {
  player->version_label_brush = CreateSolidBrush(VERSION_LABEL_COLOUR);
  RECT client;
  GetClientRect(frame, &client);
  create_label(frame, VERSION_TEXT, VERSION_LABEL_CREATED_X,
               anchored(FRAME_VERSION_LABEL_PLACE.y, client.bottom), VERSION_LABEL_CREATED_WIDTH,
               FRAME_VERSION_LABEL_PLACE.height, VERSION_LABEL_ID);
  SendMessageA(frame, WM_SETICON, ICON_BIG,
               reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
  return 0;
}

// A minimised frame keeps its last layout. Only the label's move changes the
// z-order: it comes to the top of the frame's children.
LRESULT on_size(HWND frame, const Player* player, WPARAM kind) {
  if (kind == SIZE_MINIMIZED) return 0;
  RECT client;
  GetClientRect(frame, &client);
  if (player->page)
    place(player->page, FRAME_PAGE_PLACE, client.right, client.bottom, SWP_NOZORDER);
  if (player->panel)
    place(player->panel, FRAME_PANEL_PLACE, client.right, client.bottom, SWP_NOZORDER);
  place(GetDlgItem(frame, VERSION_LABEL_ID), FRAME_VERSION_LABEL_PLACE, client.right, client.bottom,
        SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  return 0;
}

// Closing saves (asking what to do only when the answers cannot be written)
// and ends the loop; the frame itself stays until teardown.
LRESULT on_close(const Player* player) {
  save(player, SAVE_ON_CLOSE);
  DeleteFileA(STRAY_CLIP_FILE);
  PostQuitMessage(0);
  return 0;
}

// When Windows ends the session the process is ended without WM_CLOSE: the
// answers are saved here too, or they would be lost.
LRESULT on_end_session(const Player* player, WPARAM ending) {
  if (ending) save(player, SAVE_AT_SESSION_END);
  return 0;
}

// The header panel hands its "Sauver" on to the frame, which holds the page.
LRESULT on_command(const Player* player, WPARAM command) {
  if (command == SAVE_BUTTON) save(player, SAVE_ON_REQUEST);
  return 0;
}

// The focus comes back to the field that had it when the frame is active again
// (after a message box, or another program): left to the default handling it
// would go to the frame itself, where typed keys are lost.
LRESULT on_activate(HWND frame, Player* player, WPARAM state, LPARAM other) {
  if (LOWORD(state) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(frame, focus)) player->focus_when_left = focus;
    return 0;
  }
  if (player->focus_when_left && IsChild(frame, player->focus_when_left)) {
    SetFocus(player->focus_when_left);
    return 0;
  }
  return DefWindowProcA(frame, WM_ACTIVATE, state, other);
}

LRESULT on_ctl_color_static(const Player* player, HDC dc, HWND control) {
  if (GetWindowLongA(control, GWL_ID) != VERSION_LABEL_ID) return 0;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(player->version_label_brush);
}

LRESULT on_destroy(Player* player) {
  DeleteObject(player->version_label_brush);
  player->version_label_brush = nullptr;
  PostQuitMessage(0);
  return 0;
}

}  // namespace

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

HWND create_main_frame(HINSTANCE instance, const char* caption, Player* player) {
  HWND frame =
      CreateWindowExA(0, FRAME_CLASS, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      FRAME_MIN_WIDTH, FRAME_MIN_HEIGHT, nullptr, nullptr, instance, player);
  centre_window(frame, GetDesktopWindow());
  return frame;
}

// The page's scroll bars stay (disabled when the content fits), so its
// chrome is measured once, as the build left it.
bool monitor_work_area(HWND frame, RECT* out) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoA(MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST), &monitor)) return false;
  *out = monitor.rcWork;
  return true;
}

void fit_frame_to_page(HWND frame, HWND page) {
  RECT outer, client;
  GetWindowRect(page, &outer);
  GetClientRect(page, &client);
  FrameSize chrome = {(outer.right - outer.left) - client.right,
                      (outer.bottom - outer.top) - client.bottom};
  SIZE shown = page_extent(page);
  FrameSize inside = frame_client_showing(shown.cx, shown.cy, chrome);
  RECT wanted = {0, 0, inside.width, inside.height};
  AdjustWindowRectEx(&wanted, DWORD(GetWindowLongA(frame, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongA(frame, GWL_EXSTYLE)));
  const Player* player = player_of(frame);
  RECT work;
  if (!(player && player->work_area ? player->work_area : monitor_work_area)(frame, &work)) return;
  ScreenRect at = frame_on_work_area({wanted.right - wanted.left, wanted.bottom - wanted.top},
                                     {work.left, work.top, work.right, work.bottom});
  SetWindowPos(frame, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK main_frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) return on_nc_create(frame, message, wparam, lparam);
  Player* player = player_of(frame);
  if (!player) return DefWindowProcA(frame, message, wparam, lparam);
  switch (message) {
    case WM_CREATE: return on_create(frame, player);
    case WM_SIZE: return on_size(frame, player, wparam);
    case WM_ACTIVATE: return on_activate(frame, player, wparam, lparam);
    case WM_CLOSE: return on_close(player);
    case WM_ENDSESSION: return on_end_session(player, wparam);
    case WM_COMMAND: return on_command(player, wparam);
    case WM_DESTROY: return on_destroy(player);
    case WM_CTLCOLORSTATIC:
      return on_ctl_color_static(player, reinterpret_cast<HDC>(wparam),
                                 reinterpret_cast<HWND>(lparam));
    case WM_MOUSEWHEEL: forward_wheel(player->page, wparam); return 0;
  }
  return DefWindowProcA(frame, message, wparam, lparam);
}

// Divisions truncate toward zero, also when the window is the larger one.
void centre_window(HWND window, HWND reference) {
  RECT outer, own;
  GetWindowRect(reference, &outer);
  GetWindowRect(window, &own);
  int left = outer.left + ((outer.right - outer.left) - (own.right - own.left)) / 2;
  int top = outer.top + ((outer.bottom - outer.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

HWND create_label(HWND parent, const char* text, int x, int y, int width, int height, int id) {
  HWND label = CreateWindowExA(
      0, "Static", text, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, x, y, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return label;
}

// Only single notches scroll: a multiple notch or a fine-grained delta posts
// nothing. Posted, so the page scrolls after the current message.
void forward_wheel(HWND target, WPARAM wheel_wparam) {
  WORD delta = HIWORD(wheel_wparam);
  if (delta == NOTCH_AWAY) PostMessageA(target, WM_VSCROLL, SCROLL_WHEEL_UP, 0);
  if (delta == NOTCH_TOWARDS) PostMessageA(target, WM_VSCROLL, SCROLL_WHEEL_DOWN, 0);
}
