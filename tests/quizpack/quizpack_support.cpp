#include "quizpack_support.h"

#include <stb/stb_image_write.h>

#include "tools/quizpack/cli.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace {

void put16(std::string* b, size_t at, unsigned v) {
  (*b)[at] = char(v & 0xFF);
  (*b)[at + 1] = char((v >> 8) & 0xFF);
}
void put32(std::string* b, size_t at, unsigned v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

Resource resource(ResourceKey type, ResourceKey name, uint16_t language, std::string data) {
  Resource r;
  r.type = std::move(type);
  r.name = std::move(name);
  r.language = language;
  r.data = std::move(data);
  return r;
}

void append_bytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

}  // namespace

std::string bare_executable() {
  const size_t pe = 0x40, optional = pe + 24, sections = optional + 0xE0;
  std::string b(0x400, '\0');
  b[0] = 'M', b[1] = 'Z';
  put32(&b, 0x3C, pe);
  b.replace(pe, 4, "PE\0\0", 4);
  put16(&b, pe + 4, 0x14C);    // i386
  put16(&b, pe + 6, 1);        // one section
  put16(&b, pe + 20, 0xE0);    // optional header size
  put16(&b, pe + 22, 0x0102);  // executable, 32-bit
  put16(&b, optional, 0x10B);  // PE32
  put32(&b, optional + 28, 0x400000);
  put32(&b, optional + 32, 0x1000);  // section alignment
  put32(&b, optional + 36, 0x200);   // file alignment
  put32(&b, optional + 56, 0x2000);  // size of image
  put32(&b, optional + 60, 0x200);   // size of headers
  put16(&b, optional + 68, 2);       // GUI
  put32(&b, optional + 92, 16);      // data directory entries
  b.replace(sections, 8, ".text\0\0\0", 8);
  put32(&b, sections + 8, 0x10);
  put32(&b, sections + 12, 0x1000);
  put32(&b, sections + 16, 0x200);
  put32(&b, sections + 20, 0x200);
  put32(&b, sections + 36, 0x60000020);
  b[0x200] = char(0xC3);  // ret
  return b;
}

std::vector<Resource> player_resources() {
  return {
      resource(resource_number(16), resource_number(1), 0x409, "version block"),
      resource(resource_number(5), resource_number(1001), 0x409, "question page template"),
      resource(resource_number(5), resource_number(1002), 0x409, std::string("header\0panel", 12)),
      resource(resource_number(14), resource_name("A"), 0x409, "icon group"),
      resource(resource_number(14), resource_name("A"), 0x40C, "groupe d'ic\xF4nes"),
  };
}

std::string stand_in_player() {
  std::string out, problem;
  if (!write_resources(bare_executable(), player_resources(), &out, &problem))
    throw std::runtime_error(problem);
  return out;
}

// Paths are UTF-8 here as in quizpack; u8path keeps them so on Windows too.
TempFolder::TempFolder() {
  std::filesystem::path base = std::filesystem::temp_directory_path();
  std::random_device random;
  for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
    std::filesystem::path candidate = base / ("quizpack-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) dir_ = candidate.generic_u8string();
  }
  if (dir_.empty()) throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::u8path(dir_), ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& bytes) const {
  std::string file = path(name);
  std::filesystem::create_directories(std::filesystem::u8path(file).parent_path());
  std::ofstream(std::filesystem::u8path(file), std::ios::binary) << bytes;
  return file;
}

std::string read_bytes(const std::string& path) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string test_jpeg(int width, int height) {
  std::string pixels(size_t(width) * height * 3, char(0x80)), out;
  stbi_write_jpg_to_func(append_bytes, &out, width, height, 3, pixels.data(), 90);
  return out;
}

Outcome quizpack(std::vector<std::string> args) {
  args.insert(args.begin(), "quizpack");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  int status = quizpack_main(int(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}
