// Judging with a quiz's options: each option alone and together, the cases
// that French learners meet, and the plain ladder unchanged without them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/answers/judging.h"
#include "core/answers/score_rules.h"
#include "core/answers/text_toolkit.h"
#include "core/content/content_parser.h"
#include "tests/support/content_bytes.h"
#include "tests/support/document_fixture.h"

namespace {

using Texts = std::vector<std::string>;

const JudgingRules TYPOGRAPHY_ONLY = {false, ACCENTS_EXACT, false};

struct Field {
  Texts accepted;
  std::vector<std::pair<std::string, std::string>> wrong;
};

FieldVerdict judge(const JudgingRules& rules, const Field& field, const std::string& typed) {
  FieldAnswers answers = {};
  for (const std::string& text : field.accepted)
    answers.accepted[answers.accepted_count++] = text.c_str();
  for (const auto& [answer, verdict] : field.wrong) {
    answers.wrong[answers.wrong_count] = answer.c_str();
    answers.wrong_verdicts[answers.wrong_count++] = verdict.c_str();
  }
  FieldVerdict verdict = judge_with_rules(rules, answers, typed.c_str());
  EXPECT_EQ(right_with_rules(rules, answers, typed.c_str()), verdict == VERDICT_RIGHT) << typed;
  EXPECT_EQ(verdict == VERDICT_RIGHT, std::string(verdict.word) == "BRAVO") << typed;
  return verdict;
}

std::string word(const JudgingRules& rules, const Field& field, const std::string& typed) {
  return judge(rules, field, typed).word;
}

std::string one(const JudgingRules& rules, const std::string& expected, const std::string& typed) {
  return word(rules, {{expected}, {}}, typed);
}

std::string transformed(size_t (*operation)(char*), const std::string& text) {
  char slot[260];
  copy_text(slot, text.c_str());
  operation(slot);
  return slot;
}

// Windows-1252's letter pairs: small letter, capital.
const std::vector<std::pair<unsigned char, unsigned char>> ACCENTED_PAIRS = [] {
  std::vector<std::pair<unsigned char, unsigned char>> pairs = {
      {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};  // š œ ž ÿ
  for (int c = 0xE0; c <= 0xFE; ++c)
    if (c != 0xF7) pairs.push_back({(unsigned char)c, (unsigned char)(c - 0x20)});
  return pairs;
}();

std::string byte_text(unsigned char c) { return std::string(1, char(c)); }

TEST(JudgingToolkit, EveryAccentedLetterHasItsCapital) {
  for (auto [small, capital] : ACCENTED_PAIRS) {
    EXPECT_EQ(transformed(upper_accented, byte_text(small)), byte_text(capital)) << int(small);
    EXPECT_EQ(transformed(upper_accented, byte_text(capital)), byte_text(capital)) << int(capital);
  }
  // ß, µ, ÷, ×, a to z and the other bytes stay.
  for (int c : {0xDF, 0xB5, 0xF7, 0xD7, int('a'), int('z'), int('1'), 0x80, 0xAA})
    EXPECT_EQ(transformed(upper_accented, byte_text(uint8_t(c))), byte_text(uint8_t(c))) << c;
}

TEST(JudgingToolkit, AccentsFoldToTheirLetters) {
  const std::string capitals =
      "\xC0\xC1\xC2\xC3\xC4\xC5\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD1\xD2\xD3\xD4\xD5\xD6\xD8"
      "\xD9\xDA\xDB\xDC\xDD\x8A\x8E\x9F";
  EXPECT_EQ(transformed(fold_accents, capitals), "AAAAAACEEEEIIIINOOOOOOUUUUYSZY");
  const std::string smalls =
      "\xE0\xE1\xE2\xE3\xE4\xE5\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF8"
      "\xF9\xFA\xFB\xFC\xFD\xFF\x9A\x9E";
  EXPECT_EQ(transformed(fold_accents, smalls), "aaaaaaceeeeiiiinoooooouuuuyysz");
  EXPECT_EQ(transformed(fold_accents, "\x8C\x9C\xC6\xE6"), "OEoeAEae");  // Œ œ Æ æ
  EXPECT_EQ(transformed(fold_accents, "\xD0\xF0\xDE\xFE\xDF\xD7\xF7"),
            "\xD0\xF0\xDE\xFE\xDF\xD7\xF7");
  // Ligatures that grow the text past 259 bytes are cut there.
  EXPECT_EQ(transformed(fold_accents, std::string(200, '\x9C')).size(), 259u);
}

TEST(JudgingToolkit, TypographyInItsPlainForms) {
  EXPECT_EQ(transformed(plain_typography, "l\x92\xCEle l\x91x \x82"), "l'\xCEle l'x '");
  EXPECT_EQ(transformed(plain_typography, "\x93x\x94 \x84y"), "\"x\" \"y");
  EXPECT_EQ(transformed(plain_typography, "\xAB Warszawa \xBB"), "\"Warszawa\"");
  EXPECT_EQ(transformed(plain_typography, "\xAB\xA0Warszawa\xA0\xBB"), "\"Warszawa\"");
  EXPECT_EQ(transformed(plain_typography, "Saint\x96\xC9tienne \x97 x"), "Saint-\xC9tienne - x");
  EXPECT_EQ(transformed(plain_typography, "Et puis\x85"), "Et puis...");
  EXPECT_EQ(transformed(plain_typography, "Charles \xA0 de   Gaulle"), "Charles de Gaulle");
  EXPECT_EQ(transformed(plain_typography, "Quoi ? Oui ! A : b ; c"), "Quoi? Oui! A: b; c");
  EXPECT_EQ(transformed(plain_typography, "  x  "), " x ");  // trimming is not its work
  EXPECT_EQ(transformed(plain_typography, std::string(100, '\x85')).size(), 259u);
}

TEST(Judging, WhyTheOptionsExist) {
  const JudgingRules fair = {true, ACCENTS_HINT, true};
  EXPECT_EQ(one(fair, "Ath\xE8nes", "ATH\xC8NES"), "BRAVO");
  EXPECT_EQ(one(fair, "\xC9lan", "\xE9lan"), "BRAVO");
  EXPECT_EQ(one(fair, "l'\xCEle", "l\x92\xCEle"), "BRAVO");
  EXPECT_EQ(word(fair, {{"Paris", "Paname"}, {}}, "Paname"), "BRAVO");
  EXPECT_EQ(one(fair, "la Seine", "Seine"), "BRAVO");
  EXPECT_EQ(word(fair, {{"Paris"}, {{"Lyon", "Non, pas Lyon"}}}, "Lyon"), "Non, pas Lyon");
  // The plain ladder on the same: what the options mend.
  EXPECT_EQ(verdict_text(judge_answer("Ath\xE8nes", "ATH\xC8NES")), std::string("Quasiment"));
  EXPECT_EQ(verdict_text(judge_answer("\xC9lan", "\xE9lan")), std::string("Quasiment"));
  EXPECT_EQ(verdict_text(judge_answer("l'\xCEle", "l\x92\xCEle")), std::string("Quasiment"));
}

TEST(Judging, AccentedCaseAlone) {
  const JudgingRules rules = {true, ACCENTS_EXACT, false};
  for (auto [small, capital] : ACCENTED_PAIRS) {
    std::string expected = "x" + byte_text(small) + "y", typed = "X" + byte_text(capital) + "Y";
    EXPECT_EQ(one(rules, expected, typed), "BRAVO") << int(small);
    EXPECT_EQ(one(rules, typed, expected), "BRAVO") << int(small);
    EXPECT_EQ(one(TYPOGRAPHY_ONLY, expected, typed), "Quasiment") << int(small);
  }
  EXPECT_EQ(one(rules, "Ath\xE8nes", "Athenes"), "Quasiment");  // an accent is still a letter
  EXPECT_EQ(one(rules, "Gro\xDF", "GROSS"), "Presque");         // ß has no capital here
}

TEST(Judging, AccentsExactNamedOrIgnored) {
  const JudgingRules exact = TYPOGRAPHY_ONLY, hint = {false, ACCENTS_HINT, false},
                     ignored = {false, ACCENTS_IGNORED, false};
  EXPECT_EQ(one(exact, "Ath\xE8nes", "Athenes"), "Quasiment");
  EXPECT_EQ(one(hint, "Ath\xE8nes", "Athenes"), "Accents");
  EXPECT_EQ(one(ignored, "Ath\xE8nes", "Athenes"), "BRAVO");
  EXPECT_EQ(one(hint, "Ath\xE8nes", "Ath\xE9nes"), "Accents");  // the wrong accent
  EXPECT_EQ(one(hint, "Ath\xE8nes", "Ath\xE8nes"), "BRAVO");
  // Œ is OE and Æ is AE wherever accents do not count exactly.
  EXPECT_EQ(one(hint, "\x9Cuvre", "oeuvre"), "Accents");
  EXPECT_EQ(one(ignored, "\x9Cuvre", "OEUVRE"), "BRAVO");
  EXPECT_EQ(one(ignored, "L\xE6titia", "Laetitia"), "BRAVO");
  EXPECT_EQ(one(exact, "\x9Cuvre", "oeuvre"), "Presque");
  // A capital's accent without the case option is still an accent difference.
  EXPECT_EQ(one(hint, "\xE9lan", "\xC9LAN"), "Accents");
  EXPECT_EQ(one(ignored, "\xE9lan", "\xC9LAN"), "BRAVO");
  // Accents wrong and a letter wrong: the ladder, counting the accent.
  EXPECT_EQ(one(hint, "Ath\xE8nes", "Athene"), "Presque");
  EXPECT_EQ(one(ignored, "Ath\xE8nes", "Athene"), "Quasiment");
  // Every accented letter, in both cases, against its plain letter.
  for (auto [small, capital] : ACCENTED_PAIRS) {
    for (unsigned char c : {small, capital}) {
      std::string plain = transformed(fold_accents, byte_text(c));
      if (plain == byte_text(c)) continue;  // ð, þ: letters of their own
      EXPECT_EQ(one(hint, "a" + byte_text(c) + "b", "a" + plain + "b"), "Accents") << int(c);
      EXPECT_EQ(one(ignored, "a" + byte_text(c) + "b", "A" + plain + "B"), "BRAVO") << int(c);
    }
  }
}

TEST(Judging, TypographyAlwaysWithOptions) {
  const JudgingRules rules = TYPOGRAPHY_ONLY;
  EXPECT_EQ(one(rules, "l'\xCEle", "l\x92\xCEle"), "BRAVO");
  EXPECT_EQ(one(rules, "l\x92\xCEle", "l'\xCEle"), "BRAVO");  // either side may have it
  EXPECT_EQ(one(rules, "aujourd'hui", "aujourd\x91hui"), "BRAVO");
  EXPECT_EQ(one(rules, "\xAB Warszawa \xBB", "\"Warszawa\""), "BRAVO");
  EXPECT_EQ(one(rules, "\"Warszawa\"", "\x93Warszawa\x94"), "BRAVO");
  EXPECT_EQ(one(rules, "Saint-\xC9tienne", "Saint\x96\xC9tienne"), "BRAVO");
  EXPECT_EQ(one(rules, "Saint-\xC9tienne", "Saint\x97\xC9tienne"), "BRAVO");
  EXPECT_EQ(one(rules, "Charles de Gaulle", "charles  de\xA0gaulle"), "BRAVO");
  EXPECT_EQ(one(rules, "Qui vive ?", "qui vive?"), "BRAVO");
  EXPECT_EQ(one(rules, "Et puis...", "et puis\x85"), "BRAVO");
  // Blanks inside a word still count; so does a missing one between words.
  EXPECT_EQ(one(rules, "Charles de Gaulle", "Charlesde Gaulle"), "Quasiment");
}

TEST(Judging, SeveralAcceptedAnswersTheClosestDecides) {
  const Field capital = {{"Paris", "Paname", "Lutetia"}, {}};
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, capital, "paname"), "BRAVO");
  EXPECT_EQ(judge(TYPOGRAPHY_ONLY, capital, "paname").answer, 1);
  EXPECT_EQ(judge(TYPOGRAPHY_ONLY, capital, "Lutetia").answer, 2);
  FieldVerdict near = judge(TYPOGRAPHY_ONLY, capital, "Panam");
  EXPECT_EQ(std::string(near.word), "Quasiment");
  EXPECT_EQ(near.answer, 1);
  EXPECT_EQ(near.by, JUDGED_LADDER);
  EXPECT_EQ(judge(TYPOGRAPHY_ONLY, capital, "Pari").answer, 0);
  // "Anagramme" of the first beats "Presque" of the second.
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, capital, "PARSI"), "Anagramme");
  // Against "Charles de Gaulle" alone "de Gaule" is wrong; "de Gaulle" is one edit away.
  const Field general = {{"Charles de Gaulle", "de Gaulle"}, {}};
  EXPECT_EQ(one(TYPOGRAPHY_ONLY, "Charles de Gaulle", "de Gaule"), "FAUX");
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, general, "de Gaule"), "Quasiment");
  // A tie goes to the first accepted answer.
  FieldVerdict tie = judge(TYPOGRAPHY_ONLY, {{"abcd", "abce"}, {}}, "abcx");
  EXPECT_EQ(tie.answer, 0);
  // Accents named against any of them.
  EXPECT_EQ(word({false, ACCENTS_HINT, false}, {{"Paris", "B\xE9zier"}, {}}, "Bezier"), "Accents");
}

