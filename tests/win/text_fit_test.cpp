// Every text of the header, the page and the version label fits its control
// in the fonts the project's Wine draws them in, for every example quiz: a
// label wider than its box cuts its text, or wraps it onto a line below the
// box, as the version label once did.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/content/loader.h"
#include "shell_fixture.h"
#include "win32/app/main_frame.h"
#include "win32/page/media.h"
#include "win32/platform/platform_win32.h"

namespace {

std::vector<std::string> examples() {
  std::vector<std::string> names;
  std::string list = QUIZ_EXAMPLES;  // "capitales;films;..."
  for (size_t start = 0, end; start <= list.size(); start = end + 1) {
    end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    names.push_back(list.substr(start, end - start));
  }
  return names;
}

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

// What the label's text needs in its own font, as the static draws it: a
// label that may wrap wraps at its width (under Wine, blanks at the end of a
// line wrap too); a one-line label cuts its text, so blanks at its end may
// be cut.
// A single line is seen when its letters above the baseline are: the score's
// font is taller than its label, as on Windows, and its digits still show.
std::string misfit(HWND label) {
  char text[1024] = "";
  GetWindowTextA(label, text, sizeof text);
  std::string shown = text;
  LONG style = GetWindowLongA(label, GWL_STYLE);
  bool one_line = (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
  while (one_line && !shown.empty() && shown.back() == ' ') shown.pop_back();
  if (shown.empty() || (style & SS_TYPEMASK) == SS_BITMAP) return "";
  RECT box;
  GetClientRect(label, &box);
  HDC dc = GetDC(label);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  UINT flags = DT_CALCRECT | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
  if (!one_line) flags |= DT_WORDBREAK;
  RECT need = {0, 0, box.right, 0};
  DrawTextA(dc, shown.c_str(), -1, &need, flags);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  int height = need.bottom == metrics.tmHeight ? metrics.tmAscent : need.bottom;
  if (need.right <= box.right && height <= box.bottom) return "";
  return "\"" + shown + "\" needs " + std::to_string(need.right) + " x " +
         std::to_string(need.bottom) + ", its label is " + std::to_string(box.right) + " x " +
         std::to_string(box.bottom);
}

void expect_every_label_fits(HWND parent) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[16] = "";
    GetClassNameA(child, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, "Static") != 0) continue;
    std::string problem = misfit(child);
    EXPECT_EQ(problem, "") << "control " << GetDlgCtrlID(child);
  }
}

TEST_P(TextFit, EveryLabelHoldsItsText) {
  expect_every_label_fits(panel);
  expect_every_label_fits(page);
  EXPECT_EQ(misfit(GetDlgItem(frame, VERSION_LABEL_ID)), "");
}

INSTANTIATE_TEST_SUITE_P(Examples, TextFit, ::testing::ValuesIn(examples()),
                         [](const auto& info) { return info.param; });

}  // namespace
