// The EXIF orientation of a picture file: how the camera was held, which
// phones write instead of turning the pixels. Browsers turn the picture by
// it; the player's picture loader does not, so quizpack turns the pixels.
#pragma once

#include <string_view>

// The EXIF block (TIFF-structured) of a JPEG (APP1 "Exif"), PNG (eXIf chunk)
// or WebP (EXIF chunk); empty when the file has none.
std::string_view find_exif(std::string_view file);

// The orientation tag of the first image directory of an EXIF block: 1 to 8
// (1 upright, 2 mirrored, 3 upside down, 4 mirrored upside down, 5 to 8 the
// same turned a quarter: 6 stored lying on its left side, 8 on its right);
// 1 when the block has none or does not read.
int exif_orientation(std::string_view exif);

// Both: the orientation of a picture file.
int picture_orientation(std::string_view file);
