#include "cli.h"

#include <CLI/CLI.hpp>
#include <cctype>

#include "core/authoring/files.h"
#include "core/authoring/packer.h"
#include "program.h"

namespace {

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
  std::string source, exe, folder, typed, lang, questions, output;
  int number = 0, field = 1;
};

// CLI11's own words in the help, for a French reader.
void speak_french(CLI::App* app) {
  std::shared_ptr<CLI::FormatterBase> formatter = app->get_formatter();
  formatter->label("Usage", "Utilisation");
  formatter->label("Positionals", "Arguments");
  formatter->label("OPTIONS", "OPTIONS");
  formatter->label("SUBCOMMAND", "COMMANDE");
  formatter->label("SUBCOMMANDS", "COMMANDES");
  formatter->label("REQUIRED", "OBLIGATOIRE");
  app->set_help_flag("-h,--help", "afficher cette aide");
}

void add_commands(CLI::App* app, Arguments* a, Language language) {
  auto text = [language](MessageId id) { return say(id, language); };
  const std::string commands = language == Language::FRENCH ? "Commandes" : "Subcommands";
  app->add_option("--lang", a->lang, text(MSG_HELP_LANG))->check(CLI::IsMember({"fr", "en"}));
  CLI::App* build = app->add_subcommand("build", text(MSG_HELP_BUILD))->group(commands);
  build->add_option("SOURCE", a->build.source, text(MSG_HELP_SOURCE))->required();
  build->add_option("-o,--output", a->build.output, text(MSG_HELP_BUILD_OUTPUT))->required();
  build->add_flag("--scorm", a->build.scorm, text(MSG_HELP_SCORM));
  build->add_option("--page", a->build.page, text(MSG_HELP_PAGE));
  build->add_option("--player", a->build.player, text(MSG_HELP_PLAYER));
  build->add_flag("--keep-pictures", a->build.keep_pictures, text(MSG_HELP_KEEP_PICTURES));
  build->add_option("--depfile", a->build.depfile, text(MSG_HELP_DEPFILE));
  build->add_option("--fields", a->build.fields, text(MSG_HELP_FIELDS));

  CLI::App* dump = app->add_subcommand("dump", text(MSG_HELP_DUMP))->group(commands);
  dump->add_option("QUIZ", a->exe, text(MSG_HELP_DUMP_QUIZ))->required();
  dump->add_option("-o,--output", a->folder, text(MSG_HELP_DUMP_OUTPUT));

  CLI::App* check = app->add_subcommand("check", text(MSG_HELP_CHECK))->group(commands);
  check->add_option("SOURCE", a->source, text(MSG_HELP_SOURCE))->required();

  CLI::App* attempt = app->add_subcommand("try", text(MSG_HELP_TRY))->group(commands);
  attempt->add_option("SOURCE", a->source, text(MSG_HELP_SOURCE))->required();
  attempt->add_option("N", a->number, text(MSG_HELP_TRY_NUMBER))->required();
  attempt->add_option("ANSWER", a->typed, text(MSG_HELP_TRY_ANSWER))->required();
  attempt->add_option("--field", a->field, text(MSG_HELP_TRY_FIELD))->capture_default_str();

  CLI::App* import = app->add_subcommand("import", text(MSG_HELP_IMPORT))->group(commands);
  import->add_option("FILE", a->questions, text(MSG_HELP_IMPORT_FILE))->required();
  import->add_option("-o,--output", a->output, text(MSG_HELP_IMPORT_OUTPUT))->required();

  CLI::App* export_ = app->add_subcommand("export", text(MSG_HELP_EXPORT))->group(commands);
  export_->add_option("SOURCE", a->source, text(MSG_HELP_SOURCE))->required();
  export_->add_option("-o,--output", a->output, text(MSG_HELP_EXPORT_OUTPUT))->required();
}

}  // namespace

Language command_line_language(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--") break;
    std::string value = arg.compare(0, 7, "--lang=") == 0 ? arg.substr(7)
                        : arg == "--lang" && i + 1 < argc ? argv[i + 1]
                                                          : "";
    if (value == "fr") return Language::FRENCH;
    if (value == "en") return Language::ENGLISH;
  }
  return author_language();
}

int quizpack_main(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Language language = command_line_language(argc, argv);
  CLI::App app(say(MSG_HELP, language), "quizpack");
  app.require_subcommand(1);
  // --lang is taken after the command too.
  app.fallthrough();
  // The same command line on every system: on Windows, CLI11 would otherwise
  // take "/x" for an option, and an absolute path with it.
  app.allow_windows_style_options(false);
  if (language == Language::FRENCH) speak_french(&app);
  app.failure_message([language](const CLI::App*, const CLI::Error& e) {
    return say(Message(MSG_USAGE_ERROR, {std::string(e.what())}), language) + "\n";
  });
  Arguments a;
  add_commands(&app, &a, language);
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
    a.build.language = language;
    status = build_quiz(a.build, &diagnostics, out);
  } else if (command == "dump") {
    status = dump_quiz(a.exe, a.folder, language, &diagnostics, out);
  } else if (command == "check") {
    status = check_quiz(a.source, language, &diagnostics, out);
  } else if (command == "import") {
    status = import_file(a.questions, a.output, language, &diagnostics, out);
  } else if (command == "export") {
    status = export_quiz(a.source, a.output, language, &diagnostics, out);
  } else {
    status = try_answer(a.source, a.number, a.typed, a.field, language, &diagnostics, out);
  }
  diagnostics.print(err, language);
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
