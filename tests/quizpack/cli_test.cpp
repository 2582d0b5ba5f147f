// quizpack's commands as an author runs them, in-process: exit statuses,
// messages, what is written and what is not.
#include "tools/quizpack/cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "quizpack_support.h"
#include "core/authoring/packer.h"

namespace {

const std::string GOOD =
    "kind = \"picture\"\ntitle = \"Formes\"\nanswers = 2\nanswer_mode = \"picture\"\n"
    "codes = [\"UN\", \"DEUX\"]\n"
    "[[question]]\nanswer = [\"cercle\", \"rouge\"]\npicture = \"media/a.jpg\"\n"
    "answer_picture = \"media/b.jpg\"\n"
    "[[question]]\nanswer = [\"carr\xC3\xA9\", \"bleu\"]\npicture = \"media/c.jpg\"\n";

class Cli : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string player = folder.write("player.exe", stand_in_player());
  std::string output = folder.path("quiz.exe");

  void SetUp() override {
    folder.write("media/a.jpg", test_jpeg(600, 400));
    folder.write("media/b.jpg", test_jpeg(200, 100));
    folder.write("media/c.jpg", test_jpeg(40, 300));
  }
  Outcome build(const std::string& source, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"build", source, "-o", output, "--player", player};
    args.insert(args.end(), extra.begin(), extra.end());
    return quizpack(args);
  }
  std::vector<Resource> resources_of(const std::string& exe) {
    std::vector<Resource> resources;
    std::string problem;
    EXPECT_TRUE(read_resources(read_bytes(exe), &resources, &problem)) << problem;
    return resources;
  }
};

TEST_F(Cli, HelpOnEveryCommand) {
  for (const char* command : {"build", "dump", "check", "try"}) {
    Outcome r = quizpack({command, "--help"});
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_NE(r.out.find("Usage"), std::string::npos) << command;
  }
  EXPECT_EQ(quizpack({"--help"}).status, 0);
  EXPECT_EQ(quizpack({}).status, 2);
  EXPECT_EQ(quizpack({"pack"}).status, 2);
  EXPECT_EQ(quizpack({"build", "quiz.toml"}).status, 2);  // no -o
}

