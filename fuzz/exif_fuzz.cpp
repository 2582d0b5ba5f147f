// Any bytes as a picture file and as an EXIF block: the block found lies
// inside the file, and the orientation read is one of the eight.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/authoring/picture_exif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string_view exif = find_exif(bytes);
  if (!exif.empty() &&
      (exif.data() < bytes.data() || exif.data() + exif.size() > bytes.data() + size))
    abort();
  for (int orientation : {exif_orientation(exif), exif_orientation(bytes)})
    if (orientation < 1 || orientation > 8) abort();
  return 0;
}
