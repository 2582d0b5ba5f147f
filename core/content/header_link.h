// The header's link: a quiz may give the web address its header panel shows
// as a link (the class's site, the puzzle's page) and the text shown for it.
// It travels in the content right after the three colour bytes and before
// any judging options block (judging_options.h), as one record:
//   "LIEN"    signature
//   1         version (HEADER_LINK_VERSION)
//   size      2 bytes, low byte first: the bytes of the two texts below
//   address   "|"-ended, a web address (`web_address_ok`)
//   text      "|"-ended, 0 to 259 bytes, no byte below 0x20 nor 0x7F;
//             empty shows the address itself
// A quiz without a link carries no record: its content is byte for byte what
// it was before links existed, and its header shows no address at all.
//
// The reader refuses a record it does not understand in every byte: the
// header then shows no link. Its size lets the reader step past a record of
// another version to the options block.
#pragma once

#include <cstddef>

#include "text_slot.h"

enum { HEADER_LINK_VERSION = 1, HEADER_LINK_SIGNATURE_SIZE = 4, HEADER_LINK_HEAD_SIZE = 7 };

extern const char HEADER_LINK_SIGNATURE[HEADER_LINK_SIGNATURE_SIZE + 1];  // "LIEN"

// On the QuizDocument: both empty without a link.
struct HeaderLink {
  char address[TEXT_SLOT_SIZE];
  char text[TEXT_SLOT_SIZE];
};

// Whether `address` (`length` bytes) is one the header may open with the
// shell: "http://" or "https://" (in any case), a host, and nothing but
// printable ASCII without blanks or "|", at most 259 bytes. Anything else
// (a program's path, another scheme) would be started by the shell's "open".
bool web_address_ok(const char* address, size_t length);

// Reads a link record at the start of `bytes`. Returns how many bytes the
// record takes: 0 when none starts there, or when its size runs past the
// content. `link` is filled only from a record this reader understands, and
// left as it was otherwise.
size_t read_header_link(const unsigned char* bytes, size_t length, HeaderLink* link);

// What the header's link label shows: the link's text, else its address;
// empty without a link.
const char* header_link_label(const HeaderLink* link);
