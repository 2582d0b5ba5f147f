// Pictures from the program's resources: a JPEG resource becomes a bitmap
// fitted into a box, ready for a static control (STM_SETIMAGE).
#pragma once

#include <windows.h>

// Picture resource `id` of `type` in `module` (null: the program file; the
// quiz's own are "IMG" 400 + n and 10400 + n, core/content/resource_names.h),
// fitted into box_width x box_height. Null when the resource is missing or is
// not a picture. The caller owns the bitmap.
HBITMAP load_picture(HMODULE module, int id, const char* type, int box_width, int box_height);

// A bitmap of the picture's own size from its file bytes, or null. The caller
// owns the bitmap.
HBITMAP decode_picture(const void* bytes, DWORD length);

// A new bitmap of `source` fitted into the box (enlarged or reduced, halftone
// stretched). `source` stays the caller's. Null when it has no pixels.
HBITMAP scale_bitmap(HBITMAP source, int box_width, int box_height);
