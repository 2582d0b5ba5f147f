// Starts a player as a user would, in a folder of its own, prints its main
// window's title and closes it: the release test's check that a program of
// the release (player.exe, a quiz packed by quizpack.exe) starts.
//   release_start PROGRAM.exe FOLDER
#include <cstdio>

#include "tests/e2e/driver.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: release_start PROGRAM.exe FOLDER\n");
    return 2;
  }
  PlayerRun run;
  if (!start_player(argv[1], argv[2], &run)) {
    fprintf(stderr, "%s: no window\n", argv[1]);
    kill_player(&run);
    return 1;
  }
  printf("%s\n", text_of(run.frame).c_str());
  fflush(stdout);
  int code = close_player(&run);
  if (code < 0) {
    fprintf(stderr, "%s: did not close\n", argv[1]);
    kill_player(&run);
    return 1;
  }
  return code;
}
