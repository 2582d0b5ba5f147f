#include "lzw.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A heap byte buffer that grows by doubling, up to a limit.
struct ByteBuffer {
  unsigned char* bytes;
  size_t length;
  size_t capacity;
};

int reserve(ByteBuffer* buffer, size_t extra, size_t limit) {
  size_t wanted = buffer->length + extra;
  if (wanted > limit) return LZW_TOO_LARGE;
  if (wanted <= buffer->capacity) return LZW_OK;
  size_t capacity = buffer->capacity ? buffer->capacity : 4096;
  while (capacity < wanted) capacity *= 2;
  if (capacity > limit) capacity = limit;
  unsigned char* bytes = static_cast<unsigned char*>(realloc(buffer->bytes, capacity));
  if (!bytes) return LZW_NO_MEMORY;
  buffer->bytes = bytes;
  buffer->capacity = capacity;
  return LZW_OK;
}

int append(ByteBuffer* buffer, const unsigned char* bytes, size_t length, size_t limit) {
  int status = reserve(buffer, length, limit);
  if (status != LZW_OK) return status;
  memcpy(buffer->bytes + buffer->length, bytes, length);
  buffer->length += length;
  return LZW_OK;
}

// Where a dictionary string lies in its run's string arena.
struct Entry {
  uint32_t offset;
  uint16_t length;
};

const size_t NO_LIMIT = SIZE_MAX;
const unsigned INITIAL_WIDTH = 9;
const unsigned MAX_WIDTH = 32;

// The output's first reservation: four times the input (content rarely
// expands more), at least a page, at most FIRST_OUTPUT_MAX; it grows from
// there. Only the decoded bytes count against LZW_MAX_OUTPUT: a long stream,
// padding after its end code included, is no reason to fail.
const size_t FIRST_OUTPUT_MIN = 4096;
const size_t FIRST_OUTPUT_MAX = 1u << 20;

size_t first_output_guess(size_t input_length) {
  if (input_length >= FIRST_OUTPUT_MAX / 4) return FIRST_OUTPUT_MAX;
  size_t guess = input_length * 4;
  return guess < FIRST_OUTPUT_MIN ? FIRST_OUTPUT_MIN : guess;
}

void hand_over(ByteBuffer* out, LzwOutput* output) {
  output->bytes = out->bytes;
  output->length = out->length;
}

// ---------------------------------------------------------------- decoding

// Strings are kept in one arena: bytes 0..255 hold the single-byte strings,
// the strings added since the last reset follow. `pending` is kept apart so
// that it survives a reset, when the arena is reused from the start.
struct DecodeRun {
  const unsigned char* input;
  size_t input_length;
  size_t position;
  uint64_t bit_buffer;
  unsigned bit_count;
  unsigned next_code;
  unsigned width;
  Entry dictionary[LZW_CODE_LIMIT];
  ByteBuffer arena;
  unsigned char pending[LZW_MAX_STRING];
  size_t pending_length;
  ByteBuffer out;
};

// Reads a code of `width` bits; false when the input runs out first.
bool read_code(DecodeRun* run, unsigned width, unsigned* code) {
  while (run->bit_count < width) {
    if (run->position >= run->input_length) return false;
    run->bit_buffer = (run->bit_buffer << 8) | run->input[run->position++];
    run->bit_count += 8;
  }
  run->bit_count -= width;
  *code = unsigned((run->bit_buffer >> run->bit_count) & ((uint64_t(1) << width) - 1));
  run->bit_buffer &= (uint64_t(1) << run->bit_count) - 1;
  return true;
}

void reset_decoder(DecodeRun* run) {
  run->next_code = LZW_FIRST_CODE;
  run->width = INITIAL_WIDTH;
  run->arena.length = 256;
}

// Adds `pending` followed by `byte` at the next free code.
int add_decoded(DecodeRun* run, unsigned char byte) {
  if (run->next_code >= LZW_CODE_LIMIT || run->pending_length + 1 > LZW_MAX_STRING)
    return LZW_BAD_CODE;
  size_t offset = run->arena.length;
  int status = reserve(&run->arena, run->pending_length + 1, NO_LIMIT);
  if (status != LZW_OK) return status;
  memcpy(run->arena.bytes + offset, run->pending, run->pending_length);
  run->arena.bytes[offset + run->pending_length] = byte;
  run->arena.length += run->pending_length + 1;
  run->dictionary[run->next_code].offset = uint32_t(offset);
  run->dictionary[run->next_code].length = uint16_t(run->pending_length + 1);
  ++run->next_code;
  return LZW_OK;
}

