// The MainFrame in-process: centring, VersionLabel, layout, colours, wheel,
// close and teardown.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/app/main_frame.h"
#include "win32/app/startup.h"
#include "win32/page/question_page.h"
#include "shell_fixture.h"

namespace {

// Where the centring rule puts a window of this outer size over `outer`.
POINT centred(const RECT& outer, int width, int height) {
  return {outer.left + ((outer.right - outer.left) - width) / 2,
          outer.top + ((outer.bottom - outer.top) - height) / 2};
}

using MainFrame = ShellWindows;

TEST_F(MainFrame, OpensCentredOnTheDesktopWithTheQuizTitle) {
  char class_name[64] = {};
  GetClassNameA(frame, class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "WindowsApp");
  EXPECT_EQ(text_of(frame), "Capitales d'Europe");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
            static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
  EXPECT_TRUE(IsWindowVisible(frame));
  // Opened to show the text page's whole width (850 pixels) and its 36 lines
  // (905), or as high as the work area, centred on the work area.
  RECT work, r, shown;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(frame, &r);
  GetClientRect(page, &shown);
  int width = r.right - r.left, height = r.bottom - r.top;
  EXPECT_EQ(shown.right, 850);
  EXPECT_TRUE(shown.bottom == 905 || height == work.bottom - work.top) << shown.bottom;
  POINT at = centred(work, width, height);
  EXPECT_EQ(r, rect_of(at.x, at.y, width, height));
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(frame, WM_GETICON, ICON_BIG, 0)),
            LoadIconA(nullptr, IDI_QUESTION));
}

// Whatever the window's place before, and with odd differences or a window
// larger than the reference (the division truncates toward zero).
TEST(CentreWindow, PlacesTheWindowOverTheReference) {
  HWND reference = CreateWindowExA(0, "Static", "", WS_POPUP, 100, 50, 301, 200, nullptr, nullptr,
                                   nullptr, nullptr);
  const RECT starts[] = {{0, 0, 100, 80}, {900, 700, 1000, 781}, {-50, -40, 354, 170}};
  for (const RECT& start : starts) {
    int width = start.right - start.left, height = start.bottom - start.top;
    HWND window = CreateWindowExA(0, "Static", "", WS_POPUP, start.left, start.top, width, height,
                                  nullptr, nullptr, nullptr, nullptr);
    centre_window(window, reference);
    RECT r;
    GetWindowRect(window, &r);
    RECT outer = {100, 50, 401, 250};
    POINT at = centred(outer, width, height);
    EXPECT_EQ(r, rect_of(at.x, at.y, width, height));
    DestroyWindow(window);
  }
  // 301 - 354 = -53: -26, not -27.
  HWND wide =
      CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 354, 10, nullptr, nullptr, nullptr, nullptr);
  centre_window(wide, reference);
  RECT r;
  GetWindowRect(wide, &r);
  EXPECT_EQ(r.left, 100 - 26);
  DestroyWindow(wide);
  DestroyWindow(reference);
}

TEST_F(MainFrame, VersionLabelSitsInTheBottomRightCornerOnTop) {
  HWND label = GetDlgItem(frame, VERSION_LABEL_ID);
  ASSERT_NE(label, nullptr);
  char class_name[64] = {};
  GetClassNameA(label, class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "Static");
  EXPECT_EQ(text_of(label),
            "R\xE9"
            "alis\xE9 avec la version 2.1.3  ");
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(label, GWL_STYLE)),
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
  RECT client;
  GetClientRect(frame, &client);
  EXPECT_EQ(child_rect(label), rect_of(client.right - 145, client.bottom - 16, 140, 15));
  EXPECT_EQ(GetWindow(frame, GW_CHILD), label);
}

