#include <gtest/gtest.h>

#include <cstdlib>

#include "core/answers/verdict.h"
#include "core/page/page_colours.h"
#include "tests/support/recording_platform.h"

namespace {

struct PageColoursTest : ::testing::Test {
  RecordingPlatform platform;
  QuizDocument* doc = static_cast<QuizDocument*>(malloc(sizeof(QuizDocument)));
  void SetUp() override {
    init_document(doc);
    doc->question_count = 3;
    doc->answers_per_question = 2;
  }
  void TearDown() override {
    release_document(doc);
    free(doc);
  }
};

TEST_F(PageColoursTest, NumbersCaptionsAndRevealsStandOnTheBackground) {
  set_background(doc, 30, 200, 30);
  for (int id : {153, 156, 8001, 8006}) {
    StaticColours colours = static_colours(doc, id, nullptr);
    EXPECT_TRUE(colours.painted) << id;
    EXPECT_TRUE(colours.transparent);
    EXPECT_TRUE(colours.sets_text);
    EXPECT_EQ(colours.text_colour, 0x000000u);
    EXPECT_FALSE(colours.sets_back);
    EXPECT_EQ(colours.brush, doc->background_brush);
  }
  set_background(doc, 30, 30, 200);  // blue plays no part
  EXPECT_EQ(static_colours(doc, 153, nullptr).text_colour, 0xFFFFFFu);
  set_background(doc, 59, 59, 0);
  EXPECT_EQ(static_colours(doc, 156, nullptr).text_colour, 0xFFFFFFu);
  set_background(doc, 60, 0, 0);
  EXPECT_EQ(static_colours(doc, 8001, nullptr).text_colour, 0x000000u);
}

TEST_F(PageColoursTest, VerdictLabelsTakeTheBrushOfTheirWord) {
  struct Case {
    const char* text;
    BrushHandle brush;
    uint32_t back;
  } cases[] = {
      {"Anagramme", doc->anagram_brush, 0x0000FF},
      {"BRAVO", doc->right_brush, 0x00FF00},
      {"FAUX", doc->wrong_brush, 0x0000FF},
      {"Presque", doc->hint_brush, 0x0000FF},
      {verdict_text(VERDICT_SIMILAR), doc->hint_brush, 0x0000FF},
      {"bravo", doc->hint_brush, 0x0000FF},
      {"", doc->hint_brush, 0x0000FF},
  };
  for (const Case& c : cases) {
    for (int id : {5001, 5006}) {
      StaticColours colours = static_colours(doc, id, c.text);
      EXPECT_TRUE(colours.painted) << c.text;
      EXPECT_EQ(colours.brush, c.brush) << c.text;
      EXPECT_TRUE(colours.sets_back);
      EXPECT_EQ(colours.back_colour, c.back) << c.text;
      EXPECT_FALSE(colours.transparent);
      EXPECT_FALSE(colours.sets_text);
    }
  }
}

TEST_F(PageColoursTest, UnjudgedVerdictAndOtherStaticsKeepTheDefaultLook) {
  EXPECT_FALSE(static_colours(doc, 5003, "?").painted);
  for (int id : {5000, 5007, 8000, 8007, 9901, 6001, 0, -1}) {
    EXPECT_FALSE(static_colours(doc, id, "BRAVO").painted) << id;
  }
  EXPECT_TRUE(is_verdict_label(doc, 5006));
  EXPECT_FALSE(is_verdict_label(doc, 5007));
}

TEST_F(PageColoursTest, QuestionTextOnLightYellow) {
  StaticColours colours = static_colours(doc, 3000, nullptr);
  EXPECT_TRUE(colours.painted);
  EXPECT_EQ(colours.brush, doc->question_text_brush);
  EXPECT_TRUE(colours.sets_back);
  EXPECT_EQ(colours.back_colour, 0xC0FFFFu);
}

TEST_F(PageColoursTest, HugeCountsDoNotOverflowTheRanges) {
  doc->question_count = 0x7FFFFFFF;
  doc->answers_per_question = 2;
  EXPECT_TRUE(static_colours(doc, 5999, "FAUX").painted);
  doc->question_count = 0;
  EXPECT_FALSE(static_colours(doc, 5001, "FAUX").painted);
  EXPECT_TRUE(static_colours(doc, 153, nullptr).painted);
}

}  // namespace
