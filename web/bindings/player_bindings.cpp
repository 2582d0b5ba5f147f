// The WebAssembly module's entry points for playing a packed quiz: the
// resources of a quiz .exe (read with the PE reader) or of a quiz page (its
// content block), the document filled by the player's own loader, the page
// laid out by the portable layout, and one quiz session whose view calls the
// page's JavaScript. Texts cross as UTF-8 and are Windows-1252 inside, as
// the player holds them.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdlib>
#include <memory>

#include "convert.h"
#include "core/answers/answers_file.h"
#include "core/answers/quiz_session.h"
#include "core/answers/score_rules.h"
#include "core/authoring/cp1252.h"
#include "core/carrier/pe_reader.h"
#include "core/carrier/platform_record.h"
#include "core/carrier/quiz_page.h"
#include "core/content/loader.h"
#include "core/content/resource_names.h"
#include "core/page/frame_layout.h"
#include "core/page/header_layout.h"
#include "core/page/page_colours.h"
#include "core/page/page_layout.h"
#include "platform_web.h"

using emscripten::val;

namespace {

// The player's own dialogs (resources/resource_ids.h): a program that has
// them but no quiz content is the bare player, which shows its demonstration.
const uint16_t HEADER_PANEL_DIALOG = 1002;
const uint16_t QUESTION_PAGE_DIALOG = 1001;
const uint16_t DIALOG_TYPE = 5;

// The page's French messages (UTF-8).
const char NOT_A_PROGRAM[] =
    "Ce fichier n'est pas un quiz : ce n'est ni un programme Windows ni une page de quiz.";
const char NOT_A_QUIZ[] = "Ce programme n'est pas un quiz : il ne contient aucune question.";
const char NOT_A_QUIZ_PAGE[] = "Cette page n'est pas un quiz : elle ne contient aucune question.";
const char OTHER_VERSION[] =
    "Cette page de quiz vient d'une autre version du lecteur : ouvrez-la directement dans "
    "votre navigateur.";
const char DAMAGED_PAGE[] =
    "Cette page de quiz est abîmée : son contenu ne se lit pas (elle a peut-être été coupée).";

std::string utf8(const char* cp1252) { return cp1252_to_utf8(cp1252 ? cp1252 : ""); }

// What was typed, in Windows-1252: a character that has no form there becomes
// "?", as a Windows edit control's text read as ANSI does.
std::string typed_cp1252(const std::string& text) {
  std::string out, one, problem;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = text[i];
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + length > text.size()) length = text.size() - i;
    if (utf8_to_cp1252(text.substr(i, length), &one, &problem)) {
      out += one;
    } else {
      out += '?';
    }
    i += length;
  }
  return out;
}

bool has_dialog(const std::vector<Resource>& resources, uint16_t id) {
  return find_resource(resources, resource_number(DIALOG_TYPE), resource_number(id)) != nullptr;
}

const char* role_name(ControlRole role) {
  switch (role) {
    case ROLE_NUMBER: return "number";
    case ROLE_QUESTION_TEXT: return "question";
    case ROLE_ANSWER_FIELD: return "field";
    case ROLE_VERDICT: return "verdict";
    case ROLE_CAPTION_1: return "caption1";
    case ROLE_CAPTION_2: return "caption2";
    case ROLE_PLAY: return "play";
    case ROLE_STOP: return "stop";
    case ROLE_REVEAL: return "reveal";
    case ROLE_PICTURE: return "picture";
  }
  return "";
}

const char* font_name(ControlFont font) {
  switch (font) {
    case FONT_ANSWER: return "answer";
    case FONT_GUI: return "gui";
    case FONT_UNSET: break;
  }
  return "system";
}

val box_of(const PageBox& box) {
  val js = val::object();
  js.set("x", box.x);
  js.set("y", box.y);
  js.set("width", box.width);
  js.set("height", box.height);
  return js;
}

// One quiz opened in a page: its resources, its document and its session.
class WebQuiz {
 public:
  WebQuiz() {
    install_web_platform();
    doc_ = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
    if (doc_) init_document(doc_);
  }
  ~WebQuiz() {
    if (doc_) {
      release_document(doc_);
      free(doc_);
    }
  }
  WebQuiz(const WebQuiz&) = delete;
  WebQuiz& operator=(const WebQuiz&) = delete;

