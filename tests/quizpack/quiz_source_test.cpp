// Reading a quiz source: every mistake an author can make is refused with
// the file, the line and the problem; doubtful choices are warned about.
#include "core/authoring/quiz_source.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/authoring/content_writer.h"
#include "core/content/content_parser.h"
#include "tests/support/recording_platform.h"

namespace {

const std::string HEAD = "kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
const std::string QUESTION = "\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";

struct Read {
  bool ok;
  QuizSource quiz;
  Diagnostics diagnostics;
};

Read read(const std::string& text) {
  Read r;
  r.ok = parse_quiz_source(text, "dir/quiz.toml", &r.quiz, &r.diagnostics);
  return r;
}

// The one diagnostic of that kind, checked for its file, line and words.
void expect_one(const Read& r, bool error, int line, const std::string& words) {
  std::vector<Diagnostic> found;
  for (const Diagnostic& d : r.diagnostics.list())
    if (d.error == error) found.push_back(d);
  ASSERT_EQ(found.size(), 1u) << (found.empty() ? "none" : format_diagnostic(found[1]));
  EXPECT_EQ(found[0].file, "dir/quiz.toml");
  EXPECT_EQ(found[0].line, line) << found[0].text;
  EXPECT_NE(found[0].text.find(words), std::string::npos) << found[0].text;
  EXPECT_EQ(r.ok, !error);
}

void expect_error(const std::string& text, int line, const std::string& words) {
  SCOPED_TRACE(text);
  expect_one(read(text), true, line, words);
}

TEST(QuizSource, AGoodSourceIsReadInWindows1252) {
  Read r = read(
      "kind = \"picture\"\ntitle = \"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\"\nanswers = 2\n"
      "answer1_label = \"Ville\"\nanswer_mode = \"reveal-box\"\nbackground = \"#0a0B0c\"\n"
      "codes = [\"A\", \"B\"]\n"
      "[[question]]\nanswer = [\"Rome\", \"Italie\"]\nreveal = \"ligne 1\\nligne 2\"\n"
      "picture = \"rome.jpg\"\n"
      "[[question]]\nanswer = [\"Paris\", \"France\"]\npicture = \"p.jpg\"\n");
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.diagnostics.list().empty());
  EXPECT_EQ(r.quiz.kind, 1u);
  EXPECT_EQ(r.quiz.title, "\xE9t\xE9 \x80");
  EXPECT_EQ(r.quiz.answers, 2);
  EXPECT_EQ(r.quiz.answer_mode, 3);
  EXPECT_EQ(r.quiz.red, 10);
  EXPECT_EQ(r.quiz.blue, 12);
  EXPECT_EQ(r.quiz.folder, "dir");
  EXPECT_EQ(r.quiz.questions[0].answer[1], "Italie");
  EXPECT_EQ(r.quiz.questions[0].reveal, "ligne 1\nligne 2");
  EXPECT_EQ(r.quiz.questions[1].picture.path, "p.jpg");
  EXPECT_EQ(r.quiz.questions[1].picture.line, 14);
}

TEST(QuizSource, DefaultsOfTheOptionalKeys) {
  Read r = read(HEAD + QUESTION);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.quiz.answers, 1);
  EXPECT_EQ(r.quiz.answer_mode, 0);
  EXPECT_EQ(r.quiz.red, 90);  // the player's own default colour
  EXPECT_EQ(r.quiz.green, 95);
  EXPECT_EQ(r.quiz.blue, 150);
  EXPECT_EQ(r.quiz.author, "");
}

TEST(QuizSource, TextsAreMeasuredAfterConversion) {
  std::string e_acute_200;
  for (int i = 0; i < 200; ++i) e_acute_200 += "\xC3\xA9";  // 400 bytes in UTF-8, 200 in 1252
  EXPECT_TRUE(
      read("kind = \"text\"\ntitle = \"" + e_acute_200 + "\"\ncodes=[\"A\"]\n" + QUESTION).ok);
  expect_error("kind = \"text\"\ntitle = \"" + std::string(259, 'a') + "\xC3\xA9\"\n" + QUESTION, 2,
               "260 bytes long");
}

