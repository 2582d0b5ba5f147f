// The WebAssembly module's entry points for authoring: check, read, write,
// pack and unpack quizzes. Each one converts its arguments (JavaScript texts,
// byte arrays and objects) to the core's types, calls the core, and converts
// the results back; every rule is the core's.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/authoring/cp1252.h"
#include "core/authoring/media.h"
#include "core/authoring/packer.h"
#include "core/authoring/question_bank.h"
#include "core/authoring/quiz_form.h"
#include "core/content/document.h"
#include "convert.h"
#include "page_look.h"

using emscripten::val;

namespace {

// The studio's source has no file: this names it, and its media paths are
// relative to its folder as in a saved source.
const char SOURCE_NAME[] = "quiz.toml";
const char PLAYER_NAME[] = "player.exe";

std::string player_image, page_template;
const char PAGE_NAME[] = "player.html";
// The pictures of the last quiz packed, by their content's digest: packing
// the same quiz again takes them as they are (core/authoring/packer.h).
PictureCache prepared_pictures;

val messages_of(const Diagnostics& diagnostics) {
  val list = val::array();
  for (const Diagnostic& d : diagnostics.list()) {
    val message = val::object();
    message.set("error", d.error);
    message.set("field", d.about.field.empty() ? std::string("source") : d.about.field);
    message.set("text", d.beside_field());
    list.call<void>("push", message);
  }
  return list;
}

FormJudging judging_of(const val& js) {
  FormJudging judging;
  if (js.isUndefined() || js.isNull()) return judging;
  judging.present = js["present"].as<bool>();
  for (const FormJudgingKey& k : FORM_JUDGING_KEYS) judging.*k.value = text_at(js, k.key);
  return judging;
}

val js_of(const FormJudging& judging) {
  val js = val::object();
  js.set("present", judging.present);
  for (const FormJudgingKey& k : FORM_JUDGING_KEYS) js.set(k.key, judging.*k.value);
  return js;
}

// Each answer field's other accepted answers and anticipated wrong answers:
// `also` a list of two lists of texts, `wrong` of two lists of {answer, verdict}.
void lists_of(const val& q, FormQuestion* question) {
  val also = q["also"], wrong = q["wrong"];
  for (size_t j = 0; j < 2; ++j) {
    if (!also.isUndefined() && !also.isNull() && j < also["length"].as<size_t>())
      question->also[j] = texts_of(also[j]);
    if (wrong.isUndefined() || wrong.isNull() || j >= wrong["length"].as<size_t>()) continue;
    val field = wrong[j];
    size_t count = field["length"].as<size_t>();
    for (size_t i = 0; i < count; ++i)
      question->wrong[j].push_back({text_at(field[i], "answer"), text_at(field[i], "verdict")});
  }
}

void set_lists(const FormQuestion& q, val* question) {
  val also = val::array(), wrong = val::array();
  for (size_t j = 0; j < 2; ++j) {
    also.call<void>("push", text_list(q.also[j]));
    val field = val::array();
    for (const FormWrong& w : q.wrong[j]) {
      val item = val::object();
      item.set("answer", w.answer);
      item.set("verdict", w.verdict);
      field.call<void>("push", item);
    }
    wrong.call<void>("push", field);
  }
  question->set("also", also);
  question->set("wrong", wrong);
}

QuizForm form_of(const val& js) {
  QuizForm form;
  form.kind = text_at(js, "kind");
  form.answers = js["answers"].as<int>() == 2 ? 2 : 1;
  form.title = text_at(js, "title");
  form.author = text_at(js, "author");
  form.explanation = text_at(js, "explanation");
  form.link = text_at(js, "link");
  form.link_text = text_at(js, "link_text");
  std::vector<std::string> labels = texts_of(js["labels"]);
  for (size_t i = 0; i < labels.size() && i < 2; ++i) form.labels[i] = labels[i];
  form.answer_mode = text_at(js, "answer_mode");
  form.background = text_at(js, "background");
  form.codes = texts_of(js["codes"]);
  form.mastery_score = text_at(js, "mastery_score");
  form.judging = judging_of(js["judging"]);
  val questions = js["questions"];
  size_t count = questions["length"].as<size_t>();
  for (size_t i = 0; i < count; ++i) {
    val q = questions[i];
    FormQuestion question;
    question.text = text_at(q, "text");
    std::vector<std::string> answers = texts_of(q["answer"]);
    for (size_t j = 0; j < answers.size() && j < 2; ++j) question.answer[j] = answers[j];
    question.reveal = text_at(q, "reveal");
    question.picture = text_at(q, "picture");
    question.answer_picture = text_at(q, "answer_picture");
    question.clip = text_at(q, "clip");
    lists_of(q, &question);
    question.judging = judging_of(q["judging"]);
    form.questions.push_back(question);
  }
  return form;
}

val js_of(const QuizForm& form) {
  val js = val::object();
  js.set("kind", form.kind);
  js.set("answers", form.answers);
  js.set("title", form.title);
  js.set("author", form.author);
  js.set("explanation", form.explanation);
  js.set("link", form.link);
  js.set("link_text", form.link_text);
  js.set("labels", text_list({form.labels[0], form.labels[1]}));
  js.set("answer_mode", form.answer_mode);
  js.set("background", form.background);
  js.set("codes", text_list(form.codes));
  js.set("mastery_score", form.mastery_score);
  js.set("judging", js_of(form.judging));
  val questions = val::array();
  for (const FormQuestion& q : form.questions) {
    val question = val::object();
    question.set("text", q.text);
    question.set("answer", text_list({q.answer[0], q.answer[1]}));
    question.set("reveal", q.reveal);
    question.set("picture", q.picture);
    question.set("answer_picture", q.answer_picture);
    question.set("clip", q.clip);
    set_lists(q, &question);
    question.set("judging", js_of(q.judging));
    questions.call<void>("push", question);
  }
  js.set("questions", questions);
  return js;
}

val check_source(const std::string& text) {
  QuizSource quiz;
  Diagnostics diagnostics;
  val result = val::object();
  result.set("ok", parse_quiz_source(text, SOURCE_NAME, &quiz, &diagnostics));
  result.set("messages", messages_of(diagnostics));
  return result;
}

// The form's checks: its source's, and what only a form can hold.
val check_form(const val& js_form) {
  QuizForm form = used_form(form_of(js_form));
  QuizSource quiz;
  Diagnostics diagnostics;
  val result = val::object();
  result.set("ok", parse_quiz_source(write_form_source(form), SOURCE_NAME, &quiz, &diagnostics));
  form_repeats(form, &diagnostics);
  result.set("messages", messages_of(diagnostics));
  return result;
}

// The quiz's source: what its kind and answer mode do not use is left out.
std::string write_source(const val& form) { return write_form_source(used_form(form_of(form))); }

// Which fields of the form the quiz uses (quiz_form.h).
val use_of_form(const val& js) {
  FormUse use = form_use(form_of(js));
  val result = val::object();
  result.set("known_kind", use.known_kind);
  result.set("question_text", use.question_text);
  result.set("answers", use.answers);
  result.set("labels", use.labels);
  result.set("picture_mode", use.picture_mode);
  result.set("answer_mode", use.answer_mode);
  result.set("reveal", use.reveal);
  result.set("picture", use.picture);
  result.set("answer_picture", use.answer_picture);
  result.set("clip", use.clip);
  return result;
}

val read_source(const std::string& text) {
  QuizForm form;
  std::string problem;
  val result = val::object();
  bool read = read_form_source(text, &form, &problem);
  result.set("ok", read);
  if (read) result.set("form", js_of(form));
  result.set("messages", check_source(text)["messages"]);
  return result;
}

void set_player(const val& bytes) { player_image = bytes_of(bytes); }
void set_page(const val& bytes) { page_template = bytes_of(bytes); }

// Packs the source in the form `form` names ("exe", "html", "scorm"): the
// bytes quizpack build writes for quiz.exe, quiz.html or --scorm quiz.zip.
// `media_keys` (optional): for each media path, a digest of its bytes, by
// which pictures prepared for an earlier packing are taken again.
val build_from_source(const std::string& text, val read_media, val progress, bool keep_pictures,
                      const std::string& form, val media_keys) {
  QuizCarrier carrier = form == "html"    ? CARRIER_PAGE
                        : form == "scorm" ? CARRIER_SCORM
                                          : CARRIER_PROGRAM;
  const char* output = carrier == CARRIER_PAGE    ? "quiz.html"
                       : carrier == CARRIER_SCORM ? "quiz.zip"
                                                  : "quiz.exe";
  QuizInput input;
  input.text = text;
  input.path = SOURCE_NAME;
  input.keep_pictures = keep_pictures;
  if (!media_keys.isUndefined() && !media_keys.isNull()) {
    input.pictures = &prepared_pictures;
    input.media_key = [&media_keys](const std::string& written) {
      return text_at(media_keys, written.c_str());
    };
  }
  input.read_media = [&read_media](const std::string& written, std::string* bytes,
                                   Message* problem) {
    val got = read_media(written);
    if (got.isNull() || got.isUndefined()) {
      *problem = system_reason(ENOENT);
      return false;
    }
    *bytes = bytes_of(got);
    return true;
  };
  input.progress = [&progress](int done, int total) {
    if (!progress.isUndefined()) progress(done, total);
  };
  PreparedQuiz prepared;
  Diagnostics diagnostics;
  std::string bytes;
  bool ok = prepare_quiz_text(input, &prepared, &diagnostics) &&
            (carrier == CARRIER_PROGRAM
                 ? pack_quiz(player_image, PLAYER_NAME, prepared, &bytes, &diagnostics)
                 : write_quiz_carrier(carrier, page_template, PAGE_NAME, prepared, output, &bytes,
                                      &diagnostics));
  val result = val::object();
  result.set("ok", ok);
  result.set("messages", messages_of(diagnostics));
  if (ok) {
    result.set("bytes", byte_array(bytes));
    result.set("questions", int(prepared.quiz.questions.size()));
    result.set("pictures", prepared.pictures);
    result.set("scaled", prepared.scaled);
    result.set("converted", prepared.converted);
    int reencoded = 0;
    for (const auto& reason : prepared.reencoded) reencoded += reason.second;
    result.set("reencoded", reencoded);
    result.set("clips", prepared.clips);
    result.set("reused", prepared.reused);
  }
  return result;
}

val open_quiz(const val& bytes, const std::string& name) {
  QuizSource quiz;
  MediaFiles media;
  Diagnostics diagnostics;
  val result = val::object();
  bool ok = unpack_quiz_image(bytes_of(bytes), name, &quiz, &media, &diagnostics);
  result.set("ok", ok);
  result.set("messages", messages_of(diagnostics));
  if (!ok) return result;
  // The source as `quizpack dump` prints it (its comment is never shown).
  std::string source = dump_source(quiz, name, Language::ENGLISH), problem;
  QuizForm form;
  read_form_source(source, &form, &problem);
  result.set("source", source);
  result.set("form", js_of(form));
  val files = val::array();
  for (const auto& [path, data] : media) {
    val file = val::object();
    file.set("path", path);
    file.set("bytes", byte_array(data));
    files.call<void>("push", file);
  }
  result.set("media", files);
  return result;
}

// A picture or clip of a question of a `kind` quiz ("picture"...) whose page
// is `background` ("#RRGGBB") as build judges it, with its size; no bytes
// (null) stand for a file not at hand. A picture comes with its thumbnail:
// the picture the quiz will carry, decoded by the core (RGBA).
val check_media(const val& bytes, const std::string& kind, const std::string& name,
                const std::string& background) {
  uint32_t number = QUIZ_PICTURE;
  for (uint32_t k = QUIZ_TEXT; k <= QUIZ_VIDEO; ++k)
    if (kind == kind_name(k)) number = k;
  uint32_t page = 0x5A5F96;
  if (background.size() == 7 && background[0] == '#')
    page = uint32_t(strtoul(background.c_str() + 1, nullptr, 16));
  PictureInfo info;
  Message problem;
  std::string stored;
  bool ok = bytes.isNull()
                ? (problem = unreadable_media(system_reason(ENOENT)), false)
                : check_media_bytes(bytes_of(bytes), number, page, &info, &problem, &stored);
  val result = val::object();
  result.set("ok", ok);
  if (!ok) {
    result.set("problem", say(Message(MSG_MEDIA_FILE, {name, problem}), Language::FRENCH));
  } else if (number == QUIZ_PICTURE) {
    int width, height;
    fit_in_box(info.width, info.height, &width, &height);
    result.set("width", info.width);
    result.set("height", info.height);
    result.set("fitted_width", width);
    result.set("fitted_height", height);
    result.set("scaled", info.scaled);
    result.set("transparent", info.transparent);
    Pixels pixels;
    if (decode_stored_picture(stored, &pixels, &problem)) {
      std::string rgba(size_t(pixels.width) * pixels.height * 4, char(0xFF));
      for (size_t i = 0; i < size_t(pixels.width) * pixels.height; ++i)
        memcpy(&rgba[4 * i], pixels.rgb.get() + 3 * i, 3);
      val thumbnail = val::object();
      thumbnail.set("width", pixels.width);
      thumbnail.set("height", pixels.height);
      thumbnail.set("rgba", byte_array(rgba));
      result.set("thumbnail", thumbnail);
    }
  }
  return result;
}

// The try box: what the player says of `typed` in field `field` of question
// `index` (0-based) of the form, on its colours, and why. The question is
// tried alone (trial_form), so that a problem elsewhere does not stop it.
val try_in_form(const val& js_form, int index, int field, const std::string& typed) {
  QuizForm form = used_form(form_of(js_form));
  val result = val::object();
  result.set("ok", false);
  if (index < 0 || size_t(index) >= form.questions.size() || field < 1 || field > form.answers)
    return result;
  TriedAnswer tried;
  std::string problem;
  if (!try_form_answer(form, size_t(index), field, typed, &tried, &problem)) {
    if (!problem.empty()) result.set("problem", problem);
    return result;
  }
  result.set("ok", true);
  result.set("word", tried.word);
  result.set("reason", say(tried.why.back(), Language::FRENCH));
  // The lines in English, as the native `quizpack try` prints them for the
  // tests that compare the two; the page shows the French reason.
  result.set("lines", text_list(tried_lines(tried, Language::ENGLISH)));
  result.set("look", verdict_look(tried.word));
  return result;
}

// Questions from a learning platform or a spreadsheet, as a form: {ok,
// form, messages (each with its line), left_out}. `has_media(path)` says
// whether a picture the sheet names was opened with it.
val import_bank(const val& bytes, const std::string& name, val has_media) {
  ImportedQuiz imported;
  Diagnostics diagnostics;
  bool ok = import_questions(
      bytes_of(bytes), name, &imported, &diagnostics,
      [&has_media](const std::string& path) { return has_media(path).as<bool>(); });
  val result = val::object();
  result.set("ok", ok);
  val messages = val::array();
  for (const Diagnostic& d : diagnostics.list()) {
    val message = val::object();
    message.set("error", d.error);
    message.set("field", std::string("source"));
    message.set("text", import_message_french(d));
    messages.call<void>("push", message);
  }
  result.set("messages", messages);
  if (ok) {
    result.set("form", js_of(imported.form));
    result.set("left_out", imported.left_out);
  }
  return result;
}

// The form's questions for a learning platform: {ok, text} in GIFT
// ("gift") or Moodle XML ("xml"), or the messages that stop it.
val export_bank(const val& js_form, const std::string& format) {
  QuizSource quiz;
  Diagnostics diagnostics;
  std::string text;
  bool ok =
      parse_quiz_source(write_form_source(form_of(js_form)), SOURCE_NAME, &quiz, &diagnostics);
  if (ok && format == "xml")
    text = export_moodle_xml(quiz, Language::FRENCH);
  else if (ok)
    ok = export_gift(quiz, Language::FRENCH, &text, &diagnostics);
  val result = val::object();
  result.set("ok", ok);
  result.set("messages", messages_of(diagnostics));
  if (ok) result.set("text", text);
  return result;
}

// The rules a judging preset stands for, as a judging table writes them
// ("true", "hint"...), for the studio to say what a rule left out is; null
// for a name that is no preset.
val preset_rules(const std::string& name) {
  JudgingRules rules;
  if (!judging_preset(name, &rules)) return val::null();
  auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
  val js = val::object();
  js.set("accented_case", flag(rules.accented_case));
  js.set("accents", std::string(accent_rule_name(rules.accents)));
  js.set("articles", flag(rules.articles));
  js.set("hyphens", flag(rules.hyphens));
  js.set("punctuation", flag(rules.punctuation));
  js.set("ligatures", flag(rules.ligatures));
  js.set("unaccented_capitals", flag(rules.unaccented_capitals));
  js.set("numbers", flag(rules.numbers));
  js.set("optional_circumflex", flag(rules.optional_circumflex));
  js.set("capital_articles", flag(rules.capital_articles));
  return js;
}

}  // namespace

EMSCRIPTEN_BINDINGS(authoring) {
  emscripten::function("import_questions", &import_bank);
  emscripten::function("export_questions", &export_bank);
  emscripten::function("preset_rules", &preset_rules);
  emscripten::function("try_answer", &try_in_form);
  emscripten::function("check_source", &check_source);
  emscripten::function("check_form", &check_form);
  emscripten::function("write_source", &write_source);
  emscripten::function("form_use", &use_of_form);
  emscripten::function("read_source", &read_source);
  emscripten::function("set_player", &set_player);
  emscripten::function("set_page", &set_page);
  emscripten::function("build_quiz", &build_from_source);
  emscripten::function("open_quiz", &open_quiz);
  emscripten::function("check_media", &check_media);
}
