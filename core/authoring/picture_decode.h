// Pictures as people have them (JPEG, PNG, GIF, BMP, WebP) decoded to RGB
// pixels for packing: JPEG by libjpeg-turbo, at a reduced DCT scale when the
// picture is to be scaled down anyway; WebP by libwebp; PNG, GIF (its first
// frame) and BMP by stb. Transparency is laid over a background colour, as
// the page the picture sits on would show it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

enum PictureForm {
  FORM_UNKNOWN,
  FORM_JPEG,
  FORM_PNG,
  FORM_GIF,
  FORM_BMP,
  FORM_WEBP,
  FORM_HEIC,  // what phones store photos as: refused
  FORM_AVIF,  // refused
};

// The form of a picture file, by its first bytes.
PictureForm picture_form(std::string_view bytes);
// "JPEG", "PNG"...
const char* form_name(PictureForm form);

// Decoded pixels: 3 bytes (R, G, B) per pixel, rows from the top, no
// padding. The memory is malloc's, so that stb's decodes are taken as they
// are.
struct FreeBytes {
  void operator()(uint8_t* bytes) const;
};
struct Pixels {
  int width = 0, height = 0;
  std::unique_ptr<uint8_t, FreeBytes> rgb;
  // False when there is no memory for it.
  bool allocate(int w, int h, int channels = 3);
};

// What a JPEG's headers say: whether the player's picture loader may read it
// as it is (8-bit baseline or extended Huffman coding, greyscale or YCbCr).
struct JpegFacts {
  int width = 0, height = 0;
  bool progressive = false, arithmetic = false, cmyk = false;
  int precision = 8;
  bool player_reads() const { return !progressive && !arithmetic && !cmyk && precision == 8; }
};

// Reads a JPEG's headers. False with `problem` when they do not read.
bool read_jpeg_facts(std::string_view bytes, JpegFacts* facts, std::string* problem);

// Decodes a JPEG at 1/`denominator` of its size (1, 2, 4 or 8), inside the
// inverse DCT: the output is each side divided and rounded up. Damaged data
// (a file that ends early, a scan that does not resynchronise) is refused,
// not shown grey. False with `problem`.
bool decode_jpeg(std::string_view bytes, int denominator, Pixels* out, std::string* problem);

// The size a PNG, GIF, BMP or WebP file states, before decoding it.
bool other_picture_size(std::string_view bytes, PictureForm form, int* width, int* height,
                        std::string* problem);

// Decodes a PNG, GIF (its first frame), BMP or WebP (the first frame of an
// animation) whole, laying transparent pixels over `background` (0xRRGGBB);
// `transparent` tells whether any pixel was. False with `problem`.
bool decode_other_picture(std::string_view bytes, PictureForm form, uint32_t background,
                          Pixels* out, bool* transparent, std::string* problem);
