// How often judging agrees with what a French teacher accepts
// (tests/data/fairness.txt): the plain ladder, each judging option alone
// (over plain typography, which every option brings), and the "fair"
// preset. Prints, for each, the cases it agrees with and the confusion
// between the table's marks and the verdicts (right: "BRAVO", near: every
// near-miss word, wrong: "FAUX"); then where the preset agrees by group, and
// every case it misses with the teacher's rule. Figures, not a test.
//   build/bench/bench/fairness_bench [TABLE]
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/answers/judging.h"
#include "core/authoring/quiz_source.h"
#include "tests/support/fairness_table.h"

namespace {

struct Configuration {
  std::string name;
  bool options;  // false: the plain ladder
  JudgingRules rules;
};

Verdict judged(const Configuration& configuration, const FairnessCase& c) {
  if (!configuration.options) return judge_answer(c.expected.c_str(), c.typed.c_str());
  FieldAnswers answers = {};
  answers.accepted[0] = c.expected.c_str();
  answers.accepted_count = 1;
  return judge_with_rules(configuration.rules, answers, c.typed.c_str()).verdict;
}

std::vector<Configuration> configurations() {
  const JudgingRules typography = {};
  std::vector<Configuration> list = {{"plain ladder", false, typography},
                                     {"options: typography only", true, typography}};
  auto one = [&](const char* name, void (*set)(JudgingRules*)) {
    JudgingRules rules = typography;
    set(&rules);
    list.push_back({std::string("  + ") + name, true, rules});
  };
  one("accented_case", [](JudgingRules* r) { r->accented_case = true; });
  one("accents = \"hint\"", [](JudgingRules* r) { r->accents = ACCENTS_HINT; });
  one("accents = \"ignored\"", [](JudgingRules* r) { r->accents = ACCENTS_IGNORED; });
  one("articles", [](JudgingRules* r) { r->articles = true; });
  one("hyphens", [](JudgingRules* r) { r->hyphens = true; });
  one("punctuation", [](JudgingRules* r) { r->punctuation = true; });
  one("ligatures", [](JudgingRules* r) { r->ligatures = true; });
  one("unaccented_capitals", [](JudgingRules* r) { r->unaccented_capitals = true; });
  one("numbers", [](JudgingRules* r) { r->numbers = true; });
  one("optional_circumflex", [](JudgingRules* r) { r->optional_circumflex = true; });
  one("articles + capital_articles",
      [](JudgingRules* r) { r->articles = r->capital_articles = true; });
  JudgingRules fair;
  judging_preset("fair", &fair);
  list.push_back({"preset = \"fair\"", true, fair});
  return list;
}

}  // namespace

int main(int argc, char** argv) {
  std::string path = argc > 1 && argv[1][0] != '-' ? argv[1] : QUIZ_FAIRNESS_TABLE;
  std::vector<FairnessCase> cases;
  std::string problem;
  if (!read_fairness_table(path, &cases, &problem)) {
    fprintf(stderr, "fairness_bench: %s\n", problem.c_str());
    return 1;
  }
  int marks[MARK_COUNT] = {};
  for (const FairnessCase& c : cases) ++marks[c.mark];
  printf("%zu cases: %d right, %d near, %d wrong (%s)\n\n", cases.size(), marks[MARK_RIGHT],
         marks[MARK_NEAR], marks[MARK_WRONG], path.c_str());
  printf("%-32s %-14s %-14s%-14s%-14s\n", "", "agreement", "right as", "near as", "wrong as");
  printf("%-32s %-14s %-14s%-14s%-14s\n", "", "", "R   N   W", "R   N   W", "R   N   W");
  std::vector<Configuration> list = configurations();
  for (const Configuration& configuration : list) {
    int confusion[MARK_COUNT][MARK_COUNT] = {}, agreed = 0;
    for (const FairnessCase& c : cases) {
      Mark mark = mark_of(judged(configuration, c));
      ++confusion[c.mark][mark];
      agreed += mark == c.mark;
    }
    printf("%-32s %-4d %5.1f %%   ", configuration.name.c_str(), agreed,
           100.0 * agreed / double(cases.size()));
    for (int m = 0; m < MARK_COUNT; ++m)
      printf("%-3d %-3d %-3d   ", confusion[m][0], confusion[m][1], confusion[m][2]);
    printf("\n");
  }

  const Configuration& fair = list.back();
  std::map<std::string, std::pair<int, int>> groups;  // agreed, cases
  std::vector<std::string> order;
  std::string misses;
  for (const FairnessCase& c : cases) {
    if (!groups.count(c.group)) order.push_back(c.group);
    std::pair<int, int>& group = groups[c.group];
    ++group.second;
    FieldAnswers answers = {};
    answers.accepted[0] = c.expected.c_str();
    answers.accepted_count = 1;
    FieldVerdict verdict = judge_with_rules(fair.rules, answers, c.typed.c_str());
    if (mark_of(verdict.verdict) == c.mark) {
      ++group.first;
      continue;
    }
    misses += "  " + c.group + ": \"" + cp1252_to_utf8(c.typed) + "\" for \"" +
              cp1252_to_utf8(c.expected) + "\": " + cp1252_to_utf8(verdict.word) + ", " +
              mark_name(c.mark) + " for a teacher: " + c.rule + "\n";
  }
  printf("\nThe preset by group:\n");
  for (const std::string& group : order)
    printf("  %-24s %3d of %3d\n", group.c_str(), groups[group].first, groups[group].second);
  printf("\nThe cases the preset misses:\n%s", misses.c_str());
  return 0;
}
