#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/content/lzw.h"
#include "tests/support/content_bytes.h"
#include "tests/support/lzw_stream.h"

namespace {

// One code as read from a stream, with the width it was written at.
struct ReadCode {
  unsigned code;
  unsigned width;
};

// Splits a stream into its codes, following LZW_WIDEN and LZW_RESET, up to LZW_END.
std::vector<ReadCode> read_codes(const std::string& stream) {
  std::vector<ReadCode> codes;
  size_t bit = 0;
  unsigned width = 9;
  while (bit + width <= stream.size() * 8) {
    unsigned code = 0;
    for (unsigned i = 0; i < width; ++i, ++bit) {
      code = (code << 1) | ((static_cast<unsigned char>(stream[bit / 8]) >> (7 - bit % 8)) & 1);
    }
    codes.push_back({code, width});
    if (code == LZW_END) break;
    if (code == LZW_WIDEN) ++width;
    if (code == LZW_RESET) width = 9;
  }
  return codes;
}

// The encoder as the format describes it, step by step: strings looked up
// through per-length lists in the order added. The codec must write exactly
// the same stream.
std::string reference_encode(const std::string& input) {
  std::vector<std::string> dictionary(4096);
  std::vector<std::vector<unsigned>> by_length(4097);
  unsigned next_code = 259;
  StreamWriter out;
  auto code_of = [&](const std::string& s) -> int {
    if (s.size() == 1) return static_cast<unsigned char>(s[0]);
    for (unsigned code : by_length[s.size()])
      if (dictionary[code] == s) return int(code);
    return -1;
  };
  auto add = [&](const std::string& s) {
    dictionary[next_code] = s;
    by_length[s.size()].push_back(next_code);
    ++next_code;
  };
  std::string pending(1, input[0]);
  for (size_t i = 1; i < input.size(); ++i) {
    std::string candidate = pending + input[i];
    if (candidate.size() < 4096 && code_of(candidate) >= 0) {
      pending = candidate;
      continue;
    }
    add(candidate);
    out.put(unsigned(code_of(pending)));
    pending = std::string(1, input[i]);
    if (next_code == 4096) {
      out.reset();
      for (auto& list : by_length) list.clear();
      next_code = 259;
      add(candidate);
    }
  }
  out.put(unsigned(code_of(pending)));
  out.put_at(LZW_END, out.width);
  Bytes bytes = out.finish();
  return std::string(bytes.begin(), bytes.end());
}

std::string random_bytes(std::mt19937& random, size_t length, int alphabet) {
  std::string s(length, '\0');
  for (char& c : s) c = static_cast<char>(random() % alphabet);
  return s;
}

// French-like text: words from a small vocabulary, so that strings repeat.
std::string french_text(std::mt19937& random, size_t length) {
  static const char* words[] = {"le ",    "la ",        "quiz ", "r\xE9ponse ", "question ",
                                "image ", "est ",       "une ",  "des ",        "Napol\xE9on ",
                                "Paris ", "\xE9t\xE9 ", "pour ", "avec ",       "tirlo ",
                                "code ",  "|",          "\r\n"};
  std::string s;
  while (s.size() < length) s += words[random() % (sizeof words / sizeof *words)];
  s.resize(length);
  return s;
}

TEST(LzwEncode, AbcGivesTheFiveKnownBytes) {
  EXPECT_EQ(lzw("abc"), std::string("\x30\x98\x8C\x70\x00", 5));
  int status;
  EXPECT_EQ(unlzw(std::string("\x30\x98\x8C\x70\x00", 5), &status), "abc");
  EXPECT_EQ(status, LZW_OK);
}

TEST(LzwEncode, RepeatedByteUsesTheCodeBeingAdded) {
  std::vector<ReadCode> codes = read_codes(lzw("aaa"));
  ASSERT_EQ(codes.size(), 3u);
  EXPECT_EQ(codes[0].code, 97u);
  EXPECT_EQ(codes[1].code, 259u);
  EXPECT_EQ(codes[2].code, LZW_END);
  int status;
  EXPECT_EQ(unlzw(lzw("aaa"), &status), "aaa");
  EXPECT_EQ(status, LZW_OK);
}

TEST(LzwEncode, SingleByteIsItsCodeAndEnd) {
  std::string stream = lzw("Z");
  ASSERT_EQ(stream.size(), 3u);
  std::vector<ReadCode> codes = read_codes(stream);
  EXPECT_EQ(codes[0].code, unsigned('Z'));
  EXPECT_EQ(codes[1].code, LZW_END);
  EXPECT_EQ(static_cast<unsigned char>(stream[2]) & 0x3F, 0);  // six zero bits
}

TEST(LzwEncode, EmptyInputIsExhausted) {
  LzwOutput out;
  EXPECT_EQ(lzw_encode(nullptr, 0, &out), LZW_INPUT_EXHAUSTED);
  lzw_release(&out);
}

TEST(LzwEncode, FirstCodeAbove511IsPrecededByWiden) {
  std::mt19937 random(7);
  std::vector<ReadCode> codes = read_codes(lzw(french_text(random, 20000)));
  size_t i = 0;
  while (i < codes.size() &&
         !(codes[i].code > 511 && codes[i].code < 4096 && codes[i].code != LZW_END))
    ++i;
  ASSERT_LT(i, codes.size());
  ASSERT_GT(i, 0u);
  EXPECT_EQ(codes[i - 1].code, LZW_WIDEN);
  EXPECT_EQ(codes[i - 1].width, 9u);
  EXPECT_EQ(codes[i].width, 10u);
}

TEST(LzwEncode, ResetFollowsTheCodeAfterCode4095) {
  std::mt19937 random(11);
  std::string input = random_bytes(random, 30000, 256);
  std::string stream = lzw(input);
  std::vector<ReadCode> codes = read_codes(stream);
  size_t reset = 0;
  while (reset < codes.size() && codes[reset].code != LZW_RESET) ++reset;
  ASSERT_LT(reset, codes.size());
  EXPECT_EQ(codes[reset].width, 12u);
  EXPECT_EQ(codes[reset - 1].width, 12u);
  // 259..4095 were added by the data codes before the reset; the first data
  // code adds nothing, every later one adds one string.
  size_t data_codes = 0;
  for (size_t i = 0; i < reset; ++i)
    if (codes[i].code != LZW_WIDEN) ++data_codes;
  EXPECT_EQ(data_codes, 4095u - 259u + 1u);
  EXPECT_EQ(codes[reset + 1].width, 9u);
  int status;
  EXPECT_EQ(unlzw(stream, &status), input);
  EXPECT_EQ(status, LZW_OK);
}

TEST(LzwEncode, MatchesTheStepByStepEncoder) {
  std::mt19937 random(3);
  for (int round = 0; round < 12; ++round) {
    size_t length = 1 + random() % 40000;
    std::string input = round % 3 == 0   ? random_bytes(random, length, 256)
                        : round % 3 == 1 ? random_bytes(random, length, 3)
                                         : french_text(random, length);
    ASSERT_EQ(lzw(input), reference_encode(input)) << "round " << round;
  }
  std::string run(70000, 'a');
  EXPECT_EQ(lzw(run), reference_encode(run));
}

TEST(LzwRoundTrip, RandomInputsUpTo64KiB) {
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    size_t length = 1 + random() % 65536;
    int alphabet = 1 + int(random() % 256);
    std::string input =
        round % 2 ? random_bytes(random, length, alphabet) : french_text(random, length);
    int status;
    EXPECT_EQ(unlzw(lzw(input), &status), input) << "round " << round;
    EXPECT_EQ(status, LZW_OK);
  }
  std::string largest = random_bytes(random, 65536, 256);
  std::vector<ReadCode> codes = read_codes(lzw(largest));
  int resets = 0;
  for (const ReadCode& code : codes) resets += code.code == LZW_RESET;
  EXPECT_GE(resets, 3);
  int status;
  EXPECT_EQ(unlzw(lzw(largest), &status), largest);
}