TEST(Judging, OptionalLeadingArticles) {
  const JudgingRules rules = {false, ACCENTS_EXACT, true};
  for (const char* article : {"le ", "la ", "les ", "l'", "l' ", "un ", "une ", "des ", "du ",
                              "de la ", "d'", "LA ", "L\x92"}) {
    EXPECT_EQ(one(rules, std::string(article) + "Rh\xF4ne", "Rh\xF4ne"), "BRAVO") << article;
    EXPECT_EQ(one(rules, "Rh\xF4ne", std::string(article) + "Rh\xF4ne"), "BRAVO") << article;
    EXPECT_EQ(one(rules, std::string(article) + "Rh\xF4ne", std::string(article) + "rh\xF4ne"),
              "BRAVO")
        << article;
  }
  FieldVerdict dropped = judge(rules, {{"la Seine"}, {}}, "Seine");
  EXPECT_TRUE(dropped.without_articles);
  EXPECT_FALSE(judge(rules, {{"la Seine"}, {}}, "LA SEINE").without_articles);
  // Two different articles are an error, seen by the ladder on the whole texts.
  EXPECT_EQ(one(rules, "la Seine", "le Seine"), "Quasiment");
  EXPECT_EQ(one(rules, "l'\xEEle", "le \xEEle"), "Presque");
  // A word that only begins like an article, or an article alone, stays whole.
  EXPECT_EQ(one(rules, "Lemans", "mans"), "Presque");
  EXPECT_EQ(one(rules, "Lesotho", "sotho"), "Presque");
  EXPECT_EQ(one(rules, "Le", "le"), "BRAVO");
  EXPECT_EQ(one(rules, "Le", ""), "?");
  // Near misses are judged without the articles too.
  EXPECT_EQ(one(rules, "la Seine", "Sene"), "Quasiment");
  EXPECT_EQ(one(rules, "Seine", "la Sene"), "Quasiment");
  // Without the option an article counts.
  EXPECT_EQ(one(TYPOGRAPHY_ONLY, "la Seine", "Seine"), "FAUX");
}

