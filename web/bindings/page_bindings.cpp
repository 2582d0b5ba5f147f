// The WebAssembly module's entry points for what the page shows as the player
// would: a verdict on its colours, captions on a background. Conversions
// only; the decisions are the core's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "convert.h"
#include "page_look.h"
#include "platform_web.h"
#include "core/authoring/cp1252.h"
#include "core/page/page_colours.h"
#include "core/page/page_layout.h"
#include "core/authoring/windowless_platform.h"

using emscripten::val;

namespace {

// One question with one field: the document the page's colour decisions read.
QuizDocument* page_document() {
  static QuizDocument* doc = nullptr;
  if (!doc) {
    install_windowless_platform();
    doc = new QuizDocument;
    init_document(doc);
    doc->question_count = 1;
    doc->answers_per_question = 1;
  }
  return doc;
}

// How the page's numbers and captions read on a background colour.
val caption_look(int red, int green, int blue) {
  QuizDocument* doc = page_document();
  set_background(doc, uint8_t(red), uint8_t(green), uint8_t(blue));
  return look_of(static_colours(doc, ID_NUMBER_LABEL, nullptr));
}

}  // namespace

val verdict_look(const std::string& word) {
  std::string label;
  Message problem;
  utf8_to_cp1252(word, &label, &problem);
  return look_of(static_colours(page_document(), ID_VERDICT_LABEL + 1, label.c_str()));
}

EMSCRIPTEN_BINDINGS(page) { emscripten::function("caption_look", &caption_look); }
