// Every message of the catalogue, provoked as an author meets it and said in
// both languages: on the command line in English and in French, and in the
// studio in French beside the field it is about.
#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "core/authoring/content_writer.h"
#include "core/authoring/media.h"
#include "core/authoring/quiz_page_writer.h"
#include "core/authoring/packer.h"
#include "core/authoring/question_bank.h"
#include "core/authoring/quiz_form.h"
#include "core/content/document.h"
#include "quizpack_support.h"
#include "tools/quizpack/cli.h"

namespace {

const std::string HEAD = "kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
const std::string ONE = "[[question]]\ntext = \"Q\"\nanswer = \"A\"\n";
const std::string PICTURE = "kind = \"picture\"\ntitle = \"T\"\ncodes = [\"A\"]\n";
const std::string TWO = "kind = \"picture\"\ntitle = \"T\"\nanswers = 2\ncodes = [\"A\"]\n";

uint32_t get32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
void put32(std::string* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + size_t(i)] = char(v >> (8 * i));
}

Resource resource(const char* type, uint16_t id, std::string data) {
  Resource r;
  r.type = resource_name(type);
  r.name = resource_number(id);
  r.data = std::move(data);
  return r;
}

std::string lzw(const std::string& plain) {
  std::string encoded;
  EXPECT_EQ(encode_resource(plain, &encoded), 0);
  return encoded;
}

// The stand-in player carrying these resources.
std::string exe_with(const std::vector<Resource>& quiz) {
  std::vector<Resource> resources = player_resources();
  resources.insert(resources.end(), quiz.begin(), quiz.end());
  std::string exe;
  Message problem;
  EXPECT_TRUE(write_resources(bare_executable(), resources, &exe, &problem)) << problem;
  return exe;
}

class Catalogue : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string player = folder.write("player.exe", stand_in_player());
  std::set<int> provoked;

  // What a message uses: its own id, its arguments' and its subject's.
  void collect(const Message& m) {
    if (m.id != MSG_LITERAL) provoked.insert(m.id);
    for (const Message& arg : m.args) collect(arg);
  }

  // Each message, said every way it is said; no blank is left unfilled.
  void heard(const Diagnostics& diagnostics) {
    for (const Diagnostic& d : diagnostics.list()) {
      collect(d.problem);
      collect(d.about.name);
      for (const std::string& text : {format_diagnostic(d, Language::ENGLISH),
                                      format_diagnostic(d, Language::FRENCH), d.beside_field()})
        expect_filled(text);
    }
  }
  void heard(const Message& m) {
    collect(m);
    expect_filled(say(m, Language::ENGLISH));
    expect_filled(say(m, Language::FRENCH));
  }
  static void expect_filled(const std::string& text) {
    EXPECT_FALSE(text.empty());
    for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1))
      EXPECT_FALSE(at + 1 < text.size() && isdigit(static_cast<unsigned char>(text[at + 1])))
          << text;
  }

  // A command run in both languages; `english` and `french` are found in
  // what it prints.
  void both(std::vector<std::string> args, std::vector<MessageId> ids, const std::string& english,
            const std::string& french) {
    for (Language language : {Language::ENGLISH, Language::FRENCH}) {
      std::vector<std::string> with = args;
      with.insert(with.begin(), {"--lang", language == Language::FRENCH ? "fr" : "en"});
      Outcome r = quizpack(with);
      std::string words = language == Language::FRENCH ? french : english;
      EXPECT_NE((r.out + r.err).find(words), std::string::npos) << words << "\n" << r.out << r.err;
    }
    provoked.insert(ids.begin(), ids.end());
  }

  void checks_are_said_beside_their_fields();

  Diagnostics parsed(const std::string& source) {
    QuizSource quiz;
    Diagnostics diagnostics;
    parse_quiz_source(source, "quiz.toml", &quiz, &diagnostics);
    return diagnostics;
  }
};

