// The message loop of the benchmark's programs that show a question page:
// the player's own (its pictures out of view decoded while nothing waits),
// with the ready report (bench_program.h) before each wait.
#pragma once

#include <windows.h>

#include <cstdio>

// Until WM_QUIT. `details` as report_ready_once takes them.
void run_page_loop(HWND page, void (*details)(FILE* file));
