// What the studio calls: a source and its media packed from memory as build
// packs them from files, a packed quiz read back from its bytes as dump reads
// it, the editor's form written as a source and read back, and messages said
// in French beside their field (every message: messages_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "quizpack_support.h"
#include "core/authoring/media.h"
#include "core/authoring/packer.h"
#include "core/authoring/quiz_form.h"

namespace {

// The media of a source read from the files beside it, as the studio holds
// them: by the path the source names them by.
std::map<std::string, std::string> media_beside(const std::string& source) {
  std::map<std::string, std::string> media;
  QuizSource quiz;
  Diagnostics ignored;
  read_quiz_source(source, &quiz, &ignored);
  for (const SourceQuestion& q : quiz.questions)
    for (const MediaRef* ref : {&q.picture, &q.answer_picture, &q.clip})
      if (!ref->path.empty()) media[ref->path] = read_bytes(quiz.folder + "/" + ref->path);
  return media;
}

QuizInput input_of(const std::string& text, const std::map<std::string, std::string>& media) {
  QuizInput input;
  input.text = text;
  input.path = "quiz.toml";
  input.read_media = [media](const std::string& written, std::string* bytes, Message* problem) {
    auto found = media.find(written);
    if (found == media.end()) {
      *problem = MSG_REASON_NO_FILE;
      return false;
    }
    *bytes = found->second;
    return true;
  };
  return input;
}

std::vector<std::string> examples() {
  std::vector<std::string> sources;
  for (const auto& entry : std::filesystem::directory_iterator(QUIZ_EXAMPLES_DIR))
    if (entry.path().extension() == ".toml") sources.push_back(entry.path().string());
  std::sort(sources.begin(), sources.end());
  return sources;
}

class Studio : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string player = stand_in_player();
  std::string player_file = folder.write("player.exe", player);

  std::string built(const std::string& source) {
    BuildRequest request;
    request.source = source;
    request.output = folder.path("built.exe");
    request.player = player_file;
    Diagnostics diagnostics;
    std::ostringstream out;
    EXPECT_EQ(build_quiz(request, &diagnostics, out), 0);
    return read_bytes(request.output);
  }
};

TEST_F(Studio, PackingFromMemoryGivesTheBytesBuildWrites) {
  for (const std::string& source : examples()) {
    SCOPED_TRACE(source);
    QuizInput input = input_of(read_bytes(source), media_beside(source));
    std::vector<std::pair<int, int>> steps;
    input.progress = [&steps](int done, int total) { steps.push_back({done, total}); };
    PreparedQuiz prepared;
    Diagnostics diagnostics;
    std::string packed;
    ASSERT_TRUE(prepare_quiz_text(input, &prepared, &diagnostics));
    ASSERT_TRUE(pack_quiz(player, "player.exe", prepared, &packed, &diagnostics));
    EXPECT_EQ(packed, built(source));
    // One step per picture or clip, counted up to the whole.
    int media = prepared.pictures + prepared.clips;
    ASSERT_EQ(int(steps.size()), media);
    for (int i = 0; i < media; ++i) EXPECT_EQ(steps[size_t(i)], std::make_pair(i + 1, media));
  }
}

// Packing again with the pictures prepared before (known by their content)
// reads and scales none of them again, and gives the same bytes; a changed
// picture alone is prepared anew.
TEST_F(Studio, PackingAgainTakesThePicturesAlreadyPrepared) {
  std::string source = std::string(QUIZ_EXAMPLES_DIR) + "/formes.toml";
  std::map<std::string, std::string> media = media_beside(source);
  PictureCache cache;
  int reads = 0;
  auto pack = [&](std::string* packed) {
    QuizInput input = input_of(read_bytes(source), media);
    QuizInput::ReadMedia read = input.read_media;
    input.read_media = [&reads, read](const std::string& written, std::string* bytes,
                                      Message* problem) {
      ++reads;
      return read(written, bytes, problem);
    };
    input.media_key = [&media](const std::string& written) { return media.at(written); };
    input.pictures = &cache;
    PreparedQuiz prepared;
    Diagnostics diagnostics;
    EXPECT_TRUE(prepare_quiz_text(input, &prepared, &diagnostics));
    EXPECT_TRUE(pack_quiz(player, "player.exe", prepared, packed, &diagnostics));
    return prepared;
  };
  std::string first, again, changed;
  PreparedQuiz prepared = pack(&first);
  EXPECT_EQ(first, built(source));
  EXPECT_EQ(reads, 7);
  EXPECT_EQ(prepared.reused, 0);
  reads = 0;
  prepared = pack(&again);
  EXPECT_EQ(again, first);
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(prepared.reused, 7);
  EXPECT_EQ(prepared.scaled, 3);  // counted as scaled all the same
  reads = 0;
  std::string& small = media["media/formes-4.jpg"];      // kept as it is, not scaled
  small.insert(2, std::string("\xFF\xFE\x00\x03x", 5));  // the same picture, other bytes
  prepared = pack(&changed);
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(prepared.reused, 6);
  EXPECT_TRUE(changed != first);
  EXPECT_EQ(cache.size(), 7u);  // the old bytes' picture is dropped
}

