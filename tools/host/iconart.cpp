// iconart: turns a readable picture into a 1-bit icon (.ico) or cursor (.cur).
//
//   iconart INPUT OUTPUT
//
// INPUT is text; lines starting with '#' are comments. Directives come first:
//
//   kind icon | cursor
//   hotspot X Y            cursors only (the pixel that points)
//   colour C RRGGBB        pixel character C draws this colour (two at most)
//   clear C                pixel character C shows what lies beneath
//   invert C               pixel character C inverts what lies beneath (cursors)
//   pixels                 then one line per pixel row, top row first
//
// Every row must be as wide as the first one; width and height are 1 to 255
// and the width a multiple of 8. With two colours the first is palette
// entry 0. A palette of black and white gives a monochrome image; any other
// pair gives a two-colour one (a black triangle on light grey, say).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum PixelKind { COLOUR_0, COLOUR_1, CLEAR, INVERT };

struct Art {
  bool cursor = false;
  int hotspot_x = 0, hotspot_y = 0;
  uint32_t palette[2] = {0x000000, 0xFFFFFF};
  int colours = 0;
  int meaning[256];  // PixelKind per character, -1 when the character means nothing
  std::vector<std::string> rows;
};

bool fail(const char* path, int line, const char* what) {
  fprintf(stderr, "iconart: %s:%d: %s\n", path, line, what);
  return false;
}

bool read_directive(const char* path, int line_number, const std::string& line, Art* art) {
  char word[16] = {}, c = 0;
  unsigned value = 0;
  int x = 0, y = 0;
  if (sscanf(line.c_str(), "%15s", word) != 1) return true;  // blank line
  std::string directive = word;
  if (directive == "kind") {
    char kind[16] = {};
    if (sscanf(line.c_str(), "kind %15s", kind) != 1) return fail(path, line_number, "bad kind");
    if (strcmp(kind, "cursor") != 0 && strcmp(kind, "icon") != 0)
      return fail(path, line_number, "kind is icon or cursor");
    art->cursor = strcmp(kind, "cursor") == 0;
  } else if (directive == "hotspot") {
    if (sscanf(line.c_str(), "hotspot %d %d", &x, &y) != 2)
      return fail(path, line_number, "bad hotspot");
    art->hotspot_x = x;
    art->hotspot_y = y;
  } else if (directive == "colour") {
    if (sscanf(line.c_str(), "colour %c %x", &c, &value) != 2 || value > 0xFFFFFF)
      return fail(path, line_number, "bad colour");
    if (art->colours == 2) return fail(path, line_number, "two colours at most");
    art->palette[art->colours] = value;
    art->meaning[static_cast<unsigned char>(c)] = art->colours++;
  } else if (directive == "clear" || directive == "invert") {
    if (sscanf(line.c_str() + directive.size(), " %c", &c) != 1)
      return fail(path, line_number, "missing character");
    art->meaning[static_cast<unsigned char>(c)] = directive == "clear" ? CLEAR : INVERT;
  } else {
    return fail(path, line_number, "unknown directive");
  }
  return true;
}

