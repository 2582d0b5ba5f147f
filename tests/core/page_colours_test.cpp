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

// The web pages' rule: a text that reads at 4.5 : 1 or below on its colour
// takes the nearest colour toward black or white that reads.
TEST(TextContrast, TextsThatReadPoorlyTakeTheNearestColourThatReads) {
  EXPECT_NEAR(contrast_ratio(0x000000, 0xFFFFFF), 21.0, 1e-9);
  EXPECT_NEAR(contrast_ratio(0xFF3232, 0xFF8080), 2.1, 0.05);  // the header's link
  struct Case {
    uint32_t text, back, page;
  } cases[] = {
      {0x000000, 0xC0F0F0, 0x000000},  // reads: kept
      {0xFFFFFF, 0x403020, 0xFFFFFF},
      {0xFF3232, 0xFF8080, 0x771717},  // the link darkened, still a blue
      {0x000000, 0x3B4A2E, 0xB1B1B1},  // a black number on a dark green turns light
      {0x000000, 0x965F5A, 0xE0E0E0},  // on the studio's first background
  };
  for (const Case& c : cases) {
    EXPECT_EQ(readable_text_colour(c.text, c.back), c.page)
        << std::hex << c.text << " on " << c.back;
  }
  // Whatever the colours: what reads is kept, the rest comes to read.
  for (uint32_t back = 0; back <= 0xFFFFFF; back += 0x112233) {
    for (uint32_t text : {0x000000u, 0xFFFFFFu, 0xFF3232u, back}) {
      uint32_t page = readable_text_colour(text, back);
      EXPECT_GT(contrast_ratio(page, back), MIN_TEXT_CONTRAST)
          << std::hex << text << " on " << back;
      if (contrast_ratio(text, back) > MIN_TEXT_CONTRAST) {
        EXPECT_EQ(page, text);
      }
    }
  }
}

TEST_F(PageColoursTest, APageShowsEachStaticsTextOnItsColour) {
  set_background(doc, 46, 74, 59);
  TextLook number = text_look(static_colours(doc, 153, nullptr), 0x3B4A2E);
  EXPECT_EQ(number.back, 0x3B4A2Eu);
  EXPECT_EQ(number.player_text, 0x000000u);
  EXPECT_LT(number.player_contrast, MIN_TEXT_CONTRAST);
  EXPECT_EQ(number.page_text, 0xB1B1B1u);
  TextLook hint = text_look(static_colours(doc, 5001, "Presque"), COLOUR_HINT);
  EXPECT_EQ(hint.back, 0x0000FFu);  // the words on their red cells
  EXPECT_EQ(hint.page_text, 0x000000u);
  TextLook unjudged = text_look(static_colours(doc, 5001, "?"), 0);
  EXPECT_EQ(unjudged.back, uint32_t(DEFAULT_FACE_COLOUR));
  EXPECT_EQ(unjudged.page_text, uint32_t(DEFAULT_TEXT_COLOUR));
}

}  // namespace