TEST_F(Studio, MissingAndBadMediaAreTheSameErrorsAsFromFiles) {
  std::string text =
      "kind = \"picture\"\ntitle = \"T\"\n[[question]]\nanswer = \"A\"\npicture = \"a.jpg\"\n"
      "[[question]]\nanswer = \"B\"\npicture = \"b.jpg\"\n";
  PreparedQuiz prepared;
  Diagnostics diagnostics;
  int steps = 0;
  QuizInput input = input_of(text, {{"b.jpg", "\x89PNG"}});
  input.progress = [&steps](int, int) { ++steps; };
  EXPECT_FALSE(prepare_quiz_text(input, &prepared, &diagnostics));
  ASSERT_EQ(diagnostics.error_count(), 2u);
  EXPECT_EQ(diagnostics.list()[1].text(),
            "question 1: picture \"a.jpg\" cannot be read: No such file or directory");
  EXPECT_EQ(diagnostics.list()[2].line, 8);
  EXPECT_EQ(steps, 2);  // a failed picture still moves the progress on
  std::string packed;
  Diagnostics player_problems;
  EXPECT_FALSE(pack_quiz("MZ", "player.exe", prepared, &packed, &player_problems));
  EXPECT_EQ(format_diagnostic(player_problems.list()[0]),
            "player.exe: error: the player is not a Windows executable (PE)");
}

TEST_F(Studio, UnpackingBytesGivesWhatDumpPrints) {
  for (const std::string& source : examples()) {
    SCOPED_TRACE(source);
    std::string exe = folder.write("quiz.exe", built(source));
    Diagnostics diagnostics;
    std::ostringstream printed;
    ASSERT_EQ(dump_quiz(exe, "", Language::ENGLISH, &diagnostics, printed), 0);
    QuizSource quiz;
    MediaFiles media;
    ASSERT_TRUE(unpack_quiz_image(read_bytes(exe), exe, &quiz, &media, &diagnostics));
    EXPECT_EQ(dump_source(quiz, exe, Language::ENGLISH), printed.str());
    // The dumped source with those media builds the same quiz again.
    std::map<std::string, std::string> files(media.begin(), media.end());
    PreparedQuiz prepared;
    std::string packed;
    ASSERT_TRUE(prepare_quiz_text(input_of(printed.str(), files), &prepared, &diagnostics));
    ASSERT_TRUE(pack_quiz(player, "player.exe", prepared, &packed, &diagnostics));
    EXPECT_EQ(packed, read_bytes(exe));
  }
}

TEST_F(Studio, UnpackingRefusesWhatIsNoQuiz) {
  Diagnostics diagnostics;
  QuizSource quiz;
  MediaFiles media;
  std::string exe = built(examples()[0]);
  EXPECT_FALSE(unpack_quiz_image(player, "lecteur.exe", &quiz, &media, &diagnostics));
  EXPECT_FALSE(
      unpack_quiz_image(exe.substr(0, exe.size() / 2), "coupé.exe", &quiz, &media, &diagnostics));
  EXPECT_FALSE(unpack_quiz_image("", "vide.exe", &quiz, &media, &diagnostics));
  ASSERT_EQ(diagnostics.error_count(), 3u);
  for (const Diagnostic& d : diagnostics.list()) EXPECT_EQ(d.about.field, "file") << d.text();
  EXPECT_EQ(diagnostics.list()[0].beside_field(), "ce programme ne contient aucun quiz");
}

TEST_F(Studio, TheFormWritesWhatDumpWritesAndReadsItBack) {
  for (const std::string& source : examples()) {
    SCOPED_TRACE(source);
    QuizSource quiz;
    Diagnostics diagnostics;
    ASSERT_TRUE(read_quiz_source(source, &quiz, &diagnostics));
    std::string written = write_quiz_source(quiz);
    QuizForm form;
    std::string problem;
    ASSERT_TRUE(read_form_source(written, &form, &problem)) << problem;
    EXPECT_EQ(write_form_source(form), written);
    // And the example as its author wrote it reads into the same form.
    QuizForm original;
    ASSERT_TRUE(read_form_source(read_bytes(source), &original, &problem));
    EXPECT_EQ(write_form_source(original), written);
  }
}

