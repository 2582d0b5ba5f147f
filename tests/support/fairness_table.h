// The fairness table (tests/data/fairness.txt): expected and typed answers
// with the mark a French teacher gives each. Read by the test of the "fair"
// judging preset and by bench/fairness_bench; header only, so that the bench
// preset, which builds no tests, reads it too.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/answers/verdict.h"
#include "core/authoring/cp1252.h"
#include "core/authoring/messages.h"

enum Mark { MARK_RIGHT, MARK_NEAR, MARK_WRONG, MARK_COUNT };

inline const char* mark_name(Mark mark) {
  static const char* const NAMES[] = {"right", "near", "wrong"};
  return NAMES[mark];
}

// How a verdict counts against the table: "BRAVO" right, "FAUX" wrong, every
// near-miss word near. Nothing typed does not happen in the table.
inline Mark mark_of(Verdict verdict) {
  if (verdict == VERDICT_RIGHT) return MARK_RIGHT;
  if (verdict == VERDICT_WRONG || verdict == VERDICT_EMPTY) return MARK_WRONG;
  return MARK_NEAR;
}

struct FairnessCase {
  int line;
  std::string group;
  std::string expected, typed;  // Windows-1252, as the player holds them
  Mark mark;
  std::string rule;  // UTF-8
};

namespace fairness_detail {

inline std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
    parts.push_back(line.substr(start, bar - start));
  parts.push_back(line.substr(start));
  return parts;
}

}  // namespace fairness_detail

// Reads the table; false with `problem` (its line) for a line it does not
// understand: nothing is skipped silently.
inline bool read_fairness_table(const std::string& path, std::vector<FairnessCase>* cases,
                                std::string* problem) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *problem = path + ": cannot be read";
    return false;
  }
  std::string group, line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::string where = path + ":" + std::to_string(number) + ": ";
    if (line.empty() || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      group = line.substr(1, line.size() - 2);
      continue;
    }
    std::vector<std::string> parts = fairness_detail::split(line);
    if (parts.size() != 4 || group.empty()) {
      *problem = where + "not \"expected|typed|mark|rule\" inside a [group]";
      return false;
    }
    FairnessCase c = {number, group, "", "", MARK_COUNT, parts[3]};
    for (int m = 0; m < MARK_COUNT; ++m)
      if (parts[2] == mark_name(Mark(m))) c.mark = Mark(m);
    Message why;
    if (c.mark == MARK_COUNT) {
      *problem = where + "the mark \"" + parts[2] + "\" is not right, near or wrong";
      return false;
    }
    if (!utf8_to_cp1252(parts[0], &c.expected, &why) || !utf8_to_cp1252(parts[1], &c.typed, &why) ||
        c.expected.empty() || c.typed.empty() || c.rule.empty()) {
      *problem = where + "an empty or unreadable text " + say(why, Language::ENGLISH);
      return false;
    }
    cases->push_back(c);
  }
  if (cases->empty()) *problem = path + ": no cases";
  return !cases->empty();
}
