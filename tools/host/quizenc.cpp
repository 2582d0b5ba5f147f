// quizenc: turns readable content into resource bytes.
//
//   quizenc [--raw] INPUT OUTPUT
//
// INPUT is text: lines starting with '#' are comments, every other line is
// appended without its line break, with the escapes \xHH, \r, \n and \\.
// The bytes are LZW-encoded, or written as they are with --raw (for streams
// made by hand).
#include <cstdio>
#include <cstring>
#include <string>

#include "core/content/lzw.h"

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape_line(const std::string& line, std::string* out) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\') {
      out->push_back(line[i]);
      continue;
    }
    if (++i >= line.size()) return false;
    switch (line[i]) {
      case 'r': out->push_back('\r'); break;
      case 'n': out->push_back('\n'); break;
      case '\\': out->push_back('\\'); break;
      case 'x': {
        int high = i + 1 < line.size() ? hex_value(line[i + 1]) : -1;
        int low = i + 2 < line.size() ? hex_value(line[i + 2]) : -1;
        if (high < 0 || low < 0) return false;
        out->push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

bool read_content(const char* path, std::string* content) {
  FILE* file = fopen(path, "rb");
  if (!file) return false;
  std::string line;
  int c;
  int line_number = 1;
  bool ok = true;
  auto finish_line = [&]() {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != '#') {
      if (!unescape_line(line, content)) {
        fprintf(stderr, "quizenc: %s:%d: bad escape\n", path, line_number);
        ok = false;
      }
    }
    line.clear();
    ++line_number;
  };
  while ((c = fgetc(file)) != EOF) {
    if (c == '\n')
      finish_line();
    else
      line.push_back(static_cast<char>(c));
  }
  if (!line.empty()) finish_line();
  fclose(file);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  bool raw = argc == 4 && strcmp(argv[1], "--raw") == 0;
  if (argc != 3 && !raw) {
    fprintf(stderr, "usage: quizenc [--raw] INPUT OUTPUT\n");
    return 2;
  }
  const char* input = argv[argc - 2];
  const char* output = argv[argc - 1];
  std::string content;
  if (!read_content(input, &content)) {
    fprintf(stderr, "quizenc: cannot read %s\n", input);
    return 1;
  }
  std::string bytes = content;
  if (!raw) {
    LzwOutput encoded;
    int status = lzw_encode(reinterpret_cast<const unsigned char*>(content.data()), content.size(),
                            &encoded);
    if (status != LZW_OK) {
      fprintf(stderr, "quizenc: encoding %s failed (%d)\n", input, status);
      lzw_release(&encoded);
      return 1;
    }
    bytes.assign(reinterpret_cast<const char*>(encoded.bytes), encoded.length);
    lzw_release(&encoded);
  }
  FILE* file = fopen(output, "wb");
  if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || fclose(file) != 0) {
    fprintf(stderr, "quizenc: cannot write %s\n", output);
    return 1;
  }
  return 0;
}
