#include "picture_header.h"

#include <cstdint>

namespace {

const uint8_t MARKER = 0xFF;
const uint8_t SOI = 0xD8;
const uint8_t EOI = 0xD9;
const uint8_t SOS = 0xDA;
const uint8_t TEM = 0x01;
const uint8_t RST0 = 0xD0, RST7 = 0xD7;

unsigned big_endian_16(const uint8_t* at) { return unsigned(at[0]) << 8 | at[1]; }

// SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC), which share the range.
bool is_frame_header(uint8_t code) {
  return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

}  // namespace

bool jpeg_picture_size(const void* data, size_t length, int* width, int* height) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (!bytes || length < 4 || bytes[0] != MARKER || bytes[1] != SOI) return false;
  if (bytes[length - 2] != MARKER || bytes[length - 1] != EOI) return false;
  size_t at = 2;
  while (at < length) {
    if (bytes[at] != MARKER) return false;  // only markers between segments
    // Any number of fill bytes may precede a marker's code.
    while (at < length && bytes[at] == MARKER) ++at;
    if (at >= length) return false;
    uint8_t code = bytes[at++];
    if (code == TEM || (code >= RST0 && code <= RST7)) continue;  // no length
    if (code == SOI || code == EOI || code == SOS || code == 0) return false;
    if (length - at < 2) return false;
    size_t segment = big_endian_16(bytes + at);  // counts its own two bytes
    if (segment < 2 || segment > length - at) return false;
    if (is_frame_header(code)) {
      // precision (1), height (2), width (2)
      if (segment < 7) return false;
      unsigned h = big_endian_16(bytes + at + 3), w = big_endian_16(bytes + at + 5);
      // A height of 0 would be given later by a DNL marker: not worth it here.
      if (w == 0 || h == 0) return false;
      *width = int(w);
      *height = int(h);
      return true;
    }
    at += segment;
  }
  return false;
}
