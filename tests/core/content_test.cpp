#include <gtest/gtest.h>

#include <string>

#include "core/content/content_parser.h"
#include "core/content/loader.h"
#include "tests/support/content_bytes.h"
#include "tests/support/document_fixture.h"
#include "tests/support/lzw_stream.h"

namespace {

const std::string HEADER = "Le titre|L'auteur|Explications|Ville|Pays|";

struct ContentTest : DocumentFixture {
  ContentStatus parse(const std::string& content) {
    return parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()),
                         content.size());
  }
  ContentStatus codes(const std::string& lines) {
    return parse_codes(doc, reinterpret_cast<const unsigned char*>(lines.data()), lines.size());
  }
  void load(const std::string* content, const std::string* codes_resource) {
    if (content) platform.add_resource(104, "PATCH", *content);
    if (codes_resource) platform.add_resource(105, "PATCH", *codes_resource);
    load_content(doc);
  }
};

TEST_F(ContentTest, HeaderTextsSplitAtEachSeparator) {
  EXPECT_EQ(parse(content_head(2, 0, 1) + HEADER + byte_of(0) + rgb(1, 2, 3)), CONTENT_COMPLETE);
  EXPECT_EQ(doc->kind, QUIZ_PICTURE);
  EXPECT_STREQ(doc->title, "Le titre");
  EXPECT_STREQ(doc->author, "L'auteur");
  EXPECT_STREQ(doc->explanation, "Explications");
  EXPECT_STREQ(doc->answer1_label, "Ville");
  EXPECT_STREQ(doc->answer2_label, "Pays");
  EXPECT_EQ(doc->question_count, 0);
  EXPECT_EQ(doc->first, nullptr);
  EXPECT_EQ(doc->background_red, 1);
  EXPECT_EQ(doc->background_green, 2);
  EXPECT_EQ(doc->background_blue, 3);
  EXPECT_EQ(doc->background_colour, 0x00030201u);
  EXPECT_EQ(platform.colour_of(doc->background_brush), 0x00030201u);
}

TEST_F(ContentTest, OneAnswerPerQuestionRecordsHoldTwoTexts) {
  parse(content_head(1, 2, 1) + HEADER + "Paris|Capitale ?|Rome|Et celle-ci ?|" + byte_of(0) +
        rgb(200, 10, 20));
  EXPECT_EQ(doc->kind, QUIZ_TEXT);
  EXPECT_EQ(doc->answers_per_question, 1);
  ASSERT_EQ(question_list_length(doc), 2);
  EXPECT_STREQ(question_at(doc, 0)->answer1, "Paris");
  EXPECT_STREQ(question_at(doc, 0)->answer2, "");
  EXPECT_STREQ(question_at(doc, 0)->question_text, "Capitale ?");
  EXPECT_STREQ(question_at(doc, 1)->answer1, "Rome");
  EXPECT_EQ(doc->answer_mode, 0);
  EXPECT_EQ(doc->background_red, 200);
}

TEST_F(ContentTest, TwoAnswersPerQuestionRecordsHoldThreeTexts) {
  parse(content_head(2, 1, 2) + HEADER + "Paris|France|q|" + byte_of(1) + rgb(0, 0, 0));
  EXPECT_EQ(doc->answers_per_question, 2);
  EXPECT_STREQ(doc->first->answer1, "Paris");
  EXPECT_STREQ(doc->first->answer2, "France");
  EXPECT_STREQ(doc->first->question_text, "q");
  EXPECT_EQ(doc->answer_mode, 1);  // no reveal records: the colours follow at once
}

TEST_F(ContentTest, RevealRecordsByAnswerMode) {
  const std::string questions = "a|q1|b|q2|";
  parse(content_head(2, 2, 1) + HEADER + questions + byte_of(2) + "r1|r2|" + rgb(9, 8, 7));
  EXPECT_STREQ(question_at(doc, 0)->reveal_text, "r1");
  EXPECT_STREQ(question_at(doc, 1)->reveal_text, "r2");
  EXPECT_EQ(doc->background_red, 9);
}

