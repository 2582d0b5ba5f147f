// What the studio calls: a source and its media packed from memory as build
// packs them from files, a packed quiz read back from its bytes as dump reads
// it, the editor's form written as a source and read back, and every message
// of the checks said in French beside its field.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "quizpack_support.h"
#include "core/authoring/media.h"
#include "core/authoring/messages_fr.h"
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
  input.read_media = [media](const std::string& written, std::string* bytes, std::string* problem) {
    auto found = media.find(written);
    if (found == media.end()) {
      *problem = "No such file or directory";
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
                                      std::string* problem) {
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
  EXPECT_EQ(diagnostics.list()[1].text,
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
    ASSERT_EQ(dump_quiz(exe, "", &diagnostics, printed), 0);
    QuizSource quiz;
    MediaFiles media;
    ASSERT_TRUE(unpack_quiz_image(read_bytes(exe), exe, &quiz, &media, &diagnostics));
    EXPECT_EQ(dump_source(quiz, exe), printed.str());
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
  for (const Diagnostic& d : diagnostics.list())
    EXPECT_EQ(french_message(d).field, "file") << d.text;
  EXPECT_EQ(french_message(diagnostics.list()[0]).text, "ce programme ne contient aucun quiz");
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

// Each message of the checks, provoked by a source, with its field and its
// French text.
TEST_F(Studio, EveryMessageIsSaidInFrenchBesideItsField) {
  std::string head = "kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  std::string one = "[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";
  std::string picture = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
  std::string many;
  for (int i = 0; i < 97; ++i) many += one;
  struct Case {
    std::string source, field, french;
  } cases[] = {
      {head + "[[question]]\ntext = \"" + std::string(260, 'x') + "\"\nanswer = \"A\"\n", "q1.text",
       "trop long : 260 caract\xC3\xA8res, le lecteur en garde 259 au plus"},
      {"kind = \"text\"\ntitle = \"a|b\"\n" + one, "title",
       "contient \xC2\xAB | \xC2\xBB, un signe que le lecteur se r\xC3\xA9serve"},
      {head + "[[question]]\ntext = \"Q\"\nanswer = [\"\xE2\x86\x92\"]\n", "q1.answer1",
       "le caract\xC3\xA8re \xC2\xAB \xE2\x86\x92 \xC2\xBB (U+2192) n'existe pas dans "
       "l'alphabet du lecteur"},
      {head + "[[question]]\ntext = \"e\xCC\x81\"\nanswer = \"A\"\n", "q1.text",
       "le caract\xC3\xA8re \xC2\xAB \xCC\x81 \xC2\xBB (U+0301) est un accent seul : tapez la "
       "lettre accentu\xC3\xA9"
       "e d'un seul caract\xC3\xA8re"},
      {head + many, "questions", "le quiz a 97 questions ; le lecteur en tient 96 au plus"},
      {"kind = \"text\"\ntitle = \"T\"\n", "questions", "le quiz n'a aucune question"},
      {"title = \"T\"\n" + one, "kind",
       "le genre du quiz manque : texte, images, audio ou vid\xC3\xA9o"},
      {"kind = \"text\"\n" + one, "title", "le quiz n'a pas de titre"},
      {"kind = \"text\"\ntitle = \" \"\n" + one, "title", "le quiz n'a pas de titre"},
      {head + "link = \"www.example.org\"\n" + one, "link",
       "doit \xC3\xAAtre une adresse web qui commence par https:// ou http://"},
      {head + "link = \"https://" + std::string(300, 'a') + "\"\n" + one, "link",
       "trop longue : 308 caract\xC3\xA8res une fois \xC3\xA9"
       "crite pour le web, le lecteur en garde 259 au plus"},
      {head + "link_text = \"Le site\"\n" + one, "link_text",
       "s'affiche pour un lien : donnez aussi l'adresse du lien"},
      {"kind = \"quiz\"\ntitle = \"T\"\n" + one, "kind",
       "\xC2\xAB quiz \xC2\xBB n'est pas une valeur possible (\"text\", \"picture\", \"audio\", "
       "\"video\")"},
      {head + "answers = 3\n" + one, "answers",
       "il faut 1 ou 2 champs de r\xC3\xA9ponse par question"},
      {head + "answers = 2\n" + one, "answers",
       "un quiz de texte a un seul champ de r\xC3\xA9ponse par question"},
      {head + "background = \"vert\"\n" + one, "background",
       "une couleur s'\xC3\xA9"
       "crit #RRVVBB, par exemple #5A5F96"},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\\nB\"]\n" + one, "code1",
       "contient un retour \xC3\xA0 la ligne, qui termine une ligne de codes"},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\", \"B\"]\n" + one, "codes",
       "plus de codes que de questions : un code par score, de 1 \xC3\xA0 1"},
      {"kind = \"text\"\ntitle = \"T\\t\"\n" + one, "title",
       "contient le caract\xC3\xA8re de contr\xC3\xB4le U+0009 : seuls les textes "
       "r\xC3\xA9v\xC3\xA9l\xC3\xA9s peuvent aller \xC3\xA0 la ligne"},
      {head + "[[question]]\ntext = \"Q\"\nanswer = \"A \"\n", "q1.answer1",
       "commence ou finit par un blanc : le lecteur retire les blancs de ce qui est tap\xC3\xA9, "
       "elle ne serait jamais trouv\xC3\xA9"
       "e"},
      {head + "[[question]]\ntext = \"Q\"\nanswer = \"\"\n", "q1.answer1",
       "vide : aucune r\xC3\xA9ponse tap\xC3\xA9"
       "e ne pourrait y correspondre"},
      {picture + "answers = 2\n[[question]]\nanswer = [\"A\", \" B\"]\n", "q1.answer2",
       "commence ou finit par un blanc : le lecteur retire les blancs de ce qui est tap\xC3\xA9, "
       "elle ne serait jamais trouv\xC3\xA9"
       "e"},
      {picture + "answers = 2\n[[question]]\nanswer = \"A\"\n", "q1.answer1",
       "il faut une r\xC3\xA9ponse par champ de r\xC3\xA9ponse (2 par question)"},
      {picture + "[[question]]\ntext = \"Q\"\n", "q1.answer1", "pas de r\xC3\xA9ponse attendue"},
      {head + "[[question]]\nanswer = \"A\"\n", "q1.text",
       "la question n'a pas de texte, qu'un quiz de texte affiche"},
      {head + "[[question]]\ntext = \" \"\nanswer = \"A\"\n", "q1.text",
       "la question n'a pas de texte, qu'un quiz de texte affiche"},
      {head + "[[question]]\ntext = \"Q\"\nanswer = \"A\"\npicture = \"a.jpg\"\n", "q1.picture",
       "seul un quiz d'images montre des images"},
      {picture + "[[question]]\nanswer = \"A\"\nclip = \"a.mp3\"\n", "q1.clip",
       "seul un quiz audio ou vid\xC3\xA9o joue des extraits"},
      {picture + "[[question]]\nanswer = \"A\"\npicture = \"\"\n", "q1.picture",
       "aucun fichier n'est nomm\xC3\xA9"},
      {head + "[[question]]\ntext = \"Q\"\nanwser = \"A\"\n", "q1",
       "cl\xC3\xA9 inconnue \xC2\xAB anwser \xC2\xBB (vouliez-vous dire \xC2\xAB answer \xC2\xBB "
       "?)"},
      {head + "titel = \"T\"\n" + one, "source",
       "cl\xC3\xA9 inconnue \xC2\xAB titel \xC2\xBB (vouliez-vous dire \xC2\xAB title \xC2\xBB ?)"},
      {head + "author = 3\n" + one, "author", "doit \xC3\xAAtre un texte entre guillemets"},
      // Judging options.
      {head + "[judging]\narticles = 1\n" + one, "judging", "articles doit valoir true ou false"},
      {head + "[judging]\naccent = \"hint\"\n" + one, "judging",
       "cl\xC3\xA9 inconnue \xC2\xAB accent \xC2\xBB (vouliez-vous dire \xC2\xAB accents "
       "\xC2\xBB ?)"},
      {head + one + "also = [\"a|b\"]\n", "q1.also1",
       "contient \xC2\xAB | \xC2\xBB, un signe que le lecteur se r\xC3\xA9serve"},
      {picture + "answers = 2\n[[question]]\nanswer = [\"A\", \"B\"]\nalso = [[], \"C\"]\n",
       "q1.also2", "doit \xC3\xAAtre une liste de textes"},
      {head + one + "wrong = { \"B\" = \"BRAVO\" }\n", "q1.wrong1",
       "\xC2\xAB B \xC2\xBB : son verdict \xC2\xAB BRAVO \xC2\xBB se lirait comme une question "
       "r\xC3\xA9solue"},
      {head + one + "wrong = { \"a\" = \"Non\" }\n", "q1.wrong1",
       "\xC2\xAB a \xC2\xBB : est accept\xC3\xA9"
       "e comme juste (elle \xC3\xA9quivaut \xC3\xA0 \xC2\xAB A \xC2\xBB)"},
      {head + one + "wrong = { \"B\" = \"\xE2\x86\x92\" }\n", "q1.wrong1",
       "\xC2\xAB B \xC2\xBB : son verdict le caract\xC3\xA8re \xC2\xAB \xE2\x86\x92 \xC2\xBB "
       "(U+2192) n'existe pas dans l'alphabet du lecteur"},
      {head + one + "judging = { articles = \"oui\" }\n", "q1.judging",
       "articles doit valoir true ou false"},
      // The mastery score of a SCORM package.
      {head + "mastery_score = 2\n" + one, "mastery_score",
       "le nombre de questions \xC3\xA0 r\xC3\xA9ussir doit \xC3\xAA"
       "tre un nombre entier de 1 "
       "\xC3\xA0 1"},
  };
  for (const Case& c : cases) {
    QuizSource quiz;
    Diagnostics diagnostics;
    parse_quiz_source(c.source, "quiz.toml", &quiz, &diagnostics);
    bool found = false;
    for (const Diagnostic& d : diagnostics.list()) {
      FrenchMessage m = french_message(d);
      EXPECT_EQ(m.text.find(d.text), std::string::npos) << d.text;  // every one is known
      found = found || (m.error && m.field == c.field && m.text == c.french);
    }
    EXPECT_TRUE(found) << c.french;
  }
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
  for (const Diagnostic& d : diagnostics.list()) {
    FrenchMessage m = french_message(d);
    said.push_back(std::string(m.error ? "error " : "warning ") + m.field + ": " + m.text);
  }
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
      french_problem(" \"x.mp3\" is not an MP3 file (an audio quiz plays MP3 clips)"),
      "\xC2\xAB x.mp3 \xC2\xBB n'est pas un fichier MP3 (un quiz audio joue des extraits MP3)");
  EXPECT_EQ(french_problem(" \"x.m4a\" is a clip in M4A; an audio quiz plays only MP3 clips: "
                           "convert it to MP3"),
            "\xC2\xAB x.m4a \xC2\xBB est un extrait M4A : un quiz audio ne joue que des extraits "
            "MP3, convertissez-le en MP3");
  std::string heic, stored;
  PictureInfo info;
  prepare_picture(std::string("\0\0\0\x18"
                              "ftypheic\0\0\0\0mif1heic",
                              24),
                  false, 0, &stored, &info, &heic);
  EXPECT_EQ(french_problem(" \"x.heic\" " + heic)
                .find("\xC2\xAB x.heic \xC2\xBB est une photo HEIC, un format que le quiz ne prend "
                      "pas : sur un iPhone, choisissez R\xC3\xA9glages > Appareil photo"),
            0u);
  // A message the catalogue does not know keeps its words and its line.
  FrenchMessage unknown = french_message({true, "quiz.toml", 4, "something new"});
  EXPECT_EQ(unknown.field, "source");
  EXPECT_EQ(unknown.text, "ligne 4 : something new");
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
    ASSERT_TRUE(try_quiz_answer(trial, 1, 1, c.typed, &alone, &problem));
    ASSERT_TRUE(try_quiz_answer(whole, c.question, 1, c.typed, &in_quiz, &problem));
    EXPECT_EQ(alone.word, c.word);
    EXPECT_EQ(alone.reason, c.french);
    EXPECT_EQ(alone.word, in_quiz.word);
    EXPECT_EQ(alone.reason, in_quiz.reason);
    EXPECT_EQ(alone.lines, in_quiz.lines);
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
  std::string expected(259, 'A'), problem;
  ASSERT_TRUE(
      parse_quiz_source("kind = \"picture\"\ntitle = \"T\"\nanswers = 2\n"
                        "[[question]]\nanswer = [\"\xC3\x89lan\", \"" +
                            expected + "\"]\n",
                        "quiz.toml", &quiz, &diagnostics));
  TriedAnswer tried;
  ASSERT_TRUE(try_quiz_answer(quiz, 1, 1, "\xC3\xA9lan", &tried, &problem));
  EXPECT_EQ(tried.verdict, VERDICT_ONE_EDIT);
  EXPECT_EQ(tried.reason,
            "une lettre accentu\xC3\xA9"
            "e dans l'autre casse (seules a \xC3\xA0 z valent leur majuscule)");
  EXPECT_TRUE(tried.lines.empty());  // no options: the verdict alone, as quizpack try prints it
  // The field holds 259 bytes: what is typed past them is not judged.
  ASSERT_TRUE(try_quiz_answer(quiz, 1, 2, expected + "BBBB", &tried, &problem));
  EXPECT_EQ(tried.word, "BRAVO");
  EXPECT_FALSE(try_quiz_answer(quiz, 1, 1, "\xE2\x86\x92", &tried, &problem));
  EXPECT_EQ(french_problem(" " + problem),
            "le caract\xC3\xA8re \xC2\xAB \xE2\x86\x92 \xC2\xBB (U+2192) n'existe pas dans "
            "l'alphabet du lecteur");
}

}  // namespace
