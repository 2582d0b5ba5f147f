#include <gtest/gtest.h>

#include <vector>

#include "core/content/document.h"
#include "core/page/page_layout.h"

namespace {

struct LaidOut {
  std::vector<ControlPlace> places;
  std::vector<int> measured;  // per question: pictures measured when it opens a row
  int unused_lines = 0;
  PageLayout layout;
};

// Lays out a whole page; `pictures[i]` is the fitted size of picture i + 1.
LaidOut lay_out(uint32_t kind, int count, int answers, int mode,
                const std::vector<PictureSize>& pictures = {}) {
  LaidOut result;
  begin_page_layout(&result.layout, {kind, count, answers, mode});
  PictureSize row[3] = {};
  for (int n = 1; n <= count; ++n) {
    int measure = row_pictures_to_measure(&result.layout, n);
    result.measured.push_back(measure);
    if (measure) {
      for (int c = 0; c < 3; ++c) {
        size_t index = size_t(n - 1 + c);
        row[c] = c < measure && index < pictures.size() ? pictures[index] : PictureSize{0, 0};
      }
    }
    QuestionPlaces out;
    lay_out_question(&result.layout, n, row, &out);
    result.places.insert(result.places.end(), out.places, out.places + out.count);
    result.unused_lines += out.unused_lines;
  }
  end_page_layout(&result.layout);
  return result;
}

const ControlPlace* find(const LaidOut& page, ControlRole role, int id, int nth = 0) {
  for (const ControlPlace& place : page.places) {
    if (place.role == role && place.id == id && nth-- == 0) return &place;
  }
  return nullptr;
}

void expect_box(const ControlPlace* place, int x, int y, int width, int height) {
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->x, x);
  EXPECT_EQ(place->y, y);
  EXPECT_EQ(place->width, width);
  EXPECT_EQ(place->height, height);
}

TEST(PageLayout, TextQuizOfThreeQuestions) {
  LaidOut page = lay_out(QUIZ_TEXT, 3, 1, 0);
  ASSERT_EQ(page.places.size(), 12u);
  const int rows[] = {5, 30, 55};
  for (int n = 1; n <= 3; ++n) {
    int y = rows[n - 1];
    const ControlPlace* line = &page.places[size_t(4 * (n - 1))];
    EXPECT_EQ(line[0].role, ROLE_NUMBER);
    expect_box(&line[0], 26, y + 2, 19, 17);
    EXPECT_EQ(line[1].role, ROLE_QUESTION_TEXT);
    EXPECT_EQ(line[1].id, 3000);
    expect_box(&line[1], 50, y, 550, 20);
    EXPECT_EQ(line[2].role, ROLE_ANSWER_FIELD);
    EXPECT_EQ(line[2].id, 4000 + n);
    expect_box(&line[2], 610, y, 100, 20);
    EXPECT_EQ(line[3].role, ROLE_VERDICT);
    EXPECT_EQ(line[3].id, 5000 + n);
    expect_box(&line[3], 720, y, 100, 20);
  }
  EXPECT_EQ(page.places[1].font, FONT_GUI);
  EXPECT_EQ(page.places[2].font, FONT_ANSWER);
  EXPECT_EQ(page.places[0].font, FONT_UNSET);
  EXPECT_EQ(page.places[3].font, FONT_UNSET);
  EXPECT_EQ(page.layout.page_width, 850);
  EXPECT_EQ(page.layout.page_height, 80);
}

TEST(PageLayout, TextQuizKeepsOneFieldPerQuestionWithTwoAnswers) {
  LaidOut page = lay_out(QUIZ_TEXT, 2, 2, 0);
  EXPECT_NE(find(page, ROLE_ANSWER_FIELD, 4002), nullptr);
  EXPECT_EQ(find(page, ROLE_ANSWER_FIELD, 4003), nullptr);
  EXPECT_EQ(page.unused_lines, 0);
  EXPECT_EQ(page.layout.page_width, 910);  // 830 and the margin of two answers
}

