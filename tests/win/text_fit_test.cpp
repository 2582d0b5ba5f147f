// Every text of the header, the page and the version label fits its control,
// labels and buttons, in the fonts the project's Wine draws them in, for
// every example quiz: a label wider than its box cuts its text, or wraps it
// onto a line below the box, as the version label once did.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "core/content/loader.h"
#include "example_quizzes.h"
#include "resources/resource_ids.h"
#include "shell_fixture.h"
#include "win32/app/main_frame.h"
#include "win32/page/media.h"
#include "win32/platform/platform_win32.h"

namespace {

class TextFit : public ShellWindows, public ::testing::WithParamInterface<std::string> {
 protected:
  HMODULE module = nullptr;

  void shape(QuizDocument* quiz, Player* to_open) override {
    module = LoadLibraryExA((GetParam() + ".exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    set_resource_module(module);
    load_content(quiz);
    init_media(&to_open->media, quiz);  // not started: no clip plays
  }
  void TearDown() override {
    ShellWindows::TearDown();
    set_resource_module(nullptr);
    if (module) FreeLibrary(module);
  }
};

struct TextNeed {
  RECT need;
  int ascent_height;  // a single line's height, less its descent
};

// The box `text` takes drawn in `control`'s own font with DrawText `flags`,
// `width` wide when it may wrap.
TextNeed measure(HWND control, const std::string& text, UINT flags, int width) {
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  TextNeed result = {{0, 0, width, 0}, 0};
  DrawTextA(dc, text.c_str(), -1, &result.need, flags | DT_CALCRECT);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  bool one_line = result.need.bottom == metrics.tmHeight;
  result.ascent_height = one_line ? metrics.tmAscent : result.need.bottom;
  return result;
}

std::string too_small(const std::string& text, const RECT& need, const RECT& room) {
  return "\"" + text + "\" needs " + std::to_string(need.right) + " x " +
         std::to_string(need.bottom) + ", its control holds " +
         std::to_string(room.right - room.left) + " x " + std::to_string(room.bottom - room.top);
}

// What the label's text needs in its own font, as the static draws it: a
// label that may wrap wraps at its width (under Wine, blanks at the end of a
// line wrap too); a one-line label cuts its text, so blanks at its end may
// be cut.
// A single line is seen when its letters above the baseline are: the score's
// font is taller than its label, as on Windows, and its digits still show.
std::string label_misfit(HWND label) {
  char text[1024] = "";
  GetWindowTextA(label, text, sizeof text);
  std::string shown = text;
  LONG style = GetWindowLongA(label, GWL_STYLE);
  bool one_line = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
  while (one_line && !shown.empty() && shown.back() == ' ') shown.pop_back();
  if (shown.empty() || (style & SS_TYPEMASK) == SS_BITMAP) return "";
  RECT box;
  GetClientRect(label, &box);
  UINT flags = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  if (!one_line) flags |= DT_WORDBREAK;
  TextNeed text_need = measure(label, shown, flags, box.right);
  if (text_need.need.right <= box.right && text_need.ascent_height <= box.bottom) return "";
  return too_small(shown, text_need.need, box);
}

// A push button draws its text on one line inside its frame: two pixels in
// from its edge (three for a default button, whose black border takes one),
// less the text margins it reports. One showing an icon has no text.
std::string button_misfit(HWND button) {
  char text[1024] = "";
  GetWindowTextA(button, text, sizeof text);
  LONG style = GetWindowLongA(button, GWL_STYLE);
  if (style & (BS_ICON | BS_BITMAP)) {
    return text[0] ? std::string("an icon button with the text \"") + text + "\"" : "";
  }
  if (!text[0]) return "";
  RECT room;
  GetClientRect(button, &room);
  int frame = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 3 : 2;
  InflateRect(&room, -frame, -frame);
  RECT margin = {};
  if (SendMessageA(button, BCM_GETTEXTMARGIN, 0, reinterpret_cast<LPARAM>(&margin))) {
    room.left += margin.left;
    room.top += margin.top;
    room.right -= margin.right;
    room.bottom -= margin.bottom;
  }
  TextNeed text_need = measure(button, text, DT_SINGLELINE, 0);
  if (text_need.need.right <= room.right - room.left &&
      text_need.ascent_height <= room.bottom - room.top) {
    return "";
  }
  return too_small(text, text_need.need, room);
}

// Every static's and every button's text.
void expect_every_text_fits(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[16] = "";
    GetClassNameA(child, class_name, sizeof class_name);
    bool button = lstrcmpiA(class_name, "Button") == 0;
    if (!button && lstrcmpiA(class_name, "Static") != 0) continue;
    std::string problem = button ? button_misfit(child) : label_misfit(child);
    EXPECT_EQ(problem, "") << class_name << " " << GetDlgCtrlID(child);
  }
}

TEST_P(TextFit, EveryLabelHoldsItsText) {
  expect_every_text_fits(panel);
  expect_every_text_fits(page);
  EXPECT_EQ(label_misfit(GetDlgItem(frame, VERSION_LABEL_ID)), "");
  // "Sauver" is measured as a button: a test that skipped it would pass.
  HWND save = GetDlgItem(panel, SAVE_BUTTON);
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(button_misfit(save), "");
}

INSTANTIATE_TEST_SUITE_P(Examples, TextFit, ::testing::ValuesIn(example_quizzes()),
                         [](const auto& info) { return info.param; });

}  // namespace
