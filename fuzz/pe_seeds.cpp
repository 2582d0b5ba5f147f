// Seeds for pe_dump_fuzz: each quiz source named, packed into the small
// stand-in player of quizpack's tests, and the stand-in alone.
//   pe_seeds FOLDER SOURCE.toml...
#include <cstdio>
#include <iostream>
#include <string>

#include "core/authoring/packer.h"
#include "tests/quizpack/quizpack_support.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string folder = argv[1], player = stand_in_player();
  Message problem;
  if (!write_file(folder + "/stand-in.exe", player, 0644, &problem)) return 1;
  for (int i = 2; i < argc; ++i) {
    PreparedQuiz prepared;
    Diagnostics diagnostics;
    std::string source = argv[i], packed;
    if (!prepare_quiz(source, false, &prepared, &diagnostics)) {
      diagnostics.print(std::cerr);
      return 1;
    }
    std::vector<Resource> resources = player_resources();
    resources.insert(resources.end(), prepared.resources.begin(), prepared.resources.end());
    std::string name = source.substr(source.find_last_of('/') + 1);
    name = name.substr(0, name.find_last_of('.'));
    if (!write_resources(player, resources, &packed, &problem) ||
        !write_file(folder + "/" + name + ".exe", packed, 0644, &problem)) {
      fprintf(stderr, "%s: %s\n", source.c_str(), say(problem, Language::ENGLISH).c_str());
      return 1;
    }
  }
  return 0;
}
