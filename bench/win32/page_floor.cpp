// The start-up benchmark's floor: a program that makes the very windows the
// player makes for a quiz (the frame, the header panel and the question page
// from the player's own dialog templates, every control with its class,
// styles, place, text and font, each picture's bitmap at its size, blank)
// and nothing else: no content to load, no picture to decode, no answers to
// restore or judge, no colours. What it makes comes from a description the
// benchmark's player wrote (window_description.h), read before anything else.
//
//   bench_page_floor DESCRIPTION
#include <windows.h>

#include <vector>

#include "bench_program.h"
#include "resources/resource_ids.h"
#include "window_description.h"

namespace {

const char FRAME_CLASS[] = "BenchFloorFrame";

LRESULT CALLBACK frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(frame, message, wparam, lparam);
}

INT_PTR CALLBACK dialog_proc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

bool same_font(const LOGFONTA& a, const LOGFONTA& b) {
  return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
         a.lfUnderline == b.lfUnderline && lstrcmpA(a.lfFaceName, b.lfFaceName) == 0;
}

// The stock GUI font where the player used it, a font of the same LOGFONT
// otherwise.
std::vector<HFONT> make_fonts(const WindowDescription& description) {
  LOGFONTA gui = {};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  std::vector<HFONT> fonts;
  for (const LOGFONTA& wanted : description.fonts) {
    fonts.push_back(same_font(wanted, gui) ? static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))
                                           : CreateFontIndirectA(&wanted));
  }
  return fonts;
}

HWND make_window(HINSTANCE instance, const DescribedWindow& w, HWND parent,
                 const std::vector<HFONT>& fonts) {
  HWND made = nullptr;
  if (w.kind == KIND_FRAME) {
    made = CreateWindowExA(w.ex_style, FRAME_CLASS, w.text.c_str(), w.style & ~WS_VISIBLE, w.x, w.y,
                           w.width, w.height, nullptr, nullptr, instance, nullptr);
  } else if (w.kind == KIND_PANEL || w.kind == KIND_PAGE) {
    int dialog = w.kind == KIND_PANEL ? IDD_HEADER_PANEL : IDD_QUESTION_PAGE;
    made = CreateDialogParamA(instance, MAKEINTRESOURCEA(dialog), parent, dialog_proc, 0);
    // The templates make both dialogs hidden; the player shows them, and so
    // must the floor, or none of their controls would ever be painted.
    UINT shown = (w.style & WS_VISIBLE) ? SWP_SHOWWINDOW : 0;
    SetWindowPos(made, nullptr, w.x, w.y, w.width, w.height, SWP_NOZORDER | SWP_NOACTIVATE | shown);
  } else {
    made = CreateWindowExA(w.ex_style, w.class_name.c_str(), w.text.c_str(), w.style, w.x, w.y,
                           w.width, w.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(w.id)), instance, nullptr);
  }
  if (!made) return nullptr;
  if (w.kind == KIND_CONTROL && w.font >= 0 && size_t(w.font) < fonts.size()) {
    SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[size_t(w.font)]), FALSE);
  }
  if (w.bitmap_w > 0 && w.bitmap_h > 0) {
    HDC screen = GetDC(nullptr);
    HBITMAP blank = CreateCompatibleBitmap(screen, w.bitmap_w, w.bitmap_h);
    ReleaseDC(nullptr, screen);
    SendMessageA(made, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(blank));
  }
  return made;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  WindowDescription description;
  if (!command_line || !read_window_description(command_line, &description)) return 2;
  register_window_class(instance, FRAME_CLASS, frame_proc, COLOR_SCROLLBAR);
  std::vector<HFONT> fonts = make_fonts(description);
  std::vector<HWND> made;
  HWND page = nullptr;
  for (const DescribedWindow& w : description.windows) {
    HWND parent =
        w.parent >= 0 && size_t(w.parent) < made.size() ? made[size_t(w.parent)] : nullptr;
    made.push_back(make_window(instance, w, parent, fonts));
    if (w.kind == KIND_PAGE) page = made.back();
  }
  if (made.empty() || !made.front()) return 1;
  ShowWindow(made.front(), SW_SHOWNORMAL);
  MSG message;
  for (;;) {
    report_ready_once();
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
    if (page && IsDialogMessageA(page, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