bool read_art(const char* path, Art* art) {
  FILE* file = fopen(path, "rb");
  if (!file) return fail(path, 0, "cannot read");
  for (int& m : art->meaning) m = -1;
  std::vector<std::string> lines(1);
  for (int c; (c = fgetc(file)) != EOF;) {
    if (c == '\n')
      lines.emplace_back();
    else if (c != '\r')
      lines.back().push_back(static_cast<char>(c));
  }
  fclose(file);
  if (lines.back().empty()) lines.pop_back();

  bool in_pixels = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    int line_number = static_cast<int>(i) + 1;
    if (!in_pixels) {
      if (!line.empty() && line[0] == '#') continue;
      if (line.rfind("pixels", 0) == 0) {
        in_pixels = true;
      } else if (!read_directive(path, line_number, line, art)) {
        return false;
      }
      continue;
    }
    for (char c : line)
      if (art->meaning[static_cast<unsigned char>(c)] < 0)
        return fail(path, line_number, "pixel character without a meaning");
    if (!art->rows.empty() && line.size() != art->rows[0].size())
      return fail(path, line_number, "rows differ in width");
    art->rows.push_back(line);
  }
  size_t width = art->rows.empty() ? 0 : art->rows[0].size();
  if (width == 0 || width > 255 || width % 8 != 0 || art->rows.size() > 255)
    return fail(path, 0, "width must be 8 to 248 in steps of 8, height 1 to 255");
  // Drawing is (screen AND mask) XOR colour: a clear pixel must carry black,
  // an inverting one white.
  bool clear_used = false, invert_used = false;
  for (const std::string& row : art->rows)
    for (char c : row) {
      int kind = art->meaning[static_cast<unsigned char>(c)];
      clear_used |= kind == CLEAR;
      invert_used |= kind == INVERT;
    }
  if (clear_used && art->palette[0] != 0x000000)
    return fail(path, 0, "clear pixels need black as the first colour");
  if (invert_used && art->palette[1] != 0xFFFFFF)
    return fail(path, 0, "inverting pixels need white as the second colour");
  if (art->cursor && (art->hotspot_x < 0 || art->hotspot_x >= static_cast<int>(width) ||
                      art->hotspot_y < 0 || art->hotspot_y >= static_cast<int>(art->rows.size())))
    return fail(path, 0, "hotspot outside the picture");
  return true;
}

void put16(std::string* out, unsigned v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string* out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

// One image as the file stores it: a BITMAPINFOHEADER of double height, the
// two-entry colour table, the colour bits (XOR) and the mask bits (AND), each
// bottom row first, rows padded to four bytes.
std::string image_bytes(const Art& art) {
  int width = static_cast<int>(art.rows[0].size());
  int height = static_cast<int>(art.rows.size());
  int stride = (width / 8 + 3) / 4 * 4;
  std::string out;
  put32(&out, 40);
  put32(&out, width);
  put32(&out, 2 * height);
  put16(&out, 1);  // planes
  put16(&out, 1);  // bits per pixel
  put32(&out, 0);  // BI_RGB
  put32(&out, 2 * stride * height);
  put32(&out, 0);
  put32(&out, 0);
  put32(&out, 2);
  put32(&out, 0);
  for (uint32_t rgb : art.palette) {
    out.push_back(static_cast<char>(rgb & 0xFF));  // blue, green, red, 0
    out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
    out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
    out.push_back(0);
  }
  std::string colour_bits, mask_bits;
  for (int y = height - 1; y >= 0; --y) {
    std::string colour_row(stride, 0), mask_row(stride, 0);
    for (int x = 0; x < width; ++x) {
      int kind = art.meaning[static_cast<unsigned char>(art.rows[y][x])];
      bool colour = kind == COLOUR_1 || kind == INVERT;
      bool mask = kind == CLEAR || kind == INVERT;
      char bit = static_cast<char>(0x80 >> (x % 8));
      if (colour) colour_row[x / 8] |= bit;
      if (mask) mask_row[x / 8] |= bit;
    }
    colour_bits += colour_row;
    mask_bits += mask_row;
  }
  return out + colour_bits + mask_bits;
}

// The file: ICONDIR, one ICONDIRENTRY, the image. In a cursor's entry the
// planes and bit-count fields hold the hot spot.
std::string file_bytes(const Art& art) {
  std::string image = image_bytes(art);
  std::string out;
  put16(&out, 0);
  put16(&out, art.cursor ? 2 : 1);
  put16(&out, 1);
  out.push_back(static_cast<char>(art.rows[0].size()));
  out.push_back(static_cast<char>(art.rows.size()));
  out.push_back(2);  // colours
  out.push_back(0);
  put16(&out, art.cursor ? art.hotspot_x : 1);
  put16(&out, art.cursor ? art.hotspot_y : 1);
  put32(&out, static_cast<uint32_t>(image.size()));
  put32(&out, 6 + 16);
  return out + image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: iconart INPUT OUTPUT\n");
    return 2;
  }
  Art art;
  if (!read_art(argv[1], &art)) return 1;
  std::string bytes = file_bytes(art);
  FILE* file = fopen(argv[2], "wb");
  if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || fclose(file) != 0) {
    fprintf(stderr, "iconart: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
