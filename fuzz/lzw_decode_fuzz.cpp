// Any stream: the decoder must end with a status, never read or write out of
// bounds; what it decodes must encode and decode back to itself.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/content/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LzwOutput decoded;
  int status = lzw_decode(data, size, &decoded);
  if (status != LZW_OK && status != LZW_BAD_CODE && status != LZW_INPUT_EXHAUSTED &&
      status != LZW_TOO_LARGE)
    abort();
  if (status == LZW_OK && decoded.length > 0) {
    LzwOutput encoded, again;
    if (lzw_encode(decoded.bytes, decoded.length, &encoded) != LZW_OK) abort();
    if (lzw_decode(encoded.bytes, encoded.length, &again) != LZW_OK) abort();
    if (again.length != decoded.length || memcmp(again.bytes, decoded.bytes, decoded.length) != 0)
      abort();
    lzw_release(&encoded);
    lzw_release(&again);
  }
  lzw_release(&decoded);
  return 0;
}
