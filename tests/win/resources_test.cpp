// The player's own resources, read back from the module: dialog templates,
// cursor, icons and version block.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "resources/resource_ids.h"

namespace {

struct DialogTemplate {
  DWORD style, extended_style;
  WORD controls;
  short x, y, width, height;
  WORD menu, window_class;
  std::wstring title;
  WORD point_size;
  std::wstring face;
};

// Reads a DLGTEMPLATE (not the extended form) field by field.
bool read_dialog(int id, DialogTemplate* out) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (!found) return false;
  const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
  if (p[1] == 0xFFFF) return false;  // extended template
  out->style = p[0] | static_cast<DWORD>(p[1]) << 16;
  out->extended_style = p[2] | static_cast<DWORD>(p[3]) << 16;
  out->controls = p[4];
  out->x = static_cast<short>(p[5]);
  out->y = static_cast<short>(p[6]);
  out->width = static_cast<short>(p[7]);
  out->height = static_cast<short>(p[8]);
  p += 9;
  out->menu = *p++;
  out->window_class = *p++;
  for (; *p; ++p) out->title.push_back(static_cast<wchar_t>(*p));
  ++p;
  out->point_size = *p++;
  for (; *p; ++p) out->face.push_back(static_cast<wchar_t>(*p));
  return true;
}

TEST(Resources, DialogTemplatesHoldOnlyTheirStyleAndFont) {
  const struct {
    int id;
    DWORD style;
  } dialogs[] = {
      {IDD_QUESTION_PAGE, WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL | DS_SETFONT},
      {IDD_HEADER_PANEL, WS_CHILD | WS_BORDER | DS_SETFONT},
  };
  EXPECT_EQ(dialogs[1].style, 0x40800040u);
  for (const auto& expected : dialogs) {
    SCOPED_TRACE(expected.id);
    DialogTemplate dialog;
    ASSERT_TRUE(read_dialog(expected.id, &dialog));
    EXPECT_EQ(dialog.style, expected.style);
    EXPECT_EQ(dialog.extended_style, 0u);
    EXPECT_EQ(dialog.controls, 0);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.width, 86);
    EXPECT_EQ(dialog.height, 100);
    EXPECT_EQ(dialog.menu, 0);
    EXPECT_EQ(dialog.window_class, 0);
    EXPECT_EQ(dialog.title, L"");
    EXPECT_EQ(dialog.point_size, 8);
    EXPECT_EQ(dialog.face, L"MS Sans Serif");
  }
}

TEST(Resources, PointingHandIsMonochromeWithItsHotSpotAtTheFingertip) {
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 6u);
  EXPECT_EQ(info.yHotspot, 0u);
  EXPECT_EQ(info.hbmColor, nullptr);  // monochrome: the mask holds both halves
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);
  DeleteObject(info.hbmMask);
}

// The colour of an icon's pixel as drawn over white.
COLORREF icon_pixel(HICON icon, int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 32, 32};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST(Resources, PlayAndStopIconsAreBlackOnLightGrey) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  HICON play = static_cast<HICON>(
      LoadImageA(module, MAKEINTRESOURCEA(IDI_PLAY), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  HICON stop = static_cast<HICON>(
      LoadImageA(module, MAKEINTRESOURCEA(IDI_STOP), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ASSERT_NE(play, nullptr);
  ASSERT_NE(stop, nullptr);
  const COLORREF grey = RGB(192, 192, 192), black = RGB(0, 0, 0);
  // The triangle: its point at the right, its flat side at the left.
  EXPECT_EQ(icon_pixel(play, 16, 16), black);
  EXPECT_EQ(icon_pixel(play, 8, 7), black);
  EXPECT_EQ(icon_pixel(play, 24, 16), black);
  EXPECT_EQ(icon_pixel(play, 24, 8), grey);
  EXPECT_EQ(icon_pixel(play, 1, 1), grey);
  // The square.
  EXPECT_EQ(icon_pixel(stop, 8, 8), black);
  EXPECT_EQ(icon_pixel(stop, 23, 23), black);
  EXPECT_EQ(icon_pixel(stop, 7, 16), grey);
  EXPECT_EQ(icon_pixel(stop, 30, 30), grey);
  DestroyIcon(play);
  DestroyIcon(stop);
}

TEST(Resources, TheProgramIconIsTheGroupNamedA) {
  EXPECT_NE(FindResourceA(nullptr, "A", MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "A");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon_pixel(icon, 0, 0), RGB(255, 255, 255));  // a clear corner
  EXPECT_EQ(icon_pixel(icon, 5, 16), RGB(255, 204, 0));
}

TEST(Resources, VersionBlock) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, &block[0]));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020002u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00010002u);
  char* product = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040C04E4\\ProductVersion",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_STREQ(product, "2.2");
}

}  // namespace
