#include "media.h"

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <climits>
#include <memory>
#include <string>

namespace {

const int CHANNELS = 3;
const uint32_t KIND_AUDIO = 2;

bool is_jpeg(const std::string& bytes) {
  return bytes.size() >= 3 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8 &&
         uint8_t(bytes[2]) == 0xFF;
}

void append_bytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

struct FreePixels {
  void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

// stb tells why a decode failed, but not always: a cut JPEG whose header
// reads fails to decode without a reason.
Message undecodable() {
  const char* why = stbi_failure_reason();
  return Message(MSG_JPEG_UNDECODABLE, {why ? why : "corrupt JPEG"});
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

bool prepare_picture(const std::string& bytes, bool keep, std::string* stored, PictureInfo* info,
                     Message* problem) {
  if (!is_jpeg(bytes)) {
    *problem = MSG_NOT_JPEG;
    return false;
  }
  if (bytes.size() > size_t(INT_MAX)) {
    *problem = MSG_PICTURE_TOO_LARGE;
    return false;
  }
  int width, height, channels;
  const stbi_uc* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  if (!stbi_info_from_memory(data, int(bytes.size()), &width, &height, &channels)) {
    *problem = undecodable();
    return false;
  }
  if (int64_t(width) * height > MAX_PICTURE_PIXELS) {
    *problem = Message(MSG_PICTURE_PIXELS, {number(width), number(height)});
    return false;
  }
  std::unique_ptr<unsigned char, FreePixels> pixels(
      stbi_load_from_memory(data, int(bytes.size()), &width, &height, &channels, CHANNELS));
  if (!pixels) {
    *problem = undecodable();
    return false;
  }
  info->width = width, info->height = height;
  int fitted_width, fitted_height;
  fit_in_box(width, height, &fitted_width, &fitted_height);
  info->scaled = !keep && (fitted_width != width || fitted_height != height);
  if (!info->scaled) {
    *stored = bytes;
    return true;
  }
  std::unique_ptr<unsigned char[]> fitted(
      new unsigned char[size_t(fitted_width) * fitted_height * CHANNELS]);
  std::string encoded;
  if (!stbir_resize_uint8_srgb(pixels.get(), width, height, 0, fitted.get(), fitted_width,
                               fitted_height, 0, CHANNELS, STBIR_ALPHA_CHANNEL_NONE, 0) ||
      !stbi_write_jpg_to_func(append_bytes, &encoded, fitted_width, fitted_height, CHANNELS,
                              fitted.get(), JPEG_QUALITY)) {
    *problem = MSG_NOT_SCALED;
    return false;
  }
  *stored = std::move(encoded);
  return true;
}

bool check_clip(const std::string& bytes, uint32_t kind, Message* problem) {
  if (kind == KIND_AUDIO) {
    bool id3 = bytes.compare(0, 3, "ID3") == 0;
    bool frame =
        bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && (uint8_t(bytes[1]) & 0xE0) == 0xE0;
    if (id3 || frame) return true;
    *problem = MSG_NOT_MP3;
    return false;
  }
  if (bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "AVI ") == 0)
    return true;
  *problem = MSG_NOT_AVI;
  return false;
}
