#include "text_slot.h"

#include <cstring>

size_t copy_text(char* slot, const char* text) {
  if (!text) {
    slot[0] = 0;
    return 0;
  }
  size_t length = strnlen(text, TEXT_SLOT_MAX);
  memcpy(slot, text, length);
  slot[length] = 0;
  return length;
}

size_t copy_text_n(char* slot, const char* text, size_t length) {
  if (length > TEXT_SLOT_MAX) length = TEXT_SLOT_MAX;
  if (length) memcpy(slot, text, length);
  slot[length] = 0;
  return length;
}