  // Reads a quiz .exe or a quiz page: {ok, problem} and the loader's
  // messages; then the header and the page's texts.
  val open(const val& bytes) {
    std::string file = bytes_of(bytes), problem;
    if (file.size() >= 2 && file[0] == 'M' && file[1] == 'Z') {
      if (!read_resources(file, &resources_, &problem)) return refused(NOT_A_PROGRAM);
      return load(true);
    }
    PageRead read = read_quiz_page(file, &resources_, &problem);
    return read == PAGE_NOT_A_PAGE ? refused(NOT_A_PROGRAM) : opened_page(read);
  }

  // Reads the quiz of the page's own content block (its base64 text).
  val open_block(const std::string& text) {
    std::string problem;
    return opened_page(read_quiz_block(text, &resources_, &problem));
  }

  // What a school platform records: score, status and the answers in the
  // compact form of its suspend data. A mastery score of 0 or less is none.
  val platform_record(double mastery) const {
    PlatformScore score = platform_score(&session_, mastery);
    std::string file(ANSWERS_FILE_MAX, '\0');
    file.resize(write_answers(&session_, &file[0]));
    CompactAnswers kept =
        compact_answers(file.data(), file.size(), session_.field_count, SUSPEND_DATA_MAX);
    val js = val::object();
    js.set("raw", score.raw);
    js.set("max", score.max);
    js.set("status", std::string(score.status));
    js.set("suspend_data", kept.text);
    js.set("fields", kept.fields);
    js.set("field_count", session_.field_count);
    js.set("complete", kept.complete);
    return js;
  }

  // The answers of a platform's suspend data into the fields, as restore
  // does with an answers file: {ok, complete}; nothing changes when the
  // text is not that form.
  val restore_platform(const std::string& text) {
    std::string file;
    bool complete = false, ok = expand_answers(text, &file, &complete);
    if (ok) restore_answers(&session_, file.data(), file.size());
    val js = val::object();
    js.set("ok", ok);
    js.set("complete", complete);
    return js;
  }

  // The picture or clip of question n (or its answer picture), null without one.
  val media(int n, bool answer) const {
    int id = (answer ? ANSWER_MEDIA_RESOURCE : QUESTION_MEDIA_RESOURCE) + n;
    const Resource* found = n >= 1 && id <= 0xFFFF
                                ? find_resource(resources_, resource_name(MEDIA_RESOURCE_TYPE),
                                                resource_number(uint16_t(id)))
                                : nullptr;
    return found ? byte_array(found->data) : val::null();
  }

  // The content resources' bytes, by which a page knows the quiz again.
  val content_bytes() const {
    std::string bytes;
    for (int id : {CONTENT_RESOURCE, CODES_RESOURCE}) {
      const Resource* found = find_resource(resources_, resource_name(CONTENT_RESOURCE_TYPE),
                                            resource_number(uint16_t(id)));
      if (found) bytes += found->data;
      bytes += '|';
    }
    return byte_array(bytes);
  }

  // Every control of the page at its place, with its text and colours.
  // `sizes[n - 1]` is question n's picture as decoded, [width, height], or
  // [0, 0] when it did not decode; fitted here as the player fits it.
  val lay_out(const val& sizes) const {
    PageLayout layout;
    begin_page_layout(
        &layout, {doc_->kind, doc_->question_count, doc_->answers_per_question, doc_->answer_mode});
    size_t known = sizes.isUndefined() || sizes.isNull() ? 0 : sizes["length"].as<size_t>();
    val questions = val::array();
    // A row's pictures are measured at its first question and kept for the others.
    PictureSize row[3] = {};
    for (int n = 1; n <= layout.shape.question_count; ++n) {
      int to_measure = row_pictures_to_measure(&layout, n);
      for (int c = 0; to_measure && c < 3; ++c) {
        row[c] = {0, 0};
        if (c >= to_measure || size_t(n - 1 + c) >= known) continue;
        val size = sizes[n - 1 + c];
        row[c] = fit_picture(size[0].as<int>(), size[1].as<int>(), PICTURE_BOX, PICTURE_BOX);
      }
      QuestionPlaces places;
      lay_out_question(&layout, n, row, &places);
      questions.call<void>("push", question_of(n, places, row[(n - 1) % 3]));
    }
    end_page_layout(&layout);
    val result = val::object();
    result.set("width", layout.page_width);
    result.set("height", layout.page_height);
    result.set("questions", questions);
    return result;
  }

