// bench_decode PICTURE.jpg [REPEATS]: the cost of one picture for the page:
// decode it with the platform's picture loader and fit it into 260 x 260,
// as the page does for each picture, inside an apartment held around them
// all. Prints each time and the median.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "win32/page/picture.h"

namespace {

double now_ms() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: bench_decode PICTURE.jpg [REPEATS]\n");
    return 2;
  }
  int repeats = argc > 2 ? atoi(argv[2]) : 5;
  FILE* file = fopen(argv[1], "rb");
  if (!file) return 1;
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  fclose(file);

  // As in the page build: COM held around all decodes, each decode nesting.
  CoInitialize(nullptr);
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    double started = now_ms();
    HBITMAP decoded = decode_picture(bytes.data(), DWORD(bytes.size()));
    double decoded_at = now_ms();
    HBITMAP fitted = scale_bitmap(decoded, 260, 260);
    DeleteObject(decoded);
    DeleteObject(fitted);
    double ms = now_ms() - started;
    if (!decoded || !fitted) {
      fprintf(stderr, "bench_decode: %s does not decode\n", argv[1]);
      return 1;
    }
    times.push_back(ms);
    printf("  decode %d: %.1f ms (of which fitting %.1f ms)\n", i + 1, ms,
           ms - (decoded_at - started));
  }
  CoUninitialize();
  std::sort(times.begin(), times.end());
  printf("median_ms %.1f\n", times[times.size() / 2]);
  return 0;
}