TEST_F(Cli, BuildWritesTheQuizIntoACopyOfThePlayer) {
  std::string source = folder.write("quiz.toml", GOOD), before = read_bytes(player);
  Outcome r = build(source, {"--depfile", folder.path("quiz.d")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("2 questions, 3 pictures (2 scaled down)"), std::string::npos) << r.out;
  EXPECT_EQ(read_bytes(player), before);
  std::vector<Resource> resources = resources_of(output);
  for (const Resource& kept : player_resources())
    EXPECT_NE(find_resource(resources, kept.type, kept.name), nullptr);
  ResourceKey img = resource_name("IMG");
  ASSERT_NE(find_resource(resources, img, resource_number(401)), nullptr);
  EXPECT_EQ(find_resource(resources, img, resource_number(10401))->data, test_jpeg(200, 100));
  EXPECT_EQ(find_resource(resources, img, resource_number(10402)), nullptr);
  EXPECT_NE(find_resource(resources, resource_name("PATCH"), resource_number(104)), nullptr);
  EXPECT_NE(find_resource(resources, resource_name("PATCH"), resource_number(105)), nullptr);
  std::string depfile = read_bytes(folder.path("quiz.d"));
  EXPECT_EQ(depfile.find(output + ":"), 0u);
  EXPECT_NE(depfile.find("media/c.jpg"), std::string::npos);
  EXPECT_NE(depfile.find("player.exe"), std::string::npos);
}

TEST_F(Cli, KeepPicturesStoresThemByteForByte) {
  std::string source = folder.write("quiz.toml", GOOD);
  ASSERT_EQ(build(source, {"--keep-pictures"}).status, 0);
  std::vector<Resource> resources = resources_of(output);
  const Resource* big = find_resource(resources, resource_name("IMG"), resource_number(401));
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(big->data, test_jpeg(600, 400));
}

TEST_F(Cli, DumpGivesBackASourceThatBuildsTheSameQuiz) {
  std::string source = folder.write("quiz.toml", GOOD);
  ASSERT_EQ(build(source).status, 0);
  Outcome printed = quizpack({"dump", output});
  EXPECT_EQ(printed.status, 0);
  EXPECT_NE(printed.out.find("answer = [\"carr\xC3\xA9\", \"bleu\"]"), std::string::npos)
      << printed.out;
  EXPECT_NE(printed.err.find("-o FOLDER"), std::string::npos);
  Outcome dumped = quizpack({"dump", output, "-o", folder.path("back")});
  ASSERT_EQ(dumped.status, 0) << dumped.err;
  std::string first = read_bytes(output);
  output = folder.path("again.exe");
  ASSERT_EQ(build(folder.path("back/quiz.toml")).status, 0);
  EXPECT_EQ(read_bytes(output), first);
}

TEST_F(Cli, EveryExampleBuildsAndRoundTrips) {
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(QUIZ_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".toml") continue;
    ++examples;
    SCOPED_TRACE(entry.path().string());
    output = folder.path(entry.path().stem().string() + ".exe");
    Outcome r = build(entry.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // the examples draw no warning
    std::string back = folder.path(entry.path().stem().string() + "-back");
    ASSERT_EQ(quizpack({"dump", output, "-o", back}).status, 0);
    std::string first = read_bytes(output);
    output = back + ".exe";
    ASSERT_EQ(build(back + "/quiz.toml").status, 0);
    EXPECT_EQ(read_bytes(output), first);
  }
  EXPECT_GE(examples, 4);
}

// Authors name their files as they like: folders and files with spaces and
// accents, for the source, its media, the quiz and a dump; on Windows "\\"
// between folders too, in the paths given and in the source.
TEST_F(Cli, FileNamesWithSpacesAndAccents) {
  std::string separator = "/";
#ifdef _WIN32
  separator = "\\";
#endif
  std::string source = folder.write("Mes quiz/\xC3\xA9t\xC3\xA9 2024/quiz \xC3\xA0 deux.toml",
                                    "kind = \"picture\"\ntitle = \"Formes\"\ncodes = "
                                    "[\"UN\"]\n[[question]]\nanswer = \"cercle\"\n"
                                    "picture = \"images" +
                                        std::string(separator == "/" ? "/" : "\\\\") +
                                        "photo d'\xC3\xA9t\xC3\xA9.jpg\"\n");
  folder.write("Mes quiz/\xC3\xA9t\xC3\xA9 2024/images/photo d'\xC3\xA9t\xC3\xA9.jpg",
               test_jpeg(300, 200));
  auto native = [&separator](std::string path) {
    for (char& c : path)
      if (c == '/') c = separator[0];
    return path;
  };
  output = native(folder.path("Mes quiz/r\xC3\xA9sultat final.exe"));
  Outcome r = build(native(source));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("1 questions, 1 pictures (1 scaled down)"), std::string::npos) << r.out;
  std::string back = native(folder.path("Mes quiz/retour \xC3\xA0 la source"));
  Outcome dumped = quizpack({"dump", output, "-o", back});
  ASSERT_EQ(dumped.status, 0) << dumped.err;
  std::string first = read_bytes(output);
  output = native(folder.path("Mes quiz/encore une fois.exe"));
  ASSERT_EQ(build(back + separator + "quiz.toml").status, 0);
  EXPECT_EQ(read_bytes(output), first);
  // A picture that is not there is named as the source names it.
  std::string missing = folder.write("Mes quiz/\xC3\xA0 moiti\xC3\xA9.toml",
                                     "kind = \"picture\"\ntitle = \"T\"\n[[question]]\nanswer = "
                                     "\"A\"\npicture = \"o\xC3\xB9 est-elle.jpg\"\n");
  r = quizpack({"check", native(missing)});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(native(missing) +
                       ":5: error: question 1: picture \"o\xC3\xB9 est-elle.jpg\" cannot be read: "
                       "No such file or directory"),
            std::string::npos)
      << r.err;
}

