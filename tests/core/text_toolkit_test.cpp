#include <gtest/gtest.h>

#include <string>

#include "core/answers/text_toolkit.h"

namespace {

std::string trimmed(std::string text) {
  char slot[260];
  snprintf(slot, sizeof slot, "%s", text.c_str());
  size_t length = trim_spaces(slot);
  EXPECT_EQ(length, std::string(slot).size());
  return slot;
}

std::string upper(const char* text) {
  char slot[260];
  snprintf(slot, sizeof slot, "%s", text);
  upper_ascii(slot);
  return slot;
}

std::string sorted(const char* text) {
  char slot[260];
  snprintf(slot, sizeof slot, "%s", text);
  sort_letters(slot);
  return slot;
}

TEST(TrimSpaces, RemovesOnlyOuterBlanks) {
  EXPECT_EQ(trimmed("   "), "");
  EXPECT_EQ(trimmed(" a b "), "a b");
  EXPECT_EQ(trimmed("\tx "), "\tx");
  EXPECT_EQ(trimmed("  Paris "), "Paris");
  EXPECT_EQ(trimmed(""), "");
}

TEST(UpperAscii, OnlyAToZ) {
  EXPECT_EQ(upper("\xE9"
                  "a1z"),
            "\xE9"
            "A1Z");
  EXPECT_EQ(upper("{`az@}"), "{`AZ@}");
}

TEST(SortLetters, SignedByteOrder) {
  EXPECT_EQ(sorted("BRAVO"), "ABORV");
  EXPECT_EQ(sorted("\xC9T\xC9"), "\xC9\xC9T");  // accented letters first
  EXPECT_EQ(sorted(""), "");
}

TEST(EditDistance, KnownPairs) {
  EXPECT_EQ(edit_distance("", "ABC"), 3);
  EXPECT_EQ(edit_distance("ABC", ""), 3);
  EXPECT_EQ(edit_distance("ABC", "ABC"), 0);
  EXPECT_EQ(edit_distance("PARIS", "PARSI"), 2);
  EXPECT_EQ(edit_distance("CHAT", "CHIEN"), 3);
  EXPECT_EQ(edit_distance("\xC9LAN", "\xE9LAN"), 1);
}

TEST(EditDistance, LongestTextsStayWithinTheTable) {
  std::string a(259, 'A'), b(259, 'B');
  EXPECT_EQ(edit_distance(a.c_str(), b.c_str()), 259);
  std::string longer(600, 'A');  // read only up to 259 bytes
  EXPECT_EQ(edit_distance(longer.c_str(), a.c_str()), 0);
}

TEST(FindContained, SignsAndResults) {
  EXPECT_EQ(find_contained("NAPOLEON", "NAPOLEON BONAPARTE"), 2);
  EXPECT_EQ(find_contained("CHARLES DE GAULLE", "CHARLES DE"), -2);
  EXPECT_EQ(find_contained("PARIS", "LONDRES"), 0);
  EXPECT_EQ(find_contained("ABC", "ABC"), 2);
  EXPECT_EQ(find_contained("", "ABC"), 1);
  EXPECT_EQ(find_contained("ABC", ""), -1);
  EXPECT_EQ(find_contained("AB", "XAYAB"), 2);
}

TEST(FindContained, FindsARunThatStartsInsideABrokenMatch) {
  EXPECT_EQ(find_contained("AAB", "AAAB"), 2);
  EXPECT_EQ(find_contained("XXABABC", "ABABC"), -2);
}

}  // namespace
