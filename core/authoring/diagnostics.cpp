#include "diagnostics.h"

#include <algorithm>

std::string Diagnostic::text(Language language) const {
  std::string said = say(problem, language);
  if (about.name.empty()) return said;
  std::string name = say(about.name, language);
  if (language == Language::FRENCH) return name + " : " + said;
  return name + (english_join(problem.id) == ':' ? ": " : " ") + said;
}

std::string Diagnostic::beside_field() const {
  std::string said = say(problem, Language::FRENCH);
  // A listed wrong answer's field holds several: say which one.
  const Message& name = about.name;
  if (name.id == MSG_NAME_VERDICT_OF && !name.args.empty()) {
    const Message& wrong = name.args[0];
    if (wrong.id == MSG_NAME_WRONG_ANSWER && wrong.args.size() == 2)
      return "\xC2\xAB " + say(wrong.args[1], Language::FRENCH) +
             " \xC2\xBB : son verdict : " + said;
  }
  if (name.id == MSG_NAME_WRONG_ANSWER && name.args.size() == 2)
    return "\xC2\xAB " + say(name.args[1], Language::FRENCH) + " \xC2\xBB : " + said;
  return said;
}

void Diagnostics::error(const std::string& file, int line, const Message& problem,
                        const Subject& about) {
  list_.push_back({true, file, line, about, problem});
}

void Diagnostics::warning(const std::string& file, int line, const Message& problem,
                          const Subject& about) {
  list_.push_back({false, file, line, about, problem});
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

void Diagnostics::print(std::ostream& out, Language language) const {
  std::vector<Diagnostic> sorted = list_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Diagnostic& a, const Diagnostic& b) {
    return a.file != b.file ? a.file < b.file : a.line < b.line;
  });
  for (const Diagnostic& d : sorted) out << format_diagnostic(d, language) << '\n';
}

std::string format_diagnostic(const Diagnostic& d, Language language) {
  std::string where = d.file;
  if (d.line > 0) where += ":" + std::to_string(d.line);
  return say(
      Message(d.error ? MSG_DIAGNOSTIC_ERROR : MSG_DIAGNOSTIC_WARNING, {where, d.text(language)}),
      language);
}
