// The options block after the colours: read when understood in every byte,
// refused otherwise, and never a change to the quiz's texts or counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/content/content_parser.h"
#include "tests/support/content_bytes.h"
#include "tests/support/document_fixture.h"

namespace {

// Two questions of two fields, answer mode 2 (reveal texts).
const std::string CONTENT = content_head(2, 2, 2) + "Titre|Auteur|Explications|Ville|Pays|" +
                            "Rome|Italie|q1|Paris|France|q2|" + byte_of(2) +
                            "r\xE9v\xE9l\xE9 1|r\xE9v\xE9l\xE9 2|" + rgb(10, 20, 30);

std::string header(int flags, int records) {
  return std::string("JUGE") + char(1) + char(flags) + char(records);
}

// Question 2 judged with accents ignored; its first field takes two other
// answers and lists one wrong answer, its second lists two.
const std::string BLOCK = header(0x09, 1) + char(2) + char(0x04) + char(2) + "Paname|Lutece|" +
                          char(1) + "Lyon|Non, pas Lyon|" + char(0) + char(2) +
                          "Espagne|Plus au nord|Belgique|Plus au sud|";

struct JudgingOptionsTest : DocumentFixture {
  // Each content into a fresh document.
  void parse(const std::string& content) {
    release_document(doc);
    init_document(doc);
    parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()), content.size());
  }
  std::string text(int question, int answer, int index) {
    const char* t =
        judging_text(&doc->judging, judging_field(&doc->judging, question, answer), index);
    return t ? t : "<none>";
  }
  // Everything of the quiz but its options, to compare with and without a block.
  std::string quiz_state() {
    std::string state =
        std::string(doc->title) + "|" + doc->author + "|" + doc->explanation + "|" +
        doc->answer1_label + "|" + doc->answer2_label + "|" + std::to_string(doc->kind) + "|" +
        std::to_string(doc->question_count) + "|" + std::to_string(doc->answers_per_question) +
        "|" + std::to_string(doc->answer_mode) + "|" + std::to_string(doc->background_colour) +
        "|" + std::to_string(question_list_length(doc));
    for (QuizQuestion* q = doc->first; q; q = q->next)
      state += std::string("|") + q->answer1 + "|" + q->answer2 + "|" + q->question_text + "|" +
               q->reveal_text;
    return state;
  }
};

TEST_F(JudgingOptionsTest, ABlockIsReadIntoTheDocument) {
  parse(CONTENT + BLOCK);
  const JudgingOptions& options = doc->judging;
  ASSERT_EQ(options.present, 1);
  EXPECT_EQ(options.quiz_flags, 0x09);
  JudgingRules quiz = judging_rules(&options, 1), own = judging_rules(&options, 2);
  EXPECT_TRUE(quiz.accented_case);
  EXPECT_EQ(quiz.accents, ACCENTS_EXACT);
  EXPECT_TRUE(quiz.articles);
  EXPECT_FALSE(own.accented_case);
  EXPECT_EQ(own.accents, ACCENTS_IGNORED);
  EXPECT_FALSE(own.articles);
  EXPECT_EQ(options.question_flags[0], JUDGING_AS_QUIZ);
  const FieldOptions* first = judging_field(&options, 2, 1);
  EXPECT_EQ(first->alternatives, 2);
  EXPECT_EQ(first->wrong_answers, 1);
  EXPECT_EQ(text(2, 1, 0), "Paname");
  EXPECT_EQ(text(2, 1, 1), "Lutece");
  EXPECT_EQ(text(2, 1, 2), "Lyon");
  EXPECT_EQ(text(2, 1, 3), "Non, pas Lyon");
  EXPECT_EQ(text(2, 1, 4), "<none>");
  EXPECT_EQ(text(2, 2, 0), "Espagne");
  EXPECT_EQ(text(2, 2, 3), "Plus au sud");
  EXPECT_EQ(text(1, 1, 0), "<none>");
  EXPECT_EQ(judging_field(&options, 97, 1), nullptr);
  EXPECT_EQ(judging_field(&options, 1, 3), nullptr);
}

