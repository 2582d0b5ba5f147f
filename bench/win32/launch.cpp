// bench_launch RUNS NAME=PROGRAM[:ARGUMENT]...: starts benchmark programs
// (ones that report when they are ready, see bench_program.h) RUNS times
// each, in rounds, and prints the ready times (and the first screen's, where
// a program reports one), measured by each program from its own process's
// creation: median, least and most. One more round asks
// each program for its figures and prints them with the peak working set and
// GDI count the system reports.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_program.h"

namespace {

const DWORD READY_TIMEOUT_MS = 300000;
const DWORD EXIT_TIMEOUT_MS = 10000;

BOOL CALLBACK collect_window(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::vector<HWND> windows_of(DWORD thread) {
  std::vector<HWND> windows;
  EnumThreadWindows(thread, collect_window, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void close_program(const PROCESS_INFORMATION& process) {
  for (HWND window : windows_of(process.dwThreadId)) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

// The file's "name value" line for `name`, or -1.
double read_value(const char* path, const char* name) {
  FILE* file = fopen(path, "r");
  if (!file) return -1;
  char key[64];
  double value;
  double found = -1;
  while (fscanf(file, "%63s %lf", key, &value) == 2) {
    if (strcmp(key, name) == 0) found = value;
  }
  fclose(file);
  return found;
}

// Starts the program and waits for its ready report; the milliseconds, or -1.
double start_program(const std::string& command_line, const char* ready_path,
                     PROCESS_INFORMATION* process) {
  DeleteFileA(ready_path);
  SetEnvironmentVariableA(BENCH_READY_VARIABLE, ready_path);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back(0);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      process)) {
    return -1;
  }
  for (DWORD waited = 0; waited < READY_TIMEOUT_MS; waited += 5) {
    double ready = read_value(ready_path, "ready_ms");
    if (ready >= 0) return ready;
    if (WaitForSingleObject(process->hProcess, 5) == WAIT_OBJECT_0) return -1;
  }
  return -1;
}

void print_figures(const PROCESS_INFORMATION& process, const char* figures_path) {
  for (HWND window : windows_of(process.dwThreadId)) {
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_BENCH_FIGURES, 0, 0, SMTO_BLOCK, 60000, &result);
  }
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
    printf("  system_peak_working_set_kb %lu\n",
           static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024));
  }
  printf("  system_gdi_objects %lu\n",
         static_cast<unsigned long>(GetGuiResources(process.hProcess, GR_GDIOBJECTS)));
  FILE* file = fopen(figures_path, "r");
  if (!file) return;
  char line[256];
  while (fgets(line, sizeof line, file)) printf("  %s", line);
  fclose(file);
  DeleteFileA(figures_path);
}

std::string temporary_file(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

struct Program {
  std::string name;
  std::string command_line;
  std::vector<double> times;
  std::vector<double> first_screens;  // where the program reports them
  std::string last_report;            // the ready file of the last timed run
};

std::string file_text(const char* path) {
  std::string text;
  FILE* file = fopen(path, "r");
  if (!file) return text;
  char line[256];
  while (fgets(line, sizeof line, file)) text += std::string("  ") + line;
  fclose(file);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: bench_launch RUNS NAME=PROGRAM[:ARGUMENT]...\n");
    return 2;
  }
  int runs = atoi(argv[1]);
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) {
    std::string argument = argv[i];
    size_t equals = argument.find('='), colon = argument.find(':', equals);
    Program program;
    program.name = argument.substr(0, equals);
    program.command_line = "\"" + argument.substr(equals + 1, colon - equals - 1) + "\"";
    if (colon != std::string::npos) program.command_line += " " + argument.substr(colon + 1);
    programs.push_back(program);
  }
  std::string ready_path = temporary_file("bench_ready.txt");
  std::string figures_path = temporary_file("bench_figures.txt");

  // Rounds of one run of each program, so that whatever else the machine does
  // falls on all of them alike.
  for (int run = 0; run <= runs; ++run) {
    bool last = run == runs;  // untimed: counting GDI objects takes a while
    if (last) SetEnvironmentVariableA(BENCH_FIGURES_VARIABLE, figures_path.c_str());
    for (Program& program : programs) {
      PROCESS_INFORMATION process = {};
      double ms = start_program(program.command_line, ready_path.c_str(), &process);
      if (ms < 0) {
        fprintf(stderr, "bench_launch: %s did not get ready\n", program.command_line.c_str());
        if (process.hProcess) close_program(process);
        return 1;
      }
      if (last) {
        printf("%s figures\n", program.name.c_str());
        print_figures(process, figures_path.c_str());
      } else {
        program.times.push_back(ms);
        double first_screen = read_value(ready_path.c_str(), "first_screen_ms");
        if (first_screen >= 0) program.first_screens.push_back(first_screen);
        program.last_report = file_text(ready_path.c_str());
      }
      close_program(process);
    }
  }
  for (Program& program : programs) {
    std::sort(program.times.begin(), program.times.end());
    if (program.times.empty()) continue;
    printf("%s ready_ms median %.1f min %.1f max %.1f runs %zu\n", program.name.c_str(),
           program.times[program.times.size() / 2], program.times.front(), program.times.back(),
           program.times.size());
    std::vector<double>& first = program.first_screens;
    std::sort(first.begin(), first.end());
    if (!first.empty()) {
      printf("%s first_screen_ms median %.1f min %.1f max %.1f runs %zu\n", program.name.c_str(),
             first[first.size() / 2], first.front(), first.back(), first.size());
    }
    printf("%s", program.last_report.c_str());
  }
  DeleteFileA(ready_path.c_str());
  return 0;
}