TEST_F(ContentTest, ModeThreeKeepsTheFirstOfTwoRevealTexts) {
  parse(content_head(2, 2, 1) + HEADER + "a|q1|b|q2|" + byte_of(3) + "r1|x1|r2|x2|" + rgb(9, 8, 7));
  EXPECT_EQ(doc->answer_mode, 3);
  EXPECT_STREQ(question_at(doc, 0)->reveal_text, "r1");
  EXPECT_STREQ(question_at(doc, 1)->reveal_text, "r2");
  EXPECT_EQ(doc->background_red, 9);
  EXPECT_EQ(doc->background_blue, 7);
}

TEST_F(ContentTest, ModeFourAndUnknownModes) {
  parse(content_head(2, 1, 1) + HEADER + "a|q|" + byte_of(4) + "tout|" + rgb(5, 6, 7));
  EXPECT_EQ(doc->answer_mode, 4);
  EXPECT_STREQ(doc->first->reveal_text, "tout");
  EXPECT_EQ(doc->background_green, 6);
}

TEST_F(ContentTest, ModeAboveFourHasNoRevealRecords) {
  parse(content_head(2, 1, 1) + HEADER + "a|q|" + byte_of(7) + rgb(5, 6, 7));
  EXPECT_EQ(doc->answer_mode, 7);
  EXPECT_EQ(doc->background_blue, 7);
}

TEST_F(ContentTest, KindIsTheByteMinusOne) {
  parse(content_head(4, 0, 1) + HEADER + byte_of(0) + rgb(0, 0, 0));
  EXPECT_EQ(doc->kind, QUIZ_VIDEO);
  parse(content_head(0, 0, 1) + HEADER + byte_of(0) + rgb(0, 0, 0));
  EXPECT_GT(doc->kind, 3u);  // shows no questions
}

TEST_F(ContentTest, ZeroBytesAddNothingAndLongTextsAreCut) {
  std::string long_title(300, 'T');
  const char rest[] = "|A\0u\0t|E|L1|L2|ans|q|";
  parse(content_head(1, 1, 1) + long_title + std::string(rest, sizeof rest - 1) + byte_of(0) +
        rgb(1, 1, 1));
  EXPECT_EQ(std::string(doc->title), std::string(259, 'T'));
  EXPECT_STREQ(doc->author, "Aut");
  EXPECT_STREQ(doc->explanation, "E");
  EXPECT_STREQ(doc->first->answer1, "ans");
  EXPECT_EQ(doc->background_red, 1);
}

TEST_F(ContentTest, AnswersPerQuestionOtherThanTwoIsReadAsOne) {
  for (int answers : {0, 3, 255}) {
    release_document(doc);
    init_document(doc);
    EXPECT_EQ(
        parse(content_head(2, 2, answers) + HEADER + "a|q1|b|q2|" + byte_of(0) + rgb(1, 2, 3)),
        CONTENT_COMPLETE);
    EXPECT_EQ(doc->answers_per_question, 1) << answers;
    EXPECT_STREQ(question_at(doc, 1)->answer1, "b");
    EXPECT_EQ(doc->background_blue, 3);
  }
}

TEST_F(ContentTest, MoreThan96QuestionsKeepsTheFirst96AndReadsPastTheRest) {
  std::string records, reveals;
  for (int i = 1; i <= 120; ++i) {
    records += "a" + std::to_string(i) + "|q|";
    reveals += "r" + std::to_string(i) + "|";
  }
  EXPECT_EQ(parse(content_head(2, 120, 1) + HEADER + records + byte_of(2) + reveals + rgb(4, 5, 6)),
            CONTENT_COMPLETE);
  EXPECT_EQ(doc->question_count, 96);
  EXPECT_EQ(question_list_length(doc), 96);
  EXPECT_STREQ(doc->last->answer1, "a96");
  EXPECT_STREQ(doc->last->reveal_text, "r96");
  EXPECT_EQ(doc->answer_mode, 2);
  EXPECT_EQ(doc->background_green, 5);
  std::string lines;
  for (int i = 1; i <= 120; ++i) lines += "C" + std::to_string(i) + "\r\n";
  EXPECT_EQ(codes(lines), CONTENT_COMPLETE);
  EXPECT_STREQ(doc->codes[95], "C96");
}

