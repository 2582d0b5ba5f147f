// Questions from where teachers keep them: files written from the formats'
// own documentation (GIFT, Moodle XML, spreadsheets as French and other
// spreadsheet programs save them) imported into quizzes, and every example
// exported to GIFT and Moodle XML and imported back the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/authoring/question_bank.h"
#include "quizpack_support.h"

namespace {

std::string data(const std::string& name) {
  return read_bytes(std::string(QUIZ_DATA_DIR) + "/import/" + name);
}

struct Question {
  std::string text;
  std::vector<std::string> answer, also;
  std::vector<WrongText> wrong;
};

// A question as the quiz holds it after import: its answer per field, the
// other accepted and wrong answers of the first.
Question question_of(const FormQuestion& q, int answers) {
  Question out{q.text, {q.answer[0]}, q.also[0], q.wrong[0]};
  if (answers == 2) out.answer.push_back(q.answer[1]);
  return out;
}

bool operator==(const Question& a, const Question& b) {
  auto same = [](const std::vector<WrongText>& x, const std::vector<WrongText>& y) {
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
      if (x[i].answer != y[i].answer || x[i].verdict != y[i].verdict) return false;
    return true;
  };
  return a.text == b.text && a.answer == b.answer && a.also == b.also && same(a.wrong, b.wrong);
}

void PrintTo(const Question& q, std::ostream* out) {
  *out << "{\"" << q.text << "\", " << ::testing::PrintToString(q.answer) << ", "
       << ::testing::PrintToString(q.also) << ", " << q.wrong.size() << " wrong}";
}

// What import says, one line each: "LINE: message".
std::vector<std::string> said(const Diagnostics& diagnostics) {
  std::vector<Diagnostic> sorted = diagnostics.list();
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  std::vector<std::string> lines;
  for (const Diagnostic& d : sorted) lines.push_back(std::to_string(d.line) + ": " + d.text());
  return lines;
}

TEST(Import, EachFormatAsItsDocumentationWritesIt) {
  struct Case {
    const char* file;
    std::string kind, title, answer_mode;
    std::vector<Question> questions;
    std::vector<std::string> messages;
  } cases[] = {
      {"questions.gift",
       "text",
       "Géographie et calcul",
       "",
       {
           {"Quelle est la capitale de l'Italie ?", {"Rome"}, {"Roma"}, {}},
           {"Deux plus _____ font quatre.", {"deux"}, {"2"}, {}},
           {"Que vaut {a} = ~b # c: \\ ? La réponse.",
            {"a = b"},
            {"a=b"},
            {{"a = c", "Presque : pas c"}}},
           {"Combien de côtés a un carré ?", {"4"}, {}, {}},
           {"Valeur de pi ?", {"3.14"}, {}, {}},
           {"La note vaut", {"entier"}, {}, {}},
       },
       {
           "19: the answer 3.14 is taken exactly: its tolerance ±0.01 is left out (the player "
           "compares texts)",
           "21: question left out: the range 1..5 cannot be typed as one answer",
           "23: the answer \"demi\" worth 50 % is left out: the player counts an answer right or "
           "wrong",
           "25: multiple-choice question left out: the player asks for a typed answer",
           "27: true/false question left out: the player asks for a typed answer",
           "29: matching question left out: the player asks for a typed answer",
           "31: essay question left out: the player asks for a typed answer",
           "33: description question left out: the player asks for a typed answer",
           "35: question left out: its answers are not closed by \"}\"",
       }},
      {"banque.xml",
       "text",
       "Histoire de France",
       "reveal",
       {
           {"Quel roi était surnommé le Roi-Soleil\u00A0?",
            {"Louis XIV"},
            {"Louis 14"},
            {{"Louis XVI", "Son arrière-arrière-petit-fils"}}},
           {"En quelle année a eu lieu la prise de la Bastille & la fin de l'Ancien Régime ?",
            {"1789"},
            {},
            {}},
           {"Combien d'années Louis XIV a-t-il régné ?", {"72"}, {}, {}},
           {"Paris est la capitale de la _____.", {"France"}, {}, {{"Italie", "Non, Rome"}}},
       },
       {
           "11: the picture in its text is left out",
           "38: the answer \"Louis\" worth 50 % is left out: the player counts an answer right or "
           "wrong",
           "62: the answer 72 is taken exactly: its tolerance ±1 is left out (the player compares "
           "texts)",
           "70: question left out: it has 2 answers where the others have 1",
           "76: multiple-choice question left out: the player asks for a typed answer",
           "82: true/false question left out: the player asks for a typed answer",
           "86: essay question left out: the player asks for a typed answer",
           "90: \"ddwtos\" question left out: the player asks for a typed answer",
       }},
      // Saved by a French spreadsheet program: Windows-1252, ";", CR LF,
      // quotes doubled in a field that holds a line break.
      {"tableur-francais.csv",
       "text",
       "tableur-francais",
       "reveal",
       {
           {"Quelle est la capitale de la France ?", {"Paris"}, {"Paname", "Lutèce"}, {}},
           {"Combien font 2 + 2 ?", {"4"}, {"quatre"}, {}},
           {"Où est Bruxelles ?", {"Belgique"}, {}, {}},
           {"Un caractère ‰ ?", {"pour mille"}, {}, {}},
       },
       {
           "1: the column \"Remarque\" is left out: quizpack does not know it",
           "6: question left out: its answer is empty, so no typed answer could ever match it",
           "7: 6 cells where the sheet has 5 columns: the others are left out",
           "9: question left out: it has no text",
       }},
      // UTF-8 with its byte order mark and ",".
      {"tableur-utf8.csv",
       "text",
       "tableur-utf8",
       "",
       {
           {"Capital of Spain?", {"Madrid"}, {}, {}},
           {"Largest planet, by far?", {"Jupiter"}, {"Jove", "Zeus"}, {}},
       },
       {
           "4: question left out: its text has the character \"😀\" (U+1F600), which "
           "Windows-1252 cannot hold",
       }},
      // Tab-separated, without column names.
      {"sans-titres.tsv",
       "text",
       "sans-titres",
       "",
       {
           {"Quel animal miaule ?", {"chat"}, {"minet"}, {}},
           {"Quel animal aboie ?", {"chien"}, {}, {}},
       },
       {
           "1: no row of column names: the columns are read as question, answer, other answers, "
           "picture, reveal text",
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ImportedQuiz imported;
    Diagnostics diagnostics;
    ASSERT_TRUE(import_questions(data(c.file), c.file, &imported, &diagnostics))
        << ::testing::PrintToString(said(diagnostics));
    const QuizForm& form = imported.form;
    EXPECT_EQ(form.kind, c.kind);
    EXPECT_EQ(form.title, c.title);
    EXPECT_EQ(form.answer_mode, c.answer_mode);
    std::vector<Question> questions;
    for (const FormQuestion& q : form.questions) questions.push_back(question_of(q, form.answers));
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(said(diagnostics), c.messages);
    // What import writes is a source the checks take.
    QuizSource quiz;
    Diagnostics checks;
    EXPECT_TRUE(parse_quiz_source(write_form_source(form), "quiz.toml", &quiz, &checks))
        << ::testing::PrintToString(said(checks));
  }
}

// Every example, exported and imported again, has the same questions and
// answers: to GIFT when it has one answer field, to Moodle XML always (two
// fields as one question with two blanks).
TEST(Export, EveryExampleComesBackTheSame) {
  for (const auto& entry : std::filesystem::directory_iterator(QUIZ_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".toml") continue;
    SCOPED_TRACE(entry.path().string());
    QuizSource quiz;
    Diagnostics diagnostics;
    ASSERT_TRUE(read_quiz_source(entry.path().string(), &quiz, &diagnostics));
    QuizForm original;
    std::string unread;
    ASSERT_TRUE(read_form_source(write_quiz_source(quiz), &original, &unread));
    std::vector<std::pair<std::string, std::string>> exports = {
        {"quiz.xml", export_moodle_xml(quiz, Language::FRENCH)}};
    std::string gift;
    if (export_gift(quiz, Language::ENGLISH, &gift, &diagnostics))
      exports.push_back({"quiz.gift", gift});
    EXPECT_EQ(exports.size(), quiz.answers == 1 ? 2u : 1u);
    for (const auto& [name, text] : exports) {
      SCOPED_TRACE(name);
      ImportedQuiz imported;
      Diagnostics back;
      ASSERT_TRUE(import_questions(text, name, &imported, &back));
      EXPECT_EQ(said(back), std::vector<std::string>());
      const QuizForm& form = imported.form;
      EXPECT_EQ(form.title, original.title);
      ASSERT_EQ(form.answers, original.answers);
      ASSERT_EQ(form.questions.size(), original.questions.size());
      for (size_t i = 0; i < form.questions.size(); ++i) {
        EXPECT_EQ(question_of(form.questions[i], form.answers),
                  question_of(original.questions[i], original.answers));
        for (int j = 0; j < form.answers; ++j) {
          EXPECT_EQ(form.questions[i].also[j], original.questions[i].also[j]);
          EXPECT_EQ(form.questions[i].wrong[j].size(), original.questions[i].wrong[j].size());
        }
        if (name == "quiz.xml") {
          EXPECT_EQ(form.questions[i].reveal, original.questions[i].reveal);
        }
      }
      if (form.answers == 2) {
        EXPECT_EQ(form.labels[0], original.labels[0]);
        EXPECT_EQ(form.labels[1], original.labels[1]);
      }
    }
  }
}

// A spreadsheet with a picture column becomes a picture quiz that builds,
// its pictures named from where the source is written; past 96 questions,
// the first 96 are kept.
TEST(Import, ASpreadsheetBecomesAQuizThatBuilds) {
  TempFolder folder;
  std::string player = folder.write("player.exe", stand_in_player());
  std::string sheet = folder.write("images/images.tsv", data("images.tsv"));
  for (const char* picture : {"un.jpg", "un-reponse.jpg", "deux.jpg"})
    folder.write(std::string("images/") + picture, test_jpeg(300, 200));
  for (std::string source : {folder.path("images/quiz.toml"), folder.path("ailleurs.toml")}) {
    Outcome imported = quizpack({"--lang", "en", "import", sheet, "-o", source});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find(": 3 questions imported, 0 left out"), std::string::npos);
    EXPECT_NE(
        imported.err.find("images.tsv:4: warning: the picture \"trois.jpg\" is not beside the "
                          "sheet"),
        std::string::npos)
        << imported.err;
    folder.write("images/trois.jpg", test_jpeg(40, 40));
    Outcome built = quizpack(
        {"--lang", "en", "build", source, "-o", folder.path("quiz.exe"), "--player", player});
    EXPECT_EQ(built.status, 0) << built.err;
    EXPECT_NE(built.out.find("3 questions, 4 pictures (3 scaled down)"), std::string::npos)
        << built.out;
    remove_file(folder.path("images/trois.jpg"));
  }
  std::string many = "question;réponse\n";
  for (int i = 1; i <= 100; ++i)
    many += "Question " + std::to_string(i) + " ?;R" + std::to_string(i) + "\n";
  ImportedQuiz imported;
  Diagnostics diagnostics;
  ASSERT_TRUE(import_questions(many, "cent.csv", &imported, &diagnostics));
  EXPECT_EQ(imported.form.questions.size(), 96u);
  EXPECT_EQ(imported.left_out, 4);
  EXPECT_EQ(said(diagnostics), (std::vector<std::string>{"0: holds 100 questions: the first 96 "
                                                         "are kept, the player holds at most 96"}));
}

}  // namespace
