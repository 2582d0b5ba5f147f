// The player's own start-up for the start-up benchmark: run_player's steps
// (document, content, media host, frame, header panel and page, the frame
// fitted to its page) with the quiz's resources read from the module named on
// the command line, and a message loop that reports when it is first ready.
// With BENCH_DESCRIBE set, it then writes every window it made (class, style,
// place, text and font) for the floor program (page_floor.cpp) to make again.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "bench_program.h"
#include "page_loop.h"
#include "core/content/loader.h"
#include "win32/app/main_frame.h"
#include "win32/app/startup.h"
#include "win32/platform/platform_win32.h"
#include "window_description.h"

namespace {

Player player = {};

void describe(FILE*) {
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA(BENCH_DESCRIBE_VARIABLE, path, sizeof path)) return;
  write_window_description(path, player.frame, player.panel, player.page);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  install_platform(&win32_platform());
  if (command_line && *command_line) {
    HMODULE quiz = LoadLibraryExA(command_line, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!quiz) return 2;
    set_resource_module(quiz);
  }
  if (!register_frame_class(instance)) return 1;
  player.document = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (!player.document) return 1;
  init_document(player.document);
  load_content(player.document);
  start_media(&player.media, player.document);
  open_player_windows(instance, &player);

  run_page_loop(player.page, describe);
  tear_down(&player);
  return 0;
}
