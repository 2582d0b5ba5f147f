// Any bytes through libjpeg-turbo at each DCT scale packing uses (1/8, 1/4,
// 1/2, 1): refused with a reason, or decoded to each side divided and
// rounded up.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/authoring/picture_decode.h"

namespace {

// Larger decodes take seconds under the fuzzer's instrumentation.
const int64_t FUZZED_PIXELS = 1000000;

int divided_up(int side, int d) { return (side + d - 1) / d; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  JpegFacts facts;
  std::string problem;
  if (!read_jpeg_facts(bytes, &facts, &problem)) {
    if (problem.empty()) abort();
    return 0;
  }
  for (int d : {8, 4, 2, 1}) {
    int w = divided_up(facts.width, d), h = divided_up(facts.height, d);
    if (int64_t(w) * h > FUZZED_PIXELS) continue;
    Pixels pixels;
    if (!decode_jpeg(bytes, d, &pixels, &problem)) {
      if (problem.empty()) abort();
      continue;
    }
    if (pixels.width != w || pixels.height != h) abort();
  }
  return 0;
}
