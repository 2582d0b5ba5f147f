// Pictures from resources under Wine: JPEG resources of a test module made by
// ImageMagick at build time, fitted into the 260 x 260 box.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/page/picture.h"
#include "tests/support/gdi_objects.h"

namespace {

class PictureTest : public ::testing::Test {
 protected:
  HMODULE module = nullptr;
  void SetUp() override {
    module = LoadLibraryExA("pic_fit.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override { FreeLibrary(module); }

  SIZE loaded_size(int id) {
    HBITMAP bitmap = load_picture(module, id, "IMG", 260, 260);
    SIZE size = {-1, -1};
    BITMAP info = {};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) size = {info.bmWidth, info.bmHeight};
    if (bitmap) DeleteObject(bitmap);
    return size;
  }
};

TEST_F(PictureTest, PicturesAreFittedIntoTheBox) {
  SIZE wide = loaded_size(401), small = loaded_size(402), tall = loaded_size(403);
  EXPECT_EQ(wide.cx, 260);  // 520 x 260, reduced
  EXPECT_EQ(wide.cy, 130);
  EXPECT_EQ(small.cx, 260);  // 130 x 65, enlarged
  EXPECT_EQ(small.cy, 130);
  EXPECT_EQ(tall.cx, 65);  // 130 x 520
  EXPECT_EQ(tall.cy, 260);
  SIZE fitting = loaded_size(408);  // already fits: kept as it is
  EXPECT_EQ(fitting.cx, 260);
  EXPECT_EQ(fitting.cy, 195);
}

TEST_F(PictureTest, WhatIsNotAPictureGivesNone) {
  EXPECT_EQ(load_picture(module, 404, "IMG", 260, 260), nullptr);  // missing
  EXPECT_EQ(load_picture(module, 405, "IMG", 260, 260), nullptr);  // garbage after the marker
  EXPECT_EQ(load_picture(module, 406, "IMG", 260, 260), nullptr);  // an icon: no bitmap
  EXPECT_EQ(load_picture(module, 407, "IMG", 260, 260), nullptr);  // cut short
  EXPECT_EQ(load_picture(module, 401, "PATCH", 260, 260), nullptr);
  EXPECT_EQ(decode_picture(nullptr, 0), nullptr);
  EXPECT_EQ(decode_picture("", 0), nullptr);
  EXPECT_EQ(scale_bitmap(nullptr, 260, 260), nullptr);
}

TEST_F(PictureTest, ScalingKeepsTheSourceAndGivesANewBitmap) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(401), "IMG");
  ASSERT_NE(found, nullptr);
  const void* bytes = LockResource(LoadResource(module, found));
  HBITMAP decoded = decode_picture(bytes, SizeofResource(module, found));
  ASSERT_NE(decoded, nullptr);
  BITMAP info = {};
  ASSERT_TRUE(GetObjectA(decoded, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 520);
  EXPECT_EQ(info.bmHeight, 260);
  HBITMAP scaled = scale_bitmap(decoded, 100, 100);
  ASSERT_NE(scaled, nullptr);
  EXPECT_NE(scaled, decoded);
  ASSERT_TRUE(GetObjectA(scaled, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 100);
  EXPECT_EQ(info.bmHeight, 50);
  // The scaled copy carries the picture's pixels: navy at the top, gold below.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, scaled);
  COLORREF top = GetPixel(dc, 50, 1), bottom = GetPixel(dc, 50, 48);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_GT(GetBValue(top), GetRValue(top));
  EXPECT_GT(GetRValue(bottom), GetBValue(bottom));
  EXPECT_TRUE(GetObjectA(decoded, sizeof info, &info));  // still the caller's
  DeleteObject(scaled);
  DeleteObject(decoded);
}

// Every decode, good or bad, leaves no bitmap, device context or stream
// behind: only the bitmap handed out remains, and the caller deletes it.
TEST_F(PictureTest, DecodingLeavesNothingBehind) {
  for (int id : {401, 405, 406}) DeleteObject(load_picture(module, id, "IMG", 260, 260));
  DWORD gdi_before = gdi_object_count();
  for (int round = 0; round < 20; ++round) {
    for (int id : {401, 402, 403, 404, 405, 406, 407, 408}) {
      HBITMAP bitmap = load_picture(module, id, "IMG", 260, 260);
      if (bitmap) DeleteObject(bitmap);
    }
  }
  EXPECT_EQ(gdi_object_count(), gdi_before);
  EXPECT_GT(gdi_before, 0u);  // the count is real
}

}  // namespace
