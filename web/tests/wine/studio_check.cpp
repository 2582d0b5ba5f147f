// What the studio's browser test asks of a quiz it downloaded, under Wine:
//
//   studio_check fields QUIZ.exe
//     prints what the player's own loader reads from the quiz (FindResourceA,
//     load_content), one "name=value" line each in the form of
//     `quizpack build --fields`, then its "IMG" resources;
//   studio_check play QUIZ.exe NAME HEX...
//     starts the quiz (copied as NAME.exe into a fresh folder) with the
//     end-to-end driver, types into answer field k the Windows-1252 bytes
//     given in hex as argument k, presses Enter and answers the "texte" box
//     a found question may show, prints each verdict label, the boxes' texts,
//     each reveal label's visibility, the score and the code, closes the
//     player and prints its answers file.
//   studio_check places QUIZ.exe
//     starts the quiz with the end-to-end driver, scrolls its page to the
//     top left and prints each of the page's child windows as
//     "controlI=ID X Y WIDTH HEIGHT", its rectangle in the page's client
//     (hidden ones too), then closes the player.
// Texts are printed with bytes below 0x20, 0x7F, "\" and those above 0x7F
// as \xHH, so that they cross Wine's console unchanged.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/content/document.h"
#include "core/content/loader.h"
#include "core/content/resource_names.h"
#include "core/page/page_layout.h"
#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"
#include "win32/platform/platform_win32.h"
#include "tests/support/report_fields.h"

namespace {

uint32_t fnv1a(const char* bytes, DWORD size) {
  uint32_t hash = 2166136261u;
  for (DWORD i = 0; i < size; ++i) hash = (hash ^ uint8_t(bytes[i])) * 16777619u;
  return hash;
}

BOOL CALLBACK print_picture(HMODULE module, LPCSTR, LPSTR name, LONG_PTR) {
  if (!IS_INTRESOURCE(name)) return TRUE;
  HRSRC found = FindResourceA(module, name, MEDIA_RESOURCE_TYPE);
  DWORD size = SizeofResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  printf("img%u=%lu %08X\n", unsigned(reinterpret_cast<uintptr_t>(name)),
         static_cast<unsigned long>(size), fnv1a(bytes, size));
  return TRUE;
}

int ignore_message(const char*, const char*, unsigned) { return IDOK; }

int print_fields(const char* quiz) {
  HMODULE module = LoadLibraryExA(quiz, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    fprintf(stderr, "studio_check: cannot load %s\n", quiz);
    return 2;
  }
  PlatformSeam seam = win32_platform();
  seam.message_box = ignore_message;
  install_platform(&seam);
  set_resource_module(module);
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  init_document(doc);
  load_content(doc);
  field("kind", std::to_string(doc->kind));
  field("question_count", std::to_string(doc->question_count));
  field("answers_per_question", std::to_string(doc->answers_per_question));
  field("answer_mode", std::to_string(doc->answer_mode));
  field("background", std::to_string(doc->background_red) + " " +
                          std::to_string(doc->background_green) + " " +
                          std::to_string(doc->background_blue));
  field("title", doc->title);
  field("author", doc->author);
  field("explanation", doc->explanation);
  field("answer1_label", doc->answer1_label);
  field("answer2_label", doc->answer2_label);
  field("link_address", doc->link.address);
  field("link_text", doc->link.text);
  for (int i = 0; i < doc->question_count; ++i) {
    const QuizQuestion* q = question_at(doc, i);
    std::string prefix = "q" + std::to_string(i + 1) + ".";
    field(prefix + "answer1", q->answer1);
    field(prefix + "answer2", q->answer2);
    field(prefix + "question_text", q->question_text);
    field(prefix + "reveal_text", q->reveal_text);
    field("code" + std::to_string(i + 1), doc->codes[i]);
  }
  EnumResourceNamesA(module, MEDIA_RESOURCE_TYPE, print_picture, 0);
  release_document(doc);
  free(doc);
  return 0;
}

std::string from_hex(const char* hex) {
  std::string bytes;
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
    char pair[3] = {hex[i], hex[i + 1], 0};
    bytes += char(strtol(pair, nullptr, 16));
  }
  return bytes;
}

// Starts QUIZ as a user would, copied into FOLDER as NAME.exe.
bool start_copy(const char* quiz, const std::string& folder, const std::string& name,
                PlayerRun* run) {
  if (!copy_quiz(quiz, folder, name + ".exe")) return false;
  if (start_player(folder + "\\" + name + ".exe", folder, run)) return true;
  fprintf(stderr, "studio_check: the player did not start\n");
  return false;
}

// Closes the player as a user would, or kills it when it will not close;
// its exit status, negative when it was killed.
int end_run(PlayerRun* run) {
  int status = close_player(run);
  if (status < 0) kill_player(run);
  return status;
}

int play(const char* quiz, const std::string& name, int count, char** answers) {
  std::string folder = fresh_folder("studio-" + name);
  PlayerRun run;
  if (!start_copy(quiz, folder, name, &run)) return 2;
  std::string boxes;
  for (int k = 1; k <= count; ++k) {
    HWND answer = GetDlgItem(run.page, ID_ANSWER_FIELD + k);
    set_text(answer, from_hex(answers[k - 1]));
    press_key(answer, VK_RETURN);
    settle(run);
    // A question found in answer mode 3 tells its reveal text in a box.
    while (HWND box = wait_for_message_box(run, "texte", 0)) {
      boxes += message_box_text(box) + "|";
      press_button(box, IDOK);
      settle(run);
    }
    field("verdict" + std::to_string(k), text_of(GetDlgItem(run.page, ID_VERDICT_LABEL + k)));
  }
  field("boxes", boxes);
  // The reveal labels the page has (answer modes 2 to 4), shown or hidden.
  for (int n = 1; n <= MAX_QUESTIONS; ++n) {
    HWND reveal = GetDlgItem(run.page, ID_REVEAL_LABEL + n);
    if (reveal)
      field("reveal" + std::to_string(n),
            (GetWindowLongA(reveal, GWL_STYLE) & WS_VISIBLE) ? "1" : "0");
  }
  field("score", text_of(GetDlgItem(run.panel, SCORE_LABEL)));
  field("code", text_of(GetDlgItem(run.panel, CODE_BOX)));
  int status = end_run(&run);
  field("exit", std::to_string(status));
  field("answers", read_file(folder + "\\" + name + ".txt"));
  return status == 0 ? 0 : 1;
}

int print_places(const char* quiz) {
  PlayerRun run;
  if (!start_copy(quiz, fresh_folder("studio-places"), "places", &run)) return 2;
  PostMessageA(run.page, WM_VSCROLL, SB_TOP, 0);
  PostMessageA(run.page, WM_HSCROLL, SB_LEFT, 0);
  settle(run);
  int i = 0;
  for (HWND child = GetWindow(run.page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, run.page, reinterpret_cast<POINT*>(&place), 2);
    field("control" + std::to_string(++i),
          std::to_string(GetDlgCtrlID(child)) + " " + std::to_string(place.left) + " " +
              std::to_string(place.top) + " " + std::to_string(place.right - place.left) + " " +
              std::to_string(place.bottom - place.top));
  }
  return end_run(&run) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "fields") return print_fields(argv[2]);
  if (argc >= 4 && std::string(argv[1]) == "play")
    return play(argv[2], argv[3], argc - 4, argv + 4);
  if (argc == 3 && std::string(argv[1]) == "places") return print_places(argv[2]);
  fprintf(stderr,
          "usage: studio_check fields QUIZ.exe | play QUIZ.exe NAME HEX... | places QUIZ.exe\n");
  return 2;
}
