#include "picture_exif.h"

#include <cstdint>

namespace {

const std::string_view EXIF_HEADER("Exif\0\0", 6);

uint32_t big_endian(std::string_view b, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | uint8_t(b[at + i]);
  return value;
}

uint32_t little_endian(std::string_view b, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | uint8_t(b[at + i]);
  return value;
}

// A payload that starts with the "Exif" header some writers put before the
// TIFF structure in PNG and WebP too: without it.
std::string_view without_header(std::string_view payload) {
  if (payload.substr(0, EXIF_HEADER.size()) == EXIF_HEADER)
    return payload.substr(EXIF_HEADER.size());
  return payload;
}

// Markers up to the first scan; the first APP1 that is EXIF.
std::string_view jpeg_exif(std::string_view f) {
  size_t at = 2;
  while (at + 4 <= f.size()) {
    if (uint8_t(f[at]) != 0xFF) return {};
    uint8_t marker = uint8_t(f[at + 1]);
    if (marker == 0xFF) {  // fill byte
      at += 1;
      continue;
    }
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
      at += 2;  // markers without a length
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return {};
    size_t length = big_endian(f, at + 2, 2);
    if (length < 2 || at + 2 + length > f.size()) return {};
    std::string_view payload = f.substr(at + 4, length - 2);
    if (marker == 0xE1 && payload.substr(0, EXIF_HEADER.size()) == EXIF_HEADER)
      return payload.substr(EXIF_HEADER.size());
    at += 2 + length;
  }
  return {};
}

std::string_view png_exif(std::string_view f) {
  size_t at = 8;
  while (at + 12 <= f.size()) {
    size_t length = big_endian(f, at, 4);
    std::string_view type = f.substr(at + 4, 4);
    if (length > f.size() - at - 12) return {};
    if (type == "eXIf") return without_header(f.substr(at + 8, length));
    if (type == "IEND") return {};
    at += 12 + length;
  }
  return {};
}

std::string_view webp_exif(std::string_view f) {
  size_t at = 12;
  while (at + 8 <= f.size()) {
    size_t length = little_endian(f, at + 4, 4);
    if (length > f.size() - at - 8) return {};
    if (f.substr(at, 4) == "EXIF") return without_header(f.substr(at + 8, length));
    at += 8 + length + (length & 1);
  }
  return {};
}

}  // namespace

std::string_view find_exif(std::string_view f) {
  if (f.size() >= 3 && f.substr(0, 3) == "\xFF\xD8\xFF") return jpeg_exif(f);
  if (f.size() >= 8 && f.substr(0, 8) == "\x89PNG\r\n\x1A\n") return png_exif(f);
  if (f.size() >= 12 && f.substr(0, 4) == "RIFF" && f.substr(8, 4) == "WEBP") return webp_exif(f);
  return {};
}

int exif_orientation(std::string_view exif) {
  const int UPRIGHT = 1;
  if (exif.size() < 8) return UPRIGHT;
  bool motorola = exif.substr(0, 4) == std::string_view("MM\0*", 4);
  if (!motorola && exif.substr(0, 4) != std::string_view("II*\0", 4)) return UPRIGHT;
  auto read = [&](size_t at, int bytes) {
    return motorola ? big_endian(exif, at, bytes) : little_endian(exif, at, bytes);
  };
  size_t directory = read(4, 4);
  if (directory > exif.size() - 2) return UPRIGHT;
  size_t entries = read(directory, 2);
  const uint16_t ORIENTATION_TAG = 0x0112, SHORT_TYPE = 3;
  for (size_t i = 0; i < entries; ++i) {
    size_t entry = directory + 2 + 12 * i;
    if (entry + 12 > exif.size()) return UPRIGHT;
    if (read(entry, 2) != ORIENTATION_TAG) continue;
    if (read(entry + 2, 2) != SHORT_TYPE || read(entry + 4, 4) != 1) return UPRIGHT;
    uint32_t value = read(entry + 8, 2);
    return value >= 1 && value <= 8 ? int(value) : UPRIGHT;
  }
  return UPRIGHT;
}

int picture_orientation(std::string_view file) { return exif_orientation(find_exif(file)); }
