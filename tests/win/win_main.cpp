// Entry of the in-process window tests: the real Win32 seams, then GoogleTest.
#include <gtest/gtest.h>

#include "win32/platform/platform_win32.h"
#include "win32/platform/win32_seam.h"

namespace {

// Tests install seam tables of their own, often on their stack: after every
// test the real ones are put back, so no later test calls through a table
// that is gone.
class RealSeamsAfterEachTest : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    install_platform(&win32_platform());
    install_win32_seam(nullptr);
  }
};

}  // namespace

int main(int argc, char** argv) {
  install_platform(&win32_platform());
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new RealSeamsAfterEachTest);
  return RUN_ALL_TESTS();
}
