// Writes one resource into a copy of a packed quiz, for the web player's
// tests of hostile files:
//
//   put_resource QUIZ.exe OUT.exe TYPE ID FILE [--encode] [--cut N]
//     OUT.exe is QUIZ.exe with resource TYPE (a name: PATCH, IMG) number ID
//     holding FILE's bytes, LZW-encoded as the player reads its content with
//     --encode, and only their first N bytes with --cut (a stream cut short).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/authoring/pe_resources.h"
#include "core/content/lzw.h"

namespace {

bool read_file(const char* path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool encode(std::string* bytes) {
  LzwOutput out = {};
  if (lzw_encode(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size(), &out) !=
      LZW_OK)
    return false;
  bytes->assign(reinterpret_cast<const char*>(out.bytes), out.length);
  lzw_release(&out);
  return true;
}

int fail(const char* what) {
  fprintf(stderr, "put_resource: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6)
    return fail("usage: put_resource QUIZ.exe OUT.exe TYPE ID FILE [--encode] [--cut N]");
  std::string image, data, out;
  Message problem;
  if (!read_file(argv[1], &image) || !read_file(argv[5], &data)) return fail("cannot read");
  for (int i = 6; i < argc; ++i) {
    if (!strcmp(argv[i], "--encode") && !encode(&data)) return fail("cannot encode");
    if (!strcmp(argv[i], "--cut") && i + 1 < argc)
      data.resize(std::min(data.size(), size_t(atol(argv[++i]))));
  }
  std::vector<Resource> resources;
  if (!read_resources(image, &resources, &problem))
    return fail(say(problem, Language::ENGLISH).c_str());
  Resource wanted;
  wanted.type = resource_name(argv[3]);
  wanted.name = resource_number(uint16_t(atoi(argv[4])));
  bool replaced = false;
  for (Resource& r : resources) {
    if (r.type != wanted.type || r.name != wanted.name) continue;
    r.data = data;
    replaced = true;
  }
  if (!replaced) {
    wanted.data = data;
    resources.push_back(wanted);
  }
  if (!write_resources(image, resources, &out, &problem))
    return fail(say(problem, Language::ENGLISH).c_str());
  std::ofstream(argv[2], std::ios::binary).write(out.data(), std::streamsize(out.size()));
  return 0;
}