  // Starts the session; `view` has the page's show_* and save_answers methods.
  void start(val view) {
    view_ = std::make_unique<val>(view);
    SessionView session_view = {&VIEW_OPS, this};
    start_session(&session_, doc_, &session_view);
  }

  void restore(const val& bytes) {
    std::string data = bytes_of(bytes);
    restore_answers(&session_, data.data(), data.size());
  }
  void judge_all() { judge_all_fields(&session_); }

  val judge(int field, const std::string& typed) {
    Judgement j = judge_field(&session_, field, typed_cp1252(typed).c_str());
    val result = val::object();
    result.set("judged", j.judged);
    result.set("word", utf8(j.word));
    result.set("question", j.question);
    result.set("verdict_changed", j.verdict_changed);
    result.set("revealed", j.reveal == REVEAL_SHOWN);
    result.set("score_changed", j.score_changed);
    result.set("score", j.score);
    return result;
  }
  void spread(int field, const std::string& text) {
    spread_answer_text(&session_, field, typed_cp1252(text).c_str());
  }
  val answers() const {
    std::string out(ANSWERS_FILE_MAX, '\0');
    out.resize(write_answers(&session_, &out[0]));
    return byte_array(out);
  }
  void saved() { answers_saved(&session_); }

  val field(int k) const {
    val js = val::object();
    if (k < 1 || k > session_.field_count) return val::null();
    const SessionField& f = session_.fields[k - 1];
    js.set("text", utf8(f.text));
    js.set("word", utf8(f.word));
    js.set("look", look_of(static_colours(doc_, ID_VERDICT_LABEL + k, f.word)));
    return js;
  }
  val state() const {
    val js = val::object();
    char score[TEXT_SLOT_SIZE];
    format_score(score, session_.score, doc_->question_count);
    js.set("score_value", session_.score);
    js.set("score", utf8(score));
    js.set("code", utf8(session_code(&session_)));
    js.set("field_count", session_.field_count);
    js.set("per_question", session_.per_question);
    js.set("first_open", first_open_field(&session_));
    val revealed = val::array();
    for (int n = 1; n <= session_.question_count; ++n)
      revealed.call<void>("push", session_.all_revealed || session_.revealed[n - 1]);
    js.set("revealed", revealed);
    return js;
  }

  // The answers file's name for a quiz file named `name` (a program, or a
  // quiz page, whose answers file is its program's); "" for none.
  static std::string answers_name(const std::string& name) {
    char slot[TEXT_SLOT_SIZE];
    if (name.size() >= TEXT_SLOT_SIZE || !quiz_answers_name(typed_cp1252(name).c_str(), slot))
      return "";
    return utf8(slot);
  }

 private:
  val refused(const char* problem) {
    resources_.clear();
    val result = val::object();
    result.set("ok", false);
    result.set("problem", std::string(problem));
    return result;
  }

  val opened_page(PageRead read) {
    if (read == PAGE_READ) return load(false);
    return refused(read == PAGE_WITHOUT_QUIZ    ? NOT_A_QUIZ_PAGE
                   : read == PAGE_OTHER_VERSION ? OTHER_VERSION
                                                : DAMAGED_PAGE);
  }

