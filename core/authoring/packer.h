// The work behind quizpack's commands: a source and its media made into the
// player's resources, written into a copy of the player; and read back.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/answers/verdict.h"

#include "diagnostics.h"
#include "media.h"
#include "pe_resources.h"
#include "quiz_source.h"

// A checked quiz and the resources it becomes.
struct PreparedQuiz {
  QuizSource quiz;
  // "PATCH" 104 and 105, then the "IMG" ones (core/content/resource_names.h)
  std::vector<Resource> resources;
  std::vector<std::string> inputs;  // the source and every media file read
  int pictures = 0, scaled = 0, clips = 0;
  int reused = 0;     // pictures taken as an earlier packing prepared them
  int converted = 0;  // pictures that were not JPEGs
  // JPEGs that fit the box but were encoded again, and why ("turned upright"...)
  std::vector<std::pair<std::string, int>> reencoded;
};

// How build's summary tells what became of the pictures: "3 pictures (1
// scaled down)", then the ones converted to JPEG and the JPEGs re-encoded,
// with why.
std::string pictures_summary(const PreparedQuiz& prepared);

// Reads and checks a source and every media file it names. False when there
// was an error (all of them are in `diagnostics`).
bool prepare_quiz(const std::string& source, bool keep_pictures, PreparedQuiz* prepared,
                  Diagnostics* diagnostics);

// Pictures as packing stored them (fitted to the player's box, or kept),
// by a key that stands for the original's content (a digest of its bytes).
// A front end that packs the same quiz again (the studio) keeps one, so that
// a picture already prepared is neither read nor decoded and scaled again.
struct PreparedPicture {
  std::string stored;
  PictureInfo info;
};
using PictureCache = std::map<std::string, PreparedPicture>;

// A source held in memory with a way to its media, for front ends that have
// no files of their own (the studio). The checks and the resources are those
// of a source read from a file.
struct QuizInput {
  std::string text;  // the source, UTF-8 TOML
  std::string path;  // names the source in messages; media paths are relative to its folder
  // Reads a media file as the source names it. False with `problem` (in the
  // system's words, as for a file that cannot be opened) when it cannot.
  using ReadMedia =
      std::function<bool(const std::string& written, std::string* bytes, std::string* problem)>;
  ReadMedia read_media;
  // Called after each picture or clip is read and prepared: `done` of `total`.
  std::function<void(int done, int total)> progress;
  bool keep_pictures = false;
  // When both are set: the key of a media file's content ("" for none), and
  // the pictures prepared before. A picture whose key is there is taken
  // from it; every picture prepared is put there, and those this quiz does
  // not name are dropped.
  std::function<std::string(const std::string& written)> media_key;
  PictureCache* pictures = nullptr;
};

bool prepare_quiz_text(const QuizInput& input, PreparedQuiz* prepared, Diagnostics* diagnostics);

// Writes a prepared quiz into a copy of the player `image` (`player` names it
// in messages): the bytes `build` writes. False with the error in
// `diagnostics`.
bool pack_quiz(const std::string& image, const std::string& player, const PreparedQuiz& prepared,
               std::string* packed, Diagnostics* diagnostics);

// The forms a quiz is written in: the player with the quiz in its
// resources, a quiz page (the web player's page with the quiz in its content
// block, core/carrier/quiz_page.h), or a SCORM 1.2 package of that page for
// school platforms.
enum QuizCarrier { CARRIER_PROGRAM, CARRIER_PAGE, CARRIER_SCORM };

// Writes a prepared quiz into the web player's page `page_template` (`page`
// names it in messages), or into a package of that page: the bytes `build`
// writes. False with the error in `diagnostics`; warnings for what the page
// cannot do as the program does (mail refuses a large page; browsers do not
// play AVI clips) go there too, about `output`.
bool write_quiz_carrier(QuizCarrier carrier, const std::string& page_template,
                        const std::string& page, const PreparedQuiz& prepared,
                        const std::string& output, std::string* bytes, Diagnostics* diagnostics);

// A page above this many bytes is warned about: mail services refuse it.
enum : size_t { MAIL_ATTACHMENT_MAX = 20u * 1000 * 1000 };

// Media read back from a packed quiz: the path the source names it by
// (media/NN.jpg, media/NN-answer.jpg, media/NN.mp3 ...) and its bytes.
using MediaFiles = std::vector<std::pair<std::string, std::string>>;

// Reads the quiz a packed player or a quiz page carries (`exe` names it in
// messages): its source and its media. False with the error in
// `diagnostics`.
bool unpack_quiz_image(const std::string& image, const std::string& exe, QuizSource* quiz,
                       MediaFiles* media, Diagnostics* diagnostics);

// What build decides about the bytes of one picture or clip of a quiz of
// `kind` whose page is `background` (0xRRGGBB): false with `problem`, worded
// as it follows the file's name in build's messages ("is an empty file", "is
// not a picture quizpack reads (...)"). A picture is prepared as build
// prepares it: `info` gives its size and whether build scales it, `stored`
// (when given) the JPEG the quiz would carry.
bool check_media_bytes(const std::string& bytes, uint32_t kind, uint32_t background,
                       PictureInfo* info, std::string* problem, std::string* stored = nullptr);
// The same words for a media file that cannot be read, for `reason`.
std::string unreadable_media(const std::string& reason);

// The source `dump` gives for a quiz read back from `exe`.
std::string dump_source(const QuizSource& quiz, const std::string& exe);

// What the player decides when `typed` (UTF-8) is typed into answer field
// `field` (1 or 2) of question `number` of `quiz`, and why: the quiz's
// content is read by the player's own parser and the field judged by
// `judge_field_answer`, on the 259 bytes the field holds. False with
// `problem` when the typed text has a character Windows-1252 cannot hold.
struct TriedAnswer {
  Verdict verdict;
  std::string word;                // the verdict label's text, UTF-8
  std::string reason;              // why, in one French line (UTF-8)
  std::vector<std::string> lines;  // why, in English, for a quiz with judging options
};
bool try_quiz_answer(const QuizSource& quiz, int number, int field, const std::string& typed,
                     TriedAnswer* tried, std::string* problem);

struct BuildRequest {
  std::string source, output, player;
  std::string page;     // the web player's page, the template of quiz pages
  bool scorm = false;   // a SCORM package (the output a .zip)
  std::string depfile;  // when set: a make-style list of the files the quiz was made from
  std::string fields;   // when set: the fields the player's loader will read, for tests
  bool keep_pictures = false;
};

// The form `build` writes `output` in: a page for ".html" or ".htm", a
// package with `scorm`, the program otherwise. False with the error in
// `diagnostics` for a ".zip" without `scorm` or `scorm` without a ".zip".
bool carrier_of_output(const std::string& output, bool scorm, QuizCarrier* carrier,
                       Diagnostics* diagnostics);

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
