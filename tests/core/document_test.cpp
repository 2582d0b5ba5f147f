#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/content/document.h"
#include "tests/support/document_fixture.h"

namespace {

using DocumentTest = DocumentFixture;

TEST_F(DocumentTest, DefaultsAfterInit) {
  EXPECT_EQ(doc->kind, QUIZ_TEXT);
  EXPECT_STREQ(doc->title, "nom du tirlo");
  EXPECT_STREQ(doc->author, " createur");
  EXPECT_STREQ(doc->explanation, "");
  EXPECT_STREQ(doc->answer1_label, "");
  EXPECT_EQ(doc->question_count, 2);
  EXPECT_EQ(doc->answers_per_question, 1);
  EXPECT_EQ(doc->answer_mode, 0);
  EXPECT_EQ(doc->all_revealed, 0);
  EXPECT_EQ(doc->spare_pair, 0x0014000Au);
  EXPECT_EQ(doc->background_red, 90);
  EXPECT_EQ(doc->background_green, 95);
  EXPECT_EQ(doc->background_blue, 150);
  EXPECT_EQ(doc->background_colour, 0x00969BFFu);
  EXPECT_STREQ(doc->media_dir, "");
  EXPECT_STREQ(doc->codes[0], "");
  EXPECT_STREQ(doc->codes[95], "");
  EXPECT_EQ(doc->answer_font, nullptr);
  EXPECT_EQ(doc->header_panel, nullptr);
  EXPECT_EQ(doc->first, nullptr);
  EXPECT_EQ(doc->last, nullptr);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(question_at(doc, i), nullptr);
}

TEST_F(DocumentTest, FontsAndBrushesAreMadeWithTheirValues) {
  ASSERT_EQ(platform.fonts.size(), 2u);
  EXPECT_EQ(platform.fonts[0].height, 25);
  EXPECT_EQ(platform.fonts[0].weight, 400);
  EXPECT_EQ(platform.fonts[0].italic, 0);
  EXPECT_EQ(platform.fonts[1].height, -15);
  EXPECT_EQ(platform.fonts[1].weight, 700);
  EXPECT_EQ(platform.fonts[1].italic, 1);
  EXPECT_EQ(platform.fonts[1].underline, 0);
  EXPECT_EQ(platform.colour_of(doc->background_brush), 0x00965F5Au);
  EXPECT_EQ(platform.colour_of(doc->wrong_brush), 0x000000FFu);
  EXPECT_EQ(platform.colour_of(doc->right_brush), 0x0000FF00u);
  EXPECT_EQ(platform.colour_of(doc->anagram_brush), 0x000064FFu);
  EXPECT_EQ(platform.colour_of(doc->hint_brush), 0x0026CBFFu);
  EXPECT_EQ(platform.colour_of(doc->question_text_brush), 0x00C0FFFFu);
}

TEST_F(DocumentTest, AppendLinksBothWays) {
  append_question(doc, "a1", "", "q1");
  append_question(doc, "a2", "", "q2");
  append_question(doc, "a3", "b3", "q3");
  QuizQuestion* first = doc->first;
  ASSERT_NE(first, nullptr);
  QuizQuestion* second = first->next;
  QuizQuestion* third = second->next;
  EXPECT_EQ(doc->last, third);
  EXPECT_EQ(third->next, nullptr);
  EXPECT_EQ(third->prev, second);
  EXPECT_EQ(second->prev, first);
  EXPECT_EQ(first->prev, nullptr);
  EXPECT_STREQ(third->answer2, "b3");
  EXPECT_STREQ(third->reveal_text, "");
  EXPECT_EQ(question_at(doc, 0), first);
  EXPECT_EQ(question_at(doc, 2), third);
  EXPECT_EQ(question_list_length(doc), 3);
}

TEST_F(DocumentTest, QuestionAtPastTheEndYieldsTheLast) {
  append_question(doc, "a1", "", "q1");
  append_question(doc, "a2", "", "q2");
  EXPECT_EQ(question_at(doc, 5), doc->last);
  EXPECT_STREQ(question_at(doc, 5)->question_text, "q2");
}

TEST_F(DocumentTest, LongTextsAreCutAt259Bytes) {
  std::string long_text(400, 'x');
  append_question(doc, long_text.c_str(), long_text.c_str(), long_text.c_str());
  EXPECT_EQ(std::string(doc->first->answer1), std::string(259, 'x'));
  EXPECT_EQ(std::string(doc->first->answer2).size(), 259u);
  EXPECT_EQ(std::string(doc->first->question_text).size(), 259u);
}

TEST_F(DocumentTest, ReleaseDeletesTheSixBrushesAndEmptiesTheList) {
  append_question(doc, "a", "", "q");
  BrushHandle brushes[] = {doc->background_brush, doc->wrong_brush, doc->right_brush,
                           doc->anagram_brush,    doc->hint_brush,  doc->question_text_brush};
  release_document(doc);
  EXPECT_EQ(platform.deleted.size(), 6u);
  for (BrushHandle brush : brushes) {
    EXPECT_NE(std::find(platform.deleted.begin(), platform.deleted.end(), brush),
              platform.deleted.end());
  }
  EXPECT_EQ(doc->first, nullptr);
  EXPECT_EQ(doc->last, nullptr);
  // Releasing again (as TearDown does) deletes nothing more.
  release_document(doc);
  EXPECT_EQ(platform.deleted.size(), 6u);
}

TEST_F(DocumentTest, SetBackgroundReplacesTheBrush) {
  BrushHandle old_brush = doc->background_brush;
  set_background(doc, 53, 203, 163);
  EXPECT_EQ(doc->background_colour, 0x00A3CB35u);
  EXPECT_EQ(platform.colour_of(doc->background_brush), 0x00A3CB35u);
  ASSERT_EQ(platform.deleted.size(), 1u);
  EXPECT_EQ(platform.deleted[0], old_brush);
}

TEST_F(DocumentTest, WhiteTextOnlyOnDarkBackgrounds) {
  set_background(doc, 60, 0, 0);
  EXPECT_FALSE(background_wants_white_text(doc));
  set_background(doc, 59, 59, 255);
  EXPECT_TRUE(background_wants_white_text(doc));
  set_background(doc, 30, 200, 30);
  EXPECT_FALSE(background_wants_white_text(doc));
  set_background(doc, 30, 30, 200);
  EXPECT_TRUE(background_wants_white_text(doc));
}

}  // namespace
