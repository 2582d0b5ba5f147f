// Any bytes through the LZW encoder decode back to the same bytes. (No
// stream stands for nothing: the encoder refuses empty input, as the decoder
// refuses a stream without a first code.)
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/content/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LzwOutput encoded = {nullptr, 0}, decoded = {nullptr, 0};
  if (size == 0) {
    if (lzw_encode(data, size, &encoded) != LZW_INPUT_EXHAUSTED) abort();
    lzw_release(&encoded);
    return 0;
  }
  if (lzw_encode(data, size, &encoded) != LZW_OK) abort();
  if (lzw_decode(encoded.bytes, encoded.length, &decoded) != LZW_OK) abort();
  if (decoded.length != size || (size && memcmp(decoded.bytes, data, size) != 0)) abort();
  lzw_release(&encoded);
  lzw_release(&decoded);
  return 0;
}
