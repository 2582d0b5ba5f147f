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

Message size_problem(int width, int height) {
  return Message(MSG_PICTURE_PIXELS, {number(width), number(height)});
}

// A decoder's own words (the library's, or "corrupt JPEG" when it gives
// none) inside the quiz's.
Message undecodable(const char* form, const std::string& why) {
  return Message(MSG_PICTURE_UNDECODABLE, {form, why.empty() ? "corrupt JPEG" : why});
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
                   Message* problem) {
  Pixels fitted;
  const Pixels* source = &pixels;
  if (width != pixels.width || height != pixels.height) {
    if (!fitted.allocate(width, height) ||
        !stbir_resize_uint8_srgb(pixels.rgb.get(), pixels.width, pixels.height, 0, fitted.rgb.get(),
                                 width, height, 0, CHANNELS, STBIR_ALPHA_CHANNEL_NONE, 0)) {
      *problem = MSG_NOT_SCALED;
      return false;
    }
    source = &fitted;
  }
  std::string encoded;
  if (!stbi_write_jpg_to_func(append_bytes, &encoded, width, height, CHANNELS, source->rgb.get(),
                              JPEG_QUALITY)) {
    *problem = MSG_NOT_ENCODED;
    return false;
  }
  *stored = std::move(encoded);
  return true;
}

MessageId reencoding_reason(const JpegFacts& facts, int orientation) {
  if (orientation != 1) return MSG_REENCODED_UPRIGHT;
  if (facts.progressive) return MSG_REENCODED_PROGRESSIVE;
  if (facts.arithmetic) return MSG_REENCODED_ARITHMETIC;
  if (facts.cmyk) return MSG_REENCODED_CMYK;
  return MSG_LITERAL;
}

// A JPEG: kept as it is when the player reads it as it is, or decoded at the
// smallest DCT scale still at least the size it must be fitted to.
bool prepare_jpeg(const std::string& bytes, bool keep, std::string* stored, PictureInfo* info,
                  Pixels* pixels, bool* kept, Message* problem) {
  JpegFacts facts;
  std::string why;
  if (!read_jpeg_facts(bytes, &facts, &why)) {
    *problem = undecodable("JPEG", why);
    return false;
  }
  if (facts.precision != 8) {
    *problem = Message(MSG_JPEG_PRECISION, {number(facts.precision)});
    return false;
  }
  int w = facts.width, h = facts.height;
  int seen_w = turned(info->orientation) ? h : w, seen_h = turned(info->orientation) ? w : h;
  info->width = seen_w, info->height = seen_h;
  int fit_w = seen_w, fit_h = seen_h;
  if (!keep) fit_in_box(seen_w, seen_h, &fit_w, &fit_h);
  bool fits = fit_w == seen_w && fit_h == seen_h;
  MessageId reason = reencoding_reason(facts, info->orientation);
  *kept = fits && reason == MSG_LITERAL;
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
  if (!decode_jpeg(bytes, denominator, pixels, &why)) {
    *problem = undecodable("JPEG", why);
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
                     PictureInfo* info, Message* problem) {
  *info = PictureInfo();
  info->form = picture_form(bytes);
  switch (info->form) {
    case FORM_HEIC: *problem = MSG_HEIC; return false;
    case FORM_AVIF: *problem = MSG_AVIF; return false;
    case FORM_UNKNOWN: *problem = MSG_NOT_A_PICTURE; return false;
    default: break;
  }
  if (bytes.size() > size_t(INT_MAX)) {
    *problem = MSG_PICTURE_TOO_LARGE;
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
    std::string why;
    if (!other_picture_size(bytes, info->form, &w, &h, &why)) {
      *problem = undecodable(name, why);
      return false;
    }
    if (too_many_pixels(w, h)) {
      *problem = size_problem(w, h);
      return false;
    }
    if (!decode_other_picture(bytes, info->form, background, &pixels, &info->transparent, &why)) {
      *problem = undecodable(name, why);
      return false;
    }
    info->width = turned(info->orientation) ? pixels.height : pixels.width;
    info->height = turned(info->orientation) ? pixels.width : pixels.height;
  }
  int fit_w = info->width, fit_h = info->height;
  if (!keep) fit_in_box(info->width, info->height, &fit_w, &fit_h);
  info->scaled = fit_w != info->width || fit_h != info->height;
  if (!turn_upright(&pixels, info->orientation)) {
    *problem = MSG_PICTURE_TOO_LARGE;
    return false;
  }
  return encode_fitted(pixels, fit_w, fit_h, stored, problem);
}

bool decode_stored_picture(const std::string& stored, Pixels* pixels, Message* problem) {
  std::string why;
  if (decode_jpeg(stored, 1, pixels, &why)) return true;
  *problem = undecodable("JPEG", why);
  return false;
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

bool check_clip(const std::string& bytes, uint32_t kind, Message* problem) {
  const char* other = other_clip_form(bytes);
  if (kind == KIND_AUDIO) {
    bool id3 = bytes.compare(0, 3, "ID3") == 0;
    bool frame =
        bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && (uint8_t(bytes[1]) & 0xE0) == 0xE0;
    if (id3 || frame) return true;
    *problem = other ? Message(MSG_CLIP_NOT_MP3, {other}) : Message(MSG_NOT_MP3);
    return false;
  }
  if (bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "AVI ") == 0)
    return true;
  *problem = other ? Message(MSG_CLIP_NOT_AVI, {other}) : Message(MSG_NOT_AVI);
  return false;
}
