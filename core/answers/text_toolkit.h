// Text operations on which every verdict rests. Texts are zero-terminated
// single-byte strings of at most 259 bytes (Windows-1252); a byte is a
// character and only a to z have an upper case here. Longer inputs are read
// only up to their first 259 bytes. The last three operations serve the
// judging options a quiz may ask for (judging.h); the plain ladder never
// uses them.
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

// Raises the accented small letters of Windows-1252 to their capitals (à to
// þ but ÷, and š, œ, ž, ÿ); ß and every other byte stay. Returns the length.
size_t upper_accented(char* text);

// Replaces each accented letter by its letter without the accent (É by E, ç
// by c, Ÿ by Y ...), Œ and œ by OE and oe, Æ and æ by AE and ae; Ð, Þ, ß
// and every other byte stay. A text that grows past 259 bytes is cut there.
// Returns the length.
size_t fold_accents(char* text);

// Typed typography in its plain forms: the apostrophes ’ ‘ ‚ as ', the quotes
// “ ” „ « » as ", the dashes – — as -, the ellipsis … as three dots, the
// no-break space as a blank; a run of blanks counts as one, and the blanks
// inside « » and before ; : ! ? (French spacing) as none. Cut at 259 bytes.
// Returns the length.
size_t plain_typography(char* text);