// The checks of a source: each message with its field and, for most, the
// French the studio shows beside that field.
void Catalogue::checks_are_said_beside_their_fields() {
  std::string many, alternatives, wrongs;
  for (int i = 0; i < 97; ++i) many += ONE;
  for (int i = 0; i < 8; ++i)
    alternatives += std::string(i ? ", " : "") + "\"x" + char('a' + i) + "\"";
  for (int i = 0; i < 17; ++i)
    wrongs += std::string(i ? ", " : "") + "x" + char('a' + i) + " = \"Non\"";
  struct Case {
    std::string source, field, french;
  } cases[] = {
      {HEAD + "[[question]]\ntext = \"" + std::string(260, 'x') + "\"\nanswer = \"A\"\n", "q1.text",
       "trop long : 260 caractères, le lecteur en garde 259 au plus"},
      {"kind = \"text\"\ntitle = \"a|b\"\n" + ONE, "title",
       "contient « | », un signe que le lecteur se réserve"},
      {HEAD + "[[question]]\ntext = \"Q\"\nanswer = [\"→\"]\n", "q1.answer1",
       "le caractère « → » (U+2192) n'existe pas dans l'alphabet du lecteur"},
      {HEAD + "[[question]]\ntext = \"e\xCC\x81\"\nanswer = \"A\"\n", "q1.text",
       "le caractère « \xCC\x81 » (U+0301) est un accent seul : tapez la lettre accentuée d'un "
       "seul caractère"},
      {HEAD + many, "questions", "le quiz a 97 questions ; le lecteur en tient 96 au plus"},
      {"kind = \"text\"\ntitle = \"T\"\n", "questions", "le quiz n'a aucune question"},
      {"title = \"T\"\n" + ONE, "kind", "le genre du quiz manque : texte, images, audio ou vidéo"},
      {"kind = \"text\"\n" + ONE, "title", "le quiz n'a pas de titre"},
      {"kind = \"text\"\ntitle = \" \"\n" + ONE, "title", "le quiz n'a pas de titre"},
      {HEAD + "link = \"www.example.org\"\n" + ONE, "link",
       "doit être une adresse web qui commence par https:// ou http://"},
      {HEAD + "link = \"https://" + std::string(300, 'a') + "\"\n" + ONE, "link",
       "trop longue : 308 caractères une fois écrite pour le web, le lecteur en garde 259 au plus"},
      {HEAD + "link_text = \"Le site\"\n" + ONE, "link_text",
       "s'affiche pour un lien : donnez aussi l'adresse du lien"},
      {HEAD + "[[question]]\ntext = \" \"\nanswer = \"A\"\n", "q1.text",
       "la question n'a pas de texte, qu'un quiz de texte affiche"},
      {"kind = \"quiz\"\ntitle = \"T\"\n" + ONE, "kind",
       "« quiz » n'est pas une valeur possible (\"text\", \"picture\", \"audio\", \"video\")"},
      {HEAD + "answers = 3\n" + ONE, "answers", "il faut 1 ou 2 champs de réponse par question"},
      {HEAD + "answers = 2\n" + ONE, "answers",
       "un quiz de texte a un seul champ de réponse par question"},
      {HEAD + "background = \"vert\"\n" + ONE, "background",
       "une couleur s'écrit #RRVVBB, par exemple #5A5F96"},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\\nB\"]\n" + ONE, "code1",
       "contient un retour à la ligne, qui termine une ligne de codes"},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\", \"B\"]\n" + ONE, "codes",
       "plus de codes que de questions : un code par score, de 1 à 1"},
      {"kind = \"text\"\ntitle = \"T\\t\"\n" + ONE, "title",
       "contient le caractère de contrôle U+0009 : seuls les textes révélés peuvent aller à la "
       "ligne"},
      {HEAD + "[[question]]\ntext = \"Q\"\nanswer = \"A \"\n", "q1.answer1",
       "commence ou finit par un blanc : le lecteur retire les blancs de ce qui est tapé, elle ne "
       "serait jamais trouvée"},
      {HEAD + "[[question]]\ntext = \"Q\"\nanswer = \"\"\n", "q1.answer1",
       "vide : aucune réponse tapée ne pourrait y correspondre"},
      {PICTURE + "answers = 2\n[[question]]\nanswer = [\"A\", \" B\"]\n", "q1.answer2",
       "commence ou finit par un blanc : le lecteur retire les blancs de ce qui est tapé, elle ne "
       "serait jamais trouvée"},
      {PICTURE + "answers = 2\n[[question]]\nanswer = \"A\"\n", "q1.answer1",
       "il faut une réponse par champ de réponse (2 par question)"},
      {HEAD + "[[question]]\ntext = \"Q\"\nanswer = [\"A\", \"B\"]\n", "q1.answer1",
       "il faut une réponse par champ de réponse (1 par question)"},
      {PICTURE + "[[question]]\ntext = \"Q\"\n", "q1.answer1", "pas de réponse attendue"},
      {TWO + "[[question]]\ntext = \"Q\"\n", "q1.answer1",
       "pas de réponses attendues : il en faut une par champ (2 par question)"},
      {HEAD + "[[question]]\nanswer = \"A\"\n", "q1.text",
       "la question n'a pas de texte, qu'un quiz de texte affiche"},
      {HEAD + ONE + "picture = \"a.jpg\"\n", "q1.picture",
       "seul un quiz d'images montre des images"},
      {PICTURE + "[[question]]\nanswer = \"A\"\nclip = \"a.mp3\"\n", "q1.clip",
       "seul un quiz audio ou vidéo joue des extraits"},
      {PICTURE + "[[question]]\nanswer = \"A\"\npicture = \"\"\n", "q1.picture",
       "aucun fichier n'est nommé"},
      {PICTURE + "[[question]]\nanswer = \"A\"\nanswer_picture = \"\"\n", "q1.answer_picture",
       "aucun fichier n'est nommé"},
      {HEAD + "[[question]]\ntext = \"Q\"\nanwser = \"A\"\n", "q1",
       "clé inconnue « anwser » (vouliez-vous dire « answer » ?)"},
      {HEAD + "titel = \"T\"\n" + ONE, "source",
       "clé inconnue « titel » (vouliez-vous dire « title » ?)"},
      {HEAD + "zzz = 1\n" + ONE, "source", "clé inconnue « zzz »"},
      {HEAD + "author = 3\n" + ONE, "author", "doit être un texte entre guillemets"},
      {HEAD + "explanation = 3\n" + ONE, "explanation", "doit être un texte entre guillemets"},
      {HEAD + "background = 3\n" + ONE, "background", "doit être un texte entre guillemets"},
      {HEAD + "answer1_label = \"a|b\"\nanswer2_label = \"c|d\"\n" + ONE, "label2", ""},
      {HEAD + "answer1_label = \"a|b\"\n" + ONE, "label1", ""},
      {HEAD + "answer_mode = \"x\"\n" + ONE, "answer_mode", ""},
      {"kind = \"text\"\ntitle = \"T\"\ncodes = 3\n" + ONE, "codes",
       "les codes doivent être une liste de textes"},
      {HEAD + "question = 1\n", "questions", "les questions s'écrivent en tables [[question]]"},
      {HEAD + ONE + "reveal = \"a|b\"\n", "q1.reveal", ""},
      {HEAD + ONE + "reveal = \"a\\tb\"\n", "q1.reveal",
       "contient le caractère de contrôle U+0009"},
      {HEAD + "title = ", "source", ""},
      // Judging options.
      {HEAD + "[judging]\narticles = 1\n" + ONE, "judging", "articles doit valoir true ou false"},
      {HEAD + "[judging]\naccent = \"hint\"\n" + ONE, "judging",
       "clé inconnue « accent » (vouliez-vous dire « accents » ?)"},
      {HEAD + "[judging]\naccents = \"x\"\n" + ONE, "judging",
       "« x » n'est pas une valeur possible (\"exact\", \"hint\", \"ignored\")"},
      {HEAD + "judging = 3\n" + ONE, "judging", "doit être une table de règles"},
      {HEAD + ONE + "also = [\"a|b\"]\n", "q1.also1",
       "contient « | », un signe que le lecteur se réserve"},
      {HEAD + ONE + "also = [" + alternatives + "]\n", "q1.also1",
       "trop de réponses (8) : un champ en accepte au plus 7 en plus de la sienne"},
      {TWO + "[[question]]\nanswer = [\"A\", \"B\"]\nalso = [[], \"C\"]\n", "q1.also2",
       "doit être une liste de textes"},
      {TWO + "[[question]]\nanswer = [\"A\", \"B\"]\nalso = [\"C\"]\n", "q1.also1",
       "il faut une liste par champ de réponse (2 par question)"},
      {HEAD + ONE + "wrong = 3\n", "q1.wrong1",
       "doit être une table de réponses fausses et de leurs verdicts"},
      {HEAD + ONE + "wrong = { " + wrongs + " }\n", "q1.wrong1",
       "trop de réponses fausses (17) : un champ en prend au plus 16"},
      {HEAD + ONE + "wrong = { \"B\" = \"BRAVO\" }\n", "q1.wrong1",
       "« B » : son verdict « BRAVO » se lirait comme une question résolue"},
      {TWO + "[[question]]\nanswer = [\"A\", \"B\"]\nwrong = [{}, { \"C\" = \"?\" }]\n",
       "q1.wrong2", "« C » : son verdict « ? » se lirait comme une réponse vide"},
      {HEAD + ONE + "wrong = { \"B\" = \"\" }\n", "q1.wrong1", "« B » : son verdict est vide"},
      {HEAD + ONE + "wrong = { \"a\" = \"Non\" }\n", "q1.wrong1",
       "« a » : est acceptée comme juste (elle équivaut à « A »)"},
      {HEAD + ONE + "wrong = { \"B\" = \"→\" }\n", "q1.wrong1",
       "« B » : son verdict : le caractère « → » (U+2192) n'existe pas dans l'alphabet du "
       "lecteur"},
      {HEAD + ONE + "judging = { articles = \"oui\" }\n", "q1.judging",
       "articles doit valoir true ou false"},
      // The mastery score of a SCORM package.
      {HEAD + "mastery_score = 2\n" + ONE, "mastery_score",
       "le nombre de questions à réussir doit être un nombre entier de 1 à 1"},
  };
  for (const Case& c : cases) {
    Diagnostics diagnostics = parsed(c.source);
    heard(diagnostics);
    bool found = false;
    for (const Diagnostic& d : diagnostics.list())
      found = found || (d.error && (d.about.field.empty() ? "source" : d.about.field) == c.field &&
                        (c.french.empty() || d.beside_field() == c.french));
    EXPECT_TRUE(found) << c.field << ": " << c.french;
  }
  // Warnings.
  Diagnostics warned =
      parsed("kind = \"text\"\ntitle = \"T\"\ncodes = [\"A\"]\nanswer_mode = \"picture\"\n" + ONE +
             "reveal = \"r\"\nalso = [\"a\"]\nwrong = { B = \"x\", b = \"y\" }\n" + ONE);
  heard(warned);
  heard(parsed(PICTURE +
               "answer_mode = \"reveal\"\n[[question]]\nanswer = \"A\"\n"
               "answer_picture = \"a.jpg\"\n" +
               ONE + ONE));
  heard(parsed("kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"A\"\n"));
  heard(parsed(TWO + "[[question]]\nanswer = [\"A\", \"B\"]\n"
                     "wrong = [{ C = \"Non, ce n'est pas du tout cela\" }, {}]\n"));
  std::vector<std::string> said;
  for (const Diagnostic& d : warned.list())
    if (!d.error) said.push_back(d.about.field + ": " + d.beside_field());
  EXPECT_EQ(said, (std::vector<std::string>{
                      "codes: le score 2 ne révèle aucun code",
                      "answer_mode: les images réponses n'existent que dans un quiz d'images",
                      "answer_mode: les textes révélés ne servent qu'avec un mode de réponse qui "
                      "les révèle : ils ne sont pas mis dans le quiz",
                      "q1.also1: « a » est déjà acceptée une fois comparée : elle ne change rien",
                      "q1.wrong1: « b » : est la même réponse que « B » une fois comparée : son "
                      "verdict ne serait jamais montré",
                  }));
  // The command line says the field's name before the message.
  Diagnostic too_long = parsed(cases[0].source).list()[0];
  EXPECT_EQ(format_diagnostic(too_long, Language::ENGLISH),
            "quiz.toml:5: error: question 1: text is 260 bytes long in Windows-1252; the player "
            "keeps at most 259");
  EXPECT_EQ(format_diagnostic(too_long, Language::FRENCH),
            "quiz.toml:5 : erreur : question 1, texte : trop long : 260 caractères, le "
            "lecteur en garde 259 au plus");
}

