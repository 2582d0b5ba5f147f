// The WebAssembly module's entry points for what the page shows as the player
// would: a verdict on its colours, captions on a background. Conversions
// only; the decisions are the core's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "convert.h"
#include "core/authoring/cp1252.h"
#include "core/authoring/messages_fr.h"
#include "core/authoring/packer.h"
#include "core/page/page_colours.h"
#include "core/page/page_layout.h"
#include "platform_web.h"

using emscripten::val;

namespace {

// One question with one field: the document the page's colour decisions read.
QuizDocument* page_document() {
  static QuizDocument* doc = nullptr;
  if (!doc) {
    install_web_platform();
    doc = new QuizDocument;
    init_document(doc);
    doc->question_count = 1;
    doc->answers_per_question = 1;
  }
  return doc;
}

val try_typed(const std::string& expected_utf8, const std::string& typed) {
  std::string expected, problem;
  TriedAnswer tried;
  val result = val::object();
  if (!utf8_to_cp1252(expected_utf8, &expected, &problem) ||
      !try_typed_answer(expected, typed, &tried, &problem)) {
    result.set("ok", false);
    result.set("problem", french_problem(" " + problem));
    return result;
  }
  const char* word = verdict_text(tried.verdict);
  result.set("ok", true);
  result.set("word", cp1252_to_utf8(word));
  result.set("reason", cp1252_to_utf8(verdict_reason_text(tried.reason)));
  result.set("look", look_of(static_colours(page_document(), ID_VERDICT_LABEL + 1, word)));
  return result;
}

// How the page's numbers and captions read on a background colour.
val caption_look(int red, int green, int blue) {
  QuizDocument* doc = page_document();
  set_background(doc, uint8_t(red), uint8_t(green), uint8_t(blue));
  return look_of(static_colours(doc, ID_NUMBER_LABEL, nullptr));
}

}  // namespace

EMSCRIPTEN_BINDINGS(page) {
  emscripten::function("try_answer", &try_typed);
  emscripten::function("caption_look", &caption_look);
}
