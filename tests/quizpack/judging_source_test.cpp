// Judging options in the quiz source: read and checked, written into the
// content's options block as the player reads it, given back by dump, and
// explained by try (cli_test.cpp).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/authoring/content_writer.h"
#include "core/authoring/quiz_source.h"
#include "quizpack_support.h"

namespace {

const std::string HEAD = "kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\", \"B\"]\n";
const std::string TWO_FIELDS =
    "kind = \"picture\"\ntitle = \"T\"\nanswers = 2\ncodes = [\"A\", \"B\"]\n";

struct Read {
  bool ok;
  QuizSource quiz;
  Diagnostics diagnostics;
  std::string messages() const {
    std::string all;
    for (const Diagnostic& d : diagnostics.list()) all += format_diagnostic(d) + "\n";
    return all;
  }
};

Read read(const std::string& text) {
  Read r;
  r.ok = parse_quiz_source(text, "quiz.toml", &r.quiz, &r.diagnostics);
  return r;
}

// A source of two text questions, with `judging` and the keys of each.
std::string text_quiz(const std::string& judging, const std::string& first,
                      const std::string& second = "") {
  return HEAD + judging + "\n[[question]]\ntext = \"Q1\"\nanswer = \"Paris\"\n" + first +
         "\n[[question]]\ntext = \"Q2\"\nanswer = \"Ath\xC3\xA8nes\"\n" + second;
}

void expect_message(const std::string& source, bool error, const std::string& words) {
  Read r = read(source);
  EXPECT_EQ(r.ok, !error) << r.messages();
  bool found = false;
  for (const Diagnostic& d : r.diagnostics.list())
    found = found || (d.error == error && d.text().find(words) != std::string::npos);
  EXPECT_TRUE(found) << "wanted: " << words << "\ngot:\n" << r.messages();
}

TEST(JudgingSource, EveryOptionIsRead) {
  Read r = read(text_quiz("[judging]\naccented_case = true\naccents = \"hint\"\narticles = true\n",
                          "also = [\"Paname\", \"Ville Lumi\xC3\xA8re\"]\n"
                          "wrong = { Lyon = \"Pas Lyon\", \"Saint-\xC3\x89tienne\" = \"Non\" }\n",
                          "judging = { accents = \"ignored\" }\n"));
  ASSERT_TRUE(r.ok) << r.messages();
  EXPECT_TRUE(r.diagnostics.list().empty()) << r.messages();
  const QuizSource& quiz = r.quiz;
  EXPECT_TRUE(quiz.judging);
  EXPECT_TRUE(quiz.rules.accented_case);
  EXPECT_EQ(quiz.rules.accents, ACCENTS_HINT);
  EXPECT_TRUE(quiz.rules.articles);
  EXPECT_EQ(quiz.questions[0].also[0], (std::vector<std::string>{"Paname", "Ville Lumi\xE8re"}));
  ASSERT_EQ(quiz.questions[0].wrong[0].size(), 2u);
  EXPECT_EQ(quiz.questions[0].wrong[0][0].answer, "Lyon");
  EXPECT_EQ(quiz.questions[0].wrong[0][0].verdict, "Pas Lyon");
  EXPECT_EQ(quiz.questions[0].wrong[0][1].answer, "Saint-\xC9tienne");
  EXPECT_FALSE(quiz.questions[0].own_rules);
  // A question's own rules start from the quiz's.
  EXPECT_TRUE(quiz.questions[1].own_rules);
  EXPECT_TRUE(quiz.questions[1].rules.accented_case);
  EXPECT_EQ(quiz.questions[1].rules.accents, ACCENTS_IGNORED);
  EXPECT_TRUE(quiz.questions[1].rules.articles);
  EXPECT_TRUE(uses_judging_options(quiz));
}

TEST(JudgingSource, WithoutOptionsNothingChanges) {
  Read r = read(text_quiz("", ""));
  ASSERT_TRUE(r.ok);
  EXPECT_FALSE(uses_judging_options(r.quiz));
  EXPECT_EQ(write_judging_block(r.quiz), "");
  // A list alone asks for options: the quiz is then judged with typography.
  Read listed = read(text_quiz("", "also = [\"Paname\"]\n"));
  ASSERT_TRUE(listed.ok);
  EXPECT_TRUE(uses_judging_options(listed.quiz));
}

TEST(JudgingSource, TwoFieldsTakeAListOfTwo) {
  Read r = read(TWO_FIELDS +
                "[[question]]\nanswer = [\"cercle\", \"rouge\"]\n"
                "also = [[\"rond\"], []]\n"
                "wrong = [{}, { vert = \"Plus chaud\" }]\n"
                "[[question]]\nanswer = [\"carr\xC3\xA9\", \"bleu\"]\n");
  ASSERT_TRUE(r.ok) << r.messages();
  EXPECT_EQ(r.quiz.questions[0].also[0], (std::vector<std::string>{"rond"}));
  EXPECT_TRUE(r.quiz.questions[0].also[1].empty());
  EXPECT_TRUE(r.quiz.questions[0].wrong[0].empty());
  ASSERT_EQ(r.quiz.questions[0].wrong[1].size(), 1u);
  EXPECT_EQ(r.quiz.questions[0].wrong[1][0].verdict, "Plus chaud");
  expect_message(TWO_FIELDS +
                     "[[question]]\nanswer = [\"a\", \"b\"]\nalso = [\"x\"]\n"
                     "[[question]]\nanswer = [\"c\", \"d\"]\n",
                 true, "two values, one per answer field");
}

TEST(JudgingSource, MistakesAreRefused) {
  expect_message(text_quiz("judging = 3\n", ""), true, "judging must be a table");
  expect_message(text_quiz("[judging]\naccent = \"hint\"\n", ""), true,
                 "did you mean \"accents\"?");
  expect_message(text_quiz("[judging]\naccents = \"soft\"\n", ""), true,
                 "not one of \"exact\", \"hint\", \"ignored\"");
  expect_message(text_quiz("[judging]\narticles = \"yes\"\n", ""), true, "true or false");
  expect_message(text_quiz("", "also = \"Paname\"\n"), true, "list of texts");
  expect_message(text_quiz("", "also = [\" Paname\"]\n"), true, "blank at its start or end");
  expect_message(text_quiz("", "also = [\"\"]\n"), true, "is empty");
  expect_message(text_quiz("", "also = [\"a|b\"]\n"), true, "contains \"|\"");
  expect_message(text_quiz("", "also = [\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\"]\n"), true,
                 "at most 7");
  expect_message(text_quiz("", "wrong = [\"Lyon\"]\n"), true, "table of wrong answers");
  expect_message(text_quiz("", "wrong = { Lyon = \"BRAVO\" }\n"), true, "would read as solved");
  expect_message(text_quiz("", "wrong = { Lyon = \"?\" }\n"), true, "nothing typed");
  expect_message(text_quiz("", "wrong = { Lyon = \"\" }\n"), true, "its verdict is empty");
  expect_message(text_quiz("", "wrong = { \"Lyon \" = \"Non\" }\n"), true, "blank at its start");
  expect_message(text_quiz("", "wrong = { Lyon = \"\xE2\x86\x92\" }\n"), true,
                 "which Windows-1252 cannot hold");
  std::string many = "wrong = {";
  for (int i = 0; i < 17; ++i) many += (i ? ", w" : " w") + std::to_string(i) + " = \"Non\"";
  expect_message(text_quiz("", many + " }\n"), true, "at most 16");
  // A listed wrong answer that the rules accept as right contradicts the answer.
  expect_message(text_quiz("", "wrong = { PARIS = \"Non\" }\n"), true,
                 "\"PARIS\" is accepted as right (it matches \"Paris\")");
  expect_message(
      text_quiz("[judging]\naccents = \"ignored\"\n", "", "wrong = { Athenes = \"Non\" }\n"), true,
      "is accepted as right");
  // In hint mode an accent-less answer may have its own verdict.
  EXPECT_TRUE(read(text_quiz("[judging]\naccents = \"hint\"\n", "",
                             "wrong = { Athenes = \"L'accent !\" }\n"))
                  .ok);
}

TEST(JudgingSource, RepetitionsAreWarnedAbout) {
  expect_message(text_quiz("", "also = [\"paris\"]\n"), false, "already accepted");
  expect_message(text_quiz("[judging]\naccents = \"hint\"\n", "",
                           "wrong = { Athenes = \"Non\", \"Ath\xC3\xA9nes\" = \"Si\" }\n"),
                 false, "its verdict is never shown");
}

// Measured in the labels' fonts: 58 pixels of room with two fields, 98 in a
// text quiz.
TEST(JudgingSource, VerdictsWiderThanTheirLabelAreWarnedAbout) {
  const std::string grid = TWO_FIELDS + "[[question]]\nanswer = [\"Rome\", \"Italie\"]\n" +
                           "[[question]]\nanswer = [\"Paris\", \"France\"]\n";
  expect_message(grid + "wrong = [{ Marseille = \"Pas Marseille\" }, {}]\n", false,
                 "its verdict \"Pas Marseille\" is 62 pixels wide, and the verdict label shows 58");
  Read fits = read(grid + "wrong = [{ Lyon = \"Pas Lyon\" }, {}]\n");
  EXPECT_TRUE(fits.ok);
  for (const Diagnostic& d : fits.diagnostics.list())
    EXPECT_EQ(d.text().find("pixels"), std::string::npos) << d.text();
  Read text = read(text_quiz("", "wrong = { Marseille = \"Pas Marseille\" }\n"));
  EXPECT_TRUE(text.ok && text.diagnostics.list().empty()) << text.messages();
  expect_message(text_quiz("", "wrong = { Lyon = \"Non, ce n'est pas Lyon\" }\n"), false,
                 "129 pixels wide, and the verdict label shows 98");
}

TEST(JudgingSource, TheBlockIsWhatThePlayersReaderReads) {
  Read r = read(text_quiz("[judging]\naccented_case = true\naccents = \"hint\"\n",
                          "also = [\"Paname\"]\nwrong = { Lyon = \"Pas Lyon\" }\n",
                          "judging = { accented_case = true, accents = \"hint\" }\n"));
  ASSERT_TRUE(r.ok) << r.messages();
  // Question 2's own rules equal the quiz's: written as the quiz's, no record.
  EXPECT_EQ(write_judging_block(r.quiz),
            std::string("JUGE\x01\x03\x01\x01\xFF\x01Paname|\x01Lyon|Pas Lyon|", 32));
  std::string content = write_content(r.quiz);
  EXPECT_EQ(content.substr(content.size() - 32), write_judging_block(r.quiz));
  QuizSource back;
  size_t ignored = 1;
  Message problem;
  ASSERT_TRUE(read_content(content, &back, &problem, &ignored)) << problem;
  EXPECT_EQ(ignored, 0u);
  EXPECT_TRUE(back.judging);
  EXPECT_EQ(back.questions[0].also[0], r.quiz.questions[0].also[0]);
  EXPECT_EQ(write_content(back), content);
  // Bytes after the colours that are no block are left out and told.
  std::string plain = write_content(read(text_quiz("", "")).quiz);
  back = QuizSource();
  ASSERT_TRUE(read_content(plain + "JUGE\x02", &back, &problem, &ignored));
  EXPECT_FALSE(back.judging);
  EXPECT_EQ(ignored, 5u);
}

// A preset stands for its rules, the keys beside it override them, and the
// block carries only the rules: version 1 unless a rule needs the second
// rules byte.
TEST(JudgingSource, APresetIsItsRulesAndKeysOverrideIt) {
  JudgingRules fair;
  ASSERT_TRUE(judging_preset("fair", &fair));
  EXPECT_EQ(flags_from_rules(fair), 0x7FB);
  Read r = read(text_quiz("[judging]\npreset = \"fair\"\naccents = \"exact\"\n", "",
                          "judging = { preset = \"fair\" }\n"));
  ASSERT_TRUE(r.ok) << r.messages();
  EXPECT_EQ(flags_from_rules(r.quiz.rules), 0x7F9);  // fair, accents exact
  EXPECT_EQ(flags_from_rules(r.quiz.questions[1].rules), 0x7FB);
  EXPECT_EQ(write_judging_block(r.quiz), std::string("JUGE\x02\xF9\x07\x01\x02\xFB\x07\0\0", 13));
  Read first_byte = read(text_quiz("[judging]\nhyphens = true\nunaccented_capitals = true\n", ""));
  EXPECT_EQ(write_judging_block(first_byte.quiz), std::string("JUGE\x01\x90\0", 7));
  expect_message(text_quiz("[judging]\npreset = \"kind\"\n", ""), true,
                 "preset \"kind\" is not one of \"fair\"");
  expect_message(text_quiz("[judging]\nnumber = true\n", ""), true, "did you mean \"numbers\"?");
}

// The source dump prints builds the same content again, byte for byte.
TEST(JudgingSource, DumpedSourceBuildsTheSameBlock) {
  const std::vector<std::string> sources = {
      text_quiz("[judging]\naccented_case = true\naccents = \"hint\"\narticles = true\n",
                "also = [\"Paname\", \"Ville Lumi\xC3\xA8re\"]\n"
                "wrong = { Lyon = \"Pas Lyon\", \"\xC3\x89vry\" = \"Non \\\"\xC3\x89vry\\\"\" }\n",
                "judging = { accents = \"ignored\", articles = false }\n"),
      text_quiz("[judging]\n", ""),
      text_quiz("", "", "judging = { articles = true }\n"),
      text_quiz("[judging]\npreset = \"fair\"\naccents = \"exact\"\n", "also = [\"Paname\"]\n",
                "judging = { numbers = false, hyphens = false }\n"),
      TWO_FIELDS +
          "[[question]]\nanswer = [\"cercle\", \"rouge\"]\nalso = [[], [\"carmin\"]]\n"
          "wrong = [{ rond = \"Presque\" }, {}]\n"
          "[[question]]\nanswer = [\"carr\xC3\xA9\", \"bleu\"]\n",
  };
  for (const std::string& source : sources) {
    SCOPED_TRACE(source);
    Read first = read(source);
    ASSERT_TRUE(first.ok) << first.messages();
    QuizSource back;
    Message problem;
    ASSERT_TRUE(read_content(write_content(first.quiz), &back, &problem)) << problem;
    std::string dumped = write_quiz_source(back);
    Read again = read(dumped);
    ASSERT_TRUE(again.ok) << again.messages() << dumped;
    EXPECT_EQ(write_content(again.quiz), write_content(first.quiz)) << dumped;
  }
}

// The judging example of docs/quiz-format.md reads as it says.
TEST(JudgingSource, TheDocumentedExampleReads) {
  std::ifstream in(QUIZ_DOCS_DIR "/quiz-format.md");
  std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t start = doc.find("```toml\n[judging]");
  ASSERT_NE(start, std::string::npos);
  start += 8;
  Read r = read(HEAD + doc.substr(start, doc.find("```", start) - start));
  ASSERT_TRUE(r.ok) << r.messages();
  EXPECT_TRUE(r.diagnostics.list().empty()) << r.messages();
  EXPECT_EQ(r.quiz.rules.accents, ACCENTS_HINT);
  ASSERT_EQ(r.quiz.questions.size(), 2u);
  EXPECT_EQ(r.quiz.questions[0].wrong[0].size(), 2u);
  EXPECT_TRUE(r.quiz.questions[1].own_rules);
  EXPECT_FALSE(r.quiz.questions[1].rules.articles);
}

}  // namespace
