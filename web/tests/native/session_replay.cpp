// The native core's answers to a scripted play of a packed quiz, for the web
// tests to compare the WebAssembly module with:
//
//   session_replay QUIZ.exe [ANSWERS.txt|-] STEP...
//     reads the quiz's resources with the PE reader and fills the document
//     with the player's loader; restores the answers file given (- for none)
//     and judges every field as the page does at start; then each STEP is
//     "K=HEX" (field K takes the Windows-1252 bytes HEX and is judged, as on
//     Enter) or "K!HEX" (F1 in field K with that text). Prints each verdict
//     label, each reveal's visibility, the answer pictures shown, the "texte"
//     boxes, the score, the code and the answers file, one "name=value" line
//     each, in the form studio_check prints.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/answers/quiz_session.h"
#include "core/answers/score_rules.h"
#include "core/authoring/pe_resources.h"
#include "core/content/loader.h"
#include "core/content/resource_names.h"
#include "tests/support/recording_platform.h"
#include "tests/support/report_fields.h"

namespace {

std::string from_hex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += char(strtol(hex.substr(i, 2).c_str(), nullptr, 16));
  return bytes;
}

bool read_file(const char* path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

struct Shown {
  std::vector<std::string> pictures, boxes;
};

void show_nothing_text(void*, int, const char*) {}
void show_nothing_verdict(void*, int, Verdict, const char*) {}
void show_nothing_reveal(void*, int, bool) {}
void show_nothing_score(void*, const char*, const char*) {}
void show_answer_picture(void* instance, int question) {
  static_cast<Shown*>(instance)->pictures.push_back(std::to_string(question));
}
void show_message(void* instance, const char* text, const char*) {
  static_cast<Shown*>(instance)->boxes.push_back(text);
}
const SessionViewOps VIEW = {show_nothing_text,
                             show_nothing_verdict,
                             show_nothing_reveal,
                             show_answer_picture,
                             show_message,
                             show_nothing_score,
                             nullptr};

}  // namespace

int main(int argc, char** argv) {
  std::string image, answers;
  std::vector<Resource> resources;
  Message problem;
  if (argc < 3 || !read_file(argv[1], &image) || !read_resources(image, &resources, &problem)) {
    fprintf(stderr, "usage: session_replay QUIZ.exe ANSWERS.txt|- STEP... (%s)\n",
            say(problem, Language::ENGLISH).c_str());
    return 2;
  }
  RecordingPlatform platform;
  for (const Resource& r : resources) {
    if (r.type == resource_name(CONTENT_RESOURCE_TYPE) && !r.name.is_name())
      platform.add_resource(r.name.id, CONTENT_RESOURCE_TYPE, r.data);
  }
  static QuizDocument doc;
  init_document(&doc);
  load_content(&doc);
  Shown shown;
  SessionView view = {&VIEW, &shown};
  static QuizSession session;
  start_session(&session, &doc, &view);
  if (std::string(argv[2]) != "-" && read_file(argv[2], &answers))
    restore_answers(&session, answers.data(), answers.size());
  judge_all_fields(&session);
  for (int i = 3; i < argc; ++i) {
    std::string step = argv[i];
    size_t at = step.find_first_of("=!");
    if (at == std::string::npos) continue;
    int k = atoi(step.substr(0, at).c_str());
    std::string text = from_hex(step.substr(at + 1));
    if (step[at] == '=') {
      judge_field(&session, k, text.c_str());
    } else {
      spread_answer_text(&session, k, text.c_str());
    }
  }
  for (int k = 1; k <= session.field_count; ++k)
    field("verdict" + std::to_string(k), session.fields[k - 1].word);
  for (int n = 1; n <= session.question_count; ++n)
    field("reveal" + std::to_string(n),
          session.all_revealed || session.revealed[n - 1] ? "1" : "0");
  std::string pictures, boxes;
  for (const std::string& p : shown.pictures) pictures += (pictures.empty() ? "" : ",") + p;
  for (const std::string& b : shown.boxes) boxes += b + "|";
  field("pictures", pictures);
  field("boxes", boxes);
  char score[TEXT_SLOT_SIZE];
  format_score(score, session.score, doc.question_count);
  field("score", score);
  field("code", session_code(&session));
  std::string out(ANSWERS_FILE_MAX, '\0');
  out.resize(write_answers(&session, &out[0]));
  field("answers", out);
  release_document(&doc);
  return 0;
}
