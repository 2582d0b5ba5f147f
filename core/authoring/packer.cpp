#include "packer.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <set>

#include "core/answers/score_rules.h"
#include "core/content/content_parser.h"
#include "core/content/loader.h"
#include "core/content/resource_names.h"
#include "core/content/text_slot.h"
#include "content_writer.h"
#include "core/carrier/quiz_page.h"
#include "cp1252.h"
#include "files.h"
#include "media.h"
#include "question_bank.h"
#include "quiz_page_writer.h"
#include "scorm_package.h"
#include "verdict_reasons.h"
#include "windowless_platform.h"

namespace {

// What a quiz page that is no quiz is, in words (a file without a content
// block is read as a program instead).
Message page_problem_message(PageRead read) {
  switch (read) {
    case PAGE_WITHOUT_QUIZ: return MSG_PAGE_WITHOUT_QUIZ;
    case PAGE_OTHER_VERSION: return MSG_PAGE_OTHER_VERSION;
    default: return MSG_PAGE_DAMAGED;
  }
}

Resource make_resource(const char* type, uint16_t id, std::string data) {
  Resource resource;
  resource.type = resource_name(type);
  resource.name = resource_number(id);
  resource.data = std::move(data);
  return resource;
}

std::string media_path(const QuizSource& quiz, const std::string& written) {
  return path_in_folder(quiz.folder, written);
}

class MediaLoader {
 public:
  MediaLoader(PreparedQuiz* prepared, const QuizInput& input, Diagnostics* diagnostics)
      : prepared_(prepared), input_(input), diagnostics_(diagnostics) {}

  void load_all() {
    const QuizSource& quiz = prepared_->quiz;
    total_ = 0;
    for (size_t i = 0; i < quiz.questions.size() && i < QUIZ_MAX_QUESTIONS; ++i)
      for (const MediaRef* media : media_of(quiz, quiz.questions[i]))
        total_ += !media->path.empty();
    for (size_t i = 0; i < quiz.questions.size() && i < QUIZ_MAX_QUESTIONS; ++i) {
      const SourceQuestion& q = quiz.questions[i];
      uint16_t n = uint16_t(i + 1);
      if (quiz.kind == QUIZ_PICTURE) {
        picture(q.picture, media_subject(n, "picture", MSG_PART_PICTURE),
                uint16_t(QUESTION_MEDIA_RESOURCE + n));
        picture(q.answer_picture, media_subject(n, "answer_picture", MSG_PART_ANSWER_PICTURE),
                uint16_t(ANSWER_MEDIA_RESOURCE + n));
      } else if (quiz.kind == QUIZ_AUDIO || quiz.kind == QUIZ_VIDEO) {
        clip(q.clip, media_subject(n, "clip", MSG_PART_CLIP),
             uint16_t(QUESTION_MEDIA_RESOURCE + n));
      }
    }
    keep_only_used();
  }

 private:
  // The media a question of this kind carries, in the order they are read.
  static std::vector<const MediaRef*> media_of(const QuizSource& quiz, const SourceQuestion& q) {
    if (quiz.kind == QUIZ_PICTURE) return {&q.picture, &q.answer_picture};
    if (quiz.kind == QUIZ_AUDIO || quiz.kind == QUIZ_VIDEO) return {&q.clip};
    return {};
  }

  static Subject media_subject(int n, const char* key, MessageId part) {
    return {"q" + std::to_string(n) + "." + key,
            Message(MSG_NAME_QUESTION_PART, {number(n), Message(part)})};
  }

  void report_progress() {
    if (input_.progress) input_.progress(++done_, total_);
  }

  bool read(const MediaRef& media, const Subject& what, std::string* bytes) {
    Message problem;
    prepared_->inputs.push_back(media_path(prepared_->quiz, media.path));
    if (!input_.read_media(media.path, bytes, &problem)) {
      error(media, what, unreadable_media(problem));
      return false;
    }
    if (!bytes->empty()) return true;
    error(media, what, MSG_MEDIA_EMPTY);
    return false;
  }