// On Windows a source dropped onto quizpack.exe is its one argument.
TEST(DroppedSource, IsBuiltBesideItself) {
  auto dropped = [](std::vector<const char*> args) {
    args.insert(args.begin(), "quizpack.exe");
    return dropped_quiz_output(int(args.size()), args.data());
  };
  EXPECT_EQ(dropped({"C:\\Mes quiz\\\xC3\xA9t\xC3\xA9.toml"}),
            "C:\\Mes quiz\\\xC3\xA9t\xC3\xA9.exe");
  EXPECT_EQ(dropped({"quiz.TOML"}), "quiz.exe");
  EXPECT_EQ(dropped({".toml"}), "");
  EXPECT_EQ(dropped({"quiz.txt"}), "");
  EXPECT_EQ(dropped({"check", "quiz.toml"}), "");
  EXPECT_EQ(dropped({}), "");
}

// Every bad input is refused with the file, the line and the problem, and
// leaves no output behind.
TEST_F(Cli, BadSourcesAreRefusedAndNothingIsWritten) {
  std::string text_head = "kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  std::string picture_head = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  std::string many;
  for (int i = 0; i < 97; ++i) many += "[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";
  folder.write("media/folder/x", "");
  folder.write("media/png.jpg", "\x89PNG\r\n\x1A\n not a jpeg");
  struct Case {
    std::string source, expected;
  } cases[] = {
      {text_head + "[[question]]\ntext = \"" + std::string(260, 'x') + "\"\nanswer = \"A\"\n",
       ":5: error: question 1: text is 260 bytes long"},
      {text_head + "[[question]]\ntext = \"a|b\"\nanswer = \"A\"\n",
       ":5: error: question 1: text contains \"|\""},
      {text_head + "[[question]]\ntext = \"Q\"\nanswer = \"\xE2\x86\x92\"\n",
       ":6: error: question 1: answer has the character"},
      {text_head + many, ":292: error: the quiz has 97 questions; the player holds at most 96"},
      {text_head + "answers = 3\n[[question]]\ntext = \"Q\"\nanswer = \"A\"\n",
       ":4: error: answers"},
      {picture_head + "[[question]]\nanswer = \"A\"\npicture = \"media/none.jpg\"\n",
       ":6: error: question 1: picture \"media/none.jpg\" cannot be read: No such file"},
      {picture_head + "[[question]]\nanswer = \"A\"\npicture = \"media/folder\"\n",
       ":6: error: question 1: picture \"media/folder\" cannot be read"},
      {picture_head + "[[question]]\nanswer = \"A\"\npicture = \"media/png.jpg\"\n",
       ":6: error: question 1: picture \"media/png.jpg\" does not decode as a PNG"},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\\nB\"]\n[[question]]\ntext = \"Q\"\nanswer = "
       "\"A\"\n",
       ":3: error: code 1 contains a line break"},
      {text_head + "[[question]]\ntext = \"Q\"\nanwser = \"A\"\n",
       ":6: error: question 1: unknown key \"anwser\""},
  };
  for (const Case& c : cases) {
    std::string source = folder.write("bad.toml", c.source);
    Outcome r = build(source);
    EXPECT_EQ(r.status, 1) << c.expected;
    EXPECT_NE(r.err.find(source + c.expected), std::string::npos) << r.err;
    EXPECT_FALSE(file_exists(output)) << c.expected;
    EXPECT_EQ(quizpack({"check", source}).status, 1) << c.expected;
  }
}

