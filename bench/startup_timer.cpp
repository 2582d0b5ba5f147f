// startup_timer: how long Windows programs take from process creation to their
// first paint, measured from outside so that the programs carry no timing code.
//
//   startup_timer REPETITIONS PROGRAM.exe [PROGRAM.exe ...]
//
// "First paint" is the moment WaitForInputIdle returns: the program's thread
// is waiting for input with nothing left in its queue, so its first window
// has been shown and every WM_PAINT it was owed has been handled. A run
// counts only if a visible top-level window of the process exists then. The
// programs take turns, run by run, and are closed with WM_CLOSE; the closing
// is not timed. Prints the median, the lowest and the mean in milliseconds per
// program, and each program's median over the first program's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK find_visible(HWND window, LPARAM data) {
  Search* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

double now_ms() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

// One start; returns the milliseconds to first paint, or a negative value.
double time_one_start(const std::string& program) {
  std::string command = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  double start = now_ms();
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  DWORD idle = WaitForInputIdle(process.hProcess, 20000);
  double elapsed = now_ms() - start;
  Search search = {process.dwProcessId, nullptr};
  EnumWindows(find_visible, reinterpret_cast<LPARAM>(&search));
  if (idle != 0 || !search.found) elapsed = -1;
  if (search.found) PostMessageA(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || atoi(argv[1]) < 1) {
    fprintf(stderr, "usage: startup_timer REPETITIONS PROGRAM.exe [PROGRAM.exe ...]\n");
    return 2;
  }
  int repetitions = atoi(argv[1]);
  std::vector<std::string> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());
  for (size_t p = 0; p < programs.size(); ++p) time_one_start(programs[p]);  // warm the caches
  for (int run = 0; run < repetitions; ++run) {
    for (size_t p = 0; p < programs.size(); ++p) {
      double ms = time_one_start(programs[p]);
      if (ms < 0) {
        fprintf(stderr, "startup_timer: %s showed no window\n", programs[p].c_str());
        return 1;
      }
      times[p].push_back(ms);
    }
  }
  double base_median = 0;
  for (size_t p = 0; p < programs.size(); ++p) {
    std::vector<double>& t = times[p];
    std::sort(t.begin(), t.end());
    double median = t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
    double mean = 0;
    for (double v : t) mean += v;
    mean /= t.size();
    if (p == 0) base_median = median;
    printf("%-24s median %7.1f ms  lowest %7.1f ms  mean %7.1f ms  (%d runs)  ratio %.2f\n",
           programs[p].substr(programs[p].find_last_of("\\/") + 1).c_str(), median, t[0], mean,
           repetitions, median / base_median);
  }
  return 0;
}