TEST(Judging, ListedWrongAnswersWinOverTheLadder) {
  const Field field = {{"Paris"},
                       {{"Lyon", "Non, pas Lyon"}, {"Pari", "Sans s ?"}, {"Parus", "BRAVO"}}};
  const JudgingRules hint = {false, ACCENTS_HINT, true};
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, field, "Lyon"), "Non, pas Lyon");
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, field, "  lyon "), "Non, pas Lyon");
  FieldVerdict listed = judge(TYPOGRAPHY_ONLY, field, "Pari");  // the ladder says "Quasiment"
  EXPECT_EQ(std::string(listed.word), "Sans s ?");
  EXPECT_EQ(listed.verdict, VERDICT_WRONG);
  EXPECT_EQ(listed.by, JUDGED_LISTED);
  EXPECT_EQ(listed.answer, 1);
  EXPECT_EQ(word(hint, field, "Ly\xF4n"), "Non, pas Lyon");    // accents aside
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, field, "Ly\xF4n"), "FAUX");  // judged against "Paris"
  EXPECT_EQ(word(hint, field, "le Lyon"), "Non, pas Lyon");
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, field, "Lyons"), "FAUX");  // only the listed text itself
  // A listed verdict reading "BRAVO" or "?" is never given: the ladder judges.
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, field, "Parus"), "Quasiment");
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, {{"Paris"}, {{"Lyon", "?"}}}, "Lyon"), "FAUX");
  // An accepted answer wins over the same text listed as wrong.
  EXPECT_EQ(word(TYPOGRAPHY_ONLY, {{"Paris"}, {{"paris", "Non"}}}, "Paris"), "BRAVO");
  // A listed wrong answer wins over "Accents".
  EXPECT_EQ(word(hint, {{"Ath\xE8nes"}, {{"Athenes", "L'accent !"}}}, "Athenes"), "L'accent !");
}

