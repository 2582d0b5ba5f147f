// Any bytes as a quiz's picture: the check refuses them with a reason or
// accepts them; an accepted picture is stored as it came (kept, or already
// fitting the player's box) or scaled down to a JPEG that fits the box. The
// size the player reads from a JPEG's header, to lay out its page before it
// decodes, is the size the decoder finds.
#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/authoring/media.h"
#include "core/page/picture_header.h"

namespace {

void check(const std::string& bytes, bool keep) {
  std::string stored, problem;
  PictureInfo info;
  if (!prepare_picture(bytes, keep, &stored, &info, &problem)) {
    if (problem.empty()) abort();
    return;
  }
  if (info.width < 1 || info.height < 1) abort();
  if (!info.scaled) {
    if (stored != bytes) abort();
    if (!keep && (info.width > PICTURE_BOX || info.height > PICTURE_BOX)) abort();
    return;
  }
  if (keep) abort();
  int width = 0, height = 0, channels = 0, fitted_width, fitted_height;
  if (!stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(stored.data()), int(stored.size()),
                             &width, &height, &channels))
    abort();
  fit_in_box(info.width, info.height, &fitted_width, &fitted_height);
  if (width != fitted_width || height != fitted_height || width > PICTURE_BOX ||
      height > PICTURE_BOX)
    abort();
}

}  // namespace

// Pictures of 1 to 64 million pixels are left to the tests: decoding one
// takes seconds under the fuzzer's instrumentation (less than one without),
// and the fuzzer would spend its time on them. Larger ones are refused from
// their header, and fuzzed.
const int64_t FUZZED_PIXELS = 1000000;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int width, height, channels;
  if (size < INT32_MAX && stbi_info_from_memory(data, int(size), &width, &height, &channels)) {
    int header_width, header_height;
    if (jpeg_picture_size(data, size, &header_width, &header_height) &&
        (header_width != width || header_height != height))
      abort();
    int64_t pixels = int64_t(width) * height;
    if (pixels > FUZZED_PIXELS && pixels <= MAX_PICTURE_PIXELS) return 0;
  }
  std::string bytes(reinterpret_cast<const char*>(data), size);
  check(bytes, false);
  check(bytes, true);
  return 0;
}
