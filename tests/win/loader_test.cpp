// load_content under Wine, on real "PATCH" resources found with FindResourceA
// in resource modules; messages are observed through the seam.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "win32/platform/platform_win32.h"
#include "core/content/document.h"
#include "core/content/loader.h"

namespace {

struct Message {
  std::string text, caption;
};
std::vector<Message> messages;

int record_message(const char* text, const char* caption, unsigned) {
  messages.push_back({text, caption});
  return IDOK;
}

COLORREF brush_colour(BrushHandle brush) {
  LOGBRUSH logbrush = {};
  GetObjectA(static_cast<HBRUSH>(brush), sizeof logbrush, &logbrush);
  return logbrush.lbColor;
}

// Loads the content of one resource module into a fresh document.
class LoaderTest : public ::testing::Test {
 protected:
  PlatformSeam seam = win32_platform();
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  HMODULE module = nullptr;

  void SetUp() override {
    seam.message_box = record_message;
    install_platform(&seam);
    messages.clear();
    init_document(doc);
  }
  void TearDown() override {
    release_document(doc);
    free(doc);
    set_resource_module(nullptr);
    if (module) FreeLibrary(module);
  }
  void load(const char* module_name) {
    module = LoadLibraryExA(module_name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << module_name;
    set_resource_module(module);
    load_content(doc);
  }
};

TEST_F(LoaderTest, NoContentResourceGivesTheDemonstration) {
  load("res_demo.dll");
  EXPECT_TRUE(messages.empty());
  EXPECT_STREQ(doc->title, "Nom du tirlo");
  EXPECT_EQ(doc->kind, QUIZ_PICTURE);
  EXPECT_EQ(doc->question_count, 7);
  EXPECT_EQ(doc->answers_per_question, 2);
  EXPECT_EQ(doc->answer_mode, 3);
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(53, 203, 163));
  EXPECT_STREQ(question_at(doc, 4)->question_text, "emplacement");
  EXPECT_STREQ(doc->codes[0], "");  // resource 105 is not read
}

TEST_F(LoaderTest, EmptyContentResourceGivesTheDemonstration) {
  load("res_empty_content.dll");
  EXPECT_TRUE(messages.empty());
  EXPECT_STREQ(doc->title, "Nom du tirlo");
}

TEST_F(LoaderTest, ModeZeroOneAnswer) {
  load("res_mode0.dll");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(doc->kind, QUIZ_PICTURE);
  EXPECT_STREQ(doc->title, "Capitales d'Europe");
  EXPECT_STREQ(doc->author, "Marie Curie");
  EXPECT_STREQ(doc->explanation, "Trouvez la ville");
  EXPECT_STREQ(doc->answer1_label, "Ville");
  EXPECT_STREQ(doc->answer2_label, "Pays");
  EXPECT_EQ(doc->question_count, 3);
  EXPECT_EQ(doc->answers_per_question, 1);
  EXPECT_STREQ(question_at(doc, 2)->answer1, "Berlin");
  EXPECT_STREQ(question_at(doc, 2)->answer2, "");
  EXPECT_STREQ(question_at(doc, 2)->question_text, "Capitale de l'Allemagne");
  EXPECT_EQ(doc->answer_mode, 0);
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(30, 200, 30));
  // Codes line by line; the fourth line is beyond the question count.
  EXPECT_STREQ(doc->codes[0], "UN");
  EXPECT_STREQ(doc->codes[2], "TROIS");
  EXPECT_STREQ(doc->codes[3], "");
}

TEST_F(LoaderTest, ModeOneTwoAnswers) {
  load("res_mode1.dll");
  EXPECT_EQ(doc->answers_per_question, 2);
  EXPECT_STREQ(question_at(doc, 1)->answer1, "Rome");
  EXPECT_STREQ(question_at(doc, 1)->answer2, "Italie");
  EXPECT_STREQ(doc->explanation, "Deux r\xE9ponses");
  EXPECT_EQ(doc->answer_mode, 1);
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(10, 20, 30));
  EXPECT_STREQ(doc->codes[0],
               "C\xD4"
               "DE-1");
}

TEST_F(LoaderTest, ModeTwoRevealTexts) {
  load("res_mode2.dll");
  EXPECT_EQ(doc->kind, QUIZ_TEXT);
  EXPECT_EQ(doc->answer_mode, 2);
  EXPECT_STREQ(question_at(doc, 0)->answer1, "Napol\xE9on");
  EXPECT_STREQ(question_at(doc, 0)->reveal_text, "Sacr\xE9 en 1804");
  EXPECT_STREQ(question_at(doc, 1)->reveal_text, "Baptis\xE9 \xE0 Reims");
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(1, 2, 3));
}

TEST_F(LoaderTest, ModeThreeKeepsTheFirstRevealText) {
  load("res_mode3.dll");
  EXPECT_EQ(doc->kind, QUIZ_AUDIO);
  EXPECT_STREQ(question_at(doc, 0)->reveal_text, "miaou");
  EXPECT_STREQ(question_at(doc, 1)->reveal_text, "ouaf");
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(4, 5, 6));
}

TEST_F(LoaderTest, ModeFourTwoAnswers) {
  load("res_mode4.dll");
  EXPECT_EQ(doc->kind, QUIZ_VIDEO);
  EXPECT_EQ(doc->answer_mode, 4);
  EXPECT_STREQ(question_at(doc, 1)->answer2, "1985");
  EXPECT_STREQ(question_at(doc, 1)->reveal_text, "tout 2");
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(7, 8, 9));
}

TEST_F(LoaderTest, NoQuestionsAndNoCodes) {
  load("res_count0.dll");
  EXPECT_EQ(doc->question_count, 0);
  EXPECT_EQ(doc->first, nullptr);
  EXPECT_EQ(brush_colour(doc->background_brush), RGB(11, 12, 13));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Codes non trouv\xE9s.");
  EXPECT_EQ(messages[0].caption, "Tirlo");
}

TEST_F(LoaderTest, ContentThatDoesNotDecodeKeepsTheDefaults) {
  load("res_bad_content.dll");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Erreur dans le d\xE9"
            "cryptage des reponses");
  EXPECT_EQ(messages[0].caption, "Tirlo");
  EXPECT_STREQ(doc->title, "nom du tirlo");
  EXPECT_EQ(doc->question_count, 2);
  EXPECT_EQ(doc->first, nullptr);
}

TEST_F(LoaderTest, EmptyCodesResource) {
  load("res_codes_empty.dll");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Codes non renseign\xE9s.");
  EXPECT_EQ(doc->question_count, 2);  // the content is kept
}

TEST_F(LoaderTest, CodesThatDoNotDecode) {
  load("res_codes_bad.dll");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text,
            "Erreur dans le d\xE9"
            "cryptage des codes");
  EXPECT_STREQ(doc->title, "Histoire");
  EXPECT_STREQ(doc->codes[0], "");
}

}  // namespace
