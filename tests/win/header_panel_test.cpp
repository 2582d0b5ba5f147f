// The HeaderPanel in-process: its controls as made and as laid out, colours,
// hyperlink, "Sauver" and the read-only CodeBox.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win32/app/header_panel.h"
#include "resources/resource_ids.h"
#include "shell_fixture.h"

namespace {

std::string class_of(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct Expected {
  int id;
  const char* class_name;
  std::string text;
  DWORD style;
  RECT created;
};

std::vector<Expected> expected_controls() {
  return {
      // No link in this quiz: the label in its place, empty, taking no click.
      {24, "Static", "", 0x50000080, rect_of(736, 5, 115, 18)},
      {25, "Static", "Par :", 0x50000000, rect_of(736, 25, 27, 18)},
      {26, "Static", "Marie Curie", 0x50000080, rect_of(763, 25, 85, 18)},
      {27, "Button", "Sauver", 0x50000000, rect_of(666, 25, 55, 18)},
      {28, "Static", "Trouvez la ville", 0x50000080, rect_of(110, 19, 490, 27)},
      {29, "Static", "Capitales d'Europe", 0x50000080, rect_of(110, 3, 260, 18)},
      {31, "Static", " Code :", 0x50000000, rect_of(7, 29, 36, 15)},
      {32, "Static", " 0 / 36", 0x50000001, rect_of(10, 1, 80, 20)},
      {30, "Edit", "", 0x50000800, rect_of(44, 29, 53, 16)},
      {120, "Static", "", 0x50800000, rect_of(0, 26, 100, 1)},
      {121, "Static", "", 0x50800000, rect_of(100, 0, 1, 50)},
      {122, "Static", "", 0x50800000, rect_of(730, 0, 1, 50)},
  };
}

// A panel as CreateDialogParamA leaves it, before any layout.
class NewPanel : public ShellWindows {
 protected:
  HWND fresh = nullptr;
  void SetUp() override {
    ShellWindows::SetUp();
    fresh = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_PANEL), frame,
                               header_panel_proc, reinterpret_cast<LPARAM>(doc));
  }
  void TearDown() override {
    DestroyWindow(fresh);
    ShellWindows::TearDown();
  }
};

TEST_F(NewPanel, ControlsAsCreatedInOrder) {
  EXPECT_FALSE(IsWindowVisible(fresh));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(fresh, GWL_STYLE)) & ~DS_3DLOOK & ~DS_FIXEDSYS,
            static_cast<DWORD>(WS_CHILD | WS_BORDER | DS_SETFONT));
  HWND child = GetWindow(fresh, GW_CHILD);
  for (const Expected& e : expected_controls()) {
    ASSERT_NE(child, nullptr) << e.id;
    SCOPED_TRACE(e.id);
    EXPECT_EQ(GetDlgCtrlID(child), e.id);
    EXPECT_EQ(class_of(child), e.class_name);
    EXPECT_EQ(text_of(child), e.text);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), e.style);
    EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE), 0);
    EXPECT_EQ(child_rect(child), e.created);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
}

// The quiz's own texts show as they are: "A&B" is not "A" and an underlined
// "B", as the page's own texts are not. The panel's fixed texts keep the
// platform's default.
TEST_F(NewPanel, QuizTextsTakeAnAmpersandLiterally) {
  for (int id : {26, 28, 29}) {
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(fresh, id), GWL_STYLE) & SS_NOPREFIX) << id;
  }
  for (int id : {25, 31, 32}) {
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(fresh, id), GWL_STYLE) & SS_NOPREFIX) << id;
  }
}

TEST_F(NewPanel, ControlFonts) {
  auto font_of = [&](int id) {
    return reinterpret_cast<HFONT>(SendDlgItemMessageA(fresh, id, WM_GETFONT, 0, 0));
  };
  HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
  for (int id : {25, 26, 27, 28, 31, 30}) EXPECT_EQ(font_of(id), gui) << id;
  EXPECT_EQ(font_of(29), doc->title_font);
  EXPECT_EQ(font_of(32), doc->score_font);
  for (int id : {120, 121, 122}) EXPECT_EQ(font_of(id), nullptr) << id;
  LOGFONTA link = {};
  ASSERT_NE(font_of(24), nullptr);
  GetObjectA(font_of(24), sizeof link, &link);
  EXPECT_EQ(link.lfHeight, -13);  // three quarters of the 18-pixel label
  EXPECT_EQ(link.lfWeight, FW_NORMAL);
  EXPECT_EQ(link.lfUnderline, 1);
  EXPECT_EQ(link.lfItalic, 0);
  EXPECT_STREQ(link.lfFaceName, "");
}

