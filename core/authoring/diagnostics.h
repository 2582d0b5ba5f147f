// What quizpack tells the author: errors (nothing is written) and warnings,
// each naming the file, the line when there is one, and the problem.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct Diagnostic {
  bool error;
  std::string file;
  int line;  // 0 when the problem has no line of its own
  std::string text;
};

class Diagnostics {
 public:
  void error(const std::string& file, int line, const std::string& text);
  void warning(const std::string& file, int line, const std::string& text);
  bool has_errors() const { return error_count() > 0; }
  size_t error_count() const;
  size_t warning_count() const;
  const std::vector<Diagnostic>& list() const { return list_; }
  // "file:line: error: text", one per line.
  void print(std::ostream& out) const;

 private:
  std::vector<Diagnostic> list_;
};

std::string format_diagnostic(const Diagnostic& diagnostic);