TEST_F(JudgingOptionsTest, FlagsRoundTrip) {
  for (int flags = 0; flags < 0x10000; ++flags) {
    if (!judging_flags_known(JudgingFlags(flags))) continue;
    EXPECT_EQ(flags_from_rules(rules_from_flags(JudgingFlags(flags))), flags);
  }
  EXPECT_FALSE(judging_flags_known(0x06));  // accent rule 3
  EXPECT_FALSE(judging_flags_known(0x800));
  EXPECT_TRUE(judging_flags_known(0x0D));
  EXPECT_TRUE(judging_flags_known(0x7F9));
}

// A version 2 block carries a second rules byte, for the quiz and for each
// question's own rules; every byte 0xFF is still "as the quiz".
TEST_F(JudgingOptionsTest, ASecondRulesByteInVersionTwo) {
  parse(CONTENT + "JUGE" + char(2) + char(0x09) + char(0x01) + char(2) + char(1) + char(0xFF) +
        char(0xFF) + std::string(4, '\0') + char(2) + char(0xF3) + char(0x02) +
        std::string(4, '\0'));
  ASSERT_EQ(doc->judging.present, 1);
  EXPECT_EQ(doc->judging.quiz_flags, 0x109);
  EXPECT_EQ(doc->judging.question_flags[0], JUDGING_AS_QUIZ);
  JudgingRules quiz = judging_rules(&doc->judging, 1), own = judging_rules(&doc->judging, 2);
  EXPECT_TRUE(quiz.numbers && quiz.articles && !quiz.optional_circumflex);
  EXPECT_TRUE(own.optional_circumflex && own.hyphens && own.punctuation && own.ligatures &&
              own.unaccented_capitals && own.accented_case && !own.numbers);
  // Refused: a second byte of the quiz's with an unknown rule, a question's
  // 0xFF with a second byte that is not, and a version 2 block cut after
  // its first rules byte.
  for (const std::string& refused : {std::string("JUGE") + char(2) + char(0) + char(0x08) + char(0),
                                     std::string("JUGE") + char(2) + char(0) + char(0) + char(1) +
                                         char(1) + char(0xFF) + char(0) + std::string(4, '\0'),
                                     std::string("JUGE") + char(2) + char(0) + char(0)}) {
    parse(CONTENT + refused);
    EXPECT_EQ(doc->judging.present, 0);
  }
}

TEST_F(JudgingOptionsTest, NoBlockOrOtherBytesLeaveThePlainLadder) {
  parse(CONTENT);
  EXPECT_EQ(doc->judging.present, 0);
  std::string plain = quiz_state();
  for (const std::string& rest : {std::string("x"), std::string("\0\0\0", 3), std::string("JUG"),
                                  std::string("juge") + char(1) + char(0) + char(0)}) {
    parse(CONTENT + rest);
    EXPECT_EQ(doc->judging.present, 0) << rest;
    EXPECT_EQ(quiz_state(), plain);
  }
  parse(CONTENT + header(0, 0));  // the smallest block: typography only
  EXPECT_EQ(doc->judging.present, 1);
}

