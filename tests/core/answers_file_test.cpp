#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/answers/answers_file.h"

namespace {

std::vector<std::string> read_lines(const std::string& file, int fields) {
  AnswersReader reader;
  start_answers(&reader, file.data(), file.size());
  std::vector<std::string> lines;
  for (int i = 0; i < fields; ++i) {
    char slot[TEXT_SLOT_SIZE];
    memset(slot, 'x', sizeof slot);
    size_t length = read_answer_line(&reader, slot);
    EXPECT_LE(length, size_t(TEXT_SLOT_MAX));
    EXPECT_EQ(slot[length], 0);
    lines.emplace_back(slot);
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST(AnswersFile, CrLfLines) {
  EXPECT_EQ(read_lines("Paris\r\n\r\n Rome \r\n", 3), (Lines{"Paris", "", " Rome "}));
}

TEST(AnswersFile, LfAloneDoesNotEndALine) {
  EXPECT_EQ(read_lines("un\ndeux\ntrois\r\nquatre\r\n", 3),
            (Lines{"un\ndeux\ntrois", "quatre", ""}));
  EXPECT_EQ(read_lines("un\ndeux\n", 2), (Lines{"un\ndeux\n", ""}));
}

TEST(AnswersFile, EverythingUpToTheLfIsSkipped) {
  EXPECT_EQ(read_lines("un\rdeux\r\ntrois\r", 3), (Lines{"un", "trois", ""}));
  EXPECT_EQ(read_lines("\r\r\rA\r\nB", 3), (Lines{"", "B", ""}));
}

TEST(AnswersFile, FewerLinesThanFieldsLeaveTheRestEmpty) {
  EXPECT_EQ(read_lines("seul\r\n", 4), (Lines{"seul", "", "", ""}));
  EXPECT_EQ(read_lines("", 2), (Lines{"", ""}));
  EXPECT_EQ(read_lines("sans fin", 2), (Lines{"sans fin", ""}));
}

TEST(AnswersFile, OverlongLineIsCutAndItsRestSkipped) {
  std::string long_line(300, 'a');
  long_line[259] = 'b';
  Lines lines = read_lines(long_line + "\r\nsuite\r\n", 2);
  EXPECT_EQ(lines[0], std::string(259, 'a'));
  EXPECT_EQ(lines[1], "suite");
  EXPECT_EQ(read_lines(std::string(259, 'c') + "\r\nx\r\n", 2)[0].size(), 259u);
}

TEST(AnswersFile, NoFileGivesEmptyLines) {
  AnswersReader reader;
  start_answers(&reader, nullptr, 12);
  char slot[TEXT_SLOT_SIZE] = "old";
  EXPECT_EQ(read_answer_line(&reader, slot), 0u);
  EXPECT_STREQ(slot, "");
}

TEST(AnswersFile, NameFollowsTheProgramFile) {
  char slot[TEXT_SLOT_SIZE];
  EXPECT_TRUE(answers_file_name("C:\\Jeux\\Quiz\\Player.EXE", slot));
  EXPECT_STREQ(slot, "Player.txt");
  EXPECT_TRUE(answers_file_name("Z:\\a.b\\tirlo", slot));
  EXPECT_STREQ(slot, "titxt");
  EXPECT_TRUE(answers_file_name("quiz.exe", slot));
  EXPECT_STREQ(slot, "quiz.txt");
  EXPECT_FALSE(answers_file_name("C:\\x\\ab", slot));
  EXPECT_STREQ(slot, "");
  EXPECT_FALSE(answers_file_name("C:\\x\\", slot));
}

std::string written(const std::vector<std::string>& fields) {
  std::string file;
  for (const std::string& text : fields) {
    char line[ANSWER_LINE_SIZE];
    size_t length = format_answer_line(text.c_str(), line);
    file.append(line, length);
  }
  return file;
}

TEST(AnswersFile, OneCrLfLinePerFieldAsTheFieldShowsIt) {
  EXPECT_EQ(written({"Paris", "", " Rome ", "lyon"}), "Paris\r\n\r\n Rome \r\nlyon\r\n");
  EXPECT_EQ(written({}), "");
  // Cut at 259 bytes, so every line reads back whole.
  std::string file = written({std::string(300, 'a'), "suite"});
  EXPECT_EQ(file, std::string(259, 'a') + "\r\nsuite\r\n");
  EXPECT_EQ(read_lines(file, 3), (Lines{std::string(259, 'a'), "suite", ""}));
  EXPECT_EQ(read_lines(written({"\xE9t\xE9", "", "x y"}), 3), (Lines{"\xE9t\xE9", "", "x y"}));
}

TEST(AnswersFile, TemporaryNameBesideTheAnswersFile) {
  char slot[TEXT_SLOT_SIZE];
  EXPECT_TRUE(answers_temporary_name("Player.txt", slot));
  EXPECT_STREQ(slot, "Player.txt.tmp");
  EXPECT_TRUE(answers_temporary_name(std::string(255, 'q').c_str(), slot));
  EXPECT_EQ(std::string(slot), std::string(255, 'q') + ".tmp");
  EXPECT_FALSE(answers_temporary_name(std::string(256, 'q').c_str(), slot));
  EXPECT_STREQ(slot, "");
  EXPECT_FALSE(answers_temporary_name("", slot));
}

}  // namespace
