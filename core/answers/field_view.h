// Where the question page must stand so that a focused answer field is seen.
// Portable: vertical extents in page content pixels (the page scrolls one
// pixel per position), bottom edges excluded.
#pragma once

struct Span {
  int top, bottom;
};

// The scroll position, moved as little as possible from `position`, at which
// a page `visible` pixels high shows `question` (the field with its picture,
// labels and neighbour field) whole; when the question is taller than the
// page, its top. The field itself is always shown whole when it fits.
int position_showing(Span question, Span field, int position, int visible);
