// A quiz as its author writes it: the source file (UTF-8 TOML, described in
// docs/quiz-format.md), read, checked and held with every text already in
// Windows-1252, ready for the content writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/content/judging_options.h"
#include "diagnostics.h"

enum { QUIZ_TEXT_MAX = 259, QUIZ_MAX_QUESTIONS = 96 };

// A media file named by the source: its path as written (relative to the
// source's folder, UTF-8), empty for none, and the line that names it.
struct MediaRef {
  std::string path;
  int line = 0;
};

// A wrong answer the author anticipated, and the verdict it gets instead of
// the ladder's (both Windows-1252).
struct WrongAnswer {
  std::string answer, verdict;
  int line = 0;
};

struct SourceQuestion {
  int line = 0;  // where the question's [[question]] starts
  std::string text;
  std::string answer[2];  // the second only with two answer fields
  std::string reveal;
  MediaRef picture, answer_picture, clip;
  // Judging options of each answer field (docs/quiz-format.md, "Judging"):
  // other accepted answers (at most JUDGING_MAX_ALTERNATIVES) and anticipated
  // wrong answers (at most JUDGING_MAX_WRONG_ANSWERS).
  std::vector<std::string> also[2];
  std::vector<WrongAnswer> wrong[2];
  // When set, the question is judged by `rules` instead of the quiz's.
  bool own_rules = false;
  JudgingRules rules = {};
};

struct QuizSource {
  std::string path;    // the source file as named to quizpack
  std::string folder;  // media paths are relative to it
  uint32_t kind = 0;   // QuizKind: 0 text, 1 picture, 2 audio, 3 video
  int answers = 1;     // answer fields per question
  std::string title, author, explanation, labels[2];
  // The header's link: a web address (ASCII, as the web writes it) and the
  // text shown for it (Windows-1252; empty shows the address). No link:
  // both empty.
  std::string link, link_text;
  int answer_mode = 0;                       // 0 none ... 4 reveal-all
  uint8_t red = 90, green = 95, blue = 150;  // the player's own default page colour
  std::vector<std::string> codes;            // codes[s - 1] is shown at score s
  std::vector<SourceQuestion> questions;
  // Judging options: with `judging` set (or any question's own lists or
  // rules, see `uses_judging_options`) every answer is judged with `rules`
  // (or its question's) and plain typography; otherwise by the plain ladder.
  bool judging = false;
  JudgingRules rules = {};
  // SCORM packages only: the solved questions a learner needs to pass (the
  // platform then records "passed" or "failed"); 0 for none.
  int mastery_score = 0;
};

// Whether the quiz asks for judging options, so that its content carries them.
bool uses_judging_options(const QuizSource& quiz);

// The rules that judge question i (0-based).
JudgingRules question_rules(const QuizSource& quiz, size_t i);

// The rules a judging preset stands for (`preset = "fair"` in a judging
// table, the keys beside it overriding them); false for an unknown name.
bool judging_preset(const std::string& name, JudgingRules* rules);

// The name the source gives an accent rule ("exact", "hint", "ignored").
const char* accent_rule_name(int rule);

// The names the source gives kinds and answer modes ("text", "reveal-box"...).
const char* kind_name(uint32_t kind);
const char* answer_mode_name(int mode);

// Reads and checks a source file; every problem goes to `diagnostics`.
// Returns false when there was an error: the quiz is then not to be used.
bool read_quiz_source(const std::string& path, QuizSource* quiz, Diagnostics* diagnostics);
// The same for a text already read; `path` names it in messages and gives the
// folder of its media.
bool parse_quiz_source(const std::string& text, const std::string& path, QuizSource* quiz,
                       Diagnostics* diagnostics);

// The source text of a quiz (UTF-8 TOML), as `dump` prints it. Media paths
// are written as they stand in `quiz`.
std::string write_quiz_source(const QuizSource& quiz);

// A text as a TOML basic string: in quotes, with quotes, backslashes and
// control characters escaped.
std::string toml_quoted(const std::string& utf8);

// The "also" and "wrong" lines of a question as `dump` lays them out, from
// UTF-8 texts per answer field; empty when every field's list is.
struct WrongText {
  std::string answer, verdict;
};
std::string also_line(const std::vector<std::string> (&also)[2], int answers);
std::string wrong_line(const std::vector<WrongText> (&wrong)[2], int answers);
// Whether one of the first `count` wrong answers is `answer`: a source's
// table holds each once.
bool lists_wrong(const std::vector<WrongText>& wrong, size_t count, const std::string& answer);
