// The player's start-up up to the question page, for the start-up benchmark:
// the document, its content, a 544 x 375 frame and the page in it, then the
// message loop. The quiz's resources come from the module named on the
// command line (a resource DLL, or a packed player read as data); without
// one it is the demonstration quiz. Asked by the benchmark, it writes what
// the page cost: GDI objects, picture bitmaps and peak working set.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "bench_program.h"
#include "page_loop.h"
#include "core/content/loader.h"
#include "core/page/page_layout.h"
#include "resources/resource_ids.h"
#include "tests/support/gdi_objects.h"
#include "win32/answers/page_view.h"
#include "win32/page/question_page.h"
#include "win32/platform/platform_win32.h"

namespace {

const char FRAME_CLASS[] = "BenchPageFrame";
const int FRAME_WIDTH = 544;
const int FRAME_HEIGHT = 375;

HWND page = nullptr;
const QuizDocument* shown_quiz = nullptr;
GdiCensus before_page = {};

// Milliseconds since the process's creation at each step of the start-up.
struct Steps {
  double entry, document, frame, page, shown;
} steps;

int page_controls() {
  int controls = 0;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    ++controls;
  }
  return controls;
}

int page_bitmaps() {
  int bitmaps = 0;
  for (int n = 1; n <= MAX_QUESTIONS; ++n) {
    HWND picture = GetDlgItem(page, ID_QUESTION_PICTURE + n);
    if (picture && SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)) ++bitmaps;
  }
  return bitmaps;
}

void write_figures() {
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA(BENCH_FIGURES_VARIABLE, path, sizeof path)) return;
  FILE* file = fopen(path, "w");
  if (!file) return;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
  GdiCensus now = gdi_census();
  fprintf(file, "peak_working_set_kb %lu\n",
          static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
  fprintf(file, "questions %d\ncontrols %d\npicture_bitmaps %d\n", shown_quiz->question_count,
          page_controls(), page_bitmaps());
  fprintf(file, "gdi_objects %lu\n", static_cast<unsigned long>(now.total));
  // What the page added, by kind: bitmaps should be the pictures shown, and
  // device contexts and regions Wine's one each per window.
  const struct {
    const char* name;
    DWORD type;
  } kinds[] = {{"bitmap", OBJ_BITMAP}, {"font", OBJ_FONT},   {"brush", OBJ_BRUSH},
               {"dc", OBJ_DC},         {"memdc", OBJ_MEMDC}, {"region", OBJ_REGION}};
  fprintf(file, "gdi_objects_added_by_page %ld\n", long(now.total) - long(before_page.total));
  for (const auto& kind : kinds) {
    fprintf(file, "  added_%s %ld\n", kind.name,
            long(now.of_type[kind.type]) - long(before_page.of_type[kind.type]));
  }
  fclose(file);
}

void write_steps(FILE* file) {
  fprintf(file, "step_ms entry %.1f document %.1f frame %.1f page %.1f shown %.1f\n", steps.entry,
          steps.document, steps.frame, steps.page, steps.shown);
}

LRESULT CALLBACK frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      if (page) MoveWindow(page, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_BENCH_FIGURES: write_figures(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(frame, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  steps.entry = ms_since_process_start();
  install_platform(&win32_platform());
  if (command_line && *command_line) {
    HMODULE quiz = LoadLibraryExA(command_line, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!quiz) return 2;
    set_resource_module(quiz);
  }
  register_window_class(instance, FRAME_CLASS, frame_proc, COLOR_SCROLLBAR);

  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  if (!doc) return 1;
  init_document(doc);
  shown_quiz = doc;
  load_content(doc);
  steps.document = ms_since_process_start();

  HWND frame =
      CreateWindowExA(0, FRAME_CLASS, doc->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                      FRAME_WIDTH, FRAME_HEIGHT, nullptr, nullptr, instance, nullptr);
  steps.frame = ms_since_process_start();
  // Counting GDI objects takes a while under Wine: only in the run asked for figures.
  if (GetEnvironmentVariableA(BENCH_FIGURES_VARIABLE, nullptr, 0)) before_page = gdi_census();
  PageSetup setup = answering_page(doc, nullptr);
  page = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PAGE), frame,
                            question_page_proc, reinterpret_cast<LPARAM>(&setup));
  steps.page = ms_since_process_start();
  RECT client;
  GetClientRect(frame, &client);
  MoveWindow(page, 0, 0, client.right, client.bottom, FALSE);
  ShowWindow(frame, SW_SHOWNORMAL);
  ShowWindow(page, SW_SHOW);
  SendMessageA(page, WM_VSCROLL, SB_TOP, 0);
  steps.shown = ms_since_process_start();

  run_page_loop(page, write_steps);
  return 0;
}
