#include "bench_program.h"

#include <cstdio>

namespace {

ULONGLONG ticks(const FILETIME& time) {
  return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

double ms_since_process_start() {
  FILETIME now, created, exited, kernel, user;
  GetSystemTimeAsFileTime(&now);
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  return double(ticks(now) - ticks(created)) / 10000.0;
}

void report_ready_once(void (*details)(FILE* file), bool idle_work_left) {
  static bool reported = false;
  static double first_screen = -1;
  if (reported) return;
  MSG message;
  // Paint messages count as pending: an empty answer means everything is drawn.
  if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return;
  double ready = ms_since_process_start();
  if (first_screen < 0) first_screen = ready;
  if (idle_work_left) return;
  reported = true;
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA(BENCH_READY_VARIABLE, path, sizeof path)) return;
  char temporary[MAX_PATH + 4];
  snprintf(temporary, sizeof temporary, "%s.new", path);
  FILE* file = fopen(temporary, "w");
  if (!file) return;
  fprintf(file, "ready_ms %.1f\nfirst_screen_ms %.1f\n", ready, first_screen);
  if (details) details(file);
  fclose(file);
  MoveFileA(temporary, path);  // appears whole
}

void register_window_class(HINSTANCE instance, const char* name, WNDPROC procedure,
                           int background) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
}