TEST_F(Studio, TheFormKeepsWhatTheChecksRefuse) {
  QuizForm form;
  std::string problem;
  ASSERT_TRUE(read_form_source(
      "kind = \"quiz\"\ntitle = \"a|b \xE2\x86\x92\"\nanswers = 7\nbackground = \"vert\"\n"
      "codes = [\"A\", 3]\nunknown = 1\n[[question]]\nanswer = [\" x\", \"y\", \"z\"]\n"
      "reveal = \"l\\u0000\"\n",
      &form, &problem));
  EXPECT_EQ(form.kind, "quiz");
  EXPECT_EQ(form.title, "a|b \xE2\x86\x92");
  EXPECT_EQ(form.answers, 1);
  EXPECT_EQ(form.background, "vert");
  EXPECT_EQ(form.codes, (std::vector<std::string>{"A", ""}));
  ASSERT_EQ(form.questions.size(), 1u);
  EXPECT_EQ(form.questions[0].answer[0], " x");
  EXPECT_EQ(form.questions[0].answer[1], "y");
  EXPECT_EQ(form.questions[0].reveal, std::string("l\0", 2));
  // Written out, the checks see it all again.
  QuizSource quiz;
  Diagnostics diagnostics;
  EXPECT_FALSE(parse_quiz_source(write_form_source(form), "quiz.toml", &quiz, &diagnostics));
  EXPECT_GE(diagnostics.error_count(), 4u);
  EXPECT_FALSE(read_form_source("title = ", &form, &problem));
  EXPECT_EQ(problem.compare(0, 7, "line 1:"), 0) << problem;
}

TEST_F(Studio, WarningsAndMediaProblemsInFrench) {
  std::string source =
      "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\nanswer_mode = \"reveal\"\n"
      "[[question]]\nanswer = \"A\"\nanswer_picture = \"b.jpg\"\n"
      "[[question]]\nanswer = \"B\"\npicture = \"c.jpg\"\nreveal = \"oui\"\n"
      "[[question]]\nanswer = \"C\"\npicture = \"d.jpg\"\n";
  PreparedQuiz prepared;
  Diagnostics diagnostics;
  prepare_quiz_text(
      input_of(source, {{"b.jpg", test_jpeg(20, 20)}, {"c.jpg", "\x89PNG"}, {"d.jpg", ""}}),
      &prepared, &diagnostics);
  std::vector<std::string> said;
  for (const Diagnostic& d : diagnostics.list())
    said.push_back(std::string(d.error ? "error " : "warning ") + d.about.field + ": " +
                   d.beside_field());
  EXPECT_EQ(said, (std::vector<std::string>{
                      "warning codes: les scores 2 \xC3\xA0 3 ne r\xC3\xA9v\xC3\xA8lent aucun code",
                      "warning q1.picture: pas d'image : le lecteur montrera un cadre vide",
                      "warning answer_mode: les images r\xC3\xA9ponses ne se montrent qu'avec le "
                      "mode \xC2\xAB image r\xC3\xA9ponse \xC2\xBB",
                      "error q2.picture: \xC2\xAB c.jpg \xC2\xBB n'est pas une image que le "
                      "quiz prend (JPEG, PNG, GIF, BMP ou WebP)",
                      "error q3.picture: \xC2\xAB d.jpg \xC2\xBB est un fichier vide",
                  }));
  EXPECT_EQ(
      say(Message(MSG_MEDIA_FILE, {"x.mp3", MSG_NOT_MP3}), Language::FRENCH),
      "\xC2\xAB x.mp3 \xC2\xBB n'est pas un fichier MP3 (un quiz audio joue des extraits MP3)");
  std::string stored;
  Message heic;
  PictureInfo info;
  prepare_picture(std::string("\0\0\0\x18"
                              "ftypheic\0\0\0\0mif1heic",
                              24),
                  false, 0, &stored, &info, &heic);
  EXPECT_EQ(say(Message(MSG_MEDIA_FILE, {"x.heic", heic}), Language::FRENCH)
                .find("\xC2\xAB x.heic \xC2\xBB est une photo HEIC, un format que le quiz ne prend "
                      "pas : sur un iPhone, choisissez R\xC3\xA9glages > Appareil photo"),
            0u);
}

