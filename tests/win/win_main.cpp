// Entry of the in-process window tests: the real Win32 seam, then GoogleTest.
#include <gtest/gtest.h>

#include "app/platform_win32.h"

int main(int argc, char** argv) {
  install_platform(&win32_platform());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
