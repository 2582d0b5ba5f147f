#include "diagnostics.h"

#include <algorithm>

void Diagnostics::error(const std::string& file, int line, const std::string& text) {
  list_.push_back({true, file, line, text});
}

void Diagnostics::warning(const std::string& file, int line, const std::string& text) {
  list_.push_back({false, file, line, text});
}

size_t Diagnostics::error_count() const {
  size_t count = 0;
  for (const Diagnostic& d : list_) count += d.error ? 1 : 0;
  return count;
}

size_t Diagnostics::warning_count() const {
  size_t count = 0;
  for (const Diagnostic& d : list_) count += d.error ? 0 : 1;
  return count;
}

void Diagnostics::print(std::ostream& out) const {
  std::vector<Diagnostic> sorted = list_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
  for (const Diagnostic& d : sorted) out << format_diagnostic(d) << '\n';
}

std::string format_diagnostic(const Diagnostic& d) {
  std::string where = d.file;
  if (d.line > 0) where += ":" + std::to_string(d.line);
  return where + (d.error ? ": error: " : ": warning: ") + d.text;
}
