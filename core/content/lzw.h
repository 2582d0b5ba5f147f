// Variable-width LZW codec of the content resources. A stream is a sequence of
// codes written most significant bit first with no alignment; the width starts
// at 9 bits, grows by one after each LZW_WIDEN and returns to 9 after each
// LZW_RESET. Codes 0..255 are single bytes, 259..4095 dictionary strings.
//
// Limits: the buffers grow as needed, so no input or output size overruns
// anything. A decoded result above LZW_MAX_OUTPUT bytes fails with
// LZW_TOO_LARGE; a stream that would add a dictionary string beyond code 4095
// without a reset, or a string longer than LZW_MAX_STRING bytes, fails with
// LZW_BAD_CODE. The encoder never produces either.
#pragma once

#include <cstddef>

enum LzwStatus {
  LZW_OK = 0,
  LZW_NO_MEMORY = -4,
  LZW_INPUT_EXHAUSTED = -5,  // empty input, or no first code
  LZW_WRITE_FAILED = -6,     // a code wider than 32 bits was to be written
  LZW_BAD_CODE = -7,         // a code above the next free one, no LZW_END, ...
  LZW_TOO_LARGE = -8,        // the decoded result would exceed LZW_MAX_OUTPUT
};

enum : unsigned {
  LZW_END = 256,
  LZW_WIDEN = 257,
  LZW_RESET = 258,
  LZW_FIRST_CODE = 259,
  LZW_CODE_LIMIT = 4096,  // codes are below this
  LZW_MAX_STRING = 4096,  // bytes of the longest dictionary string
};

enum : size_t { LZW_MAX_OUTPUT = 16u << 20 };

// Result of a run. `bytes` is a heap buffer owned by the caller (release it
// with lzw_release), or null when nothing could be allocated.
struct LzwOutput {
  unsigned char* bytes;
  size_t length;
};

// Decodes a stream. On LZW_OK the output is the whole content; on
// LZW_BAD_CODE, LZW_INPUT_EXHAUSTED, LZW_TOO_LARGE and a failed dictionary
// allocation it holds the bytes decoded so far.
int lzw_decode(const unsigned char* input, size_t length, LzwOutput* output);

// Encodes bytes into a stream that lzw_decode reads back exactly.
int lzw_encode(const unsigned char* input, size_t length, LzwOutput* output);

void lzw_release(LzwOutput* output);
