#include "field_view.h"

namespace {

int showing(Span span, int position, int visible) {
  if (span.bottom > position + visible) position = span.bottom - visible;
  if (span.top < position) position = span.top;
  return position;
}

}  // namespace

int position_showing(Span question, Span field, int position, int visible) {
  if (visible <= 0) return position;
  return showing(field, showing(question, position, visible), visible);
}
