#include "page_colours.h"

#include "core/answers/verdict.h"
#include "page_layout.h"

namespace {

const uint32_t WHITE = 0x00FFFFFF;
const uint32_t BLACK = 0x00000000;
// Behind the verdict words; the label's brush fills the rest.
const uint32_t VERDICT_TEXT_BACK = 0x000000FF;
const uint32_t RIGHT_TEXT_BACK = 0x0000FF00;

// Fields on the page: N x A. Wide enough that no count can overflow it.
int64_t field_count(const QuizDocument* doc) {
  return int64_t(doc->question_count) * int64_t(doc->answers_per_question);
}

bool in_field_range(const QuizDocument* doc, int id, int base) {
  return id > base && int64_t(id) - base <= field_count(doc);
}

StaticColours painted_with(BrushHandle brush) {
  StaticColours colours = {};
  colours.painted = true;
  colours.brush = brush;
  return colours;
}

StaticColours painted_with(BrushHandle brush, uint32_t back_colour) {
  StaticColours colours = painted_with(brush);
  colours.sets_back = true;
  colours.back_colour = back_colour;
  return colours;
}

StaticColours verdict_colours(const QuizDocument* doc, const char* text) {
  switch (label_colour(text)) {
    case VERDICT_PLAIN: return {};
    case VERDICT_GREEN: return painted_with(doc->right_brush, RIGHT_TEXT_BACK);
    case VERDICT_ORANGE: return painted_with(doc->anagram_brush, VERDICT_TEXT_BACK);
    case VERDICT_RED: return painted_with(doc->wrong_brush, VERDICT_TEXT_BACK);
    case VERDICT_AMBER: break;
  }
  return painted_with(doc->hint_brush, VERDICT_TEXT_BACK);
}

}  // namespace

bool is_verdict_label(const QuizDocument* doc, int id) {
  return in_field_range(doc, id, ID_VERDICT_LABEL);
}

StaticColours static_colours(const QuizDocument* doc, int id, const char* text) {
  // Numbers, captions and reveal texts stand on the page's own background.
  if (id == ID_NUMBER_LABEL || id == ID_ANSWER_CAPTION ||
      in_field_range(doc, id, ID_REVEAL_LABEL)) {
    StaticColours colours = painted_with(doc->background_brush);
    colours.transparent = true;
    colours.sets_text = true;
    colours.text_colour = background_wants_white_text(doc) ? WHITE : BLACK;
    return colours;
  }
  if (is_verdict_label(doc, id)) return verdict_colours(doc, text ? text : "");
  if (id == ID_QUESTION_TEXT) {
    return painted_with(doc->question_text_brush, COLOUR_QUESTION_TEXT);
  }
  return {};
}
