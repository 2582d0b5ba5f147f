#include "media.h"

#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <climits>
#include <string>

#include "picture_exif.h"

namespace {

const int CHANNELS = 3;
const uint32_t KIND_AUDIO = 2;
// The DCT scales a JPEG decodes at, smallest first: 1/8, 1/4, 1/2, 1.
const int DENOMINATORS[] = {8, 4, 2, 1};

void append_bytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

int divided_up(int side, int denominator) { return (side + denominator - 1) / denominator; }

bool turned(int orientation) { return orientation >= 5; }  // a quarter turn swaps the sides

std::string size_problem(int width, int height) {
  return "is " + std::to_string(width) + " x " + std::to_string(height) +
         " pixels; quizpack takes pictures of at most 64 million pixels";
}

bool too_many_pixels(int width, int height) { return int64_t(width) * height > MAX_PICTURE_PIXELS; }

// The pixels as they are seen: the picture turned and mirrored by its EXIF
// orientation. Pixel (x, y) of the result comes from the stored picture's
// pixel given by the orientation's mapping.
bool turn_upright(Pixels* pixels, int orientation) {
  if (orientation == 1) return true;
  int w = pixels->width, h = pixels->height;
  int out_w = turned(orientation) ? h : w, out_h = turned(orientation) ? w : h;
  Pixels out;
  if (!out.allocate(out_w, out_h)) return false;
  const uint8_t* in = pixels->rgb.get();
  uint8_t* to = out.rgb.get();
  for (int y = 0; y < out_h; ++y) {
    for (int x = 0; x < out_w; ++x) {
      int sx, sy;
      switch (orientation) {
        case 2: sx = w - 1 - x, sy = y; break;          // mirrored
        case 3: sx = w - 1 - x, sy = h - 1 - y; break;  // upside down
        case 4: sx = x, sy = h - 1 - y; break;          // mirrored upside down
        case 5: sx = y, sy = x; break;                  // transposed
        case 6: sx = y, sy = h - 1 - x; break;          // turned a quarter clockwise
        case 7: sx = w - 1 - y, sy = h - 1 - x; break;  // transposed the other way
        default: sx = w - 1 - y, sy = x; break;         // 8: a quarter anticlockwise
      }
      const uint8_t* from = in + (size_t(sy) * w + sx) * CHANNELS;
      uint8_t* at = to + (size_t(y) * out_w + x) * CHANNELS;
      at[0] = from[0], at[1] = from[1], at[2] = from[2];
    }
  }
  *pixels = std::move(out);
  return true;
}

// Scales the pixels to `width` x `height` (stb_image_resize, in sRGB) and
// encodes them as a baseline JPEG of quality 90.
bool encode_fitted(const Pixels& pixels, int width, int height, std::string* stored,
                   std::string* problem) {
  Pixels fitted;
  const Pixels* source = &pixels;
  if (width != pixels.width || height != pixels.height) {
    if (!fitted.allocate(width, height) ||
        !stbir_resize_uint8_srgb(pixels.rgb.get(), pixels.width, pixels.height, 0, fitted.rgb.get(),
                                 width, height, 0, CHANNELS, STBIR_ALPHA_CHANNEL_NONE, 0)) {
      *problem = "could not be scaled down";
      return false;
    }
    source = &fitted;
  }
  std::string encoded;
  if (!stbi_write_jpg_to_func(append_bytes, &encoded, width, height, CHANNELS, source->rgb.get(),
                              JPEG_QUALITY)) {
    *problem = "could not be encoded as a JPEG";
    return false;
  }
  *stored = std::move(encoded);
  return true;
}

const char* reencoding_reason(const JpegFacts& facts, int orientation) {
  if (orientation != 1) return "turned upright";
  if (facts.progressive) return "progressive";
  if (facts.arithmetic) return "arithmetic-coded";
  if (facts.cmyk) return "CMYK";
  return nullptr;
}

// A JPEG: kept as it is when the player reads it as it is, or decoded at the
// smallest DCT scale still at least the size it must be fitted to.
bool prepare_jpeg(const std::string& bytes, bool keep, std::string* stored, PictureInfo* info,
                  Pixels* pixels, bool* kept, std::string* problem) {
  JpegFacts facts;
  if (!read_jpeg_facts(bytes, &facts, problem)) {
    *problem = "does not decode as a JPEG (" + *problem + ")";
    return false;
  }
  if (facts.precision != 8) {
    *problem = "is a " + std::to_string(facts.precision) +
               "-bit JPEG, which quizpack does not read: save it as an 8-bit JPEG or a PNG";
    return false;
  }
  int w = facts.width, h = facts.height;
  int seen_w = turned(info->orientation) ? h : w, seen_h = turned(info->orientation) ? w : h;
  info->width = seen_w, info->height = seen_h;
  int fit_w = seen_w, fit_h = seen_h;
  if (!keep) fit_in_box(seen_w, seen_h, &fit_w, &fit_h);
  bool fits = fit_w == seen_w && fit_h == seen_h;
  const char* reason = reencoding_reason(facts, info->orientation);
  *kept = fits && !reason;
  // The decoder holds every coefficient of a progressive JPEG, and the
  // player decodes a kept one whole.
  if ((*kept || facts.progressive) && too_many_pixels(w, h)) {
    *problem = size_problem(w, h);
    return false;
  }
  int need_w = turned(info->orientation) ? fit_h : fit_w;
  int need_h = turned(info->orientation) ? fit_w : fit_h;
  int denominator = 1;
  for (int d : DENOMINATORS) {
    if (*kept || (divided_up(w, d) >= need_w && divided_up(h, d) >= need_h)) {
      denominator = d;  // a kept picture is only checked: its smallest decode will do
      break;
    }
  }
  if (too_many_pixels(divided_up(w, denominator), divided_up(h, denominator))) {
    *problem = size_problem(w, h);
    return false;
  }
  if (!decode_jpeg(bytes, denominator, pixels, problem)) {
    *problem = "does not decode as a JPEG (" + *problem + ")";
    return false;
  }
  if (*kept)
    *stored = bytes;
  else if (fits)
    info->reencoded = reason;
  return true;
}

}  // namespace

