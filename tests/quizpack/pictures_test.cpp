// Pictures as authors have them, packed by quizpack's build command and read
// back from the quiz: each becomes a JPEG the player reads, upright, with
// its transparency over the quiz's page colour; a JPEG the player reads as
// it is stays byte for byte.
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <sstream>

#include "core/authoring/media.h"
#include "core/authoring/pe_resources.h"
#include "core/content/resource_names.h"
#include "quizpack_support.h"
#include "tools/quizpack/cli.h"

namespace {

enum Corner { TOP_LEFT, TOP_RIGHT, BOTTOM_LEFT, BOTTOM_RIGHT };
struct Rgb {
  int r, g, b;
};
const Rgb RED = {255, 0, 0}, GREEN = {0, 255, 0}, BLUE = {0, 0, 255}, WHITE = {255, 255, 255},
          YELLOW = {255, 255, 0};

void append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

// A `width` x `height` JPEG, white with a red square in its top left corner
// and a green one in its top right, stored with EXIF `orientation`.
std::string marked_jpeg(int width, int height, int orientation) {
  std::string pixels(size_t(width) * height * 3, char(0xFF)), jpeg;
  int mark = height / 4;
  for (int y = 0; y < mark; ++y)
    for (int x = 0; x < mark; ++x) {
      char* left = &pixels[(size_t(y) * width + x) * 3];
      char* right = &pixels[(size_t(y) * width + width - 1 - x) * 3];
      left[1] = left[2] = 0;    // red
      right[0] = right[2] = 0;  // green
    }
  stbi_write_jpg_to_func(append, &jpeg, width, height, 3, pixels.data(), 90);
  // APP1 "Exif", little-endian TIFF, one directory of one entry: 0x0112 SHORT.
  const unsigned char exif[] = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0,    0,    'I', 'I',
                                0x2A, 0,    8,    0,    0,   0,   1,   0,   0x12, 0x01, 3,   0,
                                1,    0,    0,    0,    0,   0,   0,   0,   0,    0,    0,   0};
  std::string segment(reinterpret_cast<const char*>(exif), sizeof exif);
  segment[28] = char(orientation);
  return jpeg.insert(2, segment);
}

struct Packed {
  std::string summary;
  std::vector<Resource> resources;
  const std::string& picture(int id) const {
    static const std::string none;
    for (const Resource& r : resources)
      if (r.name.id == id && r.type == resource_name(MEDIA_RESOURCE_TYPE)) return r.data;
    return none;
  }
};

// `quizpack build` of `source` into the stand-in player.
Packed build(const TempFolder& folder, const std::string& source) {
  std::string player = folder.write("player.exe", stand_in_player()), out = folder.path("q.exe");
  std::vector<const char*> argv = {"quizpack",  "build",    source.c_str(), "-o",
                                   out.c_str(), "--player", player.c_str()};
  std::ostringstream output, errors;
  Packed packed;
  EXPECT_EQ(quizpack_main(int(argv.size()), argv.data(), output, errors), 0) << errors.str();
  packed.summary = output.str();
  std::string problem;
  EXPECT_TRUE(read_resources(read_bytes(out), &packed.resources, &problem)) << problem;
  return packed;
}

// The colour around a corner or the centre of a picture as the player shows it.
Rgb colour_at(const Pixels& p, int x, int y) {
  const uint8_t* at = p.rgb.get() + (size_t(y) * p.width + x) * 3;
  return {at[0], at[1], at[2]};
}

Rgb corner(const Pixels& p, Corner c) {
  int inset = 3;
  int x = c == TOP_LEFT || c == BOTTOM_LEFT ? inset : p.width - 1 - inset;
  int y = c == TOP_LEFT || c == TOP_RIGHT ? inset : p.height - 1 - inset;
  return colour_at(p, x, y);
}

// Within what JPEG's compression moves a colour.
::testing::AssertionResult near(const Rgb& seen, const Rgb& expected) {
  if (abs(seen.r - expected.r) < 48 && abs(seen.g - expected.g) < 48 &&
      abs(seen.b - expected.b) < 48)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << seen.r << ", " << seen.g << ", " << seen.b << ") instead of (" << expected.r
         << ", " << expected.g << ", " << expected.b << ")";
}

Pixels decoded(const std::string& stored) {
  Pixels pixels;
  std::string problem;
  JpegFacts facts;
  EXPECT_TRUE(read_jpeg_facts(stored, &facts, &problem)) << problem;
  EXPECT_TRUE(facts.player_reads());
  EXPECT_TRUE(decode_stored_picture(stored, &pixels, &problem)) << problem;
  return pixels;
}

