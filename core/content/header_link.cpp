#include "header_link.h"

#include <cstring>

const char HEADER_LINK_SIGNATURE[HEADER_LINK_SIGNATURE_SIZE + 1] = "LIEN";

namespace {

const unsigned char SEPARATOR = '|';

bool starts_with_scheme(const char* address, size_t length, const char* scheme) {
  size_t size = strlen(scheme);
  if (length < size) return false;
  for (size_t i = 0; i < size; ++i) {
    char c = address[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != scheme[i]) return false;
  }
  return true;
}

// The "|"-ended text at `*at` in `body`, into `slot`; false when it has no
// end, is too long, or holds a byte below 0x20 or 0x7F.
bool read_text(const unsigned char* body, size_t size, size_t* at, char* slot) {
  size_t start = *at;
  while (*at < size && body[*at] != SEPARATOR) {
    if (body[*at] < 0x20 || body[*at] == 0x7F) return false;
    ++*at;
  }
  size_t length = *at - start;
  if (*at >= size || length > TEXT_SLOT_MAX) return false;
  memcpy(slot, body + start, length);
  slot[length] = 0;
  ++*at;
  return true;
}

}  // namespace

bool web_address_ok(const char* address, size_t length) {
  size_t host;
  if (starts_with_scheme(address, length, "https://"))
    host = 8;
  else if (starts_with_scheme(address, length, "http://"))
    host = 7;
  else
    return false;
  if (length <= host || length > TEXT_SLOT_MAX || address[host] == '/') return false;
  for (size_t i = 0; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(address[i]);
    if (c <= 0x20 || c >= 0x7F || c == SEPARATOR) return false;
  }
  return true;
}

size_t read_header_link(const unsigned char* bytes, size_t length, HeaderLink* link) {
  if (length < HEADER_LINK_HEAD_SIZE ||
      memcmp(bytes, HEADER_LINK_SIGNATURE, HEADER_LINK_SIGNATURE_SIZE) != 0)
    return 0;
  size_t size = size_t(bytes[5]) | size_t(bytes[6]) << 8;
  if (size > length - HEADER_LINK_HEAD_SIZE) return 0;
  size_t taken = HEADER_LINK_HEAD_SIZE + size;
  if (bytes[4] != HEADER_LINK_VERSION) return taken;
  const unsigned char* body = bytes + HEADER_LINK_HEAD_SIZE;
  HeaderLink read = {};
  size_t at = 0;
  if (!read_text(body, size, &at, read.address) || !read_text(body, size, &at, read.text) ||
      at != size || !web_address_ok(read.address, strlen(read.address)))
    return taken;
  *link = read;
  return taken;
}

const char* header_link_label(const HeaderLink* link) {
  if (!link->address[0]) return "";
  return link->text[0] ? link->text : link->address;
}