TEST(LzwRoundTrip, InputsBeyondTheOldSixteenBitLimits) {
  std::mt19937 random(99);
  std::string input = french_text(random, 300000);
  int status;
  EXPECT_EQ(unlzw(lzw(input), &status), input);
  EXPECT_EQ(status, LZW_OK);
  // A long run of one byte builds ever longer strings; they stay within the
  // longest string the decoder accepts.
  std::string run(9000000, 'x');
  EXPECT_EQ(unlzw(lzw(run), &status), run);
  EXPECT_EQ(status, LZW_OK);
}

TEST(LzwDecode, CodeAboveTheNextFreeOneIsBad) {
  StreamWriter w;
  w.put('a');
  w.put(300);
  w.put_at(LZW_END, w.width);
  int status;
  unlzw(as_string(w.finish()), &status);
  EXPECT_EQ(status, LZW_BAD_CODE);
}

TEST(LzwDecode, StreamCutBeforeEndGivesTheBytesSoFar) {
  std::string stream = lzw("abcdefgh");
  int status;
  std::string decoded = unlzw(stream.substr(0, 5), &status);
  EXPECT_EQ(status, LZW_BAD_CODE);
  EXPECT_EQ(decoded, "abc");  // 4 codes complete in 40 bits: a, b, c, d pending
}