TEST(QuizSource, RefusesTextsThePlayerCannotHold) {
  expect_error(HEAD + "explanation = \"a|b\"\n" + QUESTION, 4, "\"|\"");
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"Ol\xC5\x91\"\n", 7, "U+0151");
  expect_error(HEAD + "author = \"e\xCC\x81\"\n" + QUESTION, 4, "combining accent");
  expect_error(HEAD + "author = \"\xC2\x81\"\n" + QUESTION, 4, "U+0081");
  expect_error(HEAD + "author = \"a\\tb\"\n" + QUESTION, 4, "control character U+0009");
  expect_error(HEAD + "author = \"a\\u0000b\"\n" + QUESTION, 4, "U+0000");
  expect_error(HEAD + "\n[[question]]\ntext = \"line\\nbreak\"\nanswer = \"A\"\n", 6,
               "only reveal texts may break lines");
}

TEST(QuizSource, RefusesCodesWithLineBreaks) {
  expect_error("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\\r\\nB\"]\n" + QUESTION, 3,
               "line break");
  expect_error("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\\nB\"]\n" + QUESTION, 3, "line break");
  EXPECT_TRUE(read("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A|B\"]\n" + QUESTION).ok);
}

TEST(QuizSource, RefusesWrongCounts) {
  std::string many = HEAD;
  for (int i = 0; i < 97; ++i) many += QUESTION;
  // The 97th question starts at line 3 + 96 * 4 + 2.
  Read r = read(many);
  EXPECT_FALSE(r.ok);
  bool found = false;
  for (const Diagnostic& d : r.diagnostics.list())
    found = found || (d.error && d.line == 389 && d.text.find("at most 96") != std::string::npos);
  EXPECT_TRUE(found);
  expect_error(HEAD + "answers = 3\n" + QUESTION, 4, "must be 1 or 2");
  expect_error(HEAD + "answers = \"2\"\n" + QUESTION, 4, "must be 1 or 2");
  expect_error(HEAD, 1, "no question");
}

TEST(QuizSource, RefusesUnknownKeysWithAHint) {
  expect_error(HEAD + "titel = \"x\"\n" + QUESTION, 4,
               "unknown key \"titel\" (did you mean \"title\"?)");
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\npictur = \"a.jpg\"\n", 8,
               "question 1: unknown key \"pictur\"");
  expect_error(HEAD + "zzz = 1\n" + QUESTION, 4, "unknown key \"zzz\"");
}

TEST(QuizSource, RefusesSyntaxErrorsWithTheLibrarysLine) {
  Read r = read(HEAD + "\n[[question]]\ntext = \"Q\nanswer = \"A\"\n");
  EXPECT_FALSE(r.ok);
  ASSERT_FALSE(r.diagnostics.list().empty());
  EXPECT_EQ(r.diagnostics.list()[0].line, 6);
  expect_error("kind = \"text\"\ntitle = \"T\"\ntitle = \"U\"\n" + QUESTION, 3, "");
  // A table header whose key starts with a character no key starts with
  // (the library checked it with an assertion that ended quizpack).
  for (const char* header : {"[[\x01question]]", "[=]", "[ !x ]"})
    expect_error(HEAD + QUESTION + "\n" + header + "\n", 9, "expected bare key");
  // A letter with an accent where the library looks for a blank (its test
  // of non-ASCII blanks reached code it marks unreachable for such letters).
  expect_error("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\" \xC3\xA9]\n" + QUESTION, 3, "");
}