// The try box tries an answer in the question alone (its trial form), and
// says what `quizpack try` says of the whole quiz, with a French line.
TEST_F(Studio, TryingAnAnswerInItsQuestionAloneIsTryingItInTheQuiz) {
  std::string source = std::string(QUIZ_EXAMPLES_DIR) + "/francais.toml";
  QuizForm form;
  std::string problem;
  ASSERT_TRUE(read_form_source(read_bytes(source), &form, &problem));
  QuizSource whole;
  Diagnostics diagnostics;
  ASSERT_TRUE(read_quiz_source(source, &whole, &diagnostics));
  struct Case {
    int question;
    const char *typed, *word, *french;
  } cases[] = {
      {1, "Seine", "BRAVO",
       "la r\xC3\xA9ponse, \xC3\xA0 la casse, aux blancs et \xC3\xA0 la typographie "
       "pr\xC3\xA8s, sans l'article"},
      {1, "la Seine", "BRAVO", "exactement la r\xC3\xA9ponse attendue"},
      {1, "le Seine", "Quasiment", "une lettre de diff\xC3\xA9rence"},
      {2, "Paname", "BRAVO",
       "une autre r\xC3\xA9ponse accept\xC3\xA9"
       "e : \xC2\xAB Paname \xC2\xBB"},
      {2, "Panam", "Quasiment", "une lettre en moins, avec \xC2\xAB Paname \xC2\xBB"},
      {2, "lyon", "Pas Lyon", "une r\xC3\xA9ponse fausse pr\xC3\xA9vue : \xC2\xAB Lyon \xC2\xBB"},
      {4, "Athenes", "Accents",
       "la r\xC3\xA9ponse attendue \xC3\xA0 ses accents pr\xC3\xA8s : les accents comptent"},
      {4, "Ahtènes", "Anagramme", "les m\xC3\xAAmes lettres dans un autre ordre"},
      {5, "Fontaine", "Trop court",
       "une partie de la r\xC3\xA9ponse, plus de 70 % de sa longueur, avec \xC2\xAB La Fontaine "
       "\xC2\xBB"},
      {7, "", "?", "rien n'est tap\xC3\xA9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    QuizSource trial;
    ASSERT_TRUE(parse_quiz_source(write_form_source(trial_form(form, size_t(c.question - 1))),
                                  "quiz.toml", &trial, &diagnostics));
    TriedAnswer alone, in_quiz;
    Message refused;
    ASSERT_TRUE(try_quiz_answer(trial, 1, 1, c.typed, &alone, &refused));
    ASSERT_TRUE(try_quiz_answer(whole, c.question, 1, c.typed, &in_quiz, &refused));
    EXPECT_EQ(alone.word, c.word);
    EXPECT_EQ(say(alone.why.back(), Language::FRENCH), c.french);
    EXPECT_EQ(alone.word, in_quiz.word);
    for (Language language : {Language::ENGLISH, Language::FRENCH})
      EXPECT_EQ(tried_lines(alone, language), tried_lines(in_quiz, language));
  }
  // A question without lists of its own is still judged with the options
  // that another question brings.
  form.judging = FormJudging();
  QuizSource trial;
  ASSERT_TRUE(
      parse_quiz_source(write_form_source(trial_form(form, 0)), "quiz.toml", &trial, &diagnostics));
  EXPECT_TRUE(uses_judging_options(trial));
}

TEST_F(Studio, TryingATypedAnswerAsTheFieldHoldsIt) {
  QuizSource quiz;
  Diagnostics diagnostics;
  std::string expected(259, 'A');
  Message problem;
  ASSERT_TRUE(
      parse_quiz_source("kind = \"picture\"\ntitle = \"T\"\nanswers = 2\n"
                        "[[question]]\nanswer = [\"\xC3\x89lan\", \"" +
                            expected + "\"]\n",
                        "quiz.toml", &quiz, &diagnostics));
  TriedAnswer tried;
  ASSERT_TRUE(try_quiz_answer(quiz, 1, 1, "\xC3\xA9lan", &tried, &problem));
  EXPECT_EQ(tried.verdict, VERDICT_ONE_EDIT);
  EXPECT_EQ(say(tried.why.back(), Language::FRENCH),
            "une lettre accentu\xC3\xA9"
            "e dans l'autre casse (seules a \xC3\xA0 z valent leur majuscule)");
  // No options: the verdict alone, as quizpack try prints it in English.
  EXPECT_TRUE(tried_lines(tried, Language::ENGLISH).empty());
  // The field holds 259 bytes: what is typed past them is not judged.
  ASSERT_TRUE(try_quiz_answer(quiz, 1, 2, expected + "BBBB", &tried, &problem));
  EXPECT_EQ(tried.word, "BRAVO");
  EXPECT_FALSE(try_quiz_answer(quiz, 1, 1, "\xE2\x86\x92", &tried, &problem));
  EXPECT_EQ(say(problem, Language::FRENCH),
            "le caract\xC3\xA8re \xC2\xAB \xE2\x86\x92 \xC2\xBB (U+2192) n'existe pas dans "
            "l'alphabet du lecteur");
}

}  // namespace
