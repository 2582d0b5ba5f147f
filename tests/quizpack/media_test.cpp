// Pictures are checked by their bytes and scaled to the player's box; clips
// are checked to be what the player writes them as.
#include "core/authoring/media.h"

#include <gtest/gtest.h>

#include "quizpack_support.h"

namespace {

std::pair<int, int> fitted(int width, int height) {
  int w, h;
  fit_in_box(width, height, &w, &h);
  return {w, h};
}

std::pair<int, int> size_of_jpeg(const std::string& bytes) {
  JpegFacts facts;
  std::string problem;
  read_jpeg_facts(bytes, &facts, &problem);
  return {facts.width, facts.height};
}

const uint32_t PAGE = 0x5A5F96;

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
  std::string large = test_jpeg(600, 400), stored, problem;
  PictureInfo info;
  ASSERT_TRUE(prepare_picture(large, false, PAGE, &stored, &info, &problem)) << problem;
  EXPECT_TRUE(info.scaled);
  EXPECT_EQ(info.width, 600);
  EXPECT_EQ(size_of_jpeg(stored), std::make_pair(260, 173));
  EXPECT_EQ(stored.compare(0, 3, "\xFF\xD8\xFF"), 0);
  EXPECT_LT(stored.size(), large.size());

  ASSERT_TRUE(prepare_picture(large, true, PAGE, &stored, &info, &problem));
  EXPECT_FALSE(info.scaled);
  EXPECT_EQ(stored, large);

  std::string small = test_jpeg(100, 50);
  ASSERT_TRUE(prepare_picture(small, false, PAGE, &stored, &info, &problem));
  EXPECT_FALSE(info.scaled);
  EXPECT_EQ(stored, small);
}

// What is not a picture quizpack takes is refused with why, and how to get
// one: phones' HEIC photos above all.
TEST(Pictures, OthersAreRefusedWithWhy) {
  std::string cut_jpeg = test_jpeg(300, 300), cut_png = read_bytes(QUIZ_FORMS_DIR "/opaque.png"),
              cut_webp = read_bytes(QUIZ_FORMS_DIR "/picture.webp");
  cut_jpeg.resize(cut_jpeg.size() / 2);
  cut_png.resize(cut_png.size() / 2);
  cut_webp.resize(cut_webp.size() - 40);
  struct Case {
    std::string bytes;
    const char* problem;
  } cases[] = {
      {"", "is not a picture quizpack reads (JPEG, PNG, GIF, BMP or WebP)"},
      {"%PDF-1.4 a document", "is not a picture quizpack reads (JPEG, PNG, GIF, BMP or WebP)"},
      {std::string("\0\0\0\x18"
                   "ftypheic\0\0\0\0mif1heic",
                   24),
       "is a HEIC photo"},
      {std::string("\0\0\0\x1C"
                   "ftypmif1\0\0\0\0mif1heixmiaf",
                   28),
       "is a HEIC photo"},
      {std::string("\0\0\0\x1C"
                   "ftypavif\0\0\0\0avifmif1miaf",
                   28),
       "is an AVIF picture"},
      {"\xFF\xD8\xFF\xE0 garbage after the marker", "does not decode as a JPEG"},
      {cut_jpeg, "does not decode as a JPEG (Premature end of JPEG file)"},
      {cut_png, "does not decode as a PNG"},
      {cut_webp, "does not decode as a WebP"},
  };
  for (const Case& c : cases) {
    std::string stored, problem;
    PictureInfo info;
    EXPECT_FALSE(prepare_picture(c.bytes, false, PAGE, &stored, &info, &problem)) << c.problem;
    EXPECT_EQ(problem.find(c.problem), 0u) << problem;
  }
}

// A few header bytes state a picture's size: a huge one is refused before
// anything is decoded.
TEST(Pictures, HugeOnesAreRefusedUnread) {
  std::string stored, problem, huge = test_jpeg(16, 16);
  size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  // 65000 x 65000: too many pixels even at an eighth of its size.
  const unsigned char size[] = {0xFD, 0xE8, 0xFD, 0xE8};
  huge.replace(sof + 5, 4, reinterpret_cast<const char*>(size), 4);
  PictureInfo info;
  EXPECT_FALSE(prepare_picture(huge, false, PAGE, &stored, &info, &problem));
  EXPECT_EQ(problem,
            "is 65000 x 65000 pixels; quizpack takes pictures of at most 64 million pixels");
  EXPECT_FALSE(prepare_picture(huge, true, PAGE, &stored, &info, &problem));
  // A PNG is decoded whole: its own size counts.
  std::string png = read_bytes(QUIZ_FORMS_DIR "/opaque.png");
  const unsigned char png_size[] = {0, 0, 0x4E, 0x20, 0, 0, 0x3A, 0x98};  // 20000 x 15000
  png.replace(16, 8, reinterpret_cast<const char*>(png_size), 8);
  EXPECT_FALSE(prepare_picture(png, false, PAGE, &stored, &info, &problem));
  EXPECT_EQ(problem,
            "is 20000 x 15000 pixels; quizpack takes pictures of at most 64 million pixels");
}

// Clips are MP3 for an audio quiz and AVI for a video quiz; the clips
// people have in other forms are named, with what to convert them to.
TEST(Clips, AudioIsMp3AndVideoIsAvi) {
  struct Case {
    std::string bytes;
    uint32_t kind;
    const char* problem;  // null: taken
  } cases[] = {
      {"ID3\x04\x00 tag and frames", 2, nullptr},
      {"\xFF\xFB\x90\x64 frame", 2, nullptr},
      {std::string("RIFF\x10\x00\x00\x00"
                   "AVI LIST",
                   16),
       3, nullptr},
      {std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16), 2,
       "is a clip in WAV; an audio quiz plays only MP3 clips: convert it to MP3"},
      {"OggS\x00\x02 vorbis", 2,
       "is a clip in OGG; an audio quiz plays only MP3 clips: convert it to MP3"},
      {std::string("\0\0\0\x20"
                   "ftypM4A \0\0\0\0",
                   16),
       2, "is a clip in M4A; an audio quiz plays only MP3 clips: convert it to MP3"},
      {std::string("\0\0\0\x20"
                   "ftypisom\0\0\0\0",
                   16),
       3, "is a clip in MP4; a video quiz plays only AVI clips: convert it to AVI"},
      {"\x1A\x45\xDF\xA3 webm", 3,
       "is a clip in WebM; a video quiz plays only AVI clips: convert it to AVI"},
      {"ID3\x04 an mp3", 3, "is not an AVI file (a video quiz plays AVI clips)"},
      {"RIFF", 3, "is not an AVI file (a video quiz plays AVI clips)"},
      {"plain text", 2, "is not an MP3 file (an audio quiz plays MP3 clips)"},
  };
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(check_clip(c.bytes, c.kind, &problem), c.problem == nullptr) << c.bytes;
    if (c.problem) {
      EXPECT_EQ(problem, c.problem);
    }
  }
}

}  // namespace