TEST(QuizSource, RefusesMissingOrWrongSettings) {
  expect_error("title = \"T\"\ncodes = [\"A\"]\n" + QUESTION, 1, "no kind");
  expect_error("kind = \"slides\"\ntitle = \"T\"\ncodes = [\"A\"]\n" + QUESTION, 1, "\"slides\"");
  expect_error("kind = \"text\"\ncodes = [\"A\"]\n" + QUESTION, 1, "no title");
  expect_error("kind = \"text\"\ntitle = \"  \"\n" + QUESTION, 2, "no title");
  expect_error(HEAD + "link = \"www.example.org\"\n" + QUESTION, 4, "starts with https://");
  expect_error(HEAD + "link = \"C:\\\\quiz.exe\"\n" + QUESTION, 4, "starts with https://");
  expect_error(HEAD + "link = \"https://a.org/\t\"\n" + QUESTION, 4, "starts with https://");
  expect_error(HEAD + "link = \"https://" + std::string(250, 'a') + " \"\n" + QUESTION, 4,
               "is 261 characters long as a web address");
  expect_error(HEAD + "link_text = \"Le site\"\n" + QUESTION, 4, "link_text is shown for a link");
  expect_error(HEAD + "answer_mode = \"reveal_box\"\n" + QUESTION, 4, "\"reveal-box\"");
  expect_error(HEAD + "background = \"#12345\"\n" + QUESTION, 4, "#RRGGBB");
  expect_error(HEAD + "background = \"#12345G\"\n" + QUESTION, 4, "#RRGGBB");
  expect_error(HEAD + "title2 = 3\n" + QUESTION, 4, "unknown key");
  expect_error("kind = \"text\"\ntitle = 3\ncodes = [\"A\"]\n" + QUESTION, 2, "text in quotes");
  expect_error(HEAD + "answers = 2\n" + QUESTION, 4, "a text quiz has one answer field");
  expect_error(HEAD + "question = 1\n", 4, "[[question]]");
}

TEST(QuizSource, RefusesAnswersThatCouldNeverBeMatched) {
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\n", 5, "no answer");
  expect_error(HEAD + "\n[[question]]\ntext = \"\"\nanswer = \"A\"\n", 6, "has no text");
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"\"\n", 7, "is empty");
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"Paris \"\n", 7, "blank");
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = [\"a\", \"b\"]\n", 7, "hold 1 text");
  std::string two = "kind = \"picture\"\ntitle = \"T\"\nanswers = 2\ncodes = [\"A\"]\n";
  expect_error(two + "\n[[question]]\nanswer = \"Rome\"\npicture = \"a.jpg\"\n", 7, "hold 2 texts");
  expect_error(two + "\n[[question]]\nanswer = [\"Rome\", \" Italie\"]\npicture = \"a.jpg\"\n", 7,
               "second answer has a blank");
}

TEST(QuizSource, MediaMustSuitTheKind) {
  expect_error(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\npicture = \"a.jpg\"\n", 8,
               "only a picture quiz shows pictures");
  std::string audio = "kind = \"audio\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  expect_error(audio + "\n[[question]]\nanswer = \"A\"\nclip = \"a.mp3\"\npicture = \"a.jpg\"\n", 8,
               "only a picture quiz");
  expect_error(audio + "\n[[question]]\nanswer = \"A\"\nclip = \"\"\n", 7, "is empty");
  std::string picture = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  expect_error(picture + "\n[[question]]\nanswer = \"A\"\nclip = \"a.mp3\"\n", 7,
               "only an audio or a video quiz");
}

TEST(QuizSource, Warnings) {
  std::string picture = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  expect_one(read(picture + "\n[[question]]\nanswer = \"A\"\n"), false, 5, "has no picture");
  expect_one(
      read("kind = \"video\"\ntitle = \"T\"\ncodes = [\"A\"]\n[[question]]\nanswer = \"A\"\n"),
      false, 4, "has no clip");
  expect_one(read("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\n" + QUESTION + QUESTION), false,
             3, "1 code for 2 questions: score 2 reveals no code");
  expect_one(read("kind = \"text\"\ntitle = \"T\"\n" + QUESTION + QUESTION + QUESTION), false, 1,
             "scores 1 to 3 reveal no code");
  expect_one(read(HEAD + "\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\nreveal = \"R\"\n"), false,
             5, "reveal texts are used only");
  expect_one(
      read(picture + "answer_mode=\"reveal\"\n[[question]]\nanswer = \"A\"\npicture = \"a\"\n"
                     "answer_picture = \"b\"\n"),
      false, 8, "answer pictures are shown only");
  expect_one(read(HEAD + "answer_mode = \"picture\"\n" + QUESTION), false, 1,
             "only a picture quiz has");
  expect_error("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\", \"B\"]\n" + QUESTION, 3,
               "2 codes for 1 question:");
}

