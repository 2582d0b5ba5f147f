// Hand-made LZW streams for tests: codes written one by one, and a stream
// that expands as much as the format allows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/content/lzw.h"

using Bytes = std::vector<unsigned char>;

// Writes codes MSB first; `put` widens like the encoder, `put_at` does not.
struct StreamWriter {
  Bytes bytes;
  uint64_t buffer = 0;
  unsigned count = 0;
  unsigned width = 9;
  void put_at(uint64_t code, unsigned bits) {
    for (int b = int(bits) - 1; b >= 0; --b) {
      buffer = (buffer << 1) | ((code >> b) & 1);
      if (++count == 8) {
        bytes.push_back(static_cast<unsigned char>(buffer));
        buffer = 0;
        count = 0;
      }
    }
  }
  void put(unsigned code) {
    while (code >= (uint64_t(1) << width)) put_at(LZW_WIDEN, width++);
    put_at(code, width);
  }
  void reset() {
    put_at(LZW_RESET, width);
    width = 9;
  }
  Bytes finish() {
    if (count) bytes.push_back(static_cast<unsigned char>(buffer << (8 - count)));
    return bytes;
  }
};

inline std::string as_string(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Each code names the string being added, one byte longer than the last:
// about 7.4 MB of output per dictionary from about 6 KB of stream. `epochs`
// dictionaries, each after a reset but the first.
inline Bytes expanding_stream(int epochs) {
  StreamWriter w;
  w.put('a');
  for (unsigned code = 259; code < 4096; ++code) w.put(code);
  for (int epoch = 1; epoch < epochs; ++epoch) {
    w.reset();
    w.put('a' + epoch);  // adds the old pending string and this byte as 259
    for (unsigned code = 260; code < 4096; ++code) w.put(code);
  }
  w.put_at(LZW_END, w.width);
  return w.finish();
}