TEST_F(MainFrame, LayoutFollowsResizeButNotMinimise) {
  auto expect_layout = [&](SIZE client) {
    int w = client.cx, h = client.cy;
    EXPECT_EQ(child_rect(page), rect_of(5, 50, w - 11, h - 68));
    EXPECT_EQ(child_rect(panel), rect_of(5, 2, w - 11, 49));
    EXPECT_EQ(child_rect(GetDlgItem(frame, VERSION_LABEL_ID)), rect_of(w - 145, h - 16, 140, 15));
  };
  RECT first;
  GetClientRect(frame, &first);
  expect_layout({first.right, first.bottom});
  expect_layout(resize_frame(800, 600));
  SIZE small = resize_frame(420, 300);
  expect_layout(small);

  RECT page_before = child_rect(page), panel_before = child_rect(panel);
  ShowWindow(frame, SW_MINIMIZE);
  pump_messages();
  SendMessageA(frame, WM_SIZE, SIZE_MINIMIZED, 0);  // also when the system sends it
  EXPECT_EQ(child_rect(page), page_before);
  EXPECT_EQ(child_rect(panel), panel_before);

  ShowWindow(frame, SW_RESTORE);
  pump_messages();
  RECT client;
  GetClientRect(frame, &client);
  EXPECT_EQ(client.right, small.cx);
  expect_layout({client.right, client.bottom});
}

TEST_F(MainFrame, OnlyTheVersionLabelGetsItsColours) {
  HDC dc = GetDC(frame);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  HWND label = GetDlgItem(frame, VERSION_LABEL_ID);
  LRESULT brush = SendMessageA(frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), player.version_label_brush);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  LOGBRUSH logbrush = {};
  GetObjectA(player.version_label_brush, sizeof logbrush, &logbrush);
  EXPECT_EQ(logbrush.lbColor, RGB(212, 208, 200));

  HWND other = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, frame,
                               reinterpret_cast<HMENU>(8001), instance, nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  EXPECT_EQ(SendMessageA(frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(other)),
            0);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  DestroyWindow(other);
  ReleaseDC(frame, dc);
}

TEST_F(MainFrame, OneWheelNotchPostsOneScrollRequestToThePage) {
  take_scroll_requests(page);
  auto wheel = [&](int delta, WORD keys = 0) {
    SendMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(delta)), 0);
    return take_scroll_requests(page);
  };
  EXPECT_EQ(wheel(120), std::vector<WPARAM>{SCROLL_WHEEL_UP});
  EXPECT_EQ(wheel(-120), std::vector<WPARAM>{SCROLL_WHEEL_DOWN});
  EXPECT_EQ(wheel(120, MK_SHIFT), std::vector<WPARAM>{SCROLL_WHEEL_UP});
  for (int delta : {240, -240, 60, -30, 0}) EXPECT_TRUE(wheel(delta).empty()) << delta;
}

bool file_exists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

void drop_file(const char* name) {
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

// Quit, not destroy: the frame stays until teardown.
void expect_quit_posted(HWND frame) {
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
  EXPECT_TRUE(IsWindow(frame));
}

TEST_F(MainFrame, ClosingSavesDeletesTheStrayClipAndQuits) {
  drop_file("tirlo.mp3");
  drop_file("tirlo1.mp3");  // a clip of the media host: not the frame's business
  SendMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(saves, std::vector<HWND>{page});
  EXPECT_EQ(save_occasions, std::vector<SaveOccasion>{SAVE_ON_CLOSE});
  EXPECT_FALSE(file_exists("tirlo.mp3"));
  EXPECT_TRUE(file_exists("tirlo1.mp3"));
  DeleteFileA("tirlo1.mp3");
  expect_quit_posted(frame);

  SendMessageA(frame, WM_CLOSE, 0, 0);  // no file: the same
  EXPECT_EQ(saves.size(), 2u);
  expect_quit_posted(frame);
}

TEST_F(MainFrame, TheEndOfTheSessionSavesToo) {
  SendMessageA(frame, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(saves.empty());
  SendMessageA(frame, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(saves, std::vector<HWND>{page});
  EXPECT_EQ(save_occasions, std::vector<SaveOccasion>{SAVE_AT_SESSION_END});
}

TEST_F(MainFrame, TheLoopEndsWithTheQuitCode) {
  PostMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_EQ(run_message_loop(page), 0);
  EXPECT_EQ(saves.size(), 1u);
}

TEST_F(MainFrame, TeardownEndsThePanelBrushAndDocument) {
  HBRUSH brush = player.version_label_brush;
  tear_down(&player);
  EXPECT_FALSE(IsWindowVisible(page));
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(player.document, nullptr);
  // The frame goes for a text quiz as for any other, and the page with it.
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_FALSE(IsWindow(page));
  tear_down(&player);  // again: nothing left to end
}

}  // namespace
