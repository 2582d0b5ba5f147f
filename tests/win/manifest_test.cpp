// The manifest in the player's resources, and that the system's loader reads
// it: the process it starts runs as the invoker and declares the Windows
// versions it was made for. The window tests carry the player's resources, so
// their own process is started from the same manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string manifest_text() {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(bytes, SizeofResource(nullptr, found));
}

TEST(Manifest, DeclaresTheInvokerTheSupportedSystemsAndScaling) {
  std::string text = manifest_text();
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(text.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // 10 and 11
  EXPECT_NE(text.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);  // Vista
  // The pixel layouts are scaled by the system, never laid out for the DPI.
  EXPECT_NE(text.find(">false</dpiAware>"), std::string::npos);
  // The texts are in the system's ANSI code page (Windows-1252): no UTF-8.
  EXPECT_EQ(text.find("activeCodePage"), std::string::npos);
}

TEST(Manifest, IsWhatTheLoaderStartedTheProcessWith) {
  HANDLE context = nullptr;
  ASSERT_TRUE(GetCurrentActCtx(&context));
  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run_level = {};
  SIZE_T written = 0;
  ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &run_level,
                           sizeof run_level, &written));
  EXPECT_EQ(run_level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
  EXPECT_FALSE(run_level.UiAccess);
  ReleaseActCtx(context);
}

}  // namespace