int decode_codes(DecodeRun* run) {
  unsigned code;
  if (run->input_length == 0 || !read_code(run, run->width, &code)) return LZW_INPUT_EXHAUSTED;
  run->pending[0] = static_cast<unsigned char>(code & 0xFF);
  run->pending_length = 1;
  for (;;) {
    if (run->width > MAX_WIDTH) return LZW_BAD_CODE;
    if (!read_code(run, run->width, &code)) return LZW_BAD_CODE;
    if (code == LZW_END)
      return append(&run->out, run->pending, run->pending_length, LZW_MAX_OUTPUT);
    if (code == LZW_RESET) {
      reset_decoder(run);
      continue;
    }
    if (code == LZW_WIDEN) {
      ++run->width;
      continue;
    }
    if (code > run->next_code) return LZW_BAD_CODE;
    // A code equal to the next free one names the string being added: pending
    // followed by its own first byte.
    unsigned char byte =
        code == run->next_code ? run->pending[0] : run->arena.bytes[run->dictionary[code].offset];
    int status = add_decoded(run, byte);
    if (status == LZW_OK)
      status = append(&run->out, run->pending, run->pending_length, LZW_MAX_OUTPUT);
    if (status != LZW_OK) return status;
    const Entry& entry = run->dictionary[code];
    memcpy(run->pending, run->arena.bytes + entry.offset, entry.length);
    run->pending_length = entry.length;
  }
}

// ---------------------------------------------------------------- encoding

// The encoder finds a candidate (pending followed by one byte) among the
// strings added since the last reset through a hash of their bytes, then
// compares bytes; strings are unique within that time, so the first equal
// string is the only one.
enum : unsigned { HASH_SLOTS = 8192 };
const uint32_t HASH_START = 2166136261u;

uint32_t hash_add(uint32_t hash, unsigned char byte) { return (hash ^ byte) * 16777619u; }

struct EncodeRun {
  unsigned next_code;
  unsigned width;
  uint64_t bit_buffer;
  unsigned bit_count;
  Entry dictionary[LZW_CODE_LIMIT];
  uint32_t hashes[LZW_CODE_LIMIT];
  uint16_t slots[HASH_SLOTS];  // codes of the current strings; 0 is free
  ByteBuffer arena;            // bytes of the strings added since the last reset
  unsigned char pending[LZW_MAX_STRING];
  size_t pending_length;
  unsigned pending_code;
  uint32_t pending_hash;
  ByteBuffer out;
};

unsigned find_candidate(const EncodeRun* run, uint32_t hash, unsigned char byte) {
  size_t length = run->pending_length + 1;
  for (unsigned slot = hash & (HASH_SLOTS - 1); run->slots[slot];
       slot = (slot + 1) & (HASH_SLOTS - 1)) {
    unsigned code = run->slots[slot];
    const Entry& entry = run->dictionary[code];
    const unsigned char* bytes = run->arena.bytes + entry.offset;
    if (run->hashes[code] == hash && entry.length == length &&
        memcmp(bytes, run->pending, run->pending_length) == 0 && bytes[length - 1] == byte)
      return code;
  }
  return 0;
}

void index_code(EncodeRun* run, unsigned code, uint32_t hash, size_t offset, size_t length) {
  run->dictionary[code].offset = uint32_t(offset);
  run->dictionary[code].length = uint16_t(length);
  run->hashes[code] = hash;
  unsigned slot = hash & (HASH_SLOTS - 1);
  while (run->slots[slot]) slot = (slot + 1) & (HASH_SLOTS - 1);
  run->slots[slot] = uint16_t(code);
}

int add_candidate(EncodeRun* run, uint32_t hash, unsigned char byte) {
  size_t offset = run->arena.length;
  int status = reserve(&run->arena, run->pending_length + 1, NO_LIMIT);
  if (status != LZW_OK) return status;
  memcpy(run->arena.bytes + offset, run->pending, run->pending_length);
  run->arena.bytes[offset + run->pending_length] = byte;
  run->arena.length += run->pending_length + 1;
  index_code(run, run->next_code++, hash, offset, run->pending_length + 1);
  return LZW_OK;
}

// After a reset the last candidate becomes code 259 again, so that the
// encoder's dictionary keeps matching the decoder's.
void reset_encoder(EncodeRun* run) {
  unsigned last = run->next_code - 1;
  Entry candidate = run->dictionary[last];
  uint32_t hash = run->hashes[last];
  memset(run->slots, 0, sizeof run->slots);
  memmove(run->arena.bytes, run->arena.bytes + candidate.offset, candidate.length);
  run->arena.length = candidate.length;
  run->next_code = LZW_FIRST_CODE;
  run->width = INITIAL_WIDTH;
  index_code(run, run->next_code++, hash, 0, candidate.length);
}

