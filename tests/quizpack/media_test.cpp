// Pictures are checked by their bytes and scaled to the player's box; clips
// are checked to be what the player writes them as.
#include "core/authoring/media.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include "quizpack_support.h"

namespace {

std::pair<int, int> fitted(int width, int height) {
  int w, h;
  fit_in_box(width, height, &w, &h);
  return {w, h};
}

std::pair<int, int> size_of_jpeg(const std::string& bytes) {
  int w = 0, h = 0, channels;
  stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), int(bytes.size()), &w, &h,
                        &channels);
  return {w, h};
}

TEST(Pictures, FitInTheBoxKeepingProportions) {
  EXPECT_EQ(fitted(520, 260), std::make_pair(260, 130));
  EXPECT_EQ(fitted(130, 520), std::make_pair(65, 260));
  EXPECT_EQ(fitted(600, 400), std::make_pair(260, 173));
  EXPECT_EQ(fitted(60, 300), std::make_pair(52, 260));
  EXPECT_EQ(fitted(261, 260), std::make_pair(260, 259));
  EXPECT_EQ(fitted(3000, 2), std::make_pair(260, 1));  // never below one pixel
  // Pictures that fit keep their size; the player enlarges small ones itself.
  EXPECT_EQ(fitted(260, 260), std::make_pair(260, 260));
  EXPECT_EQ(fitted(130, 65), std::make_pair(130, 65));
}

TEST(Pictures, LargeOnesAreScaledDownUnlessKept) {
  std::string large = test_jpeg(600, 400), stored;
  Message problem;
  PictureInfo info;
  ASSERT_TRUE(prepare_picture(large, false, &stored, &info, &problem)) << problem;
  EXPECT_TRUE(info.scaled);
  EXPECT_EQ(info.width, 600);
  EXPECT_EQ(size_of_jpeg(stored), std::make_pair(260, 173));
  EXPECT_EQ(stored.compare(0, 3, "\xFF\xD8\xFF"), 0);
  EXPECT_LT(stored.size(), large.size());

  ASSERT_TRUE(prepare_picture(large, true, &stored, &info, &problem));
  EXPECT_FALSE(info.scaled);
  EXPECT_EQ(stored, large);

  std::string small = test_jpeg(100, 50);
  ASSERT_TRUE(prepare_picture(small, false, &stored, &info, &problem));
  EXPECT_FALSE(info.scaled);
  EXPECT_EQ(stored, small);
}

TEST(Pictures, OnlyJpegBytesAreTaken) {
  std::string stored;
  Message problem;
  PictureInfo info;
  EXPECT_FALSE(prepare_picture("\x89PNG\r\n\x1A\n....", false, &stored, &info, &problem));
  EXPECT_NE(english(problem).find("not a JPEG"), std::string::npos);
  EXPECT_FALSE(prepare_picture("", false, &stored, &info, &problem));
  EXPECT_FALSE(prepare_picture("\xFF\xD8\xFF\xE0 garbage after the marker", false, &stored, &info,
                               &problem));
  EXPECT_NE(english(problem).find("does not decode"), std::string::npos);
  std::string cut = test_jpeg(300, 300);
  cut.resize(40);
  EXPECT_FALSE(prepare_picture(cut, false, &stored, &info, &problem));
}

// A few header bytes state a picture's size: a huge one is refused before
// anything is decoded.
TEST(Pictures, HugeOnesAreRefusedUnread) {
  std::string stored, huge = test_jpeg(16, 16);
  Message problem;
  size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  const unsigned char size[] = {0x75, 0x30, 0x75, 0x30};  // 30000 x 30000
  huge.replace(sof + 5, 4, reinterpret_cast<const char*>(size), 4);
  PictureInfo info;
  EXPECT_FALSE(prepare_picture(huge, false, &stored, &info, &problem));
  EXPECT_EQ(english(problem),
            "is 30000 x 30000 pixels; quizpack takes pictures of at most 64 million pixels");
  EXPECT_FALSE(prepare_picture(huge, true, &stored, &info, &problem));
}

TEST(Clips, AudioIsMp3AndVideoIsAvi) {
  Message problem;
  EXPECT_TRUE(check_clip("ID3\x04\x00 tag and frames", 2, &problem));
  EXPECT_TRUE(check_clip("\xFF\xFB\x90\x64 frame", 2, &problem));
  EXPECT_FALSE(check_clip("RIFF\x24\x00\x00\x00WAVEfmt ", 2, &problem));
  EXPECT_NE(english(problem).find("not an MP3"), std::string::npos);
  EXPECT_TRUE(check_clip(std::string("RIFF\x10\x00\x00\x00"
                                     "AVI LIST",
                                     16),
                         3, &problem));
  EXPECT_FALSE(check_clip("ID3\x04 an mp3", 3, &problem));
  EXPECT_NE(english(problem).find("not an AVI"), std::string::npos);
  EXPECT_FALSE(check_clip("RIFF", 3, &problem));
}

}  // namespace