void fit_in_box(int width, int height, int* fitted_width, int* fitted_height) {
  *fitted_width = width, *fitted_height = height;
  if (width <= PICTURE_BOX && height <= PICTURE_BOX) return;
  if (width >= height) {
    *fitted_width = PICTURE_BOX;
    *fitted_height = int(int64_t(height) * PICTURE_BOX / width);
  } else {
    *fitted_height = PICTURE_BOX;
    *fitted_width = int(int64_t(width) * PICTURE_BOX / height);
  }
  if (*fitted_width < 1) *fitted_width = 1;
  if (*fitted_height < 1) *fitted_height = 1;
}

bool prepare_picture(const std::string& bytes, bool keep, uint32_t background, std::string* stored,
                     PictureInfo* info, std::string* problem) {
  *info = PictureInfo();
  info->form = picture_form(bytes);
  switch (info->form) {
    case FORM_HEIC:
      *problem =
          "is a HEIC photo, which quizpack does not read: on an iPhone, choose Settings > Camera > "
          "Formats > Most Compatible to take JPEG photos, or send the photo by mail, which "
          "makes it a JPEG; or save it as a JPEG or a PNG on a computer";
      return false;
    case FORM_AVIF:
      *problem = "is an AVIF picture, which quizpack does not read: save it as a JPEG or a PNG";
      return false;
    case FORM_UNKNOWN:
      *problem = "is not a picture quizpack reads (JPEG, PNG, GIF, BMP or WebP)";
      return false;
    default: break;
  }
  if (bytes.size() > size_t(INT_MAX)) {
    *problem = "is too large";
    return false;
  }
  info->orientation = picture_orientation(bytes);
  Pixels pixels;
  if (info->form == FORM_JPEG) {
    bool kept = false;
    if (!prepare_jpeg(bytes, keep, stored, info, &pixels, &kept, problem)) return false;
    if (kept) return true;
  } else {
    int w, h;
    const char* name = form_name(info->form);
    if (!other_picture_size(bytes, info->form, &w, &h, problem)) {
      *problem = std::string("does not decode as a ") + name + " (" + *problem + ")";
      return false;
    }
    if (too_many_pixels(w, h)) {
      *problem = size_problem(w, h);
      return false;
    }
    if (!decode_other_picture(bytes, info->form, background, &pixels, &info->transparent,
                              problem)) {
      *problem = std::string("does not decode as a ") + name + " (" + *problem + ")";
      return false;
    }
    info->width = turned(info->orientation) ? pixels.height : pixels.width;
    info->height = turned(info->orientation) ? pixels.width : pixels.height;
  }
  int fit_w = info->width, fit_h = info->height;
  if (!keep) fit_in_box(info->width, info->height, &fit_w, &fit_h);
  info->scaled = fit_w != info->width || fit_h != info->height;
  if (!turn_upright(&pixels, info->orientation)) {
    *problem = "is too large";
    return false;
  }
  return encode_fitted(pixels, fit_w, fit_h, stored, problem);
}

bool decode_stored_picture(const std::string& stored, Pixels* pixels, std::string* problem) {
  return decode_jpeg(stored, 1, pixels, problem);
}

namespace {

// The forms of clips people have that the player does not play.
const char* other_clip_form(const std::string& bytes) {
  if (bytes.compare(0, 4, "OggS") == 0) return "OGG";
  if (bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0)
    return "WAV";
  if (bytes.compare(0, 4, "\x1A\x45\xDF\xA3") == 0) return "WebM";
  if (bytes.size() >= 12 && bytes.compare(4, 4, "ftyp") == 0)
    return bytes.compare(8, 3, "M4A") == 0 || bytes.compare(8, 3, "M4B") == 0 ? "M4A" : "MP4";
  return nullptr;
}

}  // namespace

bool check_clip(const std::string& bytes, uint32_t kind, std::string* problem) {
  const char* other = other_clip_form(bytes);
  if (kind == KIND_AUDIO) {
    bool id3 = bytes.compare(0, 3, "ID3") == 0;
    bool frame =
        bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && (uint8_t(bytes[1]) & 0xE0) == 0xE0;
    if (id3 || frame) return true;
    *problem = other ? std::string("is a clip in ") + other +
                           "; an audio quiz plays only MP3 clips: convert it to MP3"
                     : "is not an MP3 file (an audio quiz plays MP3 clips)";
    return false;
  }
  if (bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "AVI ") == 0)
    return true;
  *problem = other ? std::string("is a clip in ") + other +
                         "; a video quiz plays only AVI clips: convert it to AVI"
                   : "is not an AVI file (a video quiz plays AVI clips)";
  return false;
}