// The checks, pictures, clips, files, Windows programs, commands, tries:
// every message of the catalogue.
TEST_F(Catalogue, EveryMessageIsProvokedInBothLanguages) {
  checks_are_said_beside_their_fields();
  // Media as build reads them.
  std::string huge = test_jpeg(16, 16);
  huge.replace(huge.find("\xFF\xC0") + 5, 4, "\xFD\xE8\xFD\xE8");  // 65000 x 65000
  std::string cut = test_jpeg(40, 40);
  cut.resize(cut.size() / 3);
  std::map<std::string, std::string> media = {{"b.jpg", ""},         {"c.jpg", "\x89PNG"},
                                              {"d.jpg", cut},        {"e.jpg", huge},
                                              {"x.mp3", "RIFF...."}, {"x.avi", "ID3"}};
  auto read_media = [&media](const std::string& written, std::string* bytes, Message* problem) {
    auto found = media.find(written);
    if (found == media.end()) {
      *problem = system_reason(ENOENT);
      return false;
    }
    *bytes = found->second;
    return true;
  };
  for (const std::string& source :
       {PICTURE + "[[question]]\nanswer = \"A\"\npicture = \"a.jpg\"\nanswer_picture = \"b.jpg\"\n"
                  "[[question]]\nanswer = \"B\"\npicture = \"c.jpg\"\n[[question]]\nanswer = "
                  "\"C\"\npicture = \"d.jpg\"\n[[question]]\nanswer = \"D\"\npicture = \"e.jpg\"\n",
        std::string("kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"A\"\nclip = "
                    "\"x.mp3\"\n"),
        std::string("kind = \"video\"\ntitle = \"T\"\n[[question]]\nanswer = \"A\"\nclip = "
                    "\"x.avi\"\n")}) {
    QuizInput input;
    input.text = source;
    input.path = "quiz.toml";
    input.read_media = read_media;
    PreparedQuiz prepared;
    Diagnostics diagnostics;
    EXPECT_FALSE(prepare_quiz_text(input, &prepared, &diagnostics));
    heard(diagnostics);
  }
  // Files: what cannot be read, and why, in the words of the C library's
  // usual reasons.
  Diagnostics files;
  QuizSource quiz;
  read_quiz_source(folder.path("none.toml"), &quiz, &files);
  folder.write("folder.toml/x", "");
  read_quiz_source(folder.path("folder.toml"), &quiz, &files);
  heard(files);
  for (int reason : {EACCES, ENOTDIR, ENOSPC, EROFS, ENAMETOOLONG, ENOMEM, EEXIST})
    heard(system_reason(reason));

  // Windows programs that are not a player or not a quiz.
  std::string bare = bare_executable(), stand_in = stand_in_player();
  std::vector<std::pair<std::string, bool>> programs;  // the image, and whether to write it
  auto changed = [](std::string image, size_t at, uint32_t value) {
    put32(&image, at, value);
    return image;
  };
  std::string dll = bare;
  dll[0x40 + 23] = 0x21;
  std::string damaged = stand_in;
  damaged.replace(get32(stand_in, 0x138 + 40 + 20) + 20, 4, std::string{0, 0, 0, char(0xFF)});
  std::string crowded = bare;
  crowded.replace(0x138 + 40, 40, std::string(40, char(0xCC)));
  for (const auto& [image, write] : std::vector<std::pair<std::string, bool>>{
           {"", false},
           {dll, false},
           {changed(bare, 0x44, 0x00FF0000), false},  // 255 sections: the headers are cut
           {changed(bare, 0x58, 0x0999), false},      // no PE32 or PE32+ header
           {changed(bare, 0xB4, 0xFFFF), false},      // a data directory beyond its header
           {changed(bare, 0x78, 3), false},           // section alignment
           {changed(bare, 0x7C, 0x10000000), false},  // file alignment
           {changed(bare, 0x138 + 20, 0x50200), false},
           {damaged, false},
           {changed(stand_in, 0xC8, 0x00700000), false},  // resources outside the sections
           {changed(bare, 0xB4, 2), true},                // no resource entry
           {crowded, true},
           {changed(bare, 0x138 + 12, 0x7FF00000), true},  // the code section at 2 GiB
       }) {
    std::vector<Resource> resources;
    std::string out;
    Message problem;
    bool done = write ? write_resources(image, player_resources(), &out, &problem)
                      : read_resources(image, &resources, &problem);
    EXPECT_FALSE(done);
    heard(problem);
  }
  Message duplicate;
  std::string out;
  EXPECT_FALSE(write_resources(bare, {resource("IMG", 401, "a"), resource("IMG", 401, "b")}, &out,
                               &duplicate));
  heard(duplicate);

  // Packed quizzes read back, damaged or not.
  std::string content;
  QuizSource small;
  parse_quiz_source(HEAD + ONE, "quiz.toml", &small, &files);
  content = write_content(small);
  std::string bad_mode = content;
  bad_mode[bad_mode.size() - 4] = 9;
  for (const std::string& plain :
       {std::string("\0\x09\x01\x01", 4), std::string("\0\x01\x01\x03", 4), bad_mode}) {
    Message problem;
    QuizSource back;
    EXPECT_FALSE(read_content(plain, &back, &problem));
    heard(problem);
  }
  std::string codes = lzw(write_codes(small));
  for (const std::string& exe :
       {std::string("MZ"), stand_in, exe_with({resource("PATCH", 104, "\xFF\xFF\xFF\xFF")}),
        exe_with({resource("PATCH", 104, lzw(std::string("\0\x02", 2)))}),
        exe_with(
            {resource("PATCH", 104, lzw(content + "JUGE\x02")), resource("PATCH", 105, codes)}),
        exe_with({resource("PATCH", 104, lzw(content))}),
        exe_with({resource("PATCH", 104, lzw(content)), resource("PATCH", 105, "\xFF\xFF\xFF")})}) {
    Diagnostics diagnostics;
    MediaFiles files_back;
    unpack_quiz_image(exe, "quiz.exe", &quiz, &files_back, &diagnostics);
    EXPECT_FALSE(diagnostics.list().empty());
    heard(diagnostics);
  }

  // The commands, as the author runs them, in both languages.
  std::string formes = std::string(QUIZ_EXAMPLES_DIR) + "/formes.toml";
  std::string source = folder.write("quiz.toml", PICTURE +
                                                     "[[question]]\nanswer = \"A\"\n"
                                                     "picture = \"a.jpg\"\n");
  folder.write("a.jpg", test_jpeg(600, 400));
  std::string exe = folder.path("quiz.exe"), packed = folder.path("formes.exe");
  both({"build", source, "-o", exe, "--player", player}, {MSG_BUILT},
       "1 question, 1 picture (1 scaled down), 0 clips, ",
       "1 question, 1 image (1 réduite), 0 extrait, ");
  both({"check", source}, {MSG_CHECKED}, "1 question, 1 picture, 0 clips: ready to build",
       "1 question, 1 image, 0 extrait : prêt à construire");
  both({"build", formes, "-o", packed, "--player", player}, {}, "", "");
  both({"dump", packed}, {MSG_DUMP_MEDIA_NOT_WRITTEN, MSG_DUMP_HEADER},
       "use -o FOLDER to write them\n", "ajoutez -o DOSSIER pour les écrire\n");
  both({"dump", packed}, {}, "# Read back from " + packed + " by quizpack dump.",
       "# Relu dans " + packed + " par quizpack dump.");
  both({"dump", packed, "-o", folder.path("back")}, {MSG_DUMPED}, "4 questions, 7 media files",
       "4 questions, 7 fichiers d'images ou d'extraits");
  both({"dump", packed, "-o", folder.path("quiz.toml/x")}, {MSG_CANNOT_MAKE_FOLDER},
       "cannot make the folder", "le dossier ne se crée pas");
  both({"dump", folder.path("none.exe")}, {MSG_EXE_UNREADABLE}, "cannot read: No such file",
       "ce fichier ne se lit pas : fichier introuvable");
  both({"build", source, "-o", folder.path("no/quiz.exe"), "--player", player}, {MSG_CANNOT_WRITE},
       "cannot write: No such file", "ce fichier ne s'écrit pas : fichier introuvable");
  both({"build", source, "-o", player, "--player", player}, {MSG_OUTPUT_IS_PLAYER},
       ": error: is the player itself", " : erreur : c'est le lecteur lui-même");
  both({"build", source, "-o", exe, "--player", folder.path("none.exe")}, {MSG_PLAYER_UNREADABLE},
       "cannot read the player", "le lecteur ne se lit pas");
  both({"build", source, "-o", exe, "--player", source}, {MSG_PLAYER_IS},
       "the player is not a Windows executable",
       "le lecteur ne convient pas : ce n'est pas un programme Windows");
  both({"check", source, "--lang"}, {MSG_USAGE_ERROR}, "Run with --help", "Commande incorrecte");
  both({"check", folder.write("warned.toml", PICTURE + "[[question]]\nanswer = \"A\"\n")},
       {MSG_DIAGNOSTIC_WARNING}, ":4: warning: question 1 has no picture",
       ":4 : attention : question 1 : pas d'image");
  both({"check", folder.write("wrong.toml", PICTURE)}, {MSG_DIAGNOSTIC_ERROR},
       ":1: error: the quiz has no question", ":1 : erreur : le quiz n'a aucune question");
  BuildRequest request;
  request.source = source;
  request.output = exe;
  Diagnostics no_player;
  std::ostringstream ignored;
  EXPECT_EQ(build_quiz(request, &no_player, ignored), 1);
  heard(no_player);
  // The help, every line of it.
  for (Language language : {Language::ENGLISH, Language::FRENCH}) {
    std::string lang = language == Language::FRENCH ? "fr" : "en", help;
    for (const char* command : {"", "build", "dump", "check", "try", "import", "export"}) {
      std::vector<std::string> args = {"--lang", lang, "--help"};
      if (*command) args.insert(args.begin() + 2, command);
      help += quizpack(args).out;
    }
    std::vector<int> ids = {MSG_HELP_IMPORT, MSG_HELP_IMPORT_FILE, MSG_HELP_IMPORT_OUTPUT,
                            MSG_HELP_EXPORT, MSG_HELP_EXPORT_OUTPUT};
    for (int id = MSG_HELP; id <= MSG_HELP_TRY_FIELD; ++id) ids.push_back(id);
    for (int id : ids) {
      EXPECT_NE(help.find(say(MessageId(id), language)), std::string::npos)
          << say(MessageId(id), language);
      provoked.insert(id);
    }
    EXPECT_NE(help.find(language == Language::FRENCH ? "Utilisation" : "Usage"), std::string::npos);
  }

  // Trying answers, and why.
  std::string judged = folder.write(
      "judged.toml",
      "kind = \"text\"\ntitle = \"T\"\n[judging]\narticles = true\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"la Seine\"\nalso = [\"Paname\"]\n"
      "wrong = { Lyon = \"Pas Lyon\" }\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"Paris\"\n"
      "judging = { accents = \"ignored\", articles = false, accented_case = true }\n"
      "[[question]]\ntext = \"Q\"\nanswer = \"Athènes\"\nwrong = { Sparte = \"Pas Sparte\" }\n"
      "judging = { accents = \"hint\" }\n");
  std::string plain =
      folder.write("plain.toml",
                   "kind = \"text\"\ntitle = \"T\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Paris\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Élan\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"élan\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Charles de Gaulle\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Mozart\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Napoleon\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Louis XIV roi soleil\"\n");
  // The fair preset: the differences it tolerates, a name's article, numbers.
  std::string fair =
      folder.write("fair.toml",
                   "kind = \"text\"\ntitle = \"T\"\n[judging]\npreset = \"fair\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Saint-Étienne\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Paris\"\nalso = [\"« Paname »\"]\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"cœur\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"10 000\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"connaître\"\n"
                   "[[question]]\ntext = \"Q\"\nanswer = \"Le Havre\"\n");
  struct Try {
    const std::string& source;
    int question;
    const char* typed;
  } tries[] = {
      {judged, 1, "Seine"},
      {judged, 1, "Lyon"},
      {judged, 1, "Paname"},
      {judged, 1, "Panam"},
      {judged, 1, ""},
      {judged, 2, "Pariss"},
      {judged, 3, "Athenes"},
      {judged, 3, "sparte"},
      {plain, 1, "Paris"},
      {plain, 1, " paris "},
      {plain, 1, "PARSI"},
      {plain, 1, "Pariss"},
      {plain, 1, "Pari"},
      {plain, 1, "Parus"},
      {plain, 1, "Par"},
      {plain, 1, "Londres"},
      {plain, 2, "élan"},
      {plain, 3, "elan"},
      {plain, 4, "Charles de Gau"},
      {plain, 4, "Charles de"},
      {plain, 4, "Charles"},
      {plain, 5, "Moz"},
      {plain, 6, "Napoleon Bonaparte"},
      {plain, 7, "Louis XIV roi solqzw"},
      {fair, 1, "Saint Etienne"},
      {fair, 2, "Paname"},
      {fair, 3, "coeur"},
      {fair, 4, "10000"},
      {fair, 4, "10001"},
      {fair, 5, "connaitre"},
      {fair, 6, "Havre"},
  };
  for (const Try& t : tries) {
    QuizSource tried_quiz;
    Diagnostics diagnostics;
    ASSERT_TRUE(read_quiz_source(t.source, &tried_quiz, &diagnostics));
    TriedAnswer tried;
    Message problem;
    ASSERT_TRUE(try_quiz_answer(tried_quiz, t.question, 1, t.typed, &tried, &problem));
    for (const Message& line : tried.why) heard(line);
    // French explains every verdict; English only the judging options'.
    EXPECT_FALSE(tried_lines(tried, Language::FRENCH).empty());
    EXPECT_EQ(tried_lines(tried, Language::ENGLISH).empty(), !tried.options);
  }
  Diagnostics refused;
  std::ostringstream printed;
  try_answer(plain, 9, "x", 1, Language::ENGLISH, &refused, printed);
  try_answer(plain, 1, "x", 2, Language::ENGLISH, &refused, printed);
  try_answer(plain, 1, "\xE9t\xE9", 1, Language::ENGLISH, &refused, printed);
  heard(refused);
  // The studio's try box, on a question that cannot be tried yet.
  QuizForm form;
  std::string unread;
  ASSERT_TRUE(read_form_source(HEAD + ONE + "wrong = { a = \"Non\" }\n", &form, &unread));
  TriedAnswer tried;
  std::string problem;
  EXPECT_FALSE(try_form_answer(form, 0, 1, "A", &tried, &problem));
  EXPECT_EQ(problem,
            "La question ne peut pas encore être essayée : « a » : est acceptée comme juste (elle "
            "équivaut à « A »)");
  provoked.insert(MSG_TRY_NOT_YET);

  // Questions imported from other tools, and exported to them.
  std::string alternatives = "question;answer;also\nQ ?;A;→";
  for (int i = 0; i < 9; ++i) alternatives += "|a" + std::to_string(i);
  alternatives += "\n";
  std::string wrongs = "Q ? {=A =%0%A#Non";
  for (int i = 0; i < 17; ++i) wrongs += " =%0%w" + std::to_string(i) + "#Non";
  std::string hundred = "question;answer\n";
  for (int i = 0; i < 100; ++i) hundred += "Q ?;A\n";
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"questions.gift", read_bytes(std::string(QUIZ_DATA_DIR) + "/import/questions.gift")},
           {"banque.xml", read_bytes(std::string(QUIZ_DATA_DIR) + "/import/banque.xml")},
           {"t.csv", read_bytes(std::string(QUIZ_DATA_DIR) + "/import/tableur-francais.csv")},
           {"t.tsv", read_bytes(std::string(QUIZ_DATA_DIR) + "/import/sans-titres.tsv")},
           {"images.tsv", read_bytes(std::string(QUIZ_DATA_DIR) + "/import/images.tsv")},
           {"also.csv", alternatives},
           {"wrong.gift", wrongs + "}\n"},
           {"trois.xml",
            "<quiz><question type=\"cloze\"><questiontext format=\"html\"><text>"
            "{1:SA:=a} {1:SA:=b} {1:SA:=c}</text></questiontext></question></quiz>"},
           {"cent.csv", hundred},
           {"textes.csv", "question;answer\nQ ?;A\n;B\n"},
           {"vide.gift", "// nothing\n"},
           {"a|b.gift", "$CATEGORY: $course$/top/Une | barre\n::T:: Q ? {=A}\n"},
           {"classeur.xlsx", "PK\x03\x04\0\0"},
           {"cassé.xml", "<quiz><question>"},
           {"autre.xml", "<html/>"}}) {
    ImportedQuiz imported;
    Diagnostics diagnostics;
    import_questions(bytes, name, &imported, &diagnostics,
                     [](const std::string&) { return false; });
    heard(diagnostics);
    for (const Diagnostic& d : diagnostics.list()) expect_filled(import_message_french(d));
  }
  provoked.insert(MSG_IMPORT_AT_LINE);
  both({"import", std::string(QUIZ_DATA_DIR) + "/import/sans-titres.tsv", "-o",
        folder.path("importé.toml")},
       {MSG_IMPORTED}, "2 questions imported, 0 left out",
       "2 questions importées, 0 laissée de côté");
  both({"export", formes, "-o", folder.path("formes.xml")}, {MSG_EXPORTED, MSG_EXPORT_HEADER},
       "4 questions exported", "4 questions exportées");
  both({"export", formes, "-o", folder.path("formes.gift")}, {MSG_EXPORT_GIFT_TWO_FIELDS},
       "GIFT holds one answer per question", "GIFT ne tient qu'une réponse par question");
  both({"export", formes, "-o", folder.path("formes.txt")}, {MSG_EXPORT_UNKNOWN_FORMAT},
       "is neither .gift nor .xml", "n'est ni .gift ni .xml");

  // Pictures of every form, their summary; what is refused, and why.
  for (const char* source : {"/forms.toml", "/phone.toml"}) {
    PreparedQuiz forms;
    Diagnostics diagnostics;
    ASSERT_TRUE(prepare_quiz(std::string(QUIZ_FORMS_DIR) + source, false, &forms, &diagnostics));
    heard(pictures_summary(forms));
  }
  // A phone's photo on its side, kept at its size: turned upright.
  {
    std::string stored;
    Message problem;
    PictureInfo info;
    ASSERT_TRUE(prepare_picture(read_bytes(std::string(QUIZ_FORMS_DIR) + "/phone-sideways.jpg"),
                                true, 0, &stored, &info, &problem));
    PreparedQuiz upright;
    upright.pictures = 1;
    upright.reencoded = {{info.reencoded, 1}};
    heard(pictures_summary(upright));
  }
  std::string twelve = test_jpeg(16, 16);
  twelve[twelve.find("\xFF\xC0") + 4] = 12;  // a 12-bit JPEG
  std::string cut_png = read_bytes(std::string(QUIZ_FORMS_DIR) + "/opaque.png");
  cut_png.resize(cut_png.size() / 2);
  for (const std::string& bytes : {std::string("%PDF-1.4 a document"),
                                   std::string("\0\0\0\x18"
                                               "ftypheic\0\0\0\0mif1heic",
                                               24),
                                   std::string("\0\0\0\x1C"
                                               "ftypavif\0\0\0\0avifmif1miaf",
                                               28),
                                   twelve, cut_png}) {
    std::string stored;
    Message problem;
    PictureInfo info;
    EXPECT_FALSE(prepare_picture(bytes, false, 0, &stored, &info, &problem));
    heard(problem);
  }
  for (uint32_t kind : {2u, 3u}) {
    Message problem;
    EXPECT_FALSE(check_clip("OggS a clip", kind, &problem));
    heard(problem);
  }
  // Pages and packages.
  std::string page = folder.write(
      "lecteur.html",
      "<!doctype html>\n<html><head><title>Lecteur</title></head><body>\n"
      "<script type=\"application/octet-stream\" id=\"quiz-content\"></script>\n</body></html>\n");
  both({"build", source, "-o", folder.path("quiz.zip")}, {MSG_ZIP_NEEDS_SCORM}, "add --scorm",
       "ajoutez --scorm");
  both({"build", source, "--scorm", "-o", folder.path("quiz.html")}, {MSG_SCORM_NEEDS_ZIP},
       "name the output .zip", "nommez la sortie .zip");
  both({"build", source, "-o", page, "--page", page}, {MSG_OUTPUT_IS_PAGE},
       "is the web player's page itself", "c'est la page du lecteur web elle-même");
  both({"build", source, "-o", folder.path("q.html"), "--page", folder.path("none.html")},
       {MSG_PAGE_UNREADABLE}, "cannot read the web player's page",
       "la page du lecteur web ne se lit pas");
  both({"build", source, "-o", folder.path("q.html"), "--page", source},
       {MSG_PAGE_IS, MSG_PAGE_NOT_PLAYER}, "the web player's page is not the web player's page",
       "la page du lecteur web est une page qui n'est pas celle du lecteur web");
  BuildRequest pageless;
  pageless.source = source;
  pageless.output = folder.path("q.html");
  Diagnostics no_page;
  EXPECT_EQ(build_quiz(pageless, &no_page, ignored), 1);
  heard(no_page);
  PreparedQuiz large;
  large.quiz.kind = QUIZ_VIDEO;
  large.clips = 1;
  large.resources.push_back(resource("IMG", 401, std::string(15u * 1000 * 1000, 'x')));
  std::string written;
  Diagnostics carried;
  ASSERT_TRUE(write_quiz_carrier(CARRIER_PAGE, read_bytes(page), page, large, "films.html",
                                 &written, &carried));
  heard(carried);
  std::string quiz_page = folder.path("q.html");
  ASSERT_EQ(quizpack({"build", source, "-o", quiz_page, "--page", page}).status, 0);
  std::string block_page = read_bytes(quiz_page);
  for (const std::string& opened :
       {read_bytes(page), block_page.substr(0, block_page.size() / 2),
        read_bytes(page).replace(read_bytes(page).find("</script>"), 0,
                                 encode_base64(std::string("QUIZ\x02\x00\x00", 7)))}) {
    Diagnostics diagnostics;
    MediaFiles files_back;
    EXPECT_FALSE(unpack_quiz_image(opened, "quiz.html", &quiz, &files_back, &diagnostics));
    heard(diagnostics);
  }

  // Guards against what no test can cheaply make: a picture of more than
  // 2 GiB, a scaling or an encoding that fails, content the encoder refuses,
  // resources of more than 1 GiB, a package of 4 GiB, a Windows error
  // without a C library number. Said here in both languages.
  for (const Message& guard :
       {Message(MSG_PICTURE_TOO_LARGE), Message(MSG_NOT_SCALED), Message(MSG_NOT_ENCODED),
        Message(MSG_ZIP_TOO_LARGE), Message(MSG_CONTENT_NOT_ENCODED, {number(-3)}),
        Message(MSG_PE_RESOURCES_WOULD_EXCEED), Message(MSG_PE_RESOURCES_TOO_LARGE),
        Message(MSG_REASON_WINDOWS, {number(1117)})})
    heard(guard);
  // quizpack.exe says these around a dropped source; tests/quizpack/
  // windows_quizpack drops sources on it in both languages.
  for (MessageId dropped :
       {MSG_DROP_BUILDING, MSG_DROP_READY, MSG_DROP_NOTHING_WRITTEN, MSG_PRESS_A_KEY})
    provoked.insert(dropped);

  std::vector<std::string> missing;
  for (int id = MSG_LITERAL + 1; id < MSG_COUNT; ++id)
    if (!provoked.count(id)) missing.push_back(wording(MessageId(id), Language::ENGLISH));
  EXPECT_TRUE(missing.empty()) << ::testing::PrintToString(missing);
}