TEST_F(NewPanel, StaticsShowThePointingHand) {
  HCURSOR hand = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(GetDlgItem(fresh, 24), GCLP_HCURSOR)), hand);
  HWND other = CreateWindowExA(0, "Static", "", WS_CHILD | SS_NOTIFY, 0, 0, 5, 5, frame, nullptr,
                               instance, nullptr);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(other, GCLP_HCURSOR)), hand);
  DestroyWindow(other);
}

using HeaderPanel = ShellWindows;

RECT header_link_rect(HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  return rect_of(client.right - 134, 0, 115, 18);
}

void expect_panel_layout(HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  int w = client.right;
  auto at = [&](int id) { return child_rect(GetDlgItem(panel, id)); };
  EXPECT_EQ(at(24), rect_of(w - 134, 0, 115, 18));
  EXPECT_EQ(at(25), rect_of(w - 134, 25, 26, 18));
  EXPECT_EQ(at(26), rect_of(w - 107, 25, 105, 18));
  EXPECT_EQ(at(27), rect_of(w - 204, 25, 55, 18));
  EXPECT_EQ(at(28), rect_of(110, 19, w - 324, 28));
  EXPECT_EQ(at(122), rect_of(w - 145, 0, 1, 50));
  // The others keep their places.
  EXPECT_EQ(at(29), rect_of(110, 3, 260, 18));
  EXPECT_EQ(at(31), rect_of(7, 29, 36, 15));
  EXPECT_EQ(at(32), rect_of(10, 1, 80, 20));
  EXPECT_EQ(at(30), rect_of(44, 29, 53, 16));
  EXPECT_EQ(at(120), rect_of(0, 26, 100, 1));
  EXPECT_EQ(at(121), rect_of(100, 0, 1, 50));
}

TEST_F(HeaderPanel, FirstLayoutAnchorsToTheRightEdge) {
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(doc->header_panel, panel);
  RECT client;
  GetClientRect(panel, &client);
  RECT frame_client;
  GetClientRect(frame, &frame_client);
  EXPECT_EQ(client.right, frame_client.right - 11 - 2);  // inside its 1-pixel border
  expect_panel_layout(panel);
  // Each moved control came to the top of the z-order, in the layout's order.
  std::vector<int> top;
  for (HWND c = GetWindow(panel, GW_CHILD); c && top.size() < 7; c = GetWindow(c, GW_HWNDNEXT))
    top.push_back(GetDlgCtrlID(c));
  EXPECT_EQ(top, (std::vector<int>{122, 28, 27, 26, 25, 24, 29}));
}

TEST_F(HeaderPanel, WideningAndNarrowingMoveOnlyTheRightBlock) {
  resize_frame(900, 375);
  expect_panel_layout(panel);
  resize_frame(480, 375);
  expect_panel_layout(panel);
}

// Sends WM_CTLCOLORSTATIC for control `id` with a device context whose text
// colour and background mode are known, and reads them back.
struct ColourAnswer {
  HBRUSH brush;
  COLORREF text;
  int background_mode;
};