TEST(QuizSource, WrittenSourceReadsBackToTheSameContent) {
  Read r = read(
      "kind = \"video\"\ntitle = \"Guillemets \\\" et \\\\ barre\"\nauthor = \"\xE2\x80\x99\"\n"
      "answers = 2\nanswer_mode = \"reveal-all\"\nbackground = \"#ABCDEF\"\n"
      "codes = [\"A|1\", \"\", \"C\"]\n"
      "[[question]]\nanswer = [\"un\", \"deux\"]\nreveal = \"a\\r\\nb\"\nclip = \"m/1.avi\"\n"
      "[[question]]\nanswer = [\"trois\", \"quatre\"]\ntext = \"visible nulle part\"\n"
      "[[question]]\nanswer = [\"cinq\", \"six\"]\n");
  ASSERT_TRUE(r.ok) << format_diagnostic(r.diagnostics.list()[0]);
  Read back = read(write_quiz_source(r.quiz));
  ASSERT_TRUE(back.ok) << write_quiz_source(r.quiz);
  EXPECT_EQ(write_content(back.quiz), write_content(r.quiz));
  EXPECT_EQ(write_codes(back.quiz), write_codes(r.quiz));
  EXPECT_EQ(back.quiz.questions[0].clip.path, "m/1.avi");
  EXPECT_EQ(back.quiz.codes, r.quiz.codes);
}

// The header's link is written as the web writes addresses, travels in the
// content before the judging options, and comes back from a dump.
TEST(QuizSource, TheHeadersLinkTravelsInTheContent) {
  Read r = read(HEAD +
                "link = \"https://fr.wikipedia.org/wiki/\xC3\x8Ele de France|1\"\n"
                "link_text = \"L'\xC3\xAEle\"\n[judging]\naccents = \"ignored\"\n" +
                QUESTION);
  ASSERT_TRUE(r.ok) << format_diagnostic(r.diagnostics.list()[0]);
  EXPECT_EQ(r.quiz.link, "https://fr.wikipedia.org/wiki/%C3%8Ele%20de%20France%7C1");
  EXPECT_EQ(r.quiz.link_text, "L'\xEEle");
  std::string content = write_content(r.quiz);
  RecordingPlatform platform;
  QuizDocument* doc = static_cast<QuizDocument*>(calloc(1, sizeof(QuizDocument)));
  init_document(doc);
  parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()), content.size());
  EXPECT_STREQ(doc->link.address, r.quiz.link.c_str());
  EXPECT_STREQ(doc->link.text, "L'\xEEle");
  EXPECT_EQ(doc->judging.present, 1);
  release_document(doc);
  free(doc);
  QuizSource back;
  std::string problem;
  ASSERT_TRUE(read_content(content, &back, &problem)) << problem;
  Read again = read(write_quiz_source(back));
  ASSERT_TRUE(again.ok) << write_quiz_source(back);
  EXPECT_EQ(write_content(again.quiz), content);
  // Without a link the content is what it always was.
  Read plain = read(HEAD + QUESTION);
  EXPECT_EQ(write_content(plain.quiz).find("LIEN"), std::string::npos);
  EXPECT_EQ(write_quiz_source(plain.quiz).find("link"), std::string::npos);
}

// The complete example of the format's documentation is a valid source.
TEST(QuizSource, TheDocumentedExampleIsValid) {
  std::ifstream in(QUIZ_DOCS_DIR "/quiz-format.md");
  std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = doc.find("```toml\n");
  ASSERT_NE(start, std::string::npos);
  start += 8;
  Read r = read(doc.substr(start, doc.find("```", start) - start));
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(r.diagnostics.list().empty());
  EXPECT_EQ(r.quiz.questions.size(), 3u);
}

}  // namespace
