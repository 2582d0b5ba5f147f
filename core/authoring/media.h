// The pictures and clips a quiz carries, checked by their bytes (never by
// their names). Pictures larger than the player's 260 x 260 box are scaled
// down to fit it: the player would show them at that size anyway, and the
// quiz stays small and opens fast.
#pragma once

#include <cstdint>
#include <string>

#include "messages.h"

enum { PICTURE_BOX = 260, JPEG_QUALITY = 90 };

// The most pixels a picture may have (a 50-megapixel photo has fewer): a
// JPEG states its size in a few header bytes, and decoding a crafted one of
// 30000 x 30000 took a gigabyte and half a minute before failing.
const int64_t MAX_PICTURE_PIXELS = 64000000;

struct PictureInfo {
  int width = 0, height = 0;  // of the picture as given
  bool scaled = false;        // whether `stored` is a scaled copy
};

// Checks that `bytes` are a JPEG (the marker FF D8 FF, a size of at most
// MAX_PICTURE_PIXELS, and a picture that decodes). Unless `keep` is set, a picture larger than the
// box is scaled down to fit it, keeping its proportions, and encoded again as a JPEG of quality 90;
// otherwise `stored` is `bytes`. False with `problem` when the bytes are not a usable JPEG.
bool prepare_picture(const std::string& bytes, bool keep, std::string* stored, PictureInfo* info,
                     Message* problem);

// The size of a `width` x `height` picture scaled down to fit the box; a
// picture that fits keeps its size.
void fit_in_box(int width, int height, int* fitted_width, int* fitted_height);

// Checks that a clip is what the player's media host writes it as: MP3 for an
// audio quiz (kind 2), AVI for a video quiz (kind 3).
bool check_clip(const std::string& bytes, uint32_t kind, Message* problem);