TEST_F(ContentTest, ContentEndingEarlyKeepsWhatWasRead) {
  const std::string full =
      content_head(2, 3, 1) + HEADER + "a|q1|b|q2|c|q3|" + byte_of(2) + "r1|r2|r3|" + rgb(1, 2, 3);
  for (size_t cut = 0; cut < full.size(); ++cut) {
    release_document(doc);
    init_document(doc);
    ContentStatus status = parse(full.substr(0, cut));
    EXPECT_EQ(status, CONTENT_TRUNCATED) << cut;
    // The question count never promises more questions than the list holds,
    // whatever byte the content ends at.
    EXPECT_EQ(doc->question_count, question_list_length(doc)) << cut;
    // The colour is set only once all three bytes are there.
    EXPECT_EQ(doc->background_red, 90) << cut;
  }
  release_document(doc);
  init_document(doc);
  // Cut inside the second question: only the first is kept.
  parse(full.substr(0, full.find("q2")));
  EXPECT_EQ(doc->question_count, 1);
  EXPECT_STREQ(doc->first->answer1, "a");
  EXPECT_EQ(doc->answer_mode, 0);
}

// Content that ends before its question count keeps no question and no
// count: the document's default of two would show "0 / 2" and two empty rows.
TEST_F(ContentTest, ContentEndingBeforeItsCountHasNoQuestions) {
  for (const std::string& content :
       {std::string(), std::string(1, '\0'), content_head(2, 5, 1).substr(0, 2),
        content_head(2, 5, 1).substr(0, 3)}) {
    release_document(doc);
    init_document(doc);
    ASSERT_EQ(doc->question_count, 2);  // the default
    EXPECT_EQ(parse(content), CONTENT_TRUNCATED) << content.size();
    EXPECT_EQ(doc->question_count, 0) << content.size();
  }
}

// A stream decoding to more than the codec's limit is a decoding error, told
// as such; a long stream (padding after its end code) is no memory failure.
TEST_F(ContentTest, ContentBeyondTheLimitIsADecodingError) {
  std::string content = as_string(expanding_stream(3));  // about 22 MB
  load(&content, nullptr);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Erreur dans le d\xE9"
            "cryptage des reponses");
  platform.messages.clear();
  release_document(doc);
  init_document(doc);
  std::string padded = lzw(content_head(1, 1, 1) + HEADER + "a|q|" + byte_of(0) + rgb(1, 2, 3)) +
                       std::string(5u << 20, '\0');
  std::string codes_resource = lzw("C1\r\n");
  load(&padded, &codes_resource);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(doc->question_count, 1);
  EXPECT_STREQ(doc->codes[0], "C1");
}

TEST_F(ContentTest, CodesAreReadLineByLine) {
  parse(content_head(2, 2, 1) + HEADER + "a|q|b|q|" + byte_of(0) + rgb(1, 1, 1));
  EXPECT_EQ(codes("CODE-1\r\nCODE-2\r\nCODE-3\r\n"), CONTENT_COMPLETE);
  EXPECT_STREQ(doc->codes[0], "CODE-1");
  EXPECT_STREQ(doc->codes[1], "CODE-2");
  EXPECT_STREQ(doc->codes[2], "");  // a third line is ignored
}

TEST_F(ContentTest, CodesEndingEarlyOrTooLong) {
  parse(content_head(2, 3, 1) + HEADER + "a|q|b|q|c|q|" + byte_of(0) + rgb(1, 1, 1));
  std::string long_code(300, 'K');
  EXPECT_EQ(codes(long_code + "\r\nDEUX"), CONTENT_TRUNCATED);
  EXPECT_EQ(std::string(doc->codes[0]), std::string(259, 'K'));
  EXPECT_STREQ(doc->codes[1], "DEUX");
  EXPECT_STREQ(doc->codes[2], "");
  // A CR as the very last byte: the byte after it is not there to skip.
  EXPECT_EQ(codes("A\rB\rC\r"), CONTENT_COMPLETE);
  EXPECT_STREQ(doc->codes[0], "A");
  EXPECT_STREQ(doc->codes[1], "");  // "B" was the skipped byte after the first CR
}

// --- load_content, through the seam