// Every wording has both languages, and French is not English left as it
// was (but for names that are the same in both); the reasons under the try
// box stay one short line.
TEST(CatalogueWording, EveryMessageHasItsFrench) {
  const std::set<int> same = {MSG_NAME_CODE, MSG_NAME_QUESTION, MSG_LIST_MORE};
  for (int id = MSG_LITERAL + 1; id < MSG_COUNT; ++id) {
    std::string english = wording(MessageId(id), Language::ENGLISH),
                french = wording(MessageId(id), Language::FRENCH);
    EXPECT_FALSE(english.empty()) << id;
    EXPECT_FALSE(french.empty()) << english;
    if (!same.count(id)) {
      EXPECT_NE(english, french) << english;
    }
  }
  for (int id = MSG_REASON_EXACT; id <= MSG_REASON_FAR; ++id)
    EXPECT_LE(strlen(wording(MessageId(id), Language::FRENCH)), 90u);
  EXPECT_EQ(say(Message(MSG_REASON_ONE_LETTER_CHANGED), Language::FRENCH),
            "une lettre de différence");
  // Counts agree as each language agrees them.
  EXPECT_EQ(say(Message(MSG_CODES_SHORT, {number(0), number(1), number(1)}), Language::ENGLISH),
            "0 codes for 1 question: scores 1 to 1 reveal no code");
  EXPECT_EQ(say(Message(MSG_CODES_SHORT, {number(0), number(1), number(1)}), Language::FRENCH),
            "les scores 1 à 1 ne révèlent aucun code");
}

}  // namespace