TEST(Judging, EveryOptionTogether) {
  const JudgingRules all = {true, ACCENTS_IGNORED, true};
  const Field field = {{"l'\xCEle de la Cit\xE9", "la Cit\xE9"},
                       {{"Montmartre", "Non, pas Montmartre"}}};
  EXPECT_EQ(word(all, field, "ILE DE LA CITE"), "BRAVO");
  EXPECT_EQ(word(all, field, "L\x92\xCELE  DE LA CIT\xC9"), "BRAVO");
  EXPECT_EQ(word(all, field, "cit\xE9"), "BRAVO");
  EXPECT_EQ(word(all, field, "citee"), "Quasiment");
  EXPECT_EQ(word(all, field, "le montmartre"), "Non, pas Montmartre");
  EXPECT_EQ(word(all, field, ""), "?");
  EXPECT_EQ(word(all, field, "Notre-Dame"), "FAUX");
}

// The rules a teacher's marking asked for, each alone on what it lets pass
// and on what it must not.
TEST(Judging, TheLaterRulesEachAlone) {
  JudgingRules hyphens = TYPOGRAPHY_ONLY, punctuation = TYPOGRAPHY_ONLY,
               ligatures = {false, ACCENTS_HINT, false}, capitals = TYPOGRAPHY_ONLY,
               numbers = TYPOGRAPHY_ONLY, circumflex = TYPOGRAPHY_ONLY, names = TYPOGRAPHY_ONLY;
  hyphens.hyphens = punctuation.punctuation = ligatures.ligatures = true;
  capitals.unaccented_capitals = numbers.numbers = circumflex.optional_circumflex = true;
  names.articles = names.capital_articles = true;
  struct Case {
    const JudgingRules& rules;
    const char *expected, *typed, *word;
  } cases[] = {
      {hyphens, "Saint-Denis", "saint denis", "BRAVO"},
      {hyphens, "Saint-Denis", "Saint - Denis", "BRAVO"},
      {hyphens, "Rio de Janeiro", "Rio-de-Janeiro", "BRAVO"},
      {hyphens, "Saint-Denis", "SaintDenis", "Quasiment"},
      {hyphens, "-273", "273", "Quasiment"},  // a sign, not a hyphen
      {hyphens, "1914-1918", "1914 1918", "Quasiment"},
      {punctuation, "1789", " 1789.", "BRAVO"},
      {punctuation, "Qui vive ?", "qui vive", "BRAVO"},
      {punctuation, "Le Cid", "\xAB Le Cid \xBB", "BRAVO"},
      {punctuation, "Le Cid", "'Le Cid'", "BRAVO"},
      {punctuation, "aujourd'hui", "aujourd`hui", "BRAVO"},
      {punctuation, "Victor Hugo", "Victor, Hugo", "Quasiment"},
      {punctuation, "Paris", "!?", "FAUX"},  // marks only are typed, not nothing
      {punctuation, "Paris", "\"", "FAUX"},
      {ligatures, "c\x9Cur", "coeur", "BRAVO"},
      {ligatures,
       "\x8C"
       "dipe",
       "OEDIPE", "BRAVO"},
      {ligatures, "L\xE6titia", "Laetitia", "BRAVO"},
      {capitals, "\xC9tat", "ETAT", "BRAVO"},
      {capitals, "\xC9tat", "Etat", "BRAVO"},
      {capitals, "\xE9t\xE9", "ETE", "BRAVO"},
      {capitals, "ETATS-UNIS", "\xE9tats-unis", "BRAVO"},
      {capitals,
       "\xC7"
       "a",
       "CA", "BRAVO"},
      {capitals, "\xC9tat", "etat", "Quasiment"},  // a small letter keeps its accent
      {capitals,
       "\xC9lys\xE9"
       "e",
       "ELYSee", "Quasiment"},
      {capitals, "\xC9quateur", "\xC8quateur", "Quasiment"},  // another accent is no bare capital
      {numbers, "10 000", "10000", "BRAVO"},
      {numbers, "10000", "10 000", "BRAVO"},
      {numbers, "1789", "1 789", "Quasiment"},
      {numbers, "1789", "1798", "FAUX"},
      {numbers, "1789", "1788", "FAUX"},
      {numbers, "-273", "273", "FAUX"},
      {numbers, "3,14", "3.14", "Quasiment"},
      {numbers, "3,14", "314", "FAUX"},
      {numbers, "1914-1918", "1914 1918", "Quasiment"},
      {numbers, "Paris", "Pari5", "Quasiment"},  // numbers count where the answer has some
      {circumflex, "ma\xEEtre", "maitre", "BRAVO"},
      {circumflex, "ao\xFBt", "AOUT", "BRAVO"},
      {circumflex, "maitre", "ma\xEEtre", "BRAVO"},
      {circumflex, "c\xF4te", "cote", "Quasiment"},
      // An article with a capital belongs to the name; a small one may go.
      {names, "Le Havre", "Havre", "Trop court"},  // "FAUX" to the ladder
      {names,
       "L'Odyss\xE9"
       "e",
       "odyss\xE9"
       "e",
       "Presque"},  // two letters short: the ladder's own near miss
      {names, "Le Havre", "le havre", "BRAVO"},
      {names, "Le Havre", "La Havre", "Quasiment"},
      {names, "la Seine", "Seine", "BRAVO"},
      {names, "LE HAVRE", "Havre", "BRAVO"},  // in capitals throughout: no telling
      {names, "Seine", "La Seine", "BRAVO"},
  };
  for (const Case& c : cases) EXPECT_EQ(one(c.rules, c.expected, c.typed), c.word) << c.typed;
}

