#include "picture_decode.h"

#include <stb/stb_image.h>
#include <webp/decode.h>
#include <webp/demux.h>

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// after jpeglib.h, whose configuration tells which of its messages exist
#include <jerror.h>

namespace {

bool starts_with(std::string_view bytes, std::string_view prefix, size_t at = 0) {
  return bytes.size() >= at + prefix.size() && bytes.substr(at, prefix.size()) == prefix;
}

// Brands of the ISO media files that phones store pictures in.
PictureForm iso_picture_form(std::string_view bytes) {
  if (!starts_with(bytes, "ftyp", 4) || bytes.size() < 16) return FORM_UNKNOWN;
  size_t box = (uint32_t(uint8_t(bytes[0])) << 24) | (uint32_t(uint8_t(bytes[1])) << 16) |
               (uint32_t(uint8_t(bytes[2])) << 8) | uint8_t(bytes[3]);
  if (box < 16 || box > bytes.size()) box = bytes.size();
  // The major brand, then the compatible ones (the minor version between them is skipped).
  for (size_t at = 8; at + 4 <= box; at += at == 8 ? 8 : 4) {
    std::string_view brand = bytes.substr(at, 4);
    if (brand == "avif" || brand == "avis") return FORM_AVIF;
    if (brand == "heic" || brand == "heix" || brand == "hevc" || brand == "hevx" ||
        brand == "heim" || brand == "heis" || brand == "mif1" || brand == "msf1")
      return FORM_HEIC;
  }
  return FORM_UNKNOWN;
}

// libjpeg's errors end the decode by a jump back to decode_jpeg (it is C,
// and must not be unwound through); warnings that mean damaged data end it
// the same way, where libjpeg would go on and show grey.
struct JpegErrors {
  jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is one to this
  jpeg_progress_mgr progress;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// A progressive JPEG of thousands of tiny scans decodes each of them over
// the whole picture: minutes for a few kilobytes. Real ones have about ten.
const int MAX_SCANS = 500;
// What libjpeg may hold at once (a progressive JPEG keeps every coefficient
// of the picture); beyond it, it stops with an error.
const long MAX_JPEG_MEMORY = 512L * 1024 * 1024;

[[noreturn]] void stop_with(j_common_ptr cinfo, const char* message) {
  JpegErrors* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  snprintf(errors->message, sizeof errors->message, "%s", message);
  longjmp(errors->jump, 1);
}

[[noreturn]] void on_jpeg_error(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, message);
  stop_with(cinfo, message);
}

void on_jpeg_message(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC: on_jpeg_error(cinfo);
    default: break;  // extraneous bytes before a marker, an unknown JFIF version...
  }
}

void on_jpeg_progress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MAX_SCANS)
    stop_with(cinfo, "too many scans");
}

// Sets libjpeg up on `bytes`, reporting to `errors`. The caller has set its
// jump.
void start_jpeg(jpeg_decompress_struct* cinfo, JpegErrors* errors, std::string_view bytes) {
  cinfo->err = jpeg_std_error(&errors->manager);
  errors->manager.error_exit = on_jpeg_error;
  errors->manager.emit_message = on_jpeg_message;
  errors->progress.progress_monitor = on_jpeg_progress;
  jpeg_create_decompress(cinfo);
  cinfo->progress = &errors->progress;
  cinfo->mem->max_memory_to_use = MAX_JPEG_MEMORY;
  jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(cinfo, TRUE);
}

void fill_facts(const jpeg_decompress_struct& cinfo, JpegFacts* facts) {
  facts->width = int(cinfo.image_width);
  facts->height = int(cinfo.image_height);
  facts->progressive = cinfo.progressive_mode;
  facts->arithmetic = cinfo.arith_code;
  facts->cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  facts->precision = cinfo.data_precision;
}

