// Judging options: what a quiz may ask of the judging of typed answers beyond
// the plain ladder (accented letters' case, accents, optional articles, other
// accepted answers, anticipated wrong answers with their own verdicts). They
// travel in an options block after the three colour bytes of the content,
// where a loader that reads only the colours stops: such a player judges the
// quiz by the plain ladder.
//
// The block, all texts "|"-ended like the content's (1 to 259 bytes, no zero
// byte):
//   "JUGE"        signature
//   version       1, or 2 when a rule of the second rules byte is used
//   rules         the quiz's rules: one byte in version 1, two in version 2
//   count         question records, 0 to 96, in increasing question order:
//     number      the question, 1 to the question count
//     rules       its own rules (as many bytes as the quiz's), or every byte
//                 0xFF: judged by the quiz's rules (JUDGING_AS_QUIZ)
//     per answer field of the content (answers per question, 1 or 2):
//       count, then that many other accepted answers (0 to 7)
//       count, then that many wrong answers, each a text and its verdict (0 to 16)
// and nothing after it. The first rules byte: bit 0 accented letters' case,
// bits 1-2 the accent rule (0 exact, 1 hint, 2 ignored), bit 3 optional
// articles, bit 4 hyphens as blanks, bit 5 punctuation at the ends and
// quotes ignored, bit 6 ligatures as their letters, bit 7 capitals without
// their accents; a byte whose accent rule is 3 is unknown (0xFF among them).
// The second: bit 0 numbers judged as numbers, bit 1 the circumflex of i and
// u optional, bit 2 an article written with a capital belongs to the name;
// the other bits are 0. A quiz that uses neither carries a
// version 1 block, as quizzes did before the second byte existed.
//
// The reader refuses a block it does not understand in every byte (another
// signature or version, a value out of range, a text too long, bytes after
// the end): the quiz is then judged by the plain ladder, and nothing else of
// the quiz changes. A reader made before a rule existed refuses a block that
// uses it.
#pragma once

#include <cstddef>
#include <cstdint>

enum AccentRule : uint8_t {
  ACCENTS_EXACT = 0,    // the plain ladder's rule: an accent is a letter of its own
  ACCENTS_HINT = 1,     // an answer wrong only by its accents gets its own verdict word
  ACCENTS_IGNORED = 2,  // accents do not count; Œ is OE and Æ is AE
};

// Rules flags: the first rules byte in the low byte, the second in the high.
typedef uint16_t JudgingFlags;

enum : JudgingFlags {
  JUDGE_ACCENTED_CASE = 0x01,  // é and É are the same letter (every pair of Windows-1252)
  JUDGE_ACCENT_SHIFT = 1,
  JUDGE_ACCENT_MASK = 0x06,
  JUDGE_ARTICLES = 0x08,  // a leading article may be left out
  // Set by a quiz made since these rules exist; a player that does not know
  // them refuses the block and judges by the plain ladder.
  JUDGE_HYPHENS = 0x10,               // a hyphen between two words is a blank
  JUDGE_PUNCTUATION = 0x20,           // . , ; : ! ? at either end and quotes do not count
  JUDGE_LIGATURES = 0x40,             // œ and æ are their two letters
  JUDGE_UNACCENTED_CAPITALS = 0x80,   // a capital may go without its accent
  JUDGE_NUMBERS = 0x100,              // another number is wrong; digits grouped by blanks
  JUDGE_OPTIONAL_CIRCUMFLEX = 0x200,  // î and û may be typed i and u
  JUDGE_CAPITAL_ARTICLES = 0x400,     // "Le Havre": an article with a capital is never optional
  JUDGE_KNOWN_FLAGS = 0x7FF,
  JUDGE_SECOND_BYTE = 0xFF00,  // the rules only a version 2 block carries
  JUDGING_AS_QUIZ = 0xFFFF,    // a question judged by the quiz's rules
  JUDGING_VERSION = 2,         // the newest version this reader takes (1 too)
};

enum {
  JUDGING_SIGNATURE_SIZE = 4,
  JUDGING_MAX_ALTERNATIVES = 7,    // besides the expected answer: 8 accepted answers at most
  JUDGING_MAX_WRONG_ANSWERS = 16,  // per answer field
  JUDGING_QUESTIONS = 96,          // one record per question at most (MAX_QUESTIONS)
  JUDGING_FIELDS = 2 * JUDGING_QUESTIONS,
};

extern const char JUDGING_SIGNATURE[JUDGING_SIGNATURE_SIZE + 1];  // "JUGE"

// How one question's answers are compared.
struct JudgingRules {
  bool accented_case;
  AccentRule accents;
  bool articles;
  // Rules added later, off unless given.
  bool hyphens = false;
  bool punctuation = false;
  bool ligatures = false;
  bool unaccented_capitals = false;
  bool numbers = false;
  bool optional_circumflex = false;
  bool capital_articles = false;
};

JudgingRules rules_from_flags(JudgingFlags flags);
JudgingFlags flags_from_rules(const JudgingRules& rules);
// Whether flags mean something this reader knows.
bool judging_flags_known(JudgingFlags flags);

// One answer field's lists: its texts lie one after another in the options'
// `texts`, each zero-ended: the other accepted answers, then every wrong
// answer followed by its verdict.
struct FieldOptions {
  uint32_t first_text;  // offset in `texts`
  uint8_t alternatives;
  uint8_t wrong_answers;
};

// On the QuizDocument: all zero is "no options" (the plain ladder).
struct JudgingOptions {
  uint8_t present;  // 1: the content carried a block this reader understood
  JudgingFlags quiz_flags;
  JudgingFlags question_flags[JUDGING_QUESTIONS];  // JUDGING_AS_QUIZ or the question's own
  FieldOptions fields[JUDGING_FIELDS];             // question n, answer j at 2 * (n - 1) + j - 1
  char* texts;                                     // allocated; freed by `release_judging_options`
  uint32_t texts_size;
};

// Reads an options block from `bytes` (everything after the colour bytes)
// for a quiz of `question_count` questions with `answers_per_question`
// fields each in its content. On success `options` holds it (what it held
// before is released) and the result is true; otherwise `options` is left as
// it was.
bool read_judging_options(const unsigned char* bytes, size_t length, int question_count,
                          int answers_per_question, JudgingOptions* options);

// Frees the texts and gives back "no options".
void release_judging_options(JudgingOptions* options);

// The rules of question n (1-based): its own, or the quiz's.
JudgingRules judging_rules(const JudgingOptions* options, int question);

// The lists of answer j of question n; null outside the quiz (then it has none).
const FieldOptions* judging_field(const JudgingOptions* options, int question, int answer);

// Text i of a field's lists (alternatives first, then each wrong answer and
// its verdict); null past its last.
const char* judging_text(const JudgingOptions* options, const FieldOptions* field, int index);
