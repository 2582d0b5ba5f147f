// Fixed text slots: every text the player keeps (document texts, question texts,
// codes, control texts, answers-file lines) lives in a 260-byte buffer and holds
// at most 259 bytes plus the terminating zero.
#pragma once

#include <cstddef>

enum { TEXT_SLOT_SIZE = 260, TEXT_SLOT_MAX = TEXT_SLOT_SIZE - 1 };

// Copies `text` into a 260-byte slot, cutting it at 259 bytes. Returns the
// number of bytes kept. A null text gives an empty slot.
size_t copy_text(char* slot, const char* text);

// Copies `length` bytes of `text` (zero bytes included as they come) into a
// 260-byte slot, cutting at 259 bytes. Returns the number of bytes kept.
size_t copy_text_n(char* slot, const char* text, size_t length);
