#include <gtest/gtest.h>
#include <windows.h>

// Windows need the project's X display: a plain top-level window can be made.
TEST(WindowLayer, ATopLevelWindowCanBeCreated) {
  HWND window = CreateWindowExA(0, "Static", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
}
