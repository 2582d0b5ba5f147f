// The example quizzes the build packed beside the window tests, by name
// ("capitales" for capitales.exe), from QUIZ_EXAMPLES ("capitales;films;...").
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> example_quizzes() {
  std::vector<std::string> names;
  std::string list = QUIZ_EXAMPLES;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) names.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}