ColourAnswer ask_colours(HWND panel, HWND control, UINT message = WM_CTLCOLORSTATIC) {
  HDC dc = GetDC(panel);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  LRESULT brush =
      SendMessageA(panel, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  ColourAnswer answer = {reinterpret_cast<HBRUSH>(brush), GetTextColor(dc), GetBkMode(dc)};
  ReleaseDC(panel, dc);
  return answer;
}

TEST_F(HeaderPanel, ColoursByControlId) {
  HBRUSH panel_brush = reinterpret_cast<HBRUSH>(
      SendMessageA(panel, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(panel)));
  ASSERT_NE(panel_brush, nullptr);
  LOGBRUSH logbrush = {};
  GetObjectA(panel_brush, sizeof logbrush, &logbrush);
  EXPECT_EQ(logbrush.lbColor, RGB(128, 128, 255));

  ColourAnswer link = ask_colours(panel, GetDlgItem(panel, 24));
  EXPECT_EQ(link.brush, panel_brush);
  EXPECT_EQ(link.text, RGB(50, 50, 255));
  EXPECT_EQ(link.background_mode, TRANSPARENT);

  // 20 to 32: the labels, the read-only CodeBox, and any control given such an id.
  for (int id = 20; id <= 32; ++id) {
    if (id == 24) continue;
    HWND control = GetDlgItem(panel, id);
    HWND made = control ? nullptr
                        : CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, panel,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                          instance, nullptr);
    ColourAnswer label = ask_colours(panel, control ? control : made);
    EXPECT_EQ(label.brush, panel_brush) << id;
    EXPECT_EQ(label.text, RGB(1, 2, 3)) << id;
    EXPECT_EQ(label.background_mode, TRANSPARENT) << id;
    if (made) DestroyWindow(made);
  }

  // The separators and ids outside 20..32 get the system's answer.
  HWND outside = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, panel,
                                 reinterpret_cast<HMENU>(33), instance, nullptr);
  for (HWND control :
       {GetDlgItem(panel, 120), GetDlgItem(panel, 121), GetDlgItem(panel, 122), outside}) {
    ColourAnswer other = ask_colours(panel, control);
    EXPECT_NE(other.brush, panel_brush);
    EXPECT_EQ(other.brush, GetSysColorBrush(COLOR_3DFACE));
    EXPECT_EQ(other.text, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(other.background_mode, OPAQUE);
  }
  DestroyWindow(outside);
  // The button asks with WM_CTLCOLORBTN, which the panel leaves to the system.
  EXPECT_NE(ask_colours(panel, GetDlgItem(panel, 27), WM_CTLCOLORBTN).brush, panel_brush);
}

TEST_F(HeaderPanel, CodeBoxTakesNoTypingButKeepsWhatIsWritten) {
  HWND box = GetDlgItem(panel, 30);
  EXPECT_EQ(text_of(box), "      ");  // the code of score 0, once the page judged its fields
  SendMessageA(box, WM_CHAR, 'X', 0);
  EXPECT_EQ(text_of(box), "      ");
  SetDlgItemTextA(panel, 30, "TRESOR");  // as the score does
  SendMessageA(box, EM_SETSEL, 0, -1);
  SendMessageA(box, WM_CHAR, 'X', 0);
  SendMessageA(box, WM_CLEAR, 0, 0);
  SendMessageA(box, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(text_of(box), "TRESOR");
  DWORD start = 0, end = 0;
  SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end - start, 6u);  // it can still be selected (and copied)
  EXPECT_EQ(text_of(GetDlgItem(panel, 32)), " 0 / 36");
}

// Without a link nothing opens, whatever reaches the panel.
TEST_F(HeaderPanel, NoLinkOpensNothing) {
  HWND link = GetDlgItem(panel, 24);
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageA(panel, WM_COMMAND, 24, reinterpret_cast<LPARAM>(link));
  EXPECT_TRUE(shell_opens.empty());
}

// A quiz that gives its own link and its text.
class LinkedPanel : public ShellWindows {
 protected:
  void shape(QuizDocument* d, Player*) override {
    copy_text(d->link.address, "https://ecole.example/cm2?a=1&b=2");
    copy_text(d->link.text, "Le site & la classe");
  }
};

// The link's text as written ("&" is no mnemonic); a click is the label's
// own doing: SS_NOTIFY turns the button-down into STN_CLICKED and the second
// click of a double click into STN_DBLCLK.
TEST_F(LinkedPanel, HyperlinkOpensOncePerClick) {
  HWND link = GetDlgItem(panel, 24);
  EXPECT_EQ(text_of(link), "Le site & la classe");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(link, GWL_STYLE)) & ~WS_VISIBLE,
            static_cast<DWORD>(WS_CHILD | SS_NOTIFY | SS_NOPREFIX));
  EXPECT_EQ(child_rect(link), header_link_rect(panel));
  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(shell_opens.size(), 1u);
  EXPECT_EQ(shell_opens[0].owner, nullptr);
  EXPECT_EQ(shell_opens[0].target, "https://ecole.example/cm2?a=1&b=2");
  EXPECT_EQ(shell_opens[0].show, SW_SHOWNORMAL);

  SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(shell_opens.size(), 2u);
  SendMessageA(panel, WM_COMMAND, 0x00010018, reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(shell_opens.size(), 2u);
  EXPECT_TRUE(saves.empty());
}

TEST_F(HeaderPanel, SauverSavesTheAnswers) {
  SendDlgItemMessageA(panel, 27, BM_CLICK, 0, 0);
  EXPECT_EQ(saves, std::vector<HWND>{page});
  EXPECT_EQ(save_occasions, std::vector<SaveOccasion>{SAVE_ON_REQUEST});
  EXPECT_TRUE(shell_opens.empty());
}

}  // namespace