// A document whose content carries an options block: the player's own path.
struct DocumentJudging : DocumentFixture {
  void load(const std::string& block) {
    std::string content = content_head(2, 2, 2) + "T|A|E|Ville|Pays|" + "Ath\xE8nes|Cr\xE8te|q1|" +
                          "Paris|France|q2|" + byte_of(0) + rgb(1, 2, 3) + block;
    parse_content(doc, reinterpret_cast<const unsigned char*>(content.data()), content.size());
  }
  std::string judged(int question, int answer, const std::string& typed) {
    FieldPlace place = {question, answer, (question - 1) * 2 + answer};
    return verdict_text(judge_field_answer(doc, place, typed.c_str()));
  }
  bool solved(int question, const std::string& first, const std::string& second) {
    const char* typed[] = {first.c_str(), second.c_str()};
    return question_solved(doc, question, typed);
  }
};

TEST_F(DocumentJudging, TheDocumentsOptionsDecideAndTheSolveCheckAgrees) {
  // Quiz: accented case, accents named. Question 2: accents ignored, and
  // field 1 also takes "Paname" and lists "Lyon"; field 2 lists nothing.
  load(std::string("JUGE") + char(1) + char(0x03) + char(1) + char(2) + char(0x04) + char(1) +
       "Paname|" + char(1) + "Lyon|Non, pas Lyon|" + char(0) + char(0));
  ASSERT_EQ(doc->judging.present, 1);
  EXPECT_EQ(doc->question_count, 2);
  EXPECT_EQ(judged(1, 1, "ATH\xC8NES"), "BRAVO");
  EXPECT_EQ(judged(1, 1, "Athenes"), "Accents");
  EXPECT_EQ(judged(1, 2, "CR\xC8TE"), "BRAVO");
  EXPECT_EQ(judged(2, 1, "Paname"), "BRAVO");
  EXPECT_EQ(judged(2, 1, "lyon"), "Non, pas Lyon");
  EXPECT_EQ(judged(2, 2, "Fr\xE2nce"), "BRAVO");
  EXPECT_TRUE(solved(1, "ATH\xC8NES", "cr\xE8te"));
  // "Accents" is not solved.
  EXPECT_FALSE(solved(1, "Athenes", "cr\xE8te"));
  EXPECT_TRUE(solved(2, "paname", "FRANCE"));
  EXPECT_FALSE(solved(2, "Lyon", "France"));
}