TEST(PageLayout, NoQuestionsGiveAnEmptyPage) {
  for (uint32_t kind : {0u, 1u, 2u, 3u}) {
    LaidOut one = lay_out(kind, 0, 1, 0);
    EXPECT_TRUE(one.places.empty());
    EXPECT_EQ(one.layout.page_width, 20);
    EXPECT_EQ(one.layout.page_height, 0);
    EXPECT_EQ(lay_out(kind, 0, 2, 0).layout.page_width, 80);
  }
  LaidOut negative = lay_out(QUIZ_TEXT, -5, 1, 0);
  EXPECT_EQ(negative.layout.page_height, 0);
}

TEST(PageLayout, UnknownKindMakesNoControls) {
  LaidOut page = lay_out(7, 4, 1, 2);
  EXPECT_TRUE(page.places.empty());
  EXPECT_EQ(page.unused_lines, 0);
  EXPECT_EQ(page.layout.page_width, 20);
  EXPECT_EQ(page.layout.page_height, 0);
}

TEST(PageLayout, PictureRowsAreAsHighAsTheirTallestPicture) {
  // Question 4 opens a second row measured by its own picture alone.
  LaidOut page = lay_out(QUIZ_PICTURE, 4, 1, 0, {{260, 130}, {200, 260}, {260, 195}, {65, 260}});
  EXPECT_EQ(page.measured, (std::vector<int>{3, 0, 0, 1}));
  expect_box(find(page, ROLE_PICTURE, 9901), 46, 5 + (260 - 130) / 2, 260, 130);
  expect_box(find(page, ROLE_PICTURE, 9902), 336 + 30, 5, 200, 260);
  expect_box(find(page, ROLE_PICTURE, 9903), 626, 5 + 32, 260, 195);
  // Answer blocks start 10 below the row's pictures.
  expect_box(find(page, ROLE_NUMBER, 153, 0), 18, 275 + 2, 27, 17);
  expect_box(find(page, ROLE_ANSWER_FIELD, 4001), 46, 275, 260, 20);
  expect_box(find(page, ROLE_VERDICT, 5001), 46, 294, 260, 20);
  expect_box(find(page, ROLE_ANSWER_FIELD, 4003), 626, 275, 260, 20);
  // Second row: top 275 + 60, its height that of picture 4.
  expect_box(find(page, ROLE_PICTURE, 9904), 46 + 97, 335, 65, 260);
  expect_box(find(page, ROLE_ANSWER_FIELD, 4004), 46, 605, 260, 20);
  EXPECT_EQ(find(page, ROLE_REVEAL, 8001), nullptr);
  EXPECT_EQ(find(page, ROLE_PLAY, 6001), nullptr);
  EXPECT_EQ(page.layout.page_width, 910);
  EXPECT_EQ(page.layout.page_height, 665);
}

TEST(PageLayout, MissingPictureKeepsAnEmptyPlaceOfTheRowHeight) {
  LaidOut page = lay_out(QUIZ_PICTURE, 3, 1, 0, {{260, 200}, {0, 0}, {260, 150}});
  expect_box(find(page, ROLE_PICTURE, 9901), 46, 5, 260, 200);
  expect_box(find(page, ROLE_PICTURE, 9902), 336, 5, 260, 200);
  expect_box(find(page, ROLE_PICTURE, 9903), 626, 5 + 25, 260, 150);
  EXPECT_EQ(find(page, ROLE_ANSWER_FIELD, 4002)->y, 215);
}

TEST(PageLayout, RowWithoutAnyPictureHasNoHeight) {
  LaidOut page = lay_out(QUIZ_PICTURE, 2, 1, 0);
  expect_box(find(page, ROLE_PICTURE, 9901), 46, 5, 260, 0);
  EXPECT_EQ(find(page, ROLE_ANSWER_FIELD, 4001)->y, 15);
  EXPECT_EQ(page.layout.page_height, 75);
}