  val load(bool program) {
    val result = val::object();
    result.set("ok", false);
    if (!doc_) {
      result.set("problem", utf8("Impossible d'allouer la memoire"));
      return result;
    }
    const Resource* content = find_resource(resources_, resource_name(CONTENT_RESOURCE_TYPE),
                                            resource_number(CONTENT_RESOURCE));
    bool bare_player =
        has_dialog(resources_, HEADER_PANEL_DIALOG) && has_dialog(resources_, QUESTION_PAGE_DIALOG);
    if ((!content || content->data.empty()) && (!bare_player || !program))
      return refused(program ? NOT_A_QUIZ : NOT_A_QUIZ_PAGE);
    use_web_resources(&resources_, &messages_);
    load_content(doc_);
    use_web_resources(nullptr, nullptr);
    result.set("ok", true);
    result.set("demonstration", !content || content->data.empty());
    val messages = val::array();
    for (const WebMessage& m : messages_) {
      val message = val::object();
      message.set("text", utf8(m.text.c_str()));
      message.set("caption", utf8(m.caption.c_str()));
      messages.call<void>("push", message);
    }
    result.set("messages", messages);
    set_header(&result);
    return result;
  }

  static WebQuiz* of(void* instance) { return static_cast<WebQuiz*>(instance); }
  static void show_text(void* instance, int field, const char* text) {
    (*of(instance)->view_).call<void>("show_text", field, utf8(text));
  }
  static void show_verdict(void* instance, int field, Verdict, const char* word) {
    WebQuiz* quiz = of(instance);
    val look = look_of(static_colours(quiz->doc_, ID_VERDICT_LABEL + field, word));
    (*quiz->view_).call<void>("show_verdict", field, utf8(word), look);
  }
  static void show_reveal(void* instance, int question, bool shown) {
    (*of(instance)->view_).call<void>("show_reveal", question, shown);
  }
  static void show_answer_picture(void* instance, int question) {
    (*of(instance)->view_).call<void>("show_answer_picture", question);
  }
  static void show_message(void* instance, const char* text, const char* caption) {
    (*of(instance)->view_).call<void>("show_message", utf8(text), utf8(caption));
  }
  static void show_score(void* instance, const char* score, const char* code) {
    (*of(instance)->view_).call<void>("show_score", utf8(score), utf8(code));
  }
  static void save_answers(void* instance) { (*of(instance)->view_).call<void>("save_answers"); }
  static constexpr SessionViewOps VIEW_OPS = {show_text,           show_verdict, show_reveal,
                                              show_answer_picture, show_message, show_score,
                                              save_answers};

  void set_header(val* result) const {
    result->set("kind", int(doc_->kind));
    result->set("title", utf8(doc_->title));
    result->set("author", utf8(doc_->author));
    result->set("explanation", utf8(doc_->explanation));
    result->set("labels", text_list({utf8(doc_->answer1_label), utf8(doc_->answer2_label)}));
    result->set("question_count", int(doc_->question_count));
    result->set("answers_per_question", int(doc_->answers_per_question));
    result->set("answer_mode", int(doc_->answer_mode));
    result->set("background", colour_text(doc_->background_colour));
    // The header's link as the Windows panel shows it: its label and the
    // address it opens, both empty without one.
    result->set("link_label", utf8(header_link_label(&doc_->link)));
    result->set("link_address", std::string(doc_->link.address));
  }

  // A place's text and colours: the static's as the page paints it.
  val place_of(int n, const ControlPlace& place) const {
    const QuizQuestion* question = question_at(doc_, n - 1);
    val js = val::object();
    js.set("role", std::string(role_name(place.role)));
    js.set("id", place.id);
    js.set("x", place.x);
    js.set("y", place.y);
    js.set("width", place.width);
    js.set("height", place.height);
    js.set("font", std::string(font_name(place.font)));
    std::string text;
    const char* word = nullptr;
    switch (place.role) {
      case ROLE_NUMBER: text = std::to_string(n) + "."; break;
      case ROLE_QUESTION_TEXT: text = question ? utf8(question->question_text) : ""; break;
      case ROLE_VERDICT:
        word = verdict_text(VERDICT_EMPTY);
        text = utf8(word);
        break;
      case ROLE_CAPTION_1: text = utf8(doc_->answer1_label); break;
      case ROLE_CAPTION_2: text = utf8(doc_->answer2_label); break;
      case ROLE_REVEAL: text = question ? utf8(question->reveal_text) : ""; break;
      default: break;
    }
    js.set("text", text);
    js.set("look", look_of(static_colours(doc_, place.id, word)));
    return js;
  }