// Phones store a portrait photo lying on its side with an orientation that
// says how to turn it; every one of the eight lands upright, its marked
// corners where the author sees them. The last question is a phone's
// 800 x 600 photo taken upright: it must be packed taller than wide.
TEST(PackedPictures, TurnedUprightWhateverTheirOrientation) {
  struct Case {
    int orientation;
    Corner red, green;
  } cases[] = {
      {1, TOP_LEFT, TOP_RIGHT},       {2, TOP_RIGHT, TOP_LEFT},   {3, BOTTOM_RIGHT, BOTTOM_LEFT},
      {4, BOTTOM_LEFT, BOTTOM_RIGHT}, {5, TOP_LEFT, BOTTOM_LEFT}, {6, TOP_RIGHT, BOTTOM_RIGHT},
      {7, BOTTOM_RIGHT, TOP_RIGHT},   {8, BOTTOM_LEFT, TOP_LEFT},
  };
  TempFolder folder;
  std::string source = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  for (const Case& c : cases) {
    std::string name = "o" + std::to_string(c.orientation) + ".jpg";
    folder.write(name, marked_jpeg(64, 32, c.orientation));
    source += "[[question]]\nanswer = \"a\"\npicture = \"" + name + "\"\n";
  }
  folder.write("phone.jpg", marked_jpeg(800, 600, 6));
  source += "[[question]]\nanswer = \"a\"\npicture = \"phone.jpg\"\n";
  Packed packed = build(folder, folder.write("quiz.toml", source));
  EXPECT_NE(packed.summary.find("9 pictures (1 scaled down, 7 re-encoded as baseline JPEG: 7 "
                                "turned upright)"),
            std::string::npos)
      << packed.summary;
  for (const Case& c : cases) {
    SCOPED_TRACE("orientation " + std::to_string(c.orientation));
    const std::string& stored = packed.picture(QUESTION_MEDIA_RESOURCE + c.orientation);
    Pixels p = decoded(stored);
    bool turned = c.orientation >= 5;
    EXPECT_EQ(p.width, turned ? 32 : 64);
    EXPECT_EQ(p.height, turned ? 64 : 32);
    EXPECT_TRUE(near(corner(p, c.red), RED));
    EXPECT_TRUE(near(corner(p, c.green), GREEN));
    if (c.orientation == 1) {
      EXPECT_EQ(stored, marked_jpeg(64, 32, 1));  // kept byte for byte
    }
  }
  Pixels phone = decoded(packed.picture(QUESTION_MEDIA_RESOURCE + 9));
  EXPECT_EQ(phone.width, 195);
  EXPECT_EQ(phone.height, 260);
  EXPECT_TRUE(near(corner(phone, TOP_RIGHT), RED));
}

// Every form an author may have (tests/data/forms, drawn alike: see its
// make-forms) comes out a baseline JPEG of the same look; the transparent
// ones show the quiz's yellow page where the others are white.
TEST(PackedPictures, EveryFormBecomesAJpegThePlayerReads) {
  struct Case {
    const char* file;
    int id;
    bool kept, transparent;
  } cases[] = {
      {"baseline.jpg", 401, true, false},     {"grey.jpg", 10401, true, false},
      {"progressive.jpg", 402, false, false}, {"arithmetic.jpg", 10402, false, false},
      {"cmyk.jpg", 403, false, false},        {"picture.bmp", 10403, false, false},
      {"opaque.png", 404, false, false},      {"transparent.png", 10404, false, true},
      {"transparent.gif", 405, false, true},  {"animated.gif", 10405, false, true},
      {"picture.webp", 406, false, false},    {"transparent.webp", 10406, false, true},
  };
  TempFolder folder;
  Packed packed = build(folder, QUIZ_FORMS_DIR "/forms.toml");
  EXPECT_NE(packed.summary.find("12 pictures (0 scaled down, 7 converted to JPEG, 3 re-encoded as "
                                "baseline JPEG: 1 progressive, 1 arithmetic-coded, 1 CMYK)"),
            std::string::npos)
      << packed.summary;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string& stored = packed.picture(c.id);
    std::string original = read_bytes(std::string(QUIZ_FORMS_DIR "/") + c.file);
    EXPECT_EQ(stored == original, c.kept);
    Pixels p = decoded(stored);
    ASSERT_EQ(p.width, 96);
    ASSERT_EQ(p.height, 64);
    if (std::string(c.file) == "grey.jpg") continue;  // no colours to look at
    EXPECT_TRUE(near(corner(p, TOP_LEFT), RED));
    EXPECT_TRUE(near(corner(p, TOP_RIGHT), GREEN));
    EXPECT_TRUE(near(colour_at(p, 48, 32), BLUE));
    EXPECT_TRUE(near(corner(p, BOTTOM_LEFT), c.transparent ? YELLOW : WHITE));
  }
}

}  // namespace
