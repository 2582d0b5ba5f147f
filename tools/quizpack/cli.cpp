#include "cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <climits>

#include "core/authoring/packer.h"

namespace {

const char DESCRIPTION[] =
    "quizpack turns a quiz source (a TOML file, see docs/quiz-format.md) into a ready player:\n"
    "  quizpack build quiz.toml -o quiz.exe\n"
    "Exit status 0 on success, 1 on an error in the quiz, 2 on a wrong command line.";

bool exists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The player built with quizpack: beside it, or in the folder above (the
// cross build puts quizpack in build/win32/host and the player in
// build/win32).
std::string default_player() {
  char self[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return "";
  std::string folder(self, size_t(length));
  folder.erase(folder.find_last_of('/'));
  for (const std::string& candidate : {folder + "/player.exe", folder + "/../player.exe"})
    if (exists(candidate)) return candidate;
  return "";
}

struct Arguments {
  BuildRequest build;
  std::string source, exe, folder, typed;
  int number = 0, field = 1;
};

void add_commands(CLI::App* app, Arguments* a) {
  CLI::App* build =
      app->add_subcommand("build", "Check a quiz source and pack it into a copy of the player");
  build->add_option("SOURCE", a->build.source, "the quiz source (.toml)")->required();
  build->add_option("-o,--output", a->build.output, "the quiz to write (.exe)")->required();
  build->add_option(
      "--player", a->build.player,
      "the player to copy (default: player.exe beside quizpack or in the folder above)");
  build->add_flag(
      "--keep-pictures", a->build.keep_pictures,
      "store every picture byte for byte instead of scaling large ones down to 260 x 260");
  build->add_option("--depfile", a->build.depfile,
                    "also write the files the quiz was made from, make-style");
  build->add_option("--fields", a->build.fields,
                    "also write the fields the player's loader will read (for tests)");

  CLI::App* dump = app->add_subcommand("dump", "Print the source of a packed quiz");
  dump->add_option("QUIZ", a->exe, "a quiz made by quizpack build (.exe)")->required();
  dump->add_option("-o,--output", a->folder,
                   "write FOLDER/quiz.toml and its media in FOLDER/media instead of printing");

  CLI::App* check =
      app->add_subcommand("check", "Check a quiz source and its media without building");
  check->add_option("SOURCE", a->source, "the quiz source (.toml)")->required();

  CLI::App* attempt =
      app->add_subcommand("try", "Print the verdict the player gives a typed answer");
  attempt->add_option("SOURCE", a->source, "the quiz source (.toml)")->required();
  attempt->add_option("N", a->number, "the question number, from 1")->required();
  attempt->add_option("ANSWER", a->typed, "the answer as typed (put -- before one starting with -)")
      ->required();
  attempt->add_option("--field", a->field, "the answer field, 1 or 2")->capture_default_str();
}

}  // namespace

int quizpack_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app(DESCRIPTION, "quizpack");
  app.require_subcommand(1);
  Arguments a;
  add_commands(&app, &a);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int status = app.exit(e, out, err);
    return status == 0 ? 0 : 2;
  }
  Diagnostics diagnostics;
  int status = 1;
  std::string command = app.get_subcommands().front()->get_name();
  if (command == "build") {
    if (a.build.player.empty()) a.build.player = default_player();
    status = build_quiz(a.build, &diagnostics, out);
  } else if (command == "dump") {
    status = dump_quiz(a.exe, a.folder, &diagnostics, out);
  } else if (command == "check") {
    status = check_quiz(a.source, &diagnostics, out);
  } else {
    status = try_answer(a.source, a.number, a.typed, a.field, &diagnostics, out);
  }
  diagnostics.print(err);
  return status;
}
