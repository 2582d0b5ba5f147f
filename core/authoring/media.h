// The pictures and clips a quiz carries, checked by their bytes (never by
// their names). The player reads baseline JPEG only: every other picture
// (PNG, GIF, BMP, WebP, a JPEG it may not read, one that a phone stored
// sideways) becomes one. Pictures larger than the player's 260 x 260 box
// are scaled down to fit it: the player would show them at that size anyway,
// and the quiz stays small and opens fast.
#pragma once

#include <cstdint>
#include <string>

#include "picture_decode.h"

enum { PICTURE_BOX = 260, JPEG_QUALITY = 90 };

// The most pixels a picture may be decoded to (a 50-megapixel photo has
// fewer): a picture states its size in a few header bytes, and decoding a
// crafted JPEG of 30000 x 30000 took a gigabyte and half a minute before
// failing. A JPEG to be scaled down is decoded at 1/2, 1/4 or 1/8 of its
// size, and the limit applies to that; a picture kept as it is, which the
// player decodes whole, and a progressive JPEG, whose decoder holds every
// coefficient of it, count whole.
const int64_t MAX_PICTURE_PIXELS = 64000000;

struct PictureInfo {
  int width = 0, height = 0;  // of the picture as it is seen (turned upright)
  bool scaled = false;        // whether `stored` is a scaled copy
  PictureForm form = FORM_UNKNOWN;
  int orientation = 1;       // its EXIF orientation, applied to the pixels
  bool transparent = false;  // whether the background shows through it
  // Why a JPEG that fits the box was encoded again rather than kept byte
  // for byte ("turned upright", "progressive"...); null when kept or scaled.
  const char* reencoded = nullptr;
};

// Checks that `bytes` are a picture quizpack reads (JPEG, PNG, GIF, BMP,
// WebP) and makes what the quiz stores of it. A JPEG the player reads as it is
// (baseline, not CMYK), upright and within the box is `stored` byte for
// byte; any other picture is turned upright, its transparency laid over
// `background` (0xRRGGBB, the quiz's page colour), scaled down to fit the
// box unless `keep` is set, and encoded as a baseline JPEG of quality 90.
// False with `problem` when the bytes are not a usable picture.
bool prepare_picture(const std::string& bytes, bool keep, uint32_t background, std::string* stored,
                     PictureInfo* info, std::string* problem);

// The size of a `width` x `height` picture scaled down to fit the box; a
// picture that fits keeps its size.
void fit_in_box(int width, int height, int* fitted_width, int* fitted_height);

// Decodes a picture as the quiz stores it (a JPEG) to RGB: what the player
// shows. False with `problem`.
bool decode_stored_picture(const std::string& stored, Pixels* pixels, std::string* problem);

// Checks that a clip is what the player's media host writes it as: MP3 for an
// audio quiz (kind 2), AVI for a video quiz (kind 3).
bool check_clip(const std::string& bytes, uint32_t kind, std::string* problem);