TEST_F(DocumentJudging, WithoutABlockThePlainLadder) {
  load("");
  EXPECT_EQ(doc->judging.present, 0);
  EXPECT_EQ(judged(1, 1, "ATH\xC8NES"), "Quasiment");
  EXPECT_FALSE(solved(1, "ATH\xC8NES", "Cr\xE8te"));
  EXPECT_TRUE(solved(1, " ath\xE8nes ", "CR\xE8TE"));
}

// The plain ladder, on the whole verdict suite and on many random pairs:
// a document without options judges exactly as `judge_answer`.
TEST_F(DocumentJudging, NoOptionsIsTheLadderExactly) {
  load("");
  const std::vector<std::pair<std::string, std::string>> suite = {
      {"Paris", "  paris "},
      {"Paris ", "Paris"},
      {"\xC9lan", "\xE9lan"},
      {"Paris", ""},
      {"Paris", "   "},
      {"Paris", "PARSI"},
      {"Paris", "Pari"},
      {"Paris", "Par"},
      {"Charles de Gaulle", "Charles de Gau"},
      {"Charles de Gaulle", "Charles de"},
      {"Charles de Gaulle", "Charles"},
      {"Mozart", "Moz"},
      {"Napoleon", "Napoleon Bonaparte"},
      {"Napoleon Bonaparte", "Napoleon Bonapartx"},
      {"Napoleon Bonaparte", "Napoleone Bonaparta"},
      {"Napoleon Bonaparte", "Napoleon Bonapxxxx"},
      {"ABCDEFGHIJ", "ABCDEFG"},
      {"ABCDEFGHIJ", "ABCDE"},
      {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQxyz"},
      {"l'\xCEle", "l\x92\xCEle"},
      {"la Seine", "Seine"},
      {"\x9Cuvre", "oeuvre"}};
  std::mt19937 random(13);
  const std::string letters = "aAbB eE\xE9\xC9\x92'\xA0\x9C";
  std::vector<std::pair<std::string, std::string>> pairs = suite;
  for (int i = 0; i < 2000; ++i) {
    std::string expected, typed;
    for (size_t n = random() % 8; n > 0; --n) expected += letters[random() % letters.size()];
    for (size_t n = random() % 8; n > 0; --n) typed += letters[random() % letters.size()];
    pairs.push_back({expected, typed});
  }
  for (const auto& [expected, typed] : pairs) {
    FieldVerdict judged = judge_typed_answer(&doc->judging, 1, 1, expected.c_str(), typed.c_str());
    EXPECT_EQ(judged.verdict, judge_answer(expected.c_str(), typed.c_str()))
        << expected << "|" << typed;
    EXPECT_STREQ(judged.word, verdict_text(judged.verdict));
    EXPECT_EQ(typed_answer_right(&doc->judging, 1, 1, expected.c_str(), typed.c_str()),
              answer_matches(expected.c_str(), typed.c_str()));
  }
}

TEST(VerdictColours, NewWordsAreHints) {
  EXPECT_EQ(verdict_colour(VERDICT_ACCENTS), VERDICT_AMBER);
  EXPECT_EQ(label_colour("Accents"), VERDICT_AMBER);
  EXPECT_EQ(label_colour("Non, pas Lyon"), VERDICT_AMBER);
  EXPECT_EQ(label_colour("BRAVO"), VERDICT_GREEN);
  EXPECT_EQ(label_colour("FAUX"), VERDICT_RED);
  EXPECT_EQ(label_colour("Anagramme"), VERDICT_ORANGE);
  EXPECT_EQ(label_colour("?"), VERDICT_PLAIN);
  EXPECT_EQ(label_colour("bravo"), VERDICT_AMBER);
}

}  // namespace
