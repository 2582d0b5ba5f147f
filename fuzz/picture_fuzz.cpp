// Any bytes as a quiz's picture (JPEG at every DCT scale, PNG, GIF, BMP,
// WebP, with any EXIF orientation): the check refuses them with a reason or
// accepts them; an accepted picture is stored as it came (a JPEG the player
// reads, upright, fitting its box, or any kept one) or made a JPEG the player
// reads that fits the box. The size the player reads from a JPEG's header,
// to lay out its page before it decodes, is the size the decoder finds.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/authoring/media.h"
#include "core/page/picture_header.h"

namespace {

void check(const std::string& bytes, bool keep) {
  std::string stored, problem;
  PictureInfo info;
  if (!prepare_picture(bytes, keep, 0x5A5F96, &stored, &info, &problem)) {
    if (problem.empty()) abort();
    return;
  }
  if (info.width < 1 || info.height < 1) abort();
  if (!keep && (info.width > PICTURE_BOX || info.height > PICTURE_BOX) && !info.scaled) abort();
  if (stored == bytes) return;  // kept
  JpegFacts facts;
  if (!read_jpeg_facts(stored, &facts, &problem) || !facts.player_reads()) abort();
  int fitted_width = info.width, fitted_height = info.height;
  if (!keep) fit_in_box(info.width, info.height, &fitted_width, &fitted_height);
  if (facts.width != fitted_width || facts.height != fitted_height) abort();
}

}  // namespace

// Pictures of 1 to 64 million pixels are left to the tests: decoding one
// takes seconds under the fuzzer's instrumentation (less than one without),
// and the fuzzer would spend its time on them. Larger ones are refused from
// their header, and fuzzed.
const int64_t FUZZED_PIXELS = 1000000;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size), problem;
  PictureForm form = picture_form(bytes);
  int width = 0, height = 0;
  JpegFacts facts;
  if (form == FORM_JPEG && read_jpeg_facts(bytes, &facts, &problem)) {
    width = facts.width, height = facts.height;
    int header_width, header_height;
    if (jpeg_picture_size(data, size, &header_width, &header_height) &&
        (header_width != width || header_height != height))
      abort();
    // Kept, it is decoded whole; those refused from their header are fuzzed.
    int64_t eighth = int64_t((width + 7) / 8) * ((height + 7) / 8);
    if (int64_t(width) * height > FUZZED_PIXELS && eighth <= MAX_PICTURE_PIXELS) return 0;
  } else if (form != FORM_JPEG && other_picture_size(bytes, form, &width, &height, &problem) &&
             int64_t(width) * height > FUZZED_PIXELS &&
             int64_t(width) * height <= MAX_PICTURE_PIXELS) {
    return 0;
  }
  check(bytes, false);
  check(bytes, true);
  return 0;
}
