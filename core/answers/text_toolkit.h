// Text operations on which every verdict rests. Texts are zero-terminated
// single-byte strings of at most 259 bytes (Windows-1252); a byte is a
// character and only a to z have an upper case here. Longer inputs are read
// only up to their first 259 bytes.
#pragma once

#include <cstddef>

// Removes the blanks (0x20 only) at the end, then at the start, moving the
// rest to the front. Returns the new length.
size_t trim_spaces(char* text);

// Raises a to z to A to Z; every other byte stays. Returns the length.
size_t upper_ascii(char* text);

// Sorts the bytes ascending as signed 8-bit values (accented letters first).
void sort_letters(char* text);

// Levenshtein distance with unit costs, bytes compared exactly.
int edit_distance(const char* first, const char* second);

// Whether the shorter text occurs as one run inside the other: +2 when the
// first (sought) lies in the second, -2 when the second, shorter, lies in the
// first, 0 when not; +1 or -1 when the sought text is empty. Every position is
// tried, so a run that starts inside a broken partial match is found too.
int find_contained(const char* first, const char* second);