int write_code(EncodeRun* run, unsigned code, unsigned width) {
  if (width > MAX_WIDTH) return LZW_WRITE_FAILED;
  run->bit_buffer = (run->bit_buffer << width) | code;
  run->bit_count += width;
  while (run->bit_count >= 8) {
    run->bit_count -= 8;
    unsigned char byte = static_cast<unsigned char>(run->bit_buffer >> run->bit_count);
    int status = append(&run->out, &byte, 1, NO_LIMIT);
    if (status != LZW_OK) return status;
  }
  run->bit_buffer &= (uint64_t(1) << run->bit_count) - 1;
  return LZW_OK;
}

// Writes a data code, widening first while it needs more bits than the width.
int write_data_code(EncodeRun* run, unsigned code) {
  while (uint64_t(code) >= (uint64_t(1) << run->width)) {
    int status = write_code(run, LZW_WIDEN, run->width);
    if (status != LZW_OK) return status;
    ++run->width;
  }
  return write_code(run, code, run->width);
}

void start_pending(EncodeRun* run, unsigned char byte) {
  run->pending[0] = byte;
  run->pending_length = 1;
  run->pending_code = byte;
  run->pending_hash = hash_add(HASH_START, byte);
}

int encode_bytes(EncodeRun* run, const unsigned char* input, size_t length) {
  if (length == 0) return LZW_INPUT_EXHAUSTED;
  start_pending(run, input[0]);
  for (size_t i = 1; i < length; ++i) {
    unsigned char byte = input[i];
    uint32_t hash = hash_add(run->pending_hash, byte);
    // Pending never grows past LZW_MAX_STRING - 1 bytes, so that every
    // candidate, and every string the decoder adds, fits LZW_MAX_STRING.
    unsigned code = run->pending_length + 1 < LZW_MAX_STRING ? find_candidate(run, hash, byte) : 0;
    if (code) {
      run->pending[run->pending_length++] = byte;
      run->pending_code = code;
      run->pending_hash = hash;
      continue;
    }
    int status = add_candidate(run, hash, byte);
    if (status == LZW_OK) status = write_data_code(run, run->pending_code);
    if (status != LZW_OK) return status;
    start_pending(run, byte);
    if (run->next_code == LZW_CODE_LIMIT) {
      status = write_code(run, LZW_RESET, run->width);
      if (status != LZW_OK) return status;
      reset_encoder(run);
    }
  }
  int status = write_data_code(run, run->pending_code);
  if (status == LZW_OK) status = write_code(run, LZW_END, run->width);
  if (status == LZW_OK && run->bit_count) {
    unsigned char byte = static_cast<unsigned char>(run->bit_buffer << (8 - run->bit_count));
    status = append(&run->out, &byte, 1, NO_LIMIT);
  }
  return status;
}

}  // namespace

int lzw_decode(const unsigned char* input, size_t length, LzwOutput* output) {
  output->bytes = nullptr;
  output->length = 0;
  DecodeRun* run = static_cast<DecodeRun*>(calloc(1, sizeof(DecodeRun)));
  if (!run) return LZW_NO_MEMORY;
  int status = reserve(&run->out, first_output_guess(length), LZW_MAX_OUTPUT);
  if (status == LZW_OK) status = reserve(&run->arena, 256 + 16384, NO_LIMIT);
  if (status != LZW_OK) {
    free(run->out.bytes);
    free(run->arena.bytes);
    free(run);
    return status;
  }
  for (unsigned i = 0; i < 256; ++i) {
    run->arena.bytes[i] = static_cast<unsigned char>(i);
    run->dictionary[i].offset = i;
    run->dictionary[i].length = 1;
  }
  run->input = input;
  run->input_length = length;
  reset_decoder(run);
  status = decode_codes(run);
  hand_over(&run->out, output);
  free(run->arena.bytes);
  free(run);
  return status;
}

int lzw_encode(const unsigned char* input, size_t length, LzwOutput* output) {
  output->bytes = nullptr;
  output->length = 0;
  EncodeRun* run = static_cast<EncodeRun*>(calloc(1, sizeof(EncodeRun)));
  if (!run) return LZW_NO_MEMORY;
  if (reserve(&run->out, length / 2 + 64, NO_LIMIT) != LZW_OK) {
    free(run);
    return LZW_NO_MEMORY;
  }
  run->next_code = LZW_FIRST_CODE;
  run->width = INITIAL_WIDTH;
  int status = encode_bytes(run, input, length);
  hand_over(&run->out, output);
  free(run->arena.bytes);
  free(run);
  return status;
}

void lzw_release(LzwOutput* output) {
  free(output->bytes);
  output->bytes = nullptr;
  output->length = 0;
}
