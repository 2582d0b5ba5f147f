// The manifest in the player's resources, and that the system's loader reads
// it: the process it starts runs as the invoker and declares the Windows
// versions it was made for. The window tests carry the player's resources, so
// their own process is started from the same manifest; the built player and
// every quiz packed from it carry it too, as the system looks it up.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "example_quizzes.h"

namespace {

// The process manifest of `module` (null: this program), resource type
// RT_MANIFEST (24), id 1; empty when there is none.
std::string manifest_text(HMODULE module = nullptr) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  if (!found) return "";
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

std::string manifest_of_file(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return "no module " + path;
  std::string text = manifest_text(module);
  FreeLibrary(module);
  return text;
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

TEST(Manifest, ThePlayerAndEveryPackedQuizCarryItByteForByte) {
  std::ifstream source(QUIZ_MANIFEST, std::ios::binary);
  ASSERT_TRUE(source) << QUIZ_MANIFEST;
  std::string expected((std::istreambuf_iterator<char>(source)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(manifest_text(), expected);
  EXPECT_EQ(manifest_of_file(QUIZ_PLAYER), expected);
  for (const std::string& name : example_quizzes()) {
    EXPECT_EQ(manifest_of_file(name + ".exe"), expected) << name;
  }
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