TEST_F(ContentTest, NoContentResourceGivesTheDemonstration) {
  load(nullptr, nullptr);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_STREQ(doc->title, "Nom du tirlo");
  EXPECT_STREQ(doc->author, "Createur tirlo");
  EXPECT_STREQ(doc->explanation, "Explications du tirlo");
  EXPECT_STREQ(doc->answer1_label, "TEST");
  EXPECT_STREQ(doc->answer2_label, "TEST");
  EXPECT_EQ(doc->question_count, 7);
  EXPECT_EQ(doc->answers_per_question, 2);
  EXPECT_EQ(doc->answer_mode, 3);
  EXPECT_EQ(doc->kind, QUIZ_PICTURE);
  EXPECT_EQ(doc->background_colour, 0x00A3CB35u);
  EXPECT_EQ(platform.colour_of(doc->background_brush), 0x00A3CB35u);
  ASSERT_EQ(question_list_length(doc), 2);
  EXPECT_STREQ(question_at(doc, 6)->question_text, "emplacement");
  EXPECT_EQ(question_at(doc, 6), doc->last);
  EXPECT_STREQ(doc->codes[0], "");
}

TEST_F(ContentTest, EmptyContentResourceGivesTheDemonstrationToo) {
  std::string empty;
  std::string codes_resource = lzw("X\r\n");
  load(&empty, &codes_resource);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(doc->question_count, 7);
  EXPECT_STREQ(doc->codes[0], "");
}

TEST_F(ContentTest, LoadsContentAndCodes) {
  std::string content =
      lzw(content_head(2, 2, 1) + HEADER + "a|q1|b|q2|" + byte_of(0) + rgb(1, 2, 3));
  std::string codes_resource = lzw("C1\r\nC2\r\n");
  load(&content, &codes_resource);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_STREQ(doc->title, "Le titre");
  EXPECT_STREQ(doc->codes[1], "C2");
}

TEST_F(ContentTest, BadContentStreamKeepsTheDefaults) {
  std::string content = "\xFF\xFF\xFF\xFF";
  std::string codes_resource = lzw("C1\r\n");
  load(&content, &codes_resource);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Erreur dans le d\xE9"
            "cryptage des reponses");
  EXPECT_EQ(platform.messages[0].caption, "Tirlo");
  EXPECT_EQ(platform.messages[0].buttons, unsigned(MESSAGE_OK));
  EXPECT_STREQ(doc->title, "nom du tirlo");
  EXPECT_EQ(doc->question_count, 2);
  EXPECT_EQ(doc->first, nullptr);
  EXPECT_STREQ(doc->codes[0], "");  // 105 is not read
}

struct CodesFailure {
  const char* name;
  bool present;
  std::string bytes;
  const char* message;
};

TEST_F(ContentTest, EachCodesFailureHasItsMessage) {
  const CodesFailure failures[] = {
      {"missing", false, "", "Codes non trouv\xE9s."},
      {"empty", true, "", "Codes non renseign\xE9s."},
      {"bad stream", true, std::string("\x00\x7F\xFF\xFF", 4),
       "Erreur dans le d\xE9"
       "cryptage des codes"},
  };
  for (const CodesFailure& failure : failures) {
    RecordingPlatform* seam = &platform;
    seam->messages.clear();
    release_document(doc);
    init_document(doc);
    std::string content = lzw(content_head(1, 1, 1) + HEADER + "a|q|" + byte_of(0) + rgb(1, 2, 3));
    seam->add_resource(104, "PATCH", content);
    if (failure.present) seam->add_resource(105, "PATCH", failure.bytes);
    load_content(doc);
    ASSERT_EQ(seam->messages.size(), 1u) << failure.name;
    EXPECT_EQ(seam->messages[0].text, failure.message) << failure.name;
    EXPECT_EQ(seam->messages[0].caption, "Tirlo");
    EXPECT_STREQ(doc->title, "Le titre") << failure.name;
    EXPECT_EQ(doc->question_count, 1);
    EXPECT_STREQ(doc->codes[0], "");
  }
}

TEST_F(ContentTest, NoQuestionsStillLooksForTheCodes) {
  std::string content = lzw(content_head(1, 0, 1) + HEADER + byte_of(0) + rgb(1, 2, 3));
  load(&content, nullptr);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Codes non trouv\xE9s.");
}

}  // namespace
