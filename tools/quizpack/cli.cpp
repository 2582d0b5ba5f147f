#include "cli.h"

#include <CLI/CLI.hpp>
#include <cctype>

#include "core/authoring/files.h"
#include "core/authoring/packer.h"
#include "program.h"

namespace {

const char DESCRIPTION[] =
    "quizpack turns a quiz source (a TOML file, see docs/quiz-format.md) into a ready player:\n"
    "  quizpack build quiz.toml -o quiz.exe            the Windows program\n"
    "  quizpack build quiz.toml -o quiz.html           a page any browser plays\n"
    "  quizpack build quiz.toml --scorm -o quiz.zip    a SCORM 1.2 package for school platforms\n"
    "Exit status 0 on success, 1 on an error in the quiz, 2 on a wrong command line.";

// The player built with quizpack: beside it, or in the folder above (the
// cross build puts quizpack in build/win32/host and the player in
// build/win32).
std::string default_player() {
  std::string self = program_path();
  if (self.empty()) return "";
  std::string folder = folder_of(self);
  for (const std::string& candidate :
       {path_in_folder(folder, "player.exe"), path_in_folder(folder, "../player.exe")})
    if (file_exists(candidate)) return candidate;
  return "";
}

// The web player's page, the template of quiz pages: beside quizpack (the
// release), in the folder above, or where the wasm build puts it beside the
// build quizpack belongs to (build/wasm/web beside build/native or
// build/win32/host).
std::string default_page() {
  std::string self = program_path();
  if (self.empty()) return "";
  std::string folder = folder_of(self);
  for (const char* candidate :
       {"player.html", "../player.html", "../wasm/web/player.html", "../../wasm/web/player.html"})
    if (file_exists(path_in_folder(folder, candidate))) return path_in_folder(folder, candidate);
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
  build
      ->add_option("-o,--output", a->build.output,
                   "the quiz to write: quiz.exe, quiz.html (a page), or quiz.zip with --scorm")
      ->required();
  build->add_flag(
      "--scorm", a->build.scorm,
      "write a SCORM 1.2 package (a .zip holding the quiz's page) for school platforms");
  build->add_option("--page", a->build.page,
                    "the web player's page that quiz pages are made from (default: player.html "
                    "beside quizpack, or the one the wasm build makes)");
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
  dump->add_option("QUIZ", a->exe, "a quiz made by quizpack build (.exe or .html)")->required();
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
  // The same command line on every system: on Windows, CLI11 would otherwise
  // take "/x" for an option, and an absolute path with it.
  app.allow_windows_style_options(false);
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
    if (a.build.page.empty()) a.build.page = default_page();
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

std::string dropped_quiz_output(int argc, const char* const* argv) {
  if (argc != 2) return "";
  std::string source = argv[1];
  const char extension[] = ".toml";
  size_t length = sizeof extension - 1;
  if (source.size() <= length) return "";
  for (size_t i = 0; i < length; ++i)
    if (tolower(static_cast<unsigned char>(source[source.size() - length + i])) != extension[i])
      return "";
  return source.substr(0, source.size() - length) + ".exe";
}