TEST(PageLayout, TwoAnswersPerQuestion) {
  LaidOut page = lay_out(QUIZ_PICTURE, 3, 2, 0, {{260, 100}, {260, 100}, {260, 100}});
  int yb = 5 + 110;
  expect_box(find(page, ROLE_CAPTION_1, 156), 3, yb + 2, 95, 20);
  expect_box(find(page, ROLE_CAPTION_2, 156), 3, yb + 22, 95, 20);
  EXPECT_EQ(find(page, ROLE_CAPTION_1, 156, 1), nullptr);  // captions only in the first column
  int x0 = 290 * 2 + 106;
  expect_box(find(page, ROLE_ANSWER_FIELD, 4005), x0, yb, 201, 20);
  expect_box(find(page, ROLE_VERDICT, 5005), x0 + 200, yb, 60, 20);
  expect_box(find(page, ROLE_ANSWER_FIELD, 4006), x0, yb + 19, 201, 20);
  expect_box(find(page, ROLE_VERDICT, 5006), x0 + 200, yb + 19, 60, 20);
  EXPECT_EQ(find(page, ROLE_VERDICT, 5006)->font, FONT_GUI);
  EXPECT_EQ(find(page, ROLE_CAPTION_2, 156)->font, FONT_GUI);
  EXPECT_EQ(page.layout.page_width, 970);
}

TEST(PageLayout, OneAnswerVerdictsKeepTheirOwnFont) {
  LaidOut page = lay_out(QUIZ_AUDIO, 1, 1, 0);
  EXPECT_EQ(find(page, ROLE_VERDICT, 5001)->font, FONT_UNSET);
  EXPECT_EQ(find(page, ROLE_ANSWER_FIELD, 4001)->font, FONT_ANSWER);
}

TEST(PageLayout, AudioAndVideoQuizzesHaveButtonsAndInsetFields) {
  LaidOut audio = lay_out(QUIZ_AUDIO, 4, 1, 0);
  EXPECT_EQ(audio.measured, (std::vector<int>{0, 0, 0, 0}));
  expect_box(find(audio, ROLE_PLAY, 6002), 336, 5, 20, 20);
  expect_box(find(audio, ROLE_STOP, 7002), 336, 25, 20, 19);
  expect_box(find(audio, ROLE_ANSWER_FIELD, 4002), 356, 5, 240, 20);
  expect_box(find(audio, ROLE_ANSWER_FIELD, 4004), 66, 65, 240, 20);
  EXPECT_EQ(audio.layout.page_height, 125);

  LaidOut video = lay_out(QUIZ_VIDEO, 2, 2, 0);
  expect_box(find(video, ROLE_PLAY, 6001), 106, 215, 20, 20);
  expect_box(find(video, ROLE_ANSWER_FIELD, 4002), 126, 234, 181, 20);
  expect_box(find(video, ROLE_VERDICT, 5002), 126 + 180, 234, 60, 20);
  EXPECT_EQ(video.layout.page_height, 275);
  EXPECT_EQ(video.layout.page_width, 970);
}

TEST(PageLayout, RevealLabelsWidenTheGap) {
  LaidOut page = lay_out(QUIZ_AUDIO, 4, 1, 2);
  const ControlPlace* reveal = find(page, ROLE_REVEAL, 8001);
  expect_box(reveal, 46, 5 + 46, 260, 65);
  EXPECT_EQ(reveal->font, FONT_GUI);
  expect_box(find(page, ROLE_PLAY, 6004), 46, 145, 20, 20);
  EXPECT_EQ(page.layout.page_height, 285);
  EXPECT_EQ(lay_out(QUIZ_AUDIO, 1, 1, 1).places.size(), 5u);  // mode 1: no reveal label
}

