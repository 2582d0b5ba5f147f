#include "core/authoring/cp1252.h"

#include <gtest/gtest.h>

#include "quizpack_support.h"

namespace {

std::string to_cp1252(const std::string& utf8, std::string* problem) {
  std::string out;
  Message why;
  bool ok = utf8_to_cp1252(utf8, &out, &why);
  *problem = english(why);
  return ok ? out : "<refused>";
}

TEST(Cp1252, EveryDefinedByteRoundTrips) {
  const std::string undefined = "\x81\x8D\x8F\x90\x9D";
  for (int byte = 1; byte < 256; ++byte) {
    std::string one(1, char(byte)), back;
    Message problem;
    if (undefined.find(char(byte)) != std::string::npos) continue;
    ASSERT_TRUE(utf8_to_cp1252(cp1252_to_utf8(one), &back, &problem)) << byte;
    EXPECT_EQ(back, one) << byte;
  }
}

TEST(Cp1252, TheHighControlRange) {
  std::string problem;
  EXPECT_EQ(to_cp1252("\xE2\x82\xAC", &problem), "\x80");          // euro sign
  EXPECT_EQ(to_cp1252("\xC5\x93\xC3\xA9", &problem), "\x9C\xE9");  // oe, e acute
  EXPECT_EQ(to_cp1252("\xE2\x80\x99", &problem), "\x92");          // right quote
  EXPECT_EQ(cp1252_to_utf8("\x80\xFF"), "\xE2\x82\xAC\xC3\xBF");
  EXPECT_EQ(cp1252_to_utf8("\x81"), "\xC2\x81");  // as Windows reads it
}

TEST(Cp1252, RefusesWhatItCannotHold) {
  std::string problem;
  EXPECT_EQ(to_cp1252("Gda\xC5\x84sk", &problem), "<refused>");
  EXPECT_NE(problem.find("\"\xC5\x84\" (U+0144)"), std::string::npos) << problem;
  EXPECT_EQ(to_cp1252("\xC2\x81", &problem), "<refused>");  // a C1 control
  EXPECT_EQ(to_cp1252("\xF0\x9F\x98\x80", &problem), "<refused>");
  EXPECT_NE(problem.find("U+1F600"), std::string::npos);
}

TEST(Cp1252, RefusesBytesThatAreNotUtf8) {
  std::string problem;
  for (const char* bad :
       {"\xE9t\xE9", "\xC0\x80", "\xED\xA0\x80", "\xE2\x82", "\xF8\x88\x80\x80\x80"}) {
    EXPECT_EQ(to_cp1252(bad, &problem), "<refused>") << bad;
    EXPECT_EQ(problem, "is not valid UTF-8");
  }
}

}  // namespace