  void error(const MediaRef& media, const Subject& what, const Message& problem) {
    diagnostics_->error(prepared_->quiz.path, media.line,
                        Message(MSG_MEDIA_FILE, {media.path, problem}), what);
  }

  void picture(const MediaRef& media, const Subject& what, uint16_t id) {
    std::string bytes, stored;
    Message problem;
    if (media.path.empty()) return;
    const QuizSource& quiz = prepared_->quiz;
    uint32_t background = uint32_t(quiz.red) << 16 | uint32_t(quiz.green) << 8 | quiz.blue;
    // A picture with transparent parts is laid on the quiz's background: the
    // same bytes on another background are another picture.
    std::string key = input_.pictures && input_.media_key && !input_.keep_pictures
                          ? input_.media_key(media.path)
                          : std::string();
    if (!key.empty()) key += " " + std::to_string(background);
    if (!key.empty() && input_.pictures->count(key)) {
      const PreparedPicture& known = input_.pictures->at(key);
      prepared_->inputs.push_back(media_path(prepared_->quiz, media.path));
      prepared_->reused += 1;
      report_progress();
      add_picture(id, known.stored, known.info, key);
      return;
    }
    bool read_ok = read(media, what, &bytes);
    PictureInfo info;
    bool prepared = read_ok && prepare_picture(bytes, input_.keep_pictures, background, &stored,
                                               &info, &problem);
    report_progress();
    if (!read_ok) return;
    if (!prepared) {
      error(media, what, problem);
      return;
    }
    if (!key.empty()) (*input_.pictures)[key] = {stored, info};
    add_picture(id, std::move(stored), info, key);
  }

  void add_picture(uint16_t id, std::string stored, const PictureInfo& info,
                   const std::string& key) {
    prepared_->pictures += 1;
    prepared_->scaled += info.scaled;
    prepared_->converted += info.form != FORM_JPEG;
    if (info.reencoded != MSG_LITERAL) count_reencoded(info.reencoded);
    prepared_->resources.push_back(make_resource(MEDIA_RESOURCE_TYPE, id, std::move(stored)));
    if (!key.empty()) used_keys_.insert(key);
  }

  // Drops the cached pictures this quiz did not name, so the cache holds one
  // quiz's pictures at most.
  void keep_only_used() {
    if (!input_.pictures) return;
    for (PictureCache::iterator i = input_.pictures->begin(); i != input_.pictures->end();)
      i = used_keys_.count(i->first) ? std::next(i) : input_.pictures->erase(i);
  }

  void count_reencoded(MessageId reason) {
    for (auto& [known, count] : prepared_->reencoded)
      if (known == reason) {
        count += 1;
        return;
      }
    prepared_->reencoded.push_back({reason, 1});
  }

  void clip(const MediaRef& media, const Subject& what, uint16_t id) {
    std::string bytes;
    Message problem;
    if (media.path.empty()) return;
    bool read_ok = read(media, what, &bytes);
    report_progress();
    if (!read_ok) return;
    if (!check_clip(bytes, prepared_->quiz.kind, &problem)) {
      error(media, what, problem);
      return;
    }
    prepared_->clips += 1;
    prepared_->resources.push_back(make_resource(MEDIA_RESOURCE_TYPE, id, std::move(bytes)));
  }

