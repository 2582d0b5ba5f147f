// What quizpack tells the author: errors (nothing is written) and warnings,
// each naming the file, the line when there is one, and the problem, said in
// the author's language from the catalogue of messages.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "messages.h"

// What a message is about: the studio's name of the field ("title",
// "q3.answer2", "code2"... "source" or "" for the whole source, "file" for a
// packed quiz being opened, "player"), and its name in messages ("question 3:
// second answer"), empty when the message names it itself.
struct Subject {
  std::string field;
  Message name;
};

struct Diagnostic {
  bool error;
  std::string file;
  int line;  // 0 when the problem has no line of its own
  Subject about;
  Message problem;

  // The message with what it is about: "question 1: text is 260 bytes long...".
  std::string text(Language language = Language::ENGLISH) const;
  // The message in French as the studio shows it beside its field, without
  // the field's name.
  std::string beside_field() const;
};

class Diagnostics {
 public:
  void error(const std::string& file, int line, const Message& problem, const Subject& about = {});
  void warning(const std::string& file, int line, const Message& problem,
               const Subject& about = {});
  bool has_errors() const { return error_count() > 0; }
  size_t error_count() const;
  size_t warning_count() const;
  const std::vector<Diagnostic>& list() const { return list_; }
  // "file:line: error: text", one per line, sorted by file and line.
  void print(std::ostream& out, Language language = Language::ENGLISH) const;

 private:
  std::vector<Diagnostic> list_;
};

std::string format_diagnostic(const Diagnostic& diagnostic, Language language = Language::ENGLISH);
