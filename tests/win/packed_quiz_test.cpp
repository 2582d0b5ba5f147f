// Every example quiz, packed by quizpack into a copy of the real player and
// read back under Wine by the player's own loader (FindResourceA,
// load_content): field for field what quizpack says the source holds. The
// fields come from `quizpack build --fields` as "name=value" lines.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "win32/platform/platform_win32.h"
#include "core/content/document.h"
#include "core/content/loader.h"
#include "example_quizzes.h"

namespace {

std::string unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 3 < value.size() && value[i + 1] == 'x') {
      out += char(strtol(value.substr(i + 2, 2).c_str(), nullptr, 16));
      i += 3;
    } else {
      out += value[i];
    }
  }
  return out;
}

std::map<std::string, std::string> read_fields(const std::string& path) {
  std::map<std::string, std::string> fields;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    size_t equals = line.find('=');
    if (equals != std::string::npos)
      fields[line.substr(0, equals)] = unescape(line.substr(equals + 1));
  }
  return fields;
}

std::string resource_bytes(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
  HRSRC found = FindResourceExA(module, type, name, language);
  if (!found) return "<missing>";
  HGLOBAL loaded = LoadResource(module, found);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
}

uint32_t fnv1a(const std::string& bytes) {
  uint32_t hash = 2166136261u;
  for (char c : bytes) hash = (hash ^ uint8_t(c)) * 16777619u;
  return hash;
}

// One resource of a module: type and name as text ("#5" for numbers).
struct ResourceName {
  std::string type, name;
  WORD language;
};

std::string name_text(LPCSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
}

LPCSTR name_arg(const std::string& text) {
  return text[0] == '#' ? MAKEINTRESOURCEA(atoi(text.c_str() + 1)) : text.c_str();
}

BOOL CALLBACK add_language(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<ResourceName>*>(list)->push_back(
      {name_text(type), name_text(name), language});
  return TRUE;
}
BOOL CALLBACK add_name(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
  return EnumResourceLanguagesA(module, type, name, add_language, list);
}
BOOL CALLBACK add_type(HMODULE module, LPSTR type, LONG_PTR list) {
  return EnumResourceNamesA(module, type, add_name, list);
}

std::vector<ResourceName> all_resources(HMODULE module) {
  std::vector<ResourceName> list;
  EnumResourceTypesA(module, add_type, reinterpret_cast<LONG_PTR>(&list));
  return list;
}

int ignore_message(const char*, const char*, unsigned) { return IDOK; }

class PackedQuiz : public ::testing::TestWithParam<std::string> {
 protected:
  PlatformSeam seam = win32_platform();
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  HMODULE module = nullptr;
  std::map<std::string, std::string> fields;

  void SetUp() override {
    seam.message_box = ignore_message;
    install_platform(&seam);
    init_document(doc);
    std::string exe = GetParam() + ".exe";
    module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    fields = read_fields(GetParam() + ".fields");
    ASSERT_FALSE(fields.empty());
  }
  void TearDown() override {
    release_document(doc);
    free(doc);
    set_resource_module(nullptr);
    if (module) FreeLibrary(module);
  }
  int number(const std::string& name) { return atoi(fields.at(name).c_str()); }
};

