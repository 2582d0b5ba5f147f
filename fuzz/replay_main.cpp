// Replays fuzz inputs without libFuzzer: every file named, or every file of
// every directory named, is handed to the target once.
#include <dirent.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int replay_file(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::vector<uint8_t> bytes;
  int c;
  while ((c = fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
  fclose(file);
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    struct stat info;
    if (stat(argv[i], &info) != 0) continue;
    if (!S_ISDIR(info.st_mode)) {
      replayed += replay_file(argv[i]);
      continue;
    }
    if (DIR* dir = opendir(argv[i])) {
      while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.')
          replayed += replay_file(std::string(argv[i]) + "/" + entry->d_name);
      }
      closedir(dir);
    }
  }
  printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
