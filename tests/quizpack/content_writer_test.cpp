// The content writer is the exact inverse of the player's own parser: what it
// writes, parse_content and parse_codes read back field for field.
#include "core/authoring/content_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/content/content_parser.h"
#include "quizpack_support.h"
#include "tests/support/recording_platform.h"

namespace {

QuizSource sample_quiz(uint32_t kind, int answers, int mode) {
  QuizSource quiz;
  quiz.kind = kind;
  quiz.answers = answers;
  quiz.answer_mode = mode;
  quiz.title = "Capitales d'Europe";
  quiz.author = "Marie";
  quiz.explanation = "Trouvez la ville \xE9trang\xE8re";
  quiz.labels[0] = "Ville";
  quiz.labels[1] = "Pays";
  quiz.red = 30, quiz.green = 200, quiz.blue = 7;
  quiz.codes = {"UN", "", "TROIS|3"};
  const char* cities[][2] = {{"Paris", "France"}, {"Rome", "Italie"}, {"Berlin", "Allemagne"}};
  for (auto& city : cities) {
    SourceQuestion q;
    q.answer[0] = city[0];
    if (answers == 2) q.answer[1] = city[1];
    q.text = std::string("Capitale ? ") + city[1];
    q.reveal = std::string("C'est ") + city[0] + "\r\nbien s\xFBr";
    quiz.questions.push_back(q);
  }
  return quiz;
}

class ContentWriter : public ::testing::TestWithParam<std::tuple<uint32_t, int, int>> {};

TEST_P(ContentWriter, ThePlayersParserReadsEveryField) {
  auto [kind, answers, mode] = GetParam();
  QuizSource quiz = sample_quiz(kind, answers, mode);
  RecordingPlatform platform;
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  init_document(doc);
  std::string content = write_content(quiz), codes = write_codes(quiz);
  ASSERT_EQ(
      parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()), content.size()),
      CONTENT_COMPLETE);
  ASSERT_EQ(parse_codes(doc, reinterpret_cast<const unsigned char*>(codes.data()), codes.size()),
            CONTENT_COMPLETE);
  EXPECT_EQ(doc->kind, kind);
  EXPECT_EQ(doc->answers_per_question, answers);
  EXPECT_EQ(doc->answer_mode, mode);
  EXPECT_EQ(doc->question_count, 3);
  EXPECT_STREQ(doc->title, quiz.title.c_str());
  EXPECT_STREQ(doc->author, quiz.author.c_str());
  EXPECT_STREQ(doc->explanation, quiz.explanation.c_str());
  EXPECT_STREQ(doc->answer1_label, "Ville");
  EXPECT_STREQ(doc->answer2_label, "Pays");
  EXPECT_EQ(doc->background_colour, 30u | 200u << 8 | 7u << 16);
  bool reveals = mode >= 2 && mode <= 4;
  for (int i = 0; i < 3; ++i) {
    const QuizQuestion* q = question_at(doc, i);
    EXPECT_STREQ(q->answer1, quiz.questions[i].answer[0].c_str());
    EXPECT_STREQ(q->answer2, quiz.questions[i].answer[1].c_str());
    EXPECT_STREQ(q->question_text, quiz.questions[i].text.c_str());
    EXPECT_STREQ(q->reveal_text, reveals ? quiz.questions[i].reveal.c_str() : "");
    EXPECT_STREQ(doc->codes[i], quiz.codes[i].c_str());
  }
  release_document(doc);
  free(doc);
}

TEST_P(ContentWriter, DumpReadsBackWhatWasWritten) {
  auto [kind, answers, mode] = GetParam();
  QuizSource quiz = sample_quiz(kind, answers, mode), back;
  Message problem;
  ASSERT_TRUE(read_content(write_content(quiz), &back, &problem)) << problem;
  back.codes = read_codes(write_codes(quiz), back.questions.size());
  EXPECT_EQ(write_content(back), write_content(quiz));
  EXPECT_EQ(write_codes(back), write_codes(quiz));
  EXPECT_EQ(back.codes.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(KindsAnswersAndModes, ContentWriter,
                         ::testing::Values(std::make_tuple(0u, 1, 0), std::make_tuple(0u, 1, 3),
                                           std::make_tuple(1u, 2, 1), std::make_tuple(2u, 1, 2),
                                           std::make_tuple(3u, 2, 4)));

TEST(ContentWriter, LayoutOfASmallQuiz) {
  QuizSource quiz;
  quiz.kind = 0;
  quiz.answer_mode = 3;
  quiz.title = "T";
  SourceQuestion q;
  q.answer[0] = "A";
  q.text = "Q";
  q.reveal = "R";
  quiz.questions.push_back(q);
  // Mode 3 holds a second text per question, which the player reads past.
  EXPECT_EQ(write_content(quiz), std::string("\0\x01\x01\x01T|||||A|Q|\x03R||\x5A\x5F\x96", 21));
  EXPECT_EQ(write_codes(quiz), "\r\n");  // a question without a code has an empty line
}

TEST(ContentWriter, CodesReadBackWithoutTrailingEmptyOnes) {
  EXPECT_EQ(read_codes("A\r\n\r\nC\r\n\r\n", 4), (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(read_codes("A\r\nB", 1), (std::vector<std::string>{"A"}));
  EXPECT_EQ(read_codes("A\r\nB", 5), (std::vector<std::string>{"A", "B"}));
}

TEST(ContentWriter, DumpRefusesContentThatEndsEarly) {
  QuizSource quiz = sample_quiz(1, 2, 4), back;
  std::string content = write_content(quiz);
  Message problem;
  for (size_t cut : {size_t(2), size_t(10), content.size() - 5, content.size() - 1}) {
    back = QuizSource();
    EXPECT_FALSE(read_content(content.substr(0, cut), &back, &problem)) << cut;
  }
  std::string bad_answers = content;
  bad_answers[3] = 3;
  EXPECT_FALSE(read_content(bad_answers, &back, &problem));
  EXPECT_NE(english(problem).find("answers per question"), std::string::npos);
}

TEST(ContentWriter, EncodedResourcesDecode) {
  std::string content = write_content(sample_quiz(3, 2, 4)), encoded, decoded;
  ASSERT_EQ(encode_resource(content, &encoded), 0);
  ASSERT_EQ(decode_resource(encoded, &decoded), 0);
  EXPECT_EQ(decoded, content);
  EXPECT_NE(decode_resource("garbage", &decoded), 0);
}

}  // namespace
