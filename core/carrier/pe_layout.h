// The headers of a Windows executable (PE32 or PE32+) as the resource reader
// and the resource writer (core/authoring/pe_resources.cpp) both need them:
// where the optional header, the data directory and the sections lie. Every
// offset is checked against the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pe_format {

// Offsets into the headers; the optional header's fields below the data
// directory sit at the same places in PE32 and PE32+.
const size_t DOS_NEW_HEADER = 0x3C;
const size_t COFF_SIZE = 20, SECTION_HEADER_SIZE = 40, DIRECTORY_ENTRY_SIZE = 8;
const size_t OPT_INITIALIZED_DATA = 8, OPT_SECTION_ALIGNMENT = 32, OPT_FILE_ALIGNMENT = 36;
const size_t OPT_SIZE_OF_IMAGE = 56, OPT_SIZE_OF_HEADERS = 60, OPT_CHECKSUM = 64;
const uint32_t DIRECTORY_RESOURCE = 2, DIRECTORY_SECURITY = 4;
const uint32_t SUBDIRECTORY = 0x80000000u, NAMED = 0x80000000u;
// A resource tree is three levels deep: type, name, language.
const size_t TABLE_HEADER = 16, TABLE_ENTRY = 8, DATA_ENTRY = 16, DATA_ALIGNMENT = 8;
// Keeps a crafted tree (many entries naming the same large data) from
// making us allocate without end; far above any quiz.
const uint64_t MAX_RESOURCE_BYTES = 1u << 30;

inline uint16_t get16(const std::string& b, size_t at) {
  return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}
inline uint32_t get32(const std::string& b, size_t at) {
  return get16(b, at) | uint32_t(get16(b, at + 2)) << 16;
}

struct Section {
  size_t header;  // file offset of its section header
  uint32_t virtual_size, virtual_address, raw_size, raw_offset;
};

struct Layout {
  size_t optional;  // file offset of the optional header
  size_t directories;
  uint32_t directory_count;
  size_t section_table;
  uint32_t section_alignment, file_alignment, size_of_headers;
  std::vector<Section> sections;
};

// Reads the headers of a program (not a DLL). False with `problem` for
// anything else or anything damaged.
bool parse_layout(const std::string& image, Layout* pe, std::string* problem);

// The file offset of `size` bytes at `rva`, when they all lie in one
// section's raw data inside the file.
bool rva_to_offset(const std::string& image, const Layout& pe, uint32_t rva, uint64_t size,
                   size_t* offset);

}  // namespace pe_format