  val question_of(int n, const QuestionPlaces& places, PictureSize fitted) const {
    val places_js = val::array();
    for (int i = 0; i < places.count; ++i)
      places_js.call<void>("push", place_of(n, places.places[i]));
    val js = val::object();
    js.set("number", n);
    js.set("places", places_js);
    js.set("picture_box", box_of(places.picture_box));
    js.set("picture", box_of({0, 0, fitted.width, fitted.height}));
    if (doc_->kind == QUIZ_VIDEO)
      js.set("video_band", box_of(video_band(n, doc_->answers_per_question, doc_->answer_mode)));
    return js;
  }

  QuizDocument* doc_ = nullptr;
  std::vector<Resource> resources_;
  std::vector<WebMessage> messages_;
  QuizSession session_ = {};
  std::unique_ptr<val> view_;
};

// The size of a w x h picture fitted into a box, as the player fits it.
val fitted_size(int width, int height, int box_width, int box_height) {
  PictureSize size = fit_picture(width, height, box_width, box_height);
  val js = val::object();
  js.set("width", size.width);
  js.set("height", size.height);
  return js;
}

// The header panel's controls by name, as HeaderControl orders them.
const char* const HEADER_NAMES[HEADER_CONTROL_COUNT] = {
    "hyperlink", "author_caption", "author", "save", "explanation",
    "title",     "code_caption",   "score",  "code", "line_under_score",
    "line_left", "line_right"};

// The header as a frame whose client is `frame_width` wide shows it: the
// panel's place in the frame, its colours, and each control's place in the
// panel's client (inside the panel's 1-pixel border). The controls come
// bottom to top as the panel stacks them once laid out: each moved control
// came to the top as it moved, the others keep their creation order (the
// first made on top), so the explanation covers the title's last rows.
val header_layout(int frame_width) {
  FramePlace panel = FRAME_PANEL_PLACE;
  panel.width = anchored(panel.width, frame_width);
  int client_width = panel.width - 2 * HEADER_PANEL_BORDER;
  bool moved[HEADER_CONTROL_COUNT] = {};
  for (const HeaderMove& move : HEADER_MOVES) moved[move.control] = true;
  val controls = val::array();
  auto add = [&](HeaderControl c) {
    FramePlace at = header_place(c, client_width);
    val control = box_of({at.x, at.y, at.width, at.height});
    control.set("name", std::string(HEADER_NAMES[c]));
    controls.call<void>("push", control);
  };
  for (int c = HEADER_CONTROL_COUNT - 1; c >= 0; --c)
    if (!moved[c]) add(HeaderControl(c));
  for (const HeaderMove& move : HEADER_MOVES) add(move.control);
  val js = val::object();
  js.set("panel", box_of({panel.x, panel.y, panel.width, panel.height}));
  js.set("border", int(HEADER_PANEL_BORDER));
  js.set("colour", colour_text(HEADER_PANEL_COLOUR));
  // The link's blue reads poorly on the panel's: the page darkens it.
  js.set("link_colour",
         colour_text(readable_text_colour(HEADER_HYPERLINK_COLOUR, HEADER_PANEL_COLOUR)));
  js.set("controls", controls);
  return js;
}

}  // namespace

EMSCRIPTEN_BINDINGS(player) {
  emscripten::class_<WebQuiz>("WebQuiz")
      .constructor<>()
      .function("open", &WebQuiz::open)
      .function("open_block", &WebQuiz::open_block)
      .function("platform_record", &WebQuiz::platform_record)
      .function("restore_platform", &WebQuiz::restore_platform)
      .function("media", &WebQuiz::media)
      .function("content_bytes", &WebQuiz::content_bytes)
      .function("lay_out", &WebQuiz::lay_out)
      .function("start", &WebQuiz::start)
      .function("restore", &WebQuiz::restore)
      .function("judge_all", &WebQuiz::judge_all)
      .function("judge", &WebQuiz::judge)
      .function("spread", &WebQuiz::spread)
      .function("answers", &WebQuiz::answers)
      .function("saved", &WebQuiz::saved)
      .function("field", &WebQuiz::field)
      .function("state", &WebQuiz::state)
      .class_function("answers_name", &WebQuiz::answers_name);
  emscripten::function("fit_picture", &fitted_size);
  emscripten::function("header_layout", &header_layout);
}
