// Any bytes as an executable: `quizpack dump` reads them and ends with a
// status and its messages; and when their resources can be read, writing
// them into the image (what packing over that file as the player does) gives
// an image whose resources read back the same, and writing them again changes
// nothing more.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/authoring/files.h"
#include "core/authoring/packer.h"
#include "core/authoring/pe_resources.h"

namespace {

std::vector<Resource> sorted(std::vector<Resource> list) {
  auto key = [](const Resource& r) {
    return std::make_tuple(!r.type.is_name(), r.type.name, r.type.id, !r.name.is_name(),
                           r.name.name, r.name.id, r.language);
  };
  std::sort(list.begin(), list.end(),
            [&key](const Resource& a, const Resource& b) { return key(a) < key(b); });
  return list;
}

bool same(const std::vector<Resource>& a, const std::vector<Resource>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].type != b[i].type || a[i].name != b[i].name || a[i].language != b[i].language ||
        a[i].codepage != b[i].codepage || a[i].data != b[i].data)
      return false;
  return true;
}

void dump(const std::string& image) {
  static const std::string path = "/tmp/pe_dump_fuzz-" + std::to_string(getpid()) + ".exe";
  Message problem;
  if (!write_file(path, image, 0600, &problem)) abort();
  Diagnostics diagnostics;
  std::ostringstream out;
  int status = dump_quiz(path, "", Language::ENGLISH, &diagnostics, out);
  if ((status == 0) == diagnostics.has_errors() || (status != 0 && status != 1)) abort();
  remove_file(path);
}

void rewrite(const std::string& image) {
  std::vector<Resource> resources, back, again;
  std::string written, rewritten;
  Message problem;
  if (!read_resources(image, &resources, &problem)) return;
  if (!write_resources(image, resources, &written, &problem)) return;
  if (!read_resources(written, &back, &problem)) abort();
  if (!same(sorted(resources), sorted(back))) abort();
  if (!write_resources(written, back, &rewritten, &problem) || rewritten != written) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string image(reinterpret_cast<const char*>(data), size);
  dump(image);
  rewrite(image);
  return 0;
}
