// Helpers for quizpack's tests: a small stand-in player and temporary folders.
#pragma once

#include <string>
#include <vector>

#include "core/authoring/files.h"
#include "core/authoring/pe_resources.h"

// A minimal PE32 program (headers and one code section) without resources.
std::string bare_executable();

// The resources the stand-in player carries: a version block, two dialogs,
// an icon group named "A" and one in another language.
std::vector<Resource> player_resources();

// bare_executable() with player_resources() written in.
std::string stand_in_player();

// A folder under the system's temporary folder, removed with what it holds.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  // Writes a file (and its folder, one level) and returns its path.
  std::string write(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir_;
};

std::string read_bytes(const std::string& path);

// quizpack's command line run in-process as an author runs it: its exit
// status and what it printed.
struct Outcome {
  int status;
  std::string out, err;
};
Outcome quizpack(std::vector<std::string> args);

// A JPEG of `width` x `height` in flat grey, made with the encoder quizpack uses.
std::string test_jpeg(int width, int height);
