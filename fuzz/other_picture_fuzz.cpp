// Any PNG, GIF, BMP or WebP bytes (the form chosen by the first byte, its
// signature written before the rest): refused with a reason, or decoded to
// the size the file states, its transparency laid over the page colour.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/authoring/picture_decode.h"

namespace {

const int64_t FUZZED_PIXELS = 1000000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size), problem;
  PictureForm form = picture_form(bytes);
  if (form != FORM_PNG && form != FORM_GIF && form != FORM_BMP && form != FORM_WEBP) return 0;
  int width, height;
  if (!other_picture_size(bytes, form, &width, &height, &problem)) return 0;
  if (int64_t(width) * height > FUZZED_PIXELS) return 0;
  Pixels pixels;
  bool transparent;
  if (!decode_other_picture(bytes, form, 0x5A5F96, &pixels, &transparent, &problem)) {
    if (problem.empty()) abort();
    return 0;
  }
  if (pixels.width != width || pixels.height != height) abort();
  return 0;
}
