#include "messages_fr.h"

#include <cstring>
#include <vector>

namespace {

typedef std::vector<std::string> Parts;

// Whether `text` reads as `pattern`, where each "{}" stands for any text
// (the shortest that lets the rest match); the texts go to `parts`.
bool match_at(const char* pattern, const char* text, Parts* parts) {
  const char* hole = strstr(pattern, "{}");
  if (!hole) return strcmp(pattern, text) == 0;
  size_t literal = size_t(hole - pattern);
  if (strncmp(pattern, text, literal) != 0) return false;
  const char* rest = text + literal;
  for (const char* end = rest;; ++end) {
    size_t kept = parts->size();
    parts->push_back(std::string(rest, end));
    if (match_at(hole + 2, end, parts)) return true;
    parts->resize(kept);
    if (!*end) return false;
  }
}

bool match(const char* pattern, const std::string& text, Parts* parts) {
  parts->clear();
  return match_at(pattern, text.c_str(), parts);
}

// `french` with {0}, {1}... replaced by the parts.
std::string fill(const char* french, const Parts& parts) {
  std::string out;
  for (const char* p = french; *p; ++p) {
    if (p[0] == '{' && p[1] >= '0' && p[1] <= '9' && p[2] == '}') {
      size_t i = size_t(p[1] - '0');
      if (i < parts.size()) out += parts[i];
      p += 2;
    } else {
      out += *p;
    }
  }
  return out;
}

struct Entry {
  const char* english;
  const char* field;  // filled like the French text
  const char* french;
};

// Whole messages: those that name no text of their own first.
const Entry WHOLE[] = {
    {"the quiz has no title: write title = \"...\"", "title", "le quiz n'a pas de titre"},
    {"the quiz has no kind: write kind = {}", "kind",
     "le genre du quiz manque : texte, images, audio ou vid\xC3\xA9o"},
    {"the quiz has no question: add [[question]] tables", "questions",
     "le quiz n'a aucune question"},
    {"the quiz has {} questions; the player holds at most 96", "questions",
     "le quiz a {0} questions ; le lecteur en tient 96 au plus"},
    {"question {} has no text", "q{0}.text",
     "la question n'a pas de texte, qu'un quiz de texte affiche"},
    {"question {} has no picture; the player shows an empty frame", "q{0}.picture",
     "pas d'image : le lecteur montrera un cadre vide"},
    {"question {} has no clip; its play button plays nothing", "q{0}.clip",
     "pas d'extrait : son bouton de lecture ne jouera rien"},
    {"{} for {}: one code per score, from 1 to {}", "codes",
     "plus de codes que de questions : un code par score, de 1 \xC3\xA0 {2}"},
    {"{} for {}: score {} reveals no code", "codes",
     "le score {2} ne r\xC3\xA9v\xC3\xA8le aucun code"},
    {"{} for {}: scores {} to {} reveal no code", "codes",
     "les scores {2} \xC3\xA0 {3} ne r\xC3\xA9v\xC3\xA8lent aucun code"},
    {"answer mode \"picture\" swaps in answer pictures, which only a picture quiz has",
     "answer_mode", "les images r\xC3\xA9ponses n'existent que dans un quiz d'images"},
    {"reveal texts are used only in answer modes \"reveal\", \"reveal-box\" and \"reveal-all\"; "
     "they are left out",
     "answer_mode",
     "les textes r\xC3\xA9v\xC3\xA9l\xC3\xA9s ne servent qu'avec un mode de r\xC3\xA9ponse qui les "
     "r\xC3\xA9v\xC3\xA8le : ils ne sont pas mis dans le quiz"},
    {"answer pictures are shown only in answer mode \"picture\"", "answer_mode",
     "les images r\xC3\xA9ponses ne se montrent qu'avec le mode \xC2\xAB image r\xC3\xA9ponse "
     "\xC2\xBB"},
    {"answers (answer fields per question) must be 1 or 2", "answers",
     "il faut 1 ou 2 champs de r\xC3\xA9ponse par question"},
    {"a text quiz has one answer field per question: answers must be 1", "answers",
     "un quiz de texte a un seul champ de r\xC3\xA9ponse par question"},
    {"background must be a colour written #RRGGBB, e.g. \"#5A5F96\"", "background",
     "une couleur s'\xC3\xA9"
     "crit #RRVVBB, par exemple #5A5F96"},
    {"codes must be a list of texts, e.g. codes = [\"A1\", \"B2\"]", "codes",
     "les codes doivent \xC3\xAAtre une liste de textes"},
    {"questions must be written as [[question]] tables", "questions",
     "les questions s'\xC3\xA9"
     "crivent en tables [[question]]"},
    {"the content could not be encoded (LZW status {})", "source",
     "le contenu n'a pas pu \xC3\xAAtre cod\xC3\xA9 (LZW : {0})"},
    {"question {}: judging: unknown key \"{}\" (did you mean \"{}\"?)", "q{0}.judging",
     "cl\xC3\xA9 inconnue \xC2\xAB {1} \xC2\xBB (vouliez-vous dire \xC2\xAB {2} \xC2\xBB ?)"},
    {"question {}: judging: unknown key \"{}\"", "q{0}.judging",
     "cl\xC3\xA9 inconnue \xC2\xAB {1} \xC2\xBB"},
    {"judging: unknown key \"{}\" (did you mean \"{}\"?)", "judging",
     "cl\xC3\xA9 inconnue \xC2\xAB {0} \xC2\xBB (vouliez-vous dire \xC2\xAB {1} \xC2\xBB ?)"},
    {"judging: unknown key \"{}\"", "judging", "cl\xC3\xA9 inconnue \xC2\xAB {0} \xC2\xBB"},
    {"question {}: unknown key \"{}\" (did you mean \"{}\"?)", "q{0}",
     "cl\xC3\xA9 inconnue \xC2\xAB {1} \xC2\xBB (vouliez-vous dire \xC2\xAB {2} \xC2\xBB ?)"},
    {"question {}: unknown key \"{}\"", "q{0}", "cl\xC3\xA9 inconnue \xC2\xAB {1} \xC2\xBB"},
    {"unknown key \"{}\" (did you mean \"{}\"?)", "source",
     "cl\xC3\xA9 inconnue \xC2\xAB {0} \xC2\xBB (vouliez-vous dire \xC2\xAB {1} \xC2\xBB ?)"},
    {"unknown key \"{}\"", "source", "cl\xC3\xA9 inconnue \xC2\xAB {0} \xC2\xBB"},
    {"question {}: no answer: write answer = {}", "q{0}.answer1", "pas de r\xC3\xA9ponse attendue"},
    {"question {}: answer must hold {}, one per answer field (answers = {}){}", "q{0}.answer1",
     "il faut une r\xC3\xA9ponse par champ de r\xC3\xA9ponse ({2} par question)"},
    // The quiz as a page or a SCORM package.
    {"mastery_score (the questions to solve to pass) must be a whole number from 1 to {}",
     "mastery_score",
     "le nombre de questions \xC3\xA0 r\xC3\xA9ussir doit \xC3\xAAtre un nombre entier de 1 "
     "\xC3\xA0 {0}"},
    {"is {} MB: mail services refuse attachments above 20 MB (put it on a web site or a shared "
     "folder instead)",
     "file",
     "la page p\xC3\xA8se {0} Mo : les messageries refusent les pi\xC3\xA8"
     "ces jointes de plus de "
     "20 Mo (mettez-la plut\xC3\xB4t sur un site ou un dossier partag\xC3\xA9)"},
    {"its video clips are AVI, which browsers do not play: the page offers each one to download "
     "instead",
     "file",
     "ses vid\xC3\xA9os sont au format AVI, que les navigateurs ne lisent pas : la page propose "
     "de les enregistrer pour les voir avec un autre lecteur"},
    {"the web player's page is {}", "player", "la page du lecteur web est {0}"},
    // A packed quiz opened, and the player packed into.
    {"cannot read: {}", "file", "ce fichier ne se lit pas : {0}"},
    {"is {}", "file", "ce fichier n'est pas un quiz : {0}"},
    {"carries no quiz (no \"PATCH\" 104 resource)", "file", "ce programme ne contient aucun quiz"},
    {"its quiz content is damaged: {}", "file",
     "le contenu de son quiz est endommag\xC3\xA9 ({0})"},
    {"carries no codes (no \"PATCH\" 105 resource)", "file", "il ne contient aucun code"},
    {"its codes do not decode; they are left out", "file",
     "ses codes ne se d\xC3\xA9"
     "codent pas : ils sont laiss\xC3\xA9s de c\xC3\xB4t\xC3\xA9"},
    {"cannot read the player: {}", "player", "le lecteur ne se lit pas : {0}"},
    {"the player is {}", "player", "le lecteur est {0}"},
};

// What a text of the quiz is called in messages, and its field.
struct Named {
  const char* english;
  const char* field;
};
const Named QUIZ_TEXTS[] = {
    {"link_text", "link_text"},  // before "link", which begins it
    {"link", "link"},
    {"answers (answer fields per question)", "answers"},
    {"answer1_label", "label1"},
    {"answer2_label", "label2"},
    {"answer_mode", "answer_mode"},
    {"explanation", "explanation"},
    {"background", "background"},
    {"author", "author"},
    {"title", "title"},
    {"codes", "codes"},
    {"kind", "kind"},
    {"judging", "judging"},
    {"accents", "judging"},
    {"preset", "judging"},
};
const Named QUESTION_TEXTS[] = {
    {"second answer", "answer2"},
    {"answer_picture", "answer_picture"},
    {"answer", "answer1"},
    {"picture", "picture"},
    {"reveal", "reveal"},
    {"text", "text"},
    {"clip", "clip"},
    {"also (field 1)", "also1"},
    {"also (field 2)", "also2"},
    {"also", "also1"},
    {"wrong (field 1)", "wrong1"},
    {"wrong (field 2)", "wrong2"},
    {"wrong", "wrong1"},
    {"judging", "judging"},
};

// Problems of one text, after its name.
const Entry PROBLEMS[] = {
    {" must be a text in quotes", "", "doit \xC3\xAAtre un texte entre guillemets"},
    {" is not valid UTF-8", "", "n'est pas un texte UTF-8 valide"},
    {" has the character \"{}\" ({}), which Windows-1252 cannot hold (a combining accent: write "
     "the accented letter as one character)",
     "",
     "le caract\xC3\xA8re \xC2\xAB {0} \xC2\xBB ({1}) est un accent seul : tapez la lettre "
     "accentu\xC3\xA9"
     "e d'un seul caract\xC3\xA8re"},
    {" has the character \"{}\" ({}), which Windows-1252 cannot hold", "",
     "le caract\xC3\xA8re \xC2\xAB {0} \xC2\xBB ({1}) n'existe pas dans l'alphabet du lecteur"},
    // One byte a character in the player's alphabet: bytes are characters.
    {" is {} bytes long in Windows-1252; the player keeps at most 259", "",
     "trop long : {0} caract\xC3\xA8res, le lecteur en garde 259 au plus"},
    {" contains \"|\", which ends a text in the player's content", "",
     "contient \xC2\xAB | \xC2\xBB, un signe que le lecteur se r\xC3\xA9serve"},
    {" contains a line break (CR or LF), which ends a code line", "",
     "contient un retour \xC3\xA0 la ligne, qui termine une ligne de codes"},
    {" contains the control character {} (only reveal texts may break lines)", "",
     "contient le caract\xC3\xA8re de contr\xC3\xB4le {0} : seuls les textes "
     "r\xC3\xA9v\xC3\xA9l\xC3\xA9s "
     "peuvent aller \xC3\xA0 la ligne"},
    {" contains the control character {}", "",
     "contient le caract\xC3\xA8re de contr\xC3\xB4le {0}"},
    {" \"{}\" is not one of {}", "", "\xC2\xAB {0} \xC2\xBB n'est pas une valeur possible ({1})"},
    {" is empty, so no typed answer could ever match it", "",
     "vide : aucune r\xC3\xA9ponse tap\xC3\xA9"
     "e ne pourrait y correspondre"},
    {" has a blank at its start or end; the player trims typed answers, so it could never be "
     "matched",
     "",
     "commence ou finit par un blanc : le lecteur retire les blancs de ce qui est tap\xC3\xA9, "
     "elle ne serait jamais trouv\xC3\xA9"
     "e"},
    {" is empty: name a file or leave the key out", "", "aucun fichier n'est nomm\xC3\xA9"},
    // The header's link.
    {" is {} characters long as a web address; the player keeps at most 259", "",
     "trop longue : {0} caract\xC3\xA8res une fois \xC3\xA9"
     "crite pour le web, le lecteur en garde 259 au plus"},
    {" must be a web address that starts with https:// or http://, e.g. {}", "",
     "doit \xC3\xAAtre une adresse web qui commence par https:// ou http://"},
    {" is shown for a link: write link = {}", "",
     "s'affiche pour un lien : donnez aussi l'adresse du lien"},
    // Judging options.
    {" must be a table, e.g. judging = { accents = \"hint\" }", "",
     "doit \xC3\xAAtre une table de r\xC3\xA8gles"},
    {": {} must be true or false", "", "{0} doit valoir true ou false"},
    {" must hold two values, one per answer field (answers = 2), e.g. {}", "",
     "il faut une liste par champ de r\xC3\xA9ponse (2 par question)"},
    {" must be a list of texts, e.g. also = [\"Paname\"]", "",
     "doit \xC3\xAAtre une liste de textes"},
    {" holds {}; a field accepts at most {} besides its answer", "",
     "trop de r\xC3\xA9ponses : un champ en accepte au plus {1} en plus de la sienne"},
    {" must be a table of wrong answers and their verdicts, e.g. {}", "",
     "doit \xC3\xAAtre une table de r\xC3\xA9ponses fausses et de leurs verdicts"},
    {" lists {}; a field takes at most {}", "",
     "trop de r\xC3\xA9ponses fausses : un champ en prend au plus {1}"},
    {" \"{}\" is already accepted once compared; it changes nothing", "",
     "\xC2\xAB {0} \xC2\xBB est d\xC3\xA9j\xC3\xA0 accept\xC3\xA9"
     "e une fois compar\xC3\xA9"
     "e : elle ne change rien"},
    {": its verdict is empty", "", "son verdict est vide"},
    {": its verdict \"{}\" would read as solved", "",
     "son verdict \xC2\xAB {0} \xC2\xBB se lirait comme une question r\xC3\xA9solue"},
    {": its verdict \"{}\" would read as nothing typed", "",
     "son verdict \xC2\xAB {0} \xC2\xBB se lirait comme une r\xC3\xA9ponse vide"},
    {": its verdict \"{}\" is {} pixels wide, and the verdict label shows {}: it is cut", "",
     "son verdict \xC2\xAB {0} \xC2\xBB fait {1} pixels de large, l'\xC3\xA9tiquette en "
     "montre {2} : il sera coup\xC3\xA9"},
    {" is accepted as right (it matches \"{}\")", "",
     "est accept\xC3\xA9"
     "e comme juste (elle \xC3\xA9quivaut \xC3\xA0 \xC2\xAB {0} \xC2\xBB)"},
    {" is the same answer as \"{}\" once compared; its verdict is never shown", "",
     "est la m\xC3\xAAme r\xC3\xA9ponse que \xC2\xAB {0} \xC2\xBB une fois compar\xC3\xA9"
     "e : son verdict ne serait jamais montr\xC3\xA9"},
    {": only a picture quiz shows pictures (kind = {})", "",
     "seul un quiz d'images montre des images"},
    {": only an audio or a video quiz plays clips (kind = {})", "",
     "seul un quiz audio ou vid\xC3\xA9o joue des extraits"},
    {" \"{}\" cannot be read: {}", "", "\xC2\xAB {0} \xC2\xBB ne se lit pas : {1}"},
    {" \"{}\" is an empty file", "", "\xC2\xAB {0} \xC2\xBB est un fichier vide"},
    {" \"{}\" is not a picture quizpack reads (JPEG, PNG, GIF, BMP or WebP)", "",
     "\xC2\xAB {0} \xC2\xBB n'est pas une image que le quiz prend (JPEG, PNG, GIF, BMP ou WebP)"},
    {" \"{}\" does not decode as a {} ({})", "",
     "\xC2\xAB {0} \xC2\xBB ne se d\xC3\xA9"
     "code pas comme une image {1} ({2})"},
    {" \"{}\" is a HEIC photo, which quizpack does not read: on an iPhone, choose Settings > "
     "Camera > Formats > Most Compatible to take JPEG photos, or send the photo by mail, which "
     "makes it a JPEG; or save it as a JPEG or a PNG on a computer",
     "",
     "\xC2\xAB {0} \xC2\xBB est une photo HEIC, un format que le quiz ne prend pas : sur un "
     "iPhone, choisissez R\xC3\xA9glages > Appareil photo > Formats > Le plus compatible pour "
     "prendre des photos JPEG, ou envoyez la photo par courriel, qui la change en JPEG ; ou "
     "enregistrez-la en JPEG ou en PNG sur un ordinateur"},
    {" \"{}\" is an AVIF picture, which quizpack does not read: save it as a JPEG or a PNG", "",
     "\xC2\xAB {0} \xC2\xBB est une image AVIF, un format que le quiz ne prend pas : "
     "enregistrez-la en JPEG ou en PNG"},
    {" \"{}\" is a {}-bit JPEG, which quizpack does not read: save it as an 8-bit JPEG or a PNG",
     "",
     "\xC2\xAB {0} \xC2\xBB est une image JPEG de {1} bits, que le quiz ne prend pas : "
     "enregistrez-la en JPEG de 8 bits ou en PNG"},
    {" \"{}\" is {} x {} pixels; quizpack takes pictures of at most 64 million pixels", "",
     "\xC2\xAB {0} \xC2\xBB fait {1} \xC3\x97 {2} pixels : le quiz prend des images d'au plus 64 "
     "millions de pixels"},
    {" \"{}\" could not be encoded as a JPEG", "",
     "\xC2\xAB {0} \xC2\xBB n'a pas pu \xC3\xAAtre encod\xC3\xA9"
     "e en JPEG"},
    {" \"{}\" is a clip in {}; an audio quiz plays only MP3 clips: convert it to MP3", "",
     "\xC2\xAB {0} \xC2\xBB est un extrait {1} : un quiz audio ne joue que des extraits MP3, "
     "convertissez-le en MP3"},
    {" \"{}\" is a clip in {}; a video quiz plays only AVI clips: convert it to AVI", "",
     "\xC2\xAB {0} \xC2\xBB est un extrait {1} : un quiz vid\xC3\xA9o ne joue que des extraits "
     "AVI, convertissez-le en AVI"},
    {" \"{}\" is too large", "", "\xC2\xAB {0} \xC2\xBB est trop grand"},
    {" \"{}\" could not be scaled down", "",
     "\xC2\xAB {0} \xC2\xBB n'a pas pu \xC3\xAAtre r\xC3\xA9"
     "duit"},
    {" \"{}\" is not an MP3 file (an audio quiz plays MP3 clips)", "",
     "\xC2\xAB {0} \xC2\xBB n'est pas un fichier MP3 (un quiz audio joue des extraits MP3)"},
    {" \"{}\" is not an AVI file (a video quiz plays AVI clips)", "",
     "\xC2\xAB {0} \xC2\xBB n'est pas un fichier AVI (un quiz vid\xC3\xA9o joue des extraits AVI)"},
};

// The system's words for a file that cannot be read, and the PE reader's.
const Entry REASONS[] = {
    {"No such file or directory", "", "fichier introuvable"},
    {"Permission denied", "", "acc\xC3\xA8s refus\xC3\xA9"},
    {"it is a folder", "", "c'est un dossier"},
    {"not a Windows executable (PE)", "", "ce n'est pas un programme Windows"},
    {"a PE file but not a program (.exe)", "", "un fichier Windows qui n'est pas un programme"},
    {"a PE file of an unknown kind (optional header)", "", "un fichier Windows d'un genre inconnu"},
    {"a damaged PE executable: {}", "", "un programme Windows endommag\xC3\xA9 ou coup\xC3\xA9"},
    {"a PE executable whose resources are damaged", "",
     "un programme Windows aux ressources endommag\xC3\xA9"
     "es"},
    {"a PE executable whose resources lie outside its sections", "",
     "un programme Windows aux ressources endommag\xC3\xA9"
     "es"},
    {"resources larger than 1 GiB", "", "un programme aux ressources trop grandes"},
    {"a quiz page whose content block is damaged{}", "",
     "une page de quiz ab\xC3\xAEm\xC3\xA9"
     "e (elle a peut-\xC3\xAAtre \xC3\xA9t\xC3\xA9 coup\xC3\xA9"
     "e)"},
    {"a quiz page cut short (its content block is never closed)", "",
     "une page de quiz coup\xC3\xA9"
     "e"},
    {"a quiz page of another version (its content block is not read)", "",
     "une page de quiz d'une autre version du lecteur"},
    {"the web player's own page, which carries no quiz", "",
     "la page du lecteur web, qui ne contient aucun quiz"},
    {"not the web player's page (it has no title or no quiz content block)", "",
     "une page qui n'est pas celle du lecteur web"},
    {"the content ends early", "", "il s'arr\xC3\xAAte trop t\xC3\xB4t"},
    {"LZW status {}", "", "LZW : {0}"},
};

std::string reason_in_french(const std::string& reason) {
  Parts parts;
  for (const Entry& e : REASONS)
    if (match(e.english, reason, &parts)) return fill(e.french, parts);
  return reason;
}

bool problem_in_french(const std::string& problem, std::string* french) {
  Parts parts;
  for (const Entry& e : PROBLEMS) {
    if (!match(e.english, problem, &parts)) continue;
    for (std::string& part : parts) part = reason_in_french(part);
    *french = fill(e.french, parts);
    return true;
  }
  return false;
}

bool whole_message(const std::string& text, FrenchMessage* m) {
  Parts parts;
  for (const Entry& e : WHOLE) {
    if (!match(e.english, text, &parts)) continue;
    // Reasons given by the file reader or the PE reader are said in French too.
    for (std::string& part : parts) part = reason_in_french(part);
    m->field = fill(e.field, parts);
    m->text = fill(e.french, parts);
    return true;
  }
  return false;
}

// A problem of a listed wrong answer: its name is the answer in quotes
// (which may hold quotes itself), then a problem of the answer or of its
// verdict.
bool wrong_answer_message(const std::string& rest, const std::string& field, FrenchMessage* m) {
  if (rest.compare(0, 2, " \"") != 0) return false;
  for (size_t end = rest.find('"', 2); end != std::string::npos; end = rest.find('"', end + 1)) {
    std::string after = rest.substr(end + 1), french, verdict = ": its verdict";
    bool known = problem_in_french(after, &french);
    if (!known && after.compare(0, verdict.size(), verdict) == 0 &&
        problem_in_french(after.substr(verdict.size()), &french)) {
      french = "son verdict " + french;
      known = true;
    }
    if (!known) continue;
    m->field = field;
    m->text = "\xC2\xAB " + rest.substr(2, end - 2) + " \xC2\xBB : " + french;
    return true;
  }
  return false;
}

// "title is ...", "code 3 contains ...", "question 2: answer is ...".
bool text_message(const std::string& text, FrenchMessage* m) {
  std::string field, rest = text;
  Parts parts;
  if (match("question {}: {}", text, &parts)) {
    rest = parts[1];
    for (const Named& n : QUESTION_TEXTS) {
      size_t length = strlen(n.english);
      if (rest.compare(0, length, n.english) == 0) {
        field = "q" + parts[0] + "." + n.field;
        rest.erase(0, length);
        break;
      }
    }
  } else if (match("code {} {}", text, &parts)) {
    field = "code" + parts[0];
    rest = " " + parts[1];
  } else {
    for (const Named& n : QUIZ_TEXTS) {
      size_t length = strlen(n.english);
      if (text.compare(0, length, n.english) == 0) {
        field = n.field;
        rest.erase(0, length);
        break;
      }
    }
  }
  if (field.empty()) return false;
  std::string french;
  if (field.find(".wrong") != std::string::npos) return wrong_answer_message(rest, field, m);
  if (!problem_in_french(rest, &french)) return false;
  m->field = field;
  m->text = french;
  return true;
}

}  // namespace

FrenchMessage french_message(const Diagnostic& d) {
  FrenchMessage m;
  m.error = d.error;
  if (whole_message(d.text, &m) || text_message(d.text, &m)) return m;
  m.field = "source";
  m.text = d.line > 0 ? "ligne " + std::to_string(d.line) + " : " + d.text : d.text;
  return m;
}

std::string french_problem(const std::string& after_name) {
  std::string french;
  return problem_in_french(after_name, &french) ? french : after_name;
}
