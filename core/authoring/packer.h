// The work behind quizpack's commands: a source and its media made into the
// player's resources, written into a copy of the player; and read back.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "diagnostics.h"
#include "pe_resources.h"
#include "quiz_source.h"

// A checked quiz and the resources it becomes.
struct PreparedQuiz {
  QuizSource quiz;
  // "PATCH" 104 and 105, then the "IMG" ones (core/content/resource_names.h)
  std::vector<Resource> resources;
  std::vector<std::string> inputs;  // the source and every media file read
  int pictures = 0, scaled = 0, clips = 0;
};

// Reads and checks a source and every media file it names. False when there
// was an error (all of them are in `diagnostics`).
bool prepare_quiz(const std::string& source, bool keep_pictures, PreparedQuiz* prepared,
                  Diagnostics* diagnostics);

struct BuildRequest {
  std::string source, output, player;
  std::string depfile;  // when set: a make-style list of the files the quiz was made from
  std::string fields;   // when set: the fields the player's loader will read, for tests
  bool keep_pictures = false;
};

// Each returns the exit status: 0 on success. Problems go to `diagnostics`;
// what the command reports or prints goes to `out`.
int build_quiz(const BuildRequest& request, Diagnostics* diagnostics, std::ostream& out);
int check_quiz(const std::string& source, Diagnostics* diagnostics, std::ostream& out);
// Prints the source of a packed quiz; with `folder` set, writes it there as
// quiz.toml with its media in folder/media instead.
int dump_quiz(const std::string& exe, const std::string& folder, Diagnostics* diagnostics,
              std::ostream& out);
// Prints the verdict the player gives `typed` in answer field `field` (1 or 2)
// of question `number`.
int try_answer(const std::string& source, int number, const std::string& typed, int field,
               Diagnostics* diagnostics, std::ostream& out);

// The fields the player's loader reads from a quiz, one "name=value" line
// each, bytes below 0x20, 0x7F and "\" written as \xHH; then one line per
// picture or clip: "img<id>=<size> <FNV-1a hash of the bytes, 8 hex digits>".
std::string loader_fields(const PreparedQuiz& prepared);
uint32_t fnv1a(const std::string& bytes);