TEST_F(JudgingOptionsTest, EveryMisunderstoodBlockIsRefusedWhole) {
  parse(CONTENT);
  std::string plain = quiz_state();
  std::string text259(259, 'x'), text260(260, 'x');
  const std::vector<std::string> refused = {
      std::string("JUGE") + char(3) + char(0) + char(0),  // a later version
      header(0x16, 0),                                    // an unknown rule
      header(0x06, 0),                                    // accent rule 3
      header(0, 3),                                       // more records than questions
      header(0, 1) + char(0) + char(0xFF) + char(0) + char(0) + char(0) + char(0),  // question 0
      header(0, 1) + char(3) + char(0xFF) + char(0) + char(0) + char(0) + char(0),  // question 3
      header(0, 2) + char(2) + char(0xFF) + std::string(4, '\0') + char(1) + char(0xFF) +
          std::string(4, '\0'),                                    // out of order
      header(0, 1) + char(1) + char(0x46) + std::string(4, '\0'),  // own rules unknown
      header(0, 1) + char(1) + char(0xFF) + char(8) + std::string(8, 'a') + char(0),  // 8 others
      header(0, 1) + char(1) + char(0xFF) + char(0) + char(17),  // 17 wrong answers
      header(0, 1) + char(1) + char(0xFF) + char(1) + "|" + std::string(3, '\0'),  // empty text
      header(0, 1) + char(1) + char(0xFF) + char(1) + text260 + "|" + std::string(3, '\0'),
      header(0, 1) + char(1) + char(0xFF) + char(1) + std::string("a\0b|", 4) +
          std::string(3, '\0'),                               // a zero byte
      header(0, 1) + char(1) + char(0xFF) + char(1) + "abc",  // no separator
      header(0, 0) + "x",                                     // bytes after the end
      BLOCK + char(0),
  };
  for (size_t i = 0; i < refused.size(); ++i) {
    parse(CONTENT + refused[i]);
    EXPECT_EQ(doc->judging.present, 0) << i;
    EXPECT_EQ(quiz_state(), plain) << i;
  }
  // The longest text is 259 bytes.
  parse(CONTENT + header(0, 1) + char(1) + char(0xFF) + char(1) + text259 + "|" +
        std::string(3, '\0'));
  EXPECT_EQ(doc->judging.present, 1);
  EXPECT_EQ(text(1, 1, 0), text259);
}

TEST_F(JudgingOptionsTest, EveryCutOrChangedByteKeepsTheQuizAsItIs) {
  parse(CONTENT);
  std::string plain = quiz_state();
  for (size_t cut = 0; cut < BLOCK.size(); ++cut) {
    parse(CONTENT + BLOCK.substr(0, cut));
    EXPECT_EQ(doc->judging.present, 0) << cut;
    EXPECT_EQ(quiz_state(), plain) << cut;
  }
  for (size_t at = 0; at < BLOCK.size(); ++at) {
    for (int value : {0x00, 0x01, 0x07, 0x7C, 0xFF}) {
      std::string changed = BLOCK;
      changed[at] = char(value);
      parse(CONTENT + changed);
      EXPECT_EQ(quiz_state(), plain) << at << " " << value;
      if (doc->judging.present) {
        EXPECT_LE(doc->judging.texts_size, BLOCK.size());
      }
    }
  }
}

TEST_F(JudgingOptionsTest, OneFieldPerQuestionAndCutContent) {
  // One answer per question: a record holds one field's lists.
  std::string one = content_head(1, 1, 1) + "T|A|E|||" + "Rome|q1|" + byte_of(0) + rgb(1, 2, 3);
  parse(one + header(0, 1) + char(1) + char(0xFF) + char(1) + "Roma|" + char(0));
  ASSERT_EQ(doc->judging.present, 1);
  EXPECT_EQ(text(1, 1, 0), "Roma");
  EXPECT_EQ(judging_field(&doc->judging, 1, 2)->alternatives, 0);
  // Content that ends before its colours has no block either: a cut-off
  // content never reads its texts as options.
  parse(one.substr(0, 12) + header(0, 0));
  EXPECT_EQ(doc->judging.present, 0);
}

TEST_F(JudgingOptionsTest, AFailedReadKeepsWhatTheOptionsHeld) {
  JudgingOptions options = {};
  std::string block = header(0x02, 0);
  ASSERT_TRUE(read_judging_options(reinterpret_cast<const unsigned char*>(block.data()),
                                   block.size(), 2, 2, &options));
  std::string bad = header(0x06, 0);
  EXPECT_FALSE(read_judging_options(reinterpret_cast<const unsigned char*>(bad.data()), bad.size(),
                                    2, 2, &options));
  EXPECT_EQ(options.present, 1);
  EXPECT_EQ(options.quiz_flags, 0x02);
  release_judging_options(&options);
  EXPECT_EQ(options.present, 0);
  EXPECT_EQ(options.texts, nullptr);
}

}  // namespace
