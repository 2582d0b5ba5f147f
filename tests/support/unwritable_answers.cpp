#include "unwritable_answers.h"

#include <windows.h>

bool block_answers(const std::string& answers_path) {
  return CreateDirectoryA((answers_path + ".tmp").c_str(), nullptr) != FALSE ||
         GetLastError() == ERROR_ALREADY_EXISTS;
}

void unblock_answers(const std::string& answers_path) {
  RemoveDirectoryA((answers_path + ".tmp").c_str());
}
