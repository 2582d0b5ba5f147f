#include "quiz_page_writer.h"

#include "core/content/resource_names.h"

using namespace quiz_page;

namespace {

void put(std::string* out, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out->push_back(char(value >> (8 * i) & 0xFF));
}

const char TITLE_START[] = "<title>", TITLE_END[] = "</title>";

}  // namespace

std::string quiz_block_text(const std::vector<Resource>& resources) {
  ResourceKey content = resource_name(CONTENT_RESOURCE_TYPE),
              media = resource_name(MEDIA_RESOURCE_TYPE);
  std::string bytes(SIGNATURE, SIGNATURE_SIZE);
  bytes.push_back(char(VERSION));
  size_t count_at = bytes.size(), count = 0;
  put(&bytes, 0, 2);
  for (const Resource& r : resources) {
    if (r.name.is_name() || (r.type != content && r.type != media)) continue;
    bytes.push_back(char(r.type == content ? TYPE_CONTENT : TYPE_MEDIA));
    put(&bytes, r.name.id, 2);
    put(&bytes, uint32_t(r.data.size()), 4);
    bytes += r.data;
    ++count;
  }
  bytes[count_at] = char(count & 0xFF);
  bytes[count_at + 1] = char(count >> 8);
  return encode_base64(bytes);
}

bool write_quiz_page(const std::string& page_template, const std::vector<Resource>& resources,
                     const std::string& title, std::string* page, std::string* problem) {
  size_t start, length;
  size_t title_start = page_template.find(TITLE_START);
  size_t title_end = title_start == std::string::npos ? std::string::npos
                                                      : page_template.find(TITLE_END, title_start);
  if (!find_quiz_block(page_template, &start, &length) || title_end == std::string::npos ||
      title_end > start) {
    *problem = "not the web player's page (it has no title or no quiz content block)";
    return false;
  }
  title_start += sizeof TITLE_START - 1;
  *page = page_template.substr(0, title_start) + markup_escaped(title) +
          page_template.substr(title_end, start - title_end) + quiz_block_text(resources) +
          page_template.substr(start + length);
  return true;
}

std::string encode_base64(const std::string& bytes) {
  static const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
    if (i + 1 < bytes.size()) group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) group |= uint8_t(bytes[i + 2]);
    out += ALPHABET[group >> 18];
    out += ALPHABET[group >> 12 & 63];
    out += i + 1 < bytes.size() ? ALPHABET[group >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? ALPHABET[group & 63] : '=';
  }
  return out;
}

std::string markup_escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}
