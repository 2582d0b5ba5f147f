// What the start-up benchmark's programs share: how they talk with the
// launcher (files named in the environment, and one message) and their
// window class.
#pragma once

#include <windows.h>

#include <cstdio>

// Asked of a program's top-level window: write figures to BENCH_FIGURES.
const UINT WM_BENCH_FIGURES = WM_APP + 0x42;
const char BENCH_FIGURES_VARIABLE[] = "BENCH_FIGURES";
// Where a program writes "ready_ms N": milliseconds from its process's
// creation to the first time it has nothing left to do, its windows built
// and painted.
const char BENCH_READY_VARIABLE[] = "BENCH_READY";

// Milliseconds since this process was created.
double ms_since_process_start();

// Called before each wait for a message, saying whether work is left for
// the program's idle time (pictures still to decode): the first time no
// message (and no paint) is pending is its first screen; the first time none
// is pending and no work is left, it writes the ready time and the first
// screen's ("first_screen_ms N"), then `details` if given. Does nothing
// without BENCH_READY.
void report_ready_once(void (*details)(FILE* file) = nullptr, bool idle_work_left = false);

// Registers a top-level window class with an arrow cursor and the system
// colour `background` (a COLOR_ value).
void register_window_class(HINSTANCE instance, const char* name, WNDPROC procedure, int background);
