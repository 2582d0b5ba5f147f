// The size of a picture read from its JPEG header, without decoding it: the
// page lays out its rows from these sizes and decodes the pictures later.
#pragma once

#include <cstddef>

// The width and height a JPEG's frame header (SOF0 to SOF15, not DHT, JPG or
// DAC) declares, found by walking the marker segments from SOI, for a JPEG
// that ends with its end-of-image marker. False for anything else: not a
// JPEG, a segment running past the end, no frame header before the first
// scan, a zero size, or a file cut short, which is left to the decoder to
// refuse (a picture that does not decode takes no room on the page).
bool jpeg_picture_size(const void* bytes, size_t length, int* width, int* height);
