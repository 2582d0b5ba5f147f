// Text operations on which every verdict rests. Texts are zero-terminated
// single-byte strings of at most 259 bytes (Windows-1252); a byte is a
// character and only a to z have an upper case here. Longer inputs are read
// only up to their first 259 bytes. The operations after the first five
// serve the judging options a quiz may ask for (judging.h); the plain ladder
// never uses them.
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

// Whether a byte is a capital (A to Z, À to Þ but ×, Š Œ Ž Ÿ) or a small
// letter (a to z, ß to ÿ but ÷, š œ ž) of Windows-1252.
bool is_capital(char c);
bool is_small(char c);

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

// Double quotation marks of every kind (" “ ” „ « ») removed, and the accent
// signs ` and ´ that keyboards offer beside the apostrophe typed as '.
// Returns the length.
size_t plain_quotes(char* text);

// A hyphen between two letters, with or without blanks around it, becomes
// one blank ("Saint-Denis", "Saint - Denis": "Saint Denis"); a hyphen before
// or after a digit, or at either end, stays ("-273", "1914-1918").
// Returns the length.
size_t hyphens_as_blanks(char* text);

// Removes the blanks and the marks . , ; : ! ? ' at both ends ("Paris !",
// " 1789.", "'Le Cid'"); a text of those marks only stays as it is.
// Returns the length.
size_t trim_punctuation(char* text);

// Œ œ Æ æ written as their two letters OE oe AE ae; cut at 259 bytes.
// Returns the length.
size_t spell_ligatures(char* text);

// For two texts compared letter by letter from either end: where one has a
// capital A to Z and the other the same letter with an accent, in either
// case (E and é, E and É, C and ç), the capital takes that accent, as if it
// had been written with it. The other letters are left as they are, and so
// is every letter past the first one that differs from either end.
// `accented_case`: é and É count as one letter.
void accent_bare_capitals(char* expected, char* typed, bool accented_case);

// The blanks that group the digits of a number by three, in a number of five
// digits or more ("10 000", "1 000 000": "10000", "1000000"), removed; "1 789"
// and "14 1789" stay. Returns the length.
size_t join_digit_groups(char* text);

// Whether two texts hold different numbers: the runs of digits of each, in
// order, with the blanks that group them by three ("1 789" is 1789), a
// minus sign that starts a number ("-273", not the dash of "1914-1918") and
// the decimal marks between digits ("3,14" is "3.14").
bool numbers_differ(const char* first, const char* second);

// Whether a text holds a digit.
bool has_digit(const char* text);

// î and û (and Î, Û) written i and u, as the 1990 spelling allows.
// Returns the length.
size_t drop_circumflex_i_u(char* text);