  PreparedQuiz* prepared_;
  const QuizInput& input_;
  Diagnostics* diagnostics_;
  int done_ = 0, total_ = 0;
  std::set<std::string> used_keys_;
};

std::string escape_field(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') {
      char escape[8];
      snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

std::string depfile_text(const std::string& output, const std::vector<std::string>& inputs) {
  auto escaped = [](const std::string& path) {
    std::string out;
    for (char c : path) {
      if (c == ' ' || c == '#' || c == '\\') out += '\\';
      if (c == '$') out += '$';
      out += c;
    }
    return out;
  };
  std::string text = escaped(output) + ":";
  for (const std::string& input : inputs) text += " \\\n  " + escaped(input);
  return text + "\n";
}

// The player's resources with the quiz's in place of any quiz it carried.
std::vector<Resource> with_quiz(const std::vector<Resource>& player,
                                const std::vector<Resource>& quiz) {
  std::vector<Resource> out;
  ResourceKey content = resource_name(CONTENT_RESOURCE_TYPE),
              pictures = resource_name(MEDIA_RESOURCE_TYPE);
  for (const Resource& r : player)
    if (r.type != content && r.type != pictures) out.push_back(r);
  out.insert(out.end(), quiz.begin(), quiz.end());
  return out;
}

bool write_output(const std::string& path, const std::string& bytes, unsigned mode,
                  Diagnostics* diagnostics) {
  Message problem;
  if (write_file(path, bytes, mode, &problem)) return true;
  diagnostics->error(path, 0, Message(MSG_CANNOT_WRITE, {problem}));
  return false;
}

const char* media_extension(uint32_t kind) {
  return kind == QUIZ_PICTURE ? ".jpg" : kind == QUIZ_AUDIO ? ".mp3" : ".avi";
}

// Reads the quiz a packed player carries: content, codes and media (named
// media/NN.ext, the bytes in `media`).
bool unpack_quiz(const std::string& exe, QuizSource* quiz, MediaFiles* media,
                 Diagnostics* diagnostics) {
  std::string image;
  Message problem;
  if (!read_file(exe, &image, &problem)) {
    diagnostics->error(exe, 0, Message(MSG_EXE_UNREADABLE, {problem}), {"file", Message()});
    return false;
  }
  return unpack_quiz_image(image, exe, quiz, media, diagnostics);
}

}  // namespace

bool unpack_quiz_image(const std::string& image, const std::string& exe, QuizSource* quiz,
                       MediaFiles* media, Diagnostics* diagnostics) {
  std::string plain;
  Message problem;
  Subject file = {"file", Message()};
  std::vector<Resource> resources;
  // A quiz page is told by its content block; anything else is read as a program.
  bool program = image.size() >= 2 && image[0] == 'M' && image[1] == 'Z';
  std::string unread;
  PageRead page = program ? PAGE_NOT_A_PAGE : read_quiz_page(image, &resources, &unread);
  if (page == PAGE_NOT_A_PAGE ? !read_resources(image, &resources, &problem) : page != PAGE_READ) {
    if (page != PAGE_NOT_A_PAGE) problem = page_problem_message(page);
    diagnostics->error(exe, 0, Message(MSG_EXE_IS, {problem}), file);
    return false;
  }
  ResourceKey content_type = resource_name(CONTENT_RESOURCE_TYPE),
              picture_type = resource_name(MEDIA_RESOURCE_TYPE);
  const Resource* content =
      find_resource(resources, content_type, resource_number(CONTENT_RESOURCE));
  if (!content || content->data.empty()) {
    diagnostics->error(exe, 0, MSG_EXE_NO_QUIZ, file);
    return false;
  }
  int status = decode_resource(content->data, &plain);
  size_t ignored = 0;
  if (status != 0 || !read_content(plain, quiz, &problem, &ignored)) {
    diagnostics->error(exe, 0,
                       Message(MSG_EXE_DAMAGED,
                               {status != 0 ? Message(MSG_LZW_STATUS, {number(status)}) : problem}),
                       file);
    return false;
  }
  if (ignored > 0)
    diagnostics->warning(exe, 0, Message(MSG_EXE_OPTIONS_IGNORED, {number(ignored)}), file);
  const Resource* codes = find_resource(resources, content_type, resource_number(CODES_RESOURCE));
  if (!codes)
    diagnostics->warning(exe, 0, MSG_EXE_NO_CODES, file);
  else if (decode_resource(codes->data, &plain) == 0)
    quiz->codes = read_codes(plain, quiz->questions.size());
  else
    diagnostics->warning(exe, 0, MSG_EXE_CODES_UNDECODABLE, file);
  for (size_t i = 0; i < quiz->questions.size(); ++i) {
    char number[8];
    snprintf(number, sizeof number, "%02u", unsigned(i + 1));
    SourceQuestion& q = quiz->questions[i];
    const Resource* first = find_resource(
        resources, picture_type, resource_number(uint16_t(QUESTION_MEDIA_RESOURCE + i + 1)));
    const Resource* answer = find_resource(
        resources, picture_type, resource_number(uint16_t(ANSWER_MEDIA_RESOURCE + i + 1)));
    if (first && quiz->kind != QUIZ_TEXT) {
      MediaRef& ref = quiz->kind == QUIZ_PICTURE ? q.picture : q.clip;
      ref.path = std::string("media/") + number + media_extension(quiz->kind);
      media->push_back({ref.path, first->data});
    }
    if (answer && quiz->kind == QUIZ_PICTURE) {
      q.answer_picture.path = std::string("media/") + number + "-answer.jpg";
      media->push_back({q.answer_picture.path, answer->data});
    }
  }
  return true;
}

namespace {

// The resources of a quiz already read and checked into `prepared`: content,
// codes, then its media as `input` reads them.
bool prepare_resources(const QuizInput& input, PreparedQuiz* prepared, Diagnostics* diagnostics) {
  const std::string& source = input.path;
  std::string content, codes;
  int status = encode_resource(write_content(prepared->quiz), &content);
  if (status == 0) status = encode_resource(write_codes(prepared->quiz), &codes);
  if (status != 0) {
    diagnostics->error(source, 0, Message(MSG_CONTENT_NOT_ENCODED, {number(status)}));
    return false;
  }
  prepared->resources.push_back(make_resource(CONTENT_RESOURCE_TYPE, CONTENT_RESOURCE, content));
  prepared->resources.push_back(make_resource(CONTENT_RESOURCE_TYPE, CODES_RESOURCE, codes));
  size_t errors = diagnostics->error_count();
  MediaLoader(prepared, input, diagnostics).load_all();
  return diagnostics->error_count() == errors;
}

}  // namespace

bool prepare_quiz(const std::string& source, bool keep_pictures, PreparedQuiz* prepared,
                  Diagnostics* diagnostics) {
  *prepared = PreparedQuiz();
  prepared->inputs.push_back(source);
  if (!read_quiz_source(source, &prepared->quiz, diagnostics)) return false;
  QuizInput input;
  input.path = source;
  input.keep_pictures = keep_pictures;
  input.read_media = [prepared](const std::string& written, std::string* bytes, Message* problem) {
    return read_file(media_path(prepared->quiz, written), bytes, problem);
  };
  return prepare_resources(input, prepared, diagnostics);
}

bool prepare_quiz_text(const QuizInput& input, PreparedQuiz* prepared, Diagnostics* diagnostics) {
  *prepared = PreparedQuiz();
  prepared->inputs.push_back(input.path);
  if (!parse_quiz_source(input.text, input.path, &prepared->quiz, diagnostics)) return false;
  return prepare_resources(input, prepared, diagnostics);
}

bool pack_quiz(const std::string& image, const std::string& player, const PreparedQuiz& prepared,
               std::string* packed, Diagnostics* diagnostics) {
  Message problem;
  std::vector<Resource> resources;
  if (!read_resources(image, &resources, &problem) ||
      !write_resources(image, with_quiz(resources, prepared.resources), packed, &problem)) {
    diagnostics->error(player, 0, Message(MSG_PLAYER_IS, {problem}), {"player", Message()});
    return false;
  }
  return true;
}

bool carrier_of_output(const std::string& output, bool scorm, QuizCarrier* carrier,
                       Diagnostics* diagnostics) {
  auto ends_with = [&output](const char* extension) {
    size_t length = strlen(extension);
    if (output.size() < length) return false;
    for (size_t i = 0; i < length; ++i)
      if (tolower(uint8_t(output[output.size() - length + i])) != extension[i]) return false;
    return true;
  };
  bool zip = ends_with(".zip");
  if (scorm != zip) {
    diagnostics->error(output, 0, scorm ? MSG_SCORM_NEEDS_ZIP : MSG_ZIP_NEEDS_SCORM);
    return false;
  }
  *carrier = scorm                                     ? CARRIER_SCORM
             : ends_with(".html") || ends_with(".htm") ? CARRIER_PAGE
                                                       : CARRIER_PROGRAM;
  return true;
}

bool write_quiz_carrier(QuizCarrier carrier, const std::string& page_template,
                        const std::string& page, const PreparedQuiz& prepared,
                        const std::string& output, std::string* bytes, Diagnostics* diagnostics) {
  std::string written, package, title = cp1252_to_utf8(prepared.quiz.title);
  Message problem;
  if (!write_quiz_page(page_template, prepared.resources, title, &written, &problem)) {
    diagnostics->error(page, 0, Message(MSG_PAGE_IS, {problem}), {"player", Message()});
    return false;
  }
  if (carrier == CARRIER_SCORM) {
    if (!write_scorm_package(written, title, prepared.quiz.mastery_score, &package, &problem)) {
      diagnostics->error(output, 0, problem);
      return false;
    }
    written = std::move(package);
  }
  if (carrier == CARRIER_PAGE && written.size() > MAIL_ATTACHMENT_MAX) {
    long long tenths = (static_cast<long long>(written.size()) + 50000) / 100000;  // of a MB
    diagnostics->warning(output, 0, Message(MSG_PAGE_TOO_LARGE, {decimal(tenths, 1)}),
                         {"file", Message()});
  }
  if (prepared.quiz.kind == QUIZ_VIDEO && prepared.clips > 0)
    diagnostics->warning(output, 0, MSG_PAGE_AVI, {"file", Message()});
  *bytes = std::move(written);
  return true;
}

int build_quiz(const BuildRequest& request, Diagnostics* diagnostics, std::ostream& out) {
  QuizCarrier carrier;
  if (!carrier_of_output(request.output, request.scorm, &carrier, diagnostics)) return 1;
  PreparedQuiz prepared;
  if (!prepare_quiz(request.source, request.keep_pictures, &prepared, diagnostics)) return 1;
  const std::string& base = carrier == CARRIER_PROGRAM ? request.player : request.page;
  Subject about = {"player", Message()};
  if (base.empty()) {
    diagnostics->error(request.source, 0, carrier == CARRIER_PROGRAM ? MSG_NO_PLAYER : MSG_NO_PAGE,
                       about);
    return 1;
  }
  if (same_file(base, request.output)) {
    diagnostics->error(request.output, 0,
                       carrier == CARRIER_PROGRAM ? MSG_OUTPUT_IS_PLAYER : MSG_OUTPUT_IS_PAGE,
                       about);
    return 1;
  }
  std::string image, packed;
  Message problem;
  if (!read_file(base, &image, &problem)) {
    diagnostics->error(
        base, 0,
        Message(carrier == CARRIER_PROGRAM ? MSG_PLAYER_UNREADABLE : MSG_PAGE_UNREADABLE,
                {problem}),
        about);
    return 1;
  }
  if (carrier == CARRIER_PROGRAM ? !pack_quiz(image, base, prepared, &packed, diagnostics)
                                 : !write_quiz_carrier(carrier, image, base, prepared,
                                                       request.output, &packed, diagnostics))
    return 1;
  // The player (or page) goes last, so that no error leaves a quiz behind.
  prepared.inputs.push_back(base);
  if ((!request.fields.empty() &&
       !write_output(request.fields, loader_fields(prepared), 0644, diagnostics)) ||
      (!request.depfile.empty() &&
       !write_output(request.depfile, depfile_text(request.output, prepared.inputs), 0644,
                     diagnostics)) ||
      !write_output(request.output, packed, carrier == CARRIER_PROGRAM ? 0755 : 0644,
                    diagnostics)) {
    for (const std::string* path : {&request.fields, &request.depfile})
      if (!path->empty()) remove_file(*path);
    return 1;
  }
  out << say(Message(MSG_BUILT,
                     {request.output, number(prepared.quiz.questions.size()),
                      pictures_summary(prepared), number(prepared.clips), number(packed.size())}),
             request.language)
      << "\n";
  return 0;
}

int check_quiz(const std::string& source, Language language, Diagnostics* diagnostics,
               std::ostream& out) {
  PreparedQuiz prepared;
  if (!prepare_quiz(source, false, &prepared, diagnostics)) return 1;
  out << say(Message(MSG_CHECKED, {source, number(prepared.quiz.questions.size()),
                                   number(prepared.pictures), number(prepared.clips)}),
             language)
      << "\n";
  return 0;
}

int dump_quiz(const std::string& exe, const std::string& folder, Language language,
              Diagnostics* diagnostics, std::ostream& out) {
  QuizSource quiz;
  MediaFiles media;
  if (!unpack_quiz(exe, &quiz, &media, diagnostics)) return 1;
  std::string source = dump_source(quiz, exe, language);
  if (folder.empty()) {
    if (!media.empty()) diagnostics->warning(exe, 0, MSG_DUMP_MEDIA_NOT_WRITTEN);
    out << source;
    return 0;
  }
  for (const std::string& dir : {folder, path_in_folder(folder, "media")}) {
    Message problem;
    if (!make_folder(dir, &problem)) {
      diagnostics->error(dir, 0, Message(MSG_CANNOT_MAKE_FOLDER, {problem}));
      return 1;
    }
  }
  for (const auto& [path, bytes] : media)
    if (!write_output(path_in_folder(folder, path), bytes, 0644, diagnostics)) return 1;
  std::string written = path_in_folder(folder, "quiz.toml");
  if (!write_output(written, source, 0644, diagnostics)) return 1;
  out << say(Message(MSG_DUMPED, {written, number(quiz.questions.size()), number(media.size())}),
             language)
      << "\n";
  return 0;
}

int try_answer(const std::string& source, int number, const std::string& typed, int field,
               Language language, Diagnostics* diagnostics, std::ostream& out) {
  QuizSource quiz;
  if (!read_quiz_source(source, &quiz, diagnostics)) return 1;
  int count = int(quiz.questions.size());
  if (number < 1 || number > count) {
    diagnostics->error(source, 0,
                       Message(MSG_TRY_NO_QUESTION, {::number(number), ::number(count)}));
    return 1;
  }
  if (field < 1 || field > quiz.answers) {
    diagnostics->error(source, 0,
                       Message(MSG_TRY_NO_FIELD, {::number(field), ::number(quiz.answers)}));
    return 1;
  }
  TriedAnswer tried;
  Message problem;
  if (!try_quiz_answer(quiz, number, field, typed, &tried, &problem)) {
    diagnostics->error(source, 0, problem, {"", MSG_NAME_TYPED_ANSWER});
    return 1;
  }
  out << tried.word << "\n";
  for (const std::string& line : tried_lines(tried, language)) out << "  " << line << "\n";
  return 0;
}

std::vector<std::string> tried_lines(const TriedAnswer& tried, Language language) {
  std::vector<std::string> lines;
  if (tried.options || language == Language::FRENCH)
    for (const Message& line : tried.why) lines.push_back(say(line, language));
  return lines;
}

bool try_form_answer(const QuizForm& form, size_t index, int field, const std::string& typed,
                     TriedAnswer* tried, std::string* problem) {
  QuizSource quiz;
  Diagnostics diagnostics;
  if (!parse_quiz_source(write_form_source(trial_form(form, index)), "quiz.toml", &quiz,
                         &diagnostics)) {
    for (const Diagnostic& d : diagnostics.list())
      if (d.error) {
        *problem = say(Message(MSG_TRY_NOT_YET, {d.beside_field()}), Language::FRENCH);
        break;
      }
    return false;
  }
  Message refused;
  if (try_quiz_answer(quiz, 1, field, typed, tried, &refused)) return true;
  *problem = say(refused, Language::FRENCH);
  return false;
}

bool try_quiz_answer(const QuizSource& quiz, int number, int field, const std::string& typed,
                     TriedAnswer* tried, Message* problem) {
  std::string answer;
  if (!utf8_to_cp1252(typed, &answer, problem)) return false;
  // The field's text is read as at most 259 bytes, as the player reads it,
  // and judged by the player's own code on the content it would carry.
  char slot[TEXT_SLOT_SIZE];
  copy_text_n(slot, answer.data(), answer.size());
  install_windowless_platform();
  std::string content = write_content(quiz);
  QuizDocument doc;
  init_document(&doc);
  parse_content(&doc, reinterpret_cast<const unsigned char*>(content.data()), content.size());
  FieldPlace place = {number, field, (number - 1) * fields_per_question(&doc) + field};
  FieldVerdict verdict = judge_field_answer(&doc, place, slot);
  VerdictExplanation why =
      explain_verdict(&doc.judging, number, field, expected_answer(&doc, place), slot, verdict);
  tried->verdict = verdict.verdict;
  tried->word = cp1252_to_utf8(verdict_text(verdict));
  tried->options = why.options;
  tried->why = verdict_reasons(why, slot);
  release_document(&doc);
  return true;
}

bool check_media_bytes(const std::string& bytes, uint32_t kind, uint32_t background,
                       PictureInfo* info, Message* problem, std::string* stored) {
  if (bytes.empty()) {
    *problem = MSG_MEDIA_EMPTY;
    return false;
  }
  if (kind != QUIZ_PICTURE) return check_clip(bytes, kind, problem);
  std::string ignored;
  return prepare_picture(bytes, false, background, stored ? stored : &ignored, info, problem);
}

Message pictures_summary(const PreparedQuiz& prepared) {
  Message converted, reencoded;
  if (prepared.converted) converted = Message(MSG_CONVERTED, {number(prepared.converted)});
  int count = 0;
  Message why;
  for (const auto& [reason, n] : prepared.reencoded) {
    count += n;
    Message one(reason, {number(n)});
    why = why.empty() ? one : Message(MSG_LIST_MORE, {why, one});
  }
  if (count) reencoded = Message(MSG_REENCODED, {number(count), why});
  return Message(MSG_PICTURES_SUMMARY,
                 {number(prepared.pictures), number(prepared.scaled), converted, reencoded});
}

Message unreadable_media(const Message& reason) { return Message(MSG_MEDIA_UNREADABLE, {reason}); }

std::string dump_source(const QuizSource& quiz, const std::string& exe, Language language) {
  return say(Message(MSG_DUMP_HEADER, {exe}), language) + "\n" + write_quiz_source(quiz);
}

int import_file(const std::string& file, const std::string& output, Language language,
                Diagnostics* diagnostics, std::ostream& out) {
  std::string bytes;
  Message problem;
  if (!read_file(file, &bytes, &problem)) {
    diagnostics->error(file, 0, Message(MSG_EXE_UNREADABLE, {problem}));
    return 1;
  }
  std::string sheet_folder = folder_of(file);
  ImportedQuiz imported;
  if (!import_questions(bytes, file, &imported, diagnostics,
                        [&sheet_folder](const std::string& name) {
                          return file_exists(path_in_folder(sheet_folder, name));
                        }))
    return 1;
  // Pictures are named as the sheet names them, from the source's folder.
  if (folder_of(output) != sheet_folder)
    for (FormQuestion& q : imported.form.questions)
      for (std::string* media : {&q.picture, &q.answer_picture})
        if (!media->empty()) *media = absolute_path(path_in_folder(sheet_folder, *media));
  if (!write_output(output, write_form_source(imported.form), 0644, diagnostics)) return 1;
  out << say(Message(MSG_IMPORTED,
                     {output, number(imported.form.questions.size()), number(imported.left_out)}),
             language)
      << "\n";
  return 0;
}

int export_quiz(const std::string& source, const std::string& output, Language language,
                Diagnostics* diagnostics, std::ostream& out) {
  std::string extension = output.size() >= 5 ? output.substr(output.size() - 5) : "";
  for (char& c : extension) c = char(tolower(static_cast<unsigned char>(c)));
  bool gift = extension == ".gift", xml = extension.compare(1, 4, ".xml") == 0;
  if (!gift && !xml) {
    diagnostics->error(output, 0, MSG_EXPORT_UNKNOWN_FORMAT);
    return 1;
  }
  QuizSource quiz;
  if (!read_quiz_source(source, &quiz, diagnostics)) return 1;
  std::string text = xml ? export_moodle_xml(quiz, language) : "";
  if ((gift && !export_gift(quiz, language, &text, diagnostics)) ||
      !write_output(output, text, 0644, diagnostics))
    return 1;
  out << say(Message(MSG_EXPORTED, {output, number(quiz.questions.size())}), language) << "\n";
  return 0;
}

std::string loader_fields(const PreparedQuiz& prepared) {
  const QuizSource& quiz = prepared.quiz;
  bool reveals = quiz.answer_mode >= MODE_REVEAL && quiz.answer_mode <= MODE_REVEAL_ALL;
  std::string out;
  auto field = [&out](const std::string& name, const std::string& value) {
    out += name + "=" + escape_field(value) + "\n";
  };
  field("kind", std::to_string(quiz.kind));
  field("question_count", std::to_string(quiz.questions.size()));
  field("answers_per_question", std::to_string(quiz.answers));
  field("answer_mode", std::to_string(quiz.answer_mode));
  field("background", std::to_string(quiz.red) + " " + std::to_string(quiz.green) + " " +
                          std::to_string(quiz.blue));
  field("title", quiz.title);
  field("author", quiz.author);
  field("explanation", quiz.explanation);
  field("answer1_label", quiz.labels[0]);
  field("answer2_label", quiz.labels[1]);
  field("link_address", quiz.link);
  field("link_text", quiz.link.empty() ? "" : quiz.link_text);
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const SourceQuestion& q = quiz.questions[i];
    std::string prefix = "q" + std::to_string(i + 1) + ".";
    field(prefix + "answer1", q.answer[0]);
    field(prefix + "answer2", quiz.answers == 2 ? q.answer[1] : "");
    field(prefix + "question_text", q.text);
    field(prefix + "reveal_text", reveals ? q.reveal : "");
    field("code" + std::to_string(i + 1), i < quiz.codes.size() ? quiz.codes[i] : "");
  }
  for (const Resource& r : prepared.resources) {
    if (r.type != resource_name(MEDIA_RESOURCE_TYPE)) continue;
    char hash[16];
    snprintf(hash, sizeof hash, "%08X", fnv1a(r.data));
    field("img" + std::to_string(r.name.id), std::to_string(r.data.size()) + " " + hash);
  }
  return out;
}

uint32_t fnv1a(const std::string& bytes) {
  uint32_t hash = 2166136261u;
  for (char c : bytes) hash = (hash ^ uint8_t(c)) * 16777619u;
  return hash;
}