TEST_P(PackedQuiz, TheLoaderReadsEveryFieldOfTheSource) {
  set_resource_module(module);
  load_content(doc);
  EXPECT_EQ(int(doc->kind), number("kind"));
  EXPECT_EQ(doc->question_count, number("question_count"));
  EXPECT_EQ(question_list_length(doc), number("question_count"));
  EXPECT_EQ(doc->answers_per_question, number("answers_per_question"));
  EXPECT_EQ(doc->answer_mode, number("answer_mode"));
  EXPECT_EQ(fields.at("background"), std::to_string(doc->background_red) + " " +
                                         std::to_string(doc->background_green) + " " +
                                         std::to_string(doc->background_blue));
  LOGBRUSH brush = {};
  GetObjectA(static_cast<HBRUSH>(doc->background_brush), sizeof brush, &brush);
  EXPECT_EQ(brush.lbColor, RGB(doc->background_red, doc->background_green, doc->background_blue));
  EXPECT_EQ(doc->title, fields.at("title"));
  EXPECT_EQ(doc->author, fields.at("author"));
  EXPECT_EQ(doc->explanation, fields.at("explanation"));
  EXPECT_EQ(doc->answer1_label, fields.at("answer1_label"));
  EXPECT_EQ(doc->answer2_label, fields.at("answer2_label"));
  EXPECT_EQ(doc->link.address, fields.at("link_address"));
  EXPECT_EQ(doc->link.text, fields.at("link_text"));
  for (int i = 0; i < doc->question_count; ++i) {
    std::string q = "q" + std::to_string(i + 1) + ".";
    const QuizQuestion* question = question_at(doc, i);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->answer1, fields.at(q + "answer1")) << q;
    EXPECT_EQ(question->answer2, fields.at(q + "answer2")) << q;
    EXPECT_EQ(question->question_text, fields.at(q + "question_text")) << q;
    EXPECT_EQ(question->reveal_text, fields.at(q + "reveal_text")) << q;
    EXPECT_EQ(doc->codes[i], fields.at("code" + std::to_string(i + 1))) << i;
  }
}

TEST_P(PackedQuiz, PicturesAndClipsAreThoseQuizpackStored) {
  size_t stored = 0;
  for (const auto& [name, value] : fields) {
    if (name.compare(0, 3, "img") != 0) continue;
    ++stored;
    std::string bytes = resource_bytes(module, "IMG", MAKEINTRESOURCEA(atoi(name.c_str() + 3)), 0);
    char expected[32];
    snprintf(expected, sizeof expected, "%u %08X", unsigned(bytes.size()), fnv1a(bytes));
    EXPECT_EQ(value, expected) << name;
  }
  size_t found = 0;
  for (const ResourceName& r : all_resources(module)) found += r.type == "IMG";
  EXPECT_EQ(found, stored);
}

TEST_P(PackedQuiz, ThePlayersOwnResourcesSurviveUnchanged) {
  HMODULE player = LoadLibraryExA(QUIZ_PLAYER, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(player, nullptr);
  std::vector<ResourceName> originals = all_resources(player);
  EXPECT_FALSE(originals.empty());
  for (const ResourceName& r : originals) {
    EXPECT_EQ(resource_bytes(module, name_arg(r.type), name_arg(r.name), r.language),
              resource_bytes(player, name_arg(r.type), name_arg(r.name), r.language))
        << r.type << " " << r.name;
  }
  // The version block is still found the usual way.
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);
  FreeLibrary(player);
}

INSTANTIATE_TEST_SUITE_P(Examples, PackedQuiz, ::testing::ValuesIn(example_quizzes()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

// The texts of one example, written out here in Windows-1252 rather than taken
// from quizpack, so that the whole chain from UTF-8 source to the player is
// checked once against fixed bytes.
TEST(PackedQuizBytes, AccentsArriveInWindows1252) {
  PlatformSeam seam = win32_platform();
  seam.message_box = ignore_message;
  install_platform(&seam);
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  init_document(doc);
  HMODULE module = LoadLibraryExA("capitales.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  set_resource_module(module);
  load_content(doc);
  EXPECT_STREQ(doc->author, "L'\xE9quipe du quiz");
  EXPECT_STREQ(question_at(doc, 4)->answer1, "Ath\xE8nes");
  EXPECT_STREQ(question_at(doc, 3)->reveal_text,
               "Varsovie s'\xE9"
               "crit \xAB Warszawa \xBB en polonais.");
  EXPECT_STREQ(doc->codes[0], "\xC9T\xC9");
  EXPECT_EQ(doc->answer_mode, 3);
  release_document(doc);
  free(doc);
  set_resource_module(nullptr);
  FreeLibrary(module);
}

}  // namespace