// CMYK as Adobe's programs write it (inverted, as every JPEG of theirs is)
// or plain, to RGB, in place: each pixel's four bytes become three.
void cmyk_to_rgb(Pixels* pixels, bool inverted) {
  size_t count = size_t(pixels->width) * pixels->height;
  uint8_t* p = pixels->rgb.get();
  for (size_t i = 0; i < count; ++i) {
    int c = p[4 * i], m = p[4 * i + 1], y = p[4 * i + 2], k = p[4 * i + 3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    p[3 * i] = uint8_t((c * k + 127) / 255);
    p[3 * i + 1] = uint8_t((m * k + 127) / 255);
    p[3 * i + 2] = uint8_t((y * k + 127) / 255);
  }
}

// Transparent pixels laid over the background: RGBA in place to RGB.
bool lay_over(Pixels* pixels, uint32_t background) {
  const int bg[3] = {int(background >> 16) & 0xFF, int(background >> 8) & 0xFF,
                     int(background) & 0xFF};
  size_t count = size_t(pixels->width) * pixels->height;
  uint8_t* p = pixels->rgb.get();
  bool transparent = false;
  for (size_t i = 0; i < count; ++i) {
    int alpha = p[4 * i + 3];
    transparent |= alpha != 255;
    for (int c = 0; c < 3; ++c)
      p[3 * i + c] = uint8_t((p[4 * i + c] * alpha + bg[c] * (255 - alpha) + 127) / 255);
  }
  return transparent;
}

bool decode_webp(std::string_view bytes, Pixels* out, std::string* problem) {
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(data, bytes.size(), &features) != VP8_STATUS_OK) {
    *problem = "its data does not read";
    return false;
  }
  if (!features.has_animation) {
    int stride = features.width * 4;
    if (out->allocate(features.width, features.height, 4) &&
        WebPDecodeRGBAInto(data, bytes.size(), out->rgb.get(), size_t(stride) * features.height,
                           stride))
      return true;
    *problem = "its data does not read";
    return false;
  }
  // An animation: its first frame, on a canvas transparent elsewhere.
  WebPData whole = {data, bytes.size()};
  std::unique_ptr<WebPDemuxer, void (*)(WebPDemuxer*)> demux(WebPDemux(&whole), WebPDemuxDelete);
  WebPIterator frame;
  if (!demux || !WebPDemuxGetFrame(demux.get(), 1, &frame)) {
    *problem = "its first frame does not read";
    return false;
  }
  int width = int(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH));
  int height = int(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT));
  bool ok = width == features.width && height == features.height &&
            frame.x_offset + frame.width <= width && frame.y_offset + frame.height <= height;
  if (ok && !out->allocate(width, height, 4)) {
    ok = false;
  } else if (ok) {
    memset(out->rgb.get(), 0, size_t(width) * height * 4);
    int stride = width * 4;
    uint8_t* at = out->rgb.get() + size_t(frame.y_offset) * stride + size_t(frame.x_offset) * 4;
    size_t size = size_t(stride) * (frame.height - 1) + size_t(frame.width) * 4;
    ok = WebPDecodeRGBAInto(frame.fragment.bytes, frame.fragment.size, at, size, stride);
  }
  WebPDemuxReleaseIterator(&frame);
  if (!ok) *problem = "its first frame does not read";
  return ok;
}

}  // namespace

void FreeBytes::operator()(uint8_t* bytes) const { free(bytes); }

bool Pixels::allocate(int w, int h, int channels) {
  width = w, height = h;
  rgb.reset(static_cast<uint8_t*>(malloc(size_t(w) * h * channels)));
  return rgb != nullptr;
}

PictureForm picture_form(std::string_view bytes) {
  if (starts_with(bytes, "\xFF\xD8\xFF")) return FORM_JPEG;
  if (starts_with(bytes, "\x89PNG\r\n\x1A\n")) return FORM_PNG;
  if (starts_with(bytes, "GIF87a") || starts_with(bytes, "GIF89a")) return FORM_GIF;
  if (starts_with(bytes, "BM") && bytes.size() >= 26) return FORM_BMP;
  if (starts_with(bytes, "RIFF") && starts_with(bytes, "WEBP", 8)) return FORM_WEBP;
  return iso_picture_form(bytes);
}