TEST(LzwDecode, EmptyOrTooShortInputIsExhausted) {
  int status;
  unlzw("", &status);
  EXPECT_EQ(status, LZW_INPUT_EXHAUSTED);
  unlzw("\x30", &status);
  EXPECT_EQ(status, LZW_INPUT_EXHAUSTED);
}

TEST(LzwDecode, WidthAbove32IsBad) {
  StreamWriter w;
  w.put('a');
  for (int i = 0; i < 24; ++i) w.put_at(LZW_WIDEN, w.width++);
  w.put_at(LZW_END, w.width);
  int status;
  unlzw(as_string(w.finish()), &status);
  EXPECT_EQ(status, LZW_BAD_CODE);
}

TEST(LzwDecode, DictionaryFullWithoutResetIsBad) {
  StreamWriter w;
  w.put('a');
  for (int i = 0; i < 3900; ++i) w.put('b');  // every data code adds a string
  w.put_at(LZW_END, w.width);
  int status;
  std::string decoded = unlzw(as_string(w.finish()), &status);
  EXPECT_EQ(status, LZW_BAD_CODE);
  EXPECT_EQ(decoded.size(), 4096u - 259u);  // the bytes before the failing code
}

TEST(LzwDecode, HugeExpansionStopsAtTheOutputLimit) {
  // Each code names the string being added, one byte longer than the last:
  // about 7.4 MB per dictionary.
  int status;
  std::string decoded = unlzw(as_string(expanding_stream(4)), &status);
  EXPECT_EQ(status, LZW_TOO_LARGE);
  EXPECT_LE(decoded.size(), size_t(LZW_MAX_OUTPUT));
}

// The first reservation is a guess, never a limit: a stream of more than
// 4 MiB (here padding after its end code) decodes, and so does one whose
// output is many times its size.
TEST(LzwDecode, LongStreamsAndLargeOutputsDecode) {
  const std::string plain = "Le titre|L'auteur|";
  std::string padded = lzw(plain) + std::string(5u << 20, '\xFF');
  int status;
  EXPECT_EQ(unlzw(padded, &status), plain);
  EXPECT_EQ(status, LZW_OK);
  std::string expanding = as_string(expanding_stream(1));  // about 7.4 MB from 6 KB
  std::string decoded = unlzw(expanding, &status);
  EXPECT_EQ(status, LZW_OK);
  EXPECT_EQ(decoded.size(), size_t(3838) * 3839 / 2);  // strings of 1 to 3838 bytes
  EXPECT_EQ(decoded.find_first_not_of('a'), std::string::npos);
}

TEST(LzwDecode, RandomAndTruncatedStreamsNeverCrash) {
  std::mt19937 random(2024);
  for (int round = 0; round < 2000; ++round) {
    std::string stream = random_bytes(random, random() % 600, 256);
    int status;
    unlzw(stream, &status);
    EXPECT_TRUE(status == LZW_OK || status == LZW_BAD_CODE || status == LZW_INPUT_EXHAUSTED ||
                status == LZW_TOO_LARGE)
        << status;
  }
  std::string input = french_text(random, 5000);
  std::string stream = lzw(input);
  for (size_t cut = 0; cut < stream.size(); cut += 7) {
    int status;
    std::string decoded = unlzw(stream.substr(0, cut), &status);
    EXPECT_NE(status, LZW_OK);
    EXPECT_EQ(decoded, input.substr(0, decoded.size()));
  }
}

}  // namespace