TEST_F(Cli, BadPlayersAreRefusedAndNothingIsWritten) {
  std::string source = folder.write("quiz.toml", GOOD);
  std::string script = folder.write("script.exe", "#!/bin/sh\necho not a program\n");
  Outcome r = quizpack({"build", source, "-o", output, "--player", script});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(script + ": error: the player is not a Windows executable (PE)"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(file_exists(output));
  r = quizpack({"build", source, "-o", output, "--player", folder.path("missing.exe")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot read the player"), std::string::npos);
  EXPECT_FALSE(file_exists(output));
  // The player itself is never the output.
  std::string before = read_bytes(player);
  r = quizpack({"build", source, "-o", player, "--player", player});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(read_bytes(player), before);
  // An output folder that does not exist.
  r = quizpack({"build", source, "-o", folder.path("no/such/quiz.exe"), "--player", player});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

TEST_F(Cli, CheckReportsWarningsButSucceeds) {
  std::string source = folder.write(
      "quiz.toml", "kind = \"picture\"\ntitle = \"T\"\n[[question]]\nanswer = \"A\"\n");
  Outcome r = quizpack({"check", source});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find(source + ":3: warning: question 1 has no picture"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find(source + ":1: warning: 0 codes for 1 question"), std::string::npos) << r.err;
  EXPECT_EQ(build(source).status, 0);
}

TEST_F(Cli, DumpRefusesWhatCarriesNoQuiz) {
  Outcome r = quizpack({"dump", player});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("carries no quiz"), std::string::npos);
  r = quizpack({"dump", folder.write("x.exe", "MZ")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("not a Windows executable"), std::string::npos);
}

TEST_F(Cli, TryGivesTheLaddersVerdicts) {
  std::string nuances = std::string(QUIZ_EXAMPLES_DIR) + "/nuances.toml";
  struct Case {
    const char *question, *typed, *verdict;
  } cases[] = {
      {"1", "  paris ", "BRAVO"},
      {"1", "PARSI", "Anagramme"},
      {"1", "Pari", "Quasiment"},
      {"1", "Par", "Presque"},
      {"2", "\xC3\xA9lan", "Quasiment"},
      {"3", "Charles de Gau", "Trop court"},
      {"3", "Charles de", "pas loin"},
      {"3", "Charles", "FAUX"},
      {"4", "Moz", "FAUX"},
      {"5", "Strasbo", "pas loin"},
      {"5", "Stras", "FAUX"},
      {"6", "Napoleon Bonaparte", "Trop long"},
      {"7", "Napoleon Bonapxxxx", "FAUX"},
      {"7", "Napoleone Bonaparta", "Presque"},
      {"8", "Louis XIV roi solqzw",
       "y a de l'id\xC3\xA9"
       "e"},
      {"8", "Louis XIV roi soqzwk", "FAUX"},
      {"1", "", "?"},
  };
  for (const Case& c : cases) {
    Outcome r = quizpack({"try", nuances, c.question, c.typed});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string(c.verdict) + "\n") << c.typed;
  }
  std::string formes = std::string(QUIZ_EXAMPLES_DIR) + "/formes.toml";
  EXPECT_EQ(quizpack({"try", formes, "4", "ORANGE", "--field", "2"}).out, "BRAVO\n");
  EXPECT_EQ(quizpack({"try", formes, "4", "orange"}).out, "FAUX\n");
  EXPECT_EQ(quizpack({"try", nuances, "9", "x"}).status, 1);
  EXPECT_EQ(quizpack({"try", nuances, "1", "x", "--field", "2"}).status, 1);
  EXPECT_EQ(quizpack({"try", nuances, "1", "\xE2\x86\x92"}).status, 1);
}

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

// The cases that made the options, tried on the example that uses them all.
TEST(JudgingSource, TryTellsTheVerdictAndWhy) {
  std::string example = std::string(QUIZ_EXAMPLES_DIR) + "/francais.toml";
  struct Case {
    const char *question, *typed, *verdict, *why;
  } cases[] = {
      {"4", "ATH\xC3\x88NES", "BRAVO", "equals the answer \"Ath\xC3\xA8nes\""},
      {"4", "Athenes", "Accents", "but for its accents"},
      {"3", "l\xE2\x80\x99\xC3\x8Ele de la Cit\xC3\xA9", "BRAVO",
       "\"L'\xC3\x8ELE DE LA CIT\xC3\x89\""},
      {"2", "Paname", "BRAVO", "the other accepted answer \"Paname\""},
      {"2", "Panam", "Quasiment", "the closest of the 2 accepted answers: \"Paname\""},
      {"2", "lyon", "Pas Lyon", "the listed wrong answer \"Lyon\""},
      {"1", "Seine", "BRAVO", "leading articles left out"},
      {"1", "le Seine", "Quasiment", "against the answer \"la Seine\""},
      {"5", "Fontaine", "Trop court", "rules of this question"},
      {"6", "les miserables", "BRAVO", "accents ignored"},
      {"7", "", "?", "nothing typed"},
  };
  for (const Case& c : cases) {
    Outcome r = quizpack({"try", example, c.question, c.typed});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(first_line(r.out), c.verdict) << c.typed;
    EXPECT_NE(r.out.find(c.why), std::string::npos) << c.typed << "\n" << r.out;
  }
}

}  // namespace
