#include "picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "core/page/page_layout.h"

namespace {

// {7BF80980-BF32-101A-8BBB-00AA00300CAB}: defined here so that the player
// needs no import library for it.
const IID PICTURE_IID = {
    0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};

// A stream over a copy of the bytes; the stream owns (and on release frees)
// its memory block. The block is movable, as streams on global memory need.
IStream* stream_over_copy(const void* bytes, DWORD length) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length);
  if (!block) return nullptr;
  void* target = GlobalLock(block);
  if (!target) {
    GlobalFree(block);
    return nullptr;
  }
  memcpy(target, bytes, length);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    GlobalFree(block);  // no stream took it
    return nullptr;
  }
  return stream;
}

// An independent copy of the bitmap the decoder holds, or null when the
// picture is not a bitmap (an icon or a metafile has no pixels of its own).
HBITMAP copy_of_picture(IPicture* picture) {
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP) return nullptr;
  if (FAILED(picture->get_Handle(&handle)) || !handle) return nullptr;
  return static_cast<HBITMAP>(
      CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

HBITMAP decode_in_apartment(const void* bytes, DWORD length) {
  IStream* stream = stream_over_copy(bytes, length);
  if (!stream) return nullptr;
  IPicture* picture = nullptr;
  HBITMAP copy = nullptr;
  HRESULT loaded =
      OleLoadPicture(stream, LONG(length), FALSE, PICTURE_IID, reinterpret_cast<void**>(&picture));
  if (SUCCEEDED(loaded) && picture) {
    copy = copy_of_picture(picture);
    picture->Release();  // its own bitmap goes with it
  }
  stream->Release();  // frees the memory block
  return copy;
}

}  // namespace

HBITMAP decode_picture(const void* bytes, DWORD length) {
  if (!bytes || length == 0 || length > 0x7FFFFFFF) return nullptr;
  // Balanced around each decode; nests inside an apartment the caller holds.
  HRESULT initialised = CoInitialize(nullptr);
  HBITMAP bitmap = decode_in_apartment(bytes, length);
  if (SUCCEEDED(initialised)) CoUninitialize();
  return bitmap;
}

HBITMAP scale_bitmap(HBITMAP source, int box_width, int box_height) {
  BITMAP info = {};
  if (!source || !GetObjectA(source, sizeof info, &info)) return nullptr;
  PictureSize fitted = fit_picture(info.bmWidth, info.bmHeight, box_width, box_height);
  if (fitted.width == 0) return nullptr;

  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, fitted.width, fitted.height);
  HGDIOBJ old_from = SelectObject(from, source);
  HGDIOBJ old_to = SelectObject(to, scaled);
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);  // halftone stretching wants it reset
  StretchBlt(to, 0, 0, fitted.width, fitted.height, from, 0, 0, info.bmWidth, info.bmHeight,
             SRCCOPY);
  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  return scaled;
}

HBITMAP load_picture(HMODULE module, int id, const char* type, int box_width, int box_height) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return nullptr;
  DWORD size = SizeofResource(module, found);
  const void* bytes = LockResource(loaded);
  HBITMAP decoded = decode_picture(bytes, size);
  FreeResource(loaded);
  if (!decoded) return nullptr;
  // A picture packed to fit the box already is kept as it is.
  BITMAP info = {};
  GetObjectA(decoded, sizeof info, &info);
  PictureSize fitted = fit_picture(info.bmWidth, info.bmHeight, box_width, box_height);
  if (fitted.width == info.bmWidth && fitted.height == info.bmHeight) return decoded;
  HBITMAP scaled = scale_bitmap(decoded, box_width, box_height);
  DeleteObject(decoded);  // only the fitted copy is kept
  return scaled;
}