TEST(PageLayout, OtherAnswerCountsMakeNoFieldsButReadTheirLines) {
  LaidOut page = lay_out(QUIZ_PICTURE, 2, 3, 0);
  EXPECT_EQ(find(page, ROLE_ANSWER_FIELD, 4001), nullptr);
  EXPECT_EQ(page.unused_lines, 6);
  EXPECT_EQ(lay_out(QUIZ_AUDIO, 2, 0, 0).unused_lines, 0);
}

TEST(PageLayout, OnlyPicturesOfQuestionsOnThePageAreMeasured) {
  LaidOut page = lay_out(QUIZ_PICTURE, 5, 1, 0);
  EXPECT_EQ(page.measured, (std::vector<int>{3, 0, 0, 2, 0}));
}

// The box an answer picture is fitted into is the row's, as laid out: the
// column's 260 pixels and the tallest picture of the row, whatever the
// pictures show later.
TEST(PageLayout, EachPictureKeepsTheBoxOfItsRow) {
  PageLayout layout;
  begin_page_layout(&layout, {QUIZ_PICTURE, 4, 2, 1});
  const PictureSize row1[3] = {{260, 200}, {260, 150}, {100, 100}};
  const PictureSize row2[3] = {{0, 0}, {0, 0}, {0, 0}};
  QuestionPlaces out;
  for (int n = 1; n <= 3; ++n) {
    lay_out_question(&layout, n, row1, &out);
    EXPECT_EQ(out.picture_box.x, 106 + 290 * (n - 1)) << n;
    EXPECT_EQ(out.picture_box.y, 5) << n;
    EXPECT_EQ(out.picture_box.width, 260) << n;
    EXPECT_EQ(out.picture_box.height, 200) << n;
  }
  lay_out_question(&layout, 4, row2, &out);
  EXPECT_EQ(out.picture_box.y, 5 + 200 + 10 + 60);
  EXPECT_EQ(out.picture_box.height, 0);  // no picture loaded: no box to show one in

  PageLayout audio;
  begin_page_layout(&audio, {QUIZ_AUDIO, 1, 1, 1});
  lay_out_question(&audio, 1, nullptr, &out);
  EXPECT_EQ(out.picture_box.width, 0);
}

// The band where a video shows lies just above its question's PlayButton.
TEST(PageLayout, VideoBandsLieAboveThePlayButtons) {
  for (int answers : {1, 2}) {
    for (int mode : {0, 2}) {
      LaidOut page = lay_out(QUIZ_VIDEO, 5, answers, mode);
      for (int n = 1; n <= 5; ++n) {
        const ControlPlace* play = find(page, ROLE_PLAY, 6000 + n);
        ASSERT_NE(play, nullptr);
        PageBox band = video_band(n, answers, mode);
        EXPECT_EQ(band.x, play->x) << n;
        EXPECT_EQ(band.y + band.height, play->y) << n;
        EXPECT_EQ(band.width, 260);
        EXPECT_EQ(band.height, 210);
      }
    }
  }
}

TEST(FitPicture, KeepsProportionsInTheBox) {
  auto fits = [](int w, int h, int fw, int fh) {
    PictureSize size = fit_picture(w, h, 260, 260);
    EXPECT_EQ(size.width, fw) << w << "x" << h;
    EXPECT_EQ(size.height, fh) << w << "x" << h;
  };
  fits(520, 260, 260, 130);
  fits(130, 65, 260, 130);  // enlarged
  fits(130, 520, 65, 260);
  fits(4000, 3000, 260, 195);
  fits(3, 1, 260, 86);  // exact: no floating-point shortfall to 259
  fits(1, 3, 86, 260);
  fits(260, 260, 260, 260);
  fits(10000, 1, 260, 1);  // never thinner than one pixel
  fits(0, 10, 0, 0);
  fits(10, -1, 0, 0);
}

}  // namespace
