// A picture's size read from its JPEG header: the page lays its rows out from
// it, so a size read wrongly would misplace a row, and a header read past its
// end would read outside the resource.
#include "core/page/picture_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// A marker segment: FF code, then a length that counts itself and the body.
void add_segment(Bytes* jpeg, uint8_t code, const Bytes& body) {
  size_t length = body.size() + 2;
  jpeg->insert(jpeg->end(), {0xFF, code, uint8_t(length >> 8), uint8_t(length)});
  jpeg->insert(jpeg->end(), body.begin(), body.end());
}

// precision 8, height, width, one component
Bytes frame_body(int width, int height) {
  return {8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width), 1, 1, 0x11,
          0};
}

Bytes jpeg_start() { return {0xFF, 0xD8}; }

Bytes ended(Bytes jpeg) {
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

bool read(const Bytes& bytes, int* width, int* height) {
  return jpeg_picture_size(bytes.data(), bytes.size(), width, height);
}

TEST(PictureHeader, ReadsTheFrameHeaderAfterTheSegmentsBeforeIt) {
  // An EXIF block whose body holds bytes that look like a frame header must
  // be skipped whole; so must tables, and fill bytes before a marker.
  Bytes jpeg = jpeg_start();
  add_segment(&jpeg, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  add_segment(&jpeg, 0xE1, {0xFF, 0xC0, 0x00, 0x11, 8, 0, 9, 0, 9});
  add_segment(&jpeg, 0xDB, Bytes(65, 1));
  add_segment(&jpeg, 0xC4, Bytes(20, 0));            // DHT, in the SOF range but no frame
  jpeg.push_back(0xFF);                              // fill
  add_segment(&jpeg, 0xC2, frame_body(4000, 3000));  // progressive
  add_segment(&jpeg, 0xDA, {1, 1, 0, 0, 63, 0});
  jpeg.insert(jpeg.end(), {0x12, 0x34, 0xFF, 0xD9});  // scan data, end of image
  int width = 0, height = 0;
  ASSERT_TRUE(read(jpeg, &width, &height));
  EXPECT_EQ(width, 4000);
  EXPECT_EQ(height, 3000);

  Bytes baseline = jpeg_start();
  add_segment(&baseline, 0xC0, frame_body(260, 195));
  baseline.insert(baseline.end(), {0xFF, 0xD9});
  ASSERT_TRUE(read(baseline, &width, &height));
  EXPECT_EQ(width, 260);
  EXPECT_EQ(height, 195);
}

TEST(PictureHeader, RefusesWhatItCannotReadWhole) {
  int width = -1, height = -1;
  Bytes whole = jpeg_start();
  add_segment(&whole, 0xE0, Bytes(14, 0));
  add_segment(&whole, 0xC0, frame_body(300, 200));
  whole.insert(whole.end(), {0xFF, 0xD9});
  ASSERT_TRUE(read(whole, &width, &height));
  width = height = -1;

  // Every truncation, down to nothing, is refused without reading past it;
  // so is a whole header in a file cut short of its end-of-image marker.
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    Bytes truncated(whole.begin(), whole.begin() + long(cut));
    EXPECT_FALSE(read(truncated, &width, &height)) << cut;
  }
  EXPECT_FALSE(jpeg_picture_size(nullptr, 10, &width, &height));

  Bytes not_jpeg = {'B', 'M', 0, 0, 0, 0, 0, 0, 0xFF, 0xD9};
  EXPECT_FALSE(read(not_jpeg, &width, &height));

  // A scan before any frame header, a stray byte between segments, a segment
  // longer than the file, one too short to hold its own length.
  Bytes scan_first = jpeg_start();
  add_segment(&scan_first, 0xDA, {1, 1, 0, 0, 63, 0});
  add_segment(&scan_first, 0xC0, frame_body(300, 200));
  EXPECT_FALSE(read(ended(scan_first), &width, &height));
  Bytes stray = jpeg_start();
  stray.push_back(0x00);
  add_segment(&stray, 0xC0, frame_body(300, 200));
  EXPECT_FALSE(read(ended(stray), &width, &height));
  Bytes too_long = jpeg_start();
  too_long.insert(too_long.end(), {0xFF, 0xE0, 0x40, 0x00, 0, 0});
  EXPECT_FALSE(read(ended(too_long), &width, &height));
  Bytes too_short = jpeg_start();
  too_short.insert(too_short.end(), {0xFF, 0xE0, 0x00, 0x01});
  add_segment(&too_short, 0xC0, frame_body(300, 200));
  EXPECT_FALSE(read(ended(too_short), &width, &height));

  // A zero size (a height left to a later DNL marker) is not a size.
  Bytes zero = jpeg_start();
  add_segment(&zero, 0xC0, frame_body(300, 0));
  zero.insert(zero.end(), {0xFF, 0xD9});
  EXPECT_FALSE(read(zero, &width, &height));
  EXPECT_EQ(width, -1);  // untouched on refusal
  EXPECT_EQ(height, -1);
}

}  // namespace