const char* form_name(PictureForm form) {
  switch (form) {
    case FORM_JPEG: return "JPEG";
    case FORM_PNG: return "PNG";
    case FORM_GIF: return "GIF";
    case FORM_BMP: return "BMP";
    case FORM_WEBP: return "WebP";
    case FORM_HEIC: return "HEIC";
    case FORM_AVIF: return "AVIF";
    default: return "unknown";
  }
}

namespace {

// stb's reason for the failure it just had. stb keeps one reason for the
// whole process and some of its failures set none, so what it holds may be
// empty or another picture's: a failure always gets a reason of its own.
std::string stb_problem() {
  const char* reason = stbi_failure_reason();
  return reason && *reason ? reason : "its data does not decode";
}

// Reads a JPEG's headers into `facts`, then, unless `denominator` is 0,
// decodes it at that scale into `out`. No object with a destructor lives in
// this function's frame: libjpeg's errors jump back to its setjmp.
bool run_jpeg(std::string_view bytes, int denominator, JpegFacts* facts, Pixels* out,
              std::string* problem) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  if (setjmp(errors.jump)) {
    // libjpeg stops at the frame header of a JPEG of 12 or 16 bits a sample:
    // its precision is a fact to tell the author, not damage.
    bool precision = errors.manager.msg_code == JERR_BAD_PRECISION;
    if (precision) facts->precision = errors.manager.msg_parm.i[0];
    jpeg_destroy_decompress(&cinfo);
    *problem = errors.message;
    return precision && denominator == 0;
  }
  start_jpeg(&cinfo, &errors, bytes);
  fill_facts(cinfo, facts);
  if (denominator == 0) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  cinfo.scale_num = 1;
  cinfo.scale_denom = unsigned(denominator);
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&cinfo);
  int channels = cinfo.output_components;
  if (!out->allocate(int(cinfo.output_width), int(cinfo.output_height), channels))
    stop_with(reinterpret_cast<j_common_ptr>(&cinfo), "not enough memory");
  size_t stride = size_t(cinfo.output_width) * channels;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out->rgb.get() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  if (cmyk) cmyk_to_rgb(out, cinfo.saw_Adobe_marker);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool read_jpeg_facts(std::string_view bytes, JpegFacts* facts, std::string* problem) {
  return run_jpeg(bytes, 0, facts, nullptr, problem);
}

bool decode_jpeg(std::string_view bytes, int denominator, Pixels* out, std::string* problem) {
  JpegFacts facts;
  return run_jpeg(bytes, denominator, &facts, out, problem);
}

bool other_picture_size(std::string_view bytes, PictureForm form, int* width, int* height,
                        std::string* problem) {
  if (form == FORM_WEBP) {
    if (WebPGetInfo(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), width, height))
      return true;
    *problem = "its header does not read";
    return false;
  }
  int channels;
  if (bytes.size() <= size_t(INT_MAX) &&
      stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), int(bytes.size()),
                            width, height, &channels))
    return true;
  *problem = stb_problem();
  return false;
}

bool decode_other_picture(std::string_view bytes, PictureForm form, uint32_t background,
                          Pixels* out, bool* transparent, std::string* problem) {
  if (form == FORM_WEBP) {
    if (!decode_webp(bytes, out, problem)) return false;
  } else {
    int width, height, channels;
    unsigned char* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                                  int(bytes.size()), &width, &height, &channels, 4);
    if (!pixels) {
      *problem = stb_problem();
      return false;
    }
    out->width = width, out->height = height;
    out->rgb.reset(pixels);  // stb's memory is malloc's (STBI_MALLOC)
  }
  *transparent = lay_over(out, background);
  return true;
}
