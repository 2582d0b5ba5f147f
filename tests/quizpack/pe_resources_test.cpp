// The native resource writer: what it writes reads back exactly, keeps what
// the player carried, and refuses files it cannot handle soundly.
#include "core/authoring/pe_resources.h"

#include <gtest/gtest.h>

#include "quizpack_support.h"

namespace {

uint32_t get32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
         uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
}
uint16_t section_count(const std::string& image) { return uint16_t(get32(image, 0x46)); }
const size_t OPTIONAL = 0x58;

std::vector<Resource> read_back(const std::string& image) {
  std::vector<Resource> resources;
  Message problem;
  EXPECT_TRUE(read_resources(image, &resources, &problem)) << problem;
  return resources;
}

void expect_same(const std::vector<Resource>& expected, const std::vector<Resource>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (const Resource& e : expected) {
    bool found = false;
    for (const Resource& a : actual)
      found = found || (a.type == e.type && a.name == e.name && a.language == e.language &&
                        a.data == e.data && a.codepage == e.codepage);
    EXPECT_TRUE(found) << "missing resource " << e.name.id;
  }
}

Resource picture(uint16_t id, std::string data) {
  Resource r;
  r.type = resource_name("IMG");
  r.name = resource_number(id);
  r.data = std::move(data);
  return r;
}

TEST(PeResources, WrittenTreeReadsBackExactly) {
  std::string player = stand_in_player();
  expect_same(player_resources(), read_back(player));
  EXPECT_EQ(section_count(player), 2);
  EXPECT_EQ(get32(player, OPTIONAL + 64), pe_checksum(player));
  // The headers describe the new section: data directory, image size.
  uint32_t rva = get32(player, OPTIONAL + 96 + 2 * 8);
  EXPECT_EQ(rva, 0x2000u);
  EXPECT_EQ(get32(player, OPTIONAL + 56), 0x3000u);
}

TEST(PeResources, NamesSortBeforeNumbersAndEveryLanguageStays) {
  std::vector<Resource> resources = player_resources();
  resources.push_back(picture(10401, std::string(5000, 'x')));
  resources.push_back(picture(401, "odd"));  // odd length: the next data stays aligned
  resources.push_back(picture(402, ""));
  Resource content;
  content.type = resource_name("PATCH");
  content.name = resource_number(104);
  content.codepage = 1252;
  content.data = "content";
  resources.push_back(content);
  std::string image;
  Message problem;
  ASSERT_TRUE(write_resources(bare_executable(), resources, &image, &problem)) << problem;
  std::vector<Resource> back = read_back(image);
  expect_same(resources, back);
  EXPECT_TRUE(back[0].type.is_name());  // "IMG" then "PATCH", then the numbered types
  const Resource* odd = find_resource(back, resource_name("IMG"), resource_number(401));
  ASSERT_NE(odd, nullptr);
  EXPECT_EQ(odd->data, "odd");
}

TEST(PeResources, PackingAgainReplacesItsOwnSection) {
  std::string once, twice;
  Message problem;
  std::vector<Resource> resources = player_resources();
  resources.push_back(picture(401, "first"));
  ASSERT_TRUE(write_resources(stand_in_player(), resources, &once, &problem));
  resources.back().data = "second";
  ASSERT_TRUE(write_resources(once, resources, &twice, &problem));
  EXPECT_EQ(section_count(once), 2);
  EXPECT_EQ(section_count(twice), 2);
  EXPECT_EQ(once.size(), twice.size());
  EXPECT_EQ(get32(twice, OPTIONAL + 96 + 16), get32(once, OPTIONAL + 96 + 16));
  EXPECT_EQ(get32(twice, OPTIONAL + 56), get32(once, OPTIONAL + 56));
  // The same resources packed again give the same file.
  std::string thrice;
  ASSERT_TRUE(write_resources(twice, read_back(once), &thrice, &problem));
  EXPECT_EQ(thrice, once);
  expect_same(resources, read_back(twice));
}

TEST(PeResources, AnOldTreeThatIsNotLastIsLeftBehindRenamed) {
  std::string player = stand_in_player();
  // Put a section after the resources, as the linker puts its relocations.
  std::string image = player;
  size_t header = 0x138 + 2 * 40;
  image.replace(header, 8, ".reloc\0\0", 8);
  image[header + 8] = 0x10;                                         // virtual size
  image[header + 13] = 0x30;                                        // virtual address 0x3000
  image[header + 17] = 0x02;                                        // raw size 0x200
  image.replace(header + 20, 4, std::string{0, char(0x06), 0, 0});  // at 0x600
  image[0x46] = 3;
  image.resize(0x800, '\0');
  image.replace(OPTIONAL + 56, 4, std::string{0, 0x40, 0, 0});
  std::string packed;
  Message problem;
  std::vector<Resource> resources = read_back(image);
  ASSERT_TRUE(write_resources(image, resources, &packed, &problem)) << problem;
  EXPECT_EQ(section_count(packed), 4);
  EXPECT_EQ(packed.compare(0x138 + 40, 8, ".rsrc0\0\0", 8), 0);
  EXPECT_EQ(packed.compare(0x138 + 3 * 40, 8, ".rsrc\0\0\0", 8), 0);
  EXPECT_EQ(get32(packed, OPTIONAL + 96 + 16), 0x4000u);
  EXPECT_EQ(packed.compare(0x600, 0x200, image, 0x600, 0x200), 0);  // sections stay in place
  expect_same(resources, read_back(packed));
}

TEST(PeResources, RefusesWhatIsNotAProgram) {
  std::string out;
  Message problem;
  std::vector<Resource> resources;
  EXPECT_FALSE(read_resources("", &resources, &problem));
  EXPECT_NE(english(problem).find("not a Windows executable"), std::string::npos);
  EXPECT_FALSE(read_resources("MZ" + std::string(100, '\0'), &resources, &problem));
  EXPECT_FALSE(read_resources("#!/bin/sh\necho hello\n", &resources, &problem));

  std::string dll = bare_executable();
  dll[0x40 + 23] = 0x21;  // IMAGE_FILE_DLL
  EXPECT_FALSE(read_resources(dll, &resources, &problem));
  EXPECT_NE(english(problem).find("not a program"), std::string::npos);

  std::string cut = stand_in_player();
  cut.resize(0x150);  // inside the section table
  EXPECT_FALSE(read_resources(cut, &resources, &problem));
  EXPECT_FALSE(write_resources(cut, {}, &out, &problem));
}

TEST(PeResources, RefusesDamagedTrees) {
  std::string player = stand_in_player();
  Message problem;
  std::vector<Resource> resources;
  size_t tree = get32(player, 0x138 + 40 + 20);  // the resource section's raw data
  // A type entry that points far outside the tree.
  std::string far = player;
  far.replace(tree + 16 + 4, 4, std::string{0, 0, 0, char(0xFF)});
  EXPECT_FALSE(read_resources(far, &resources, &problem));
  EXPECT_NE(english(problem).find("damaged"), std::string::npos);
  // A data entry whose bytes lie beyond the file.
  std::string big = player;
  for (size_t at = tree; at + 16 <= big.size(); ++at) {
    if (get32(big, at) >= 0x2000 && get32(big, at) < 0x3000 && get32(big, at + 4) == 13) {
      big.replace(at + 4, 4, std::string{0, 0, 0, 0x10});
      break;
    }
  }
  EXPECT_FALSE(read_resources(big, &resources, &problem));
  // A name table that is the root again: its entries are not languages.
  std::string loop = player;
  loop.replace(tree + 16 + 4, 4, std::string{0, 0, 0, char(0x80)});
  EXPECT_FALSE(read_resources(loop, &resources, &problem));
}

// Every byte of the headers and of the tree changed in turn, and every
// length cut: read and write either work or refuse, and never read or write
// outside the file (the sanitizers watch).
TEST(PeResources, DamagedFilesNeverReadOutOfBounds) {
  std::vector<Resource> resources = player_resources();
  resources.push_back(picture(401, "picture"));
  std::string player, out;
  Message problem;
  ASSERT_TRUE(write_resources(bare_executable(), resources, &player, &problem));
  std::vector<Resource> back;
  for (size_t at = 0; at < player.size(); ++at) {
    if (at >= 0x200 && at < 0x400) continue;  // the code section
    for (char value : {char(0x00), char(0x7F), char(0x80), char(0xFF)}) {
      std::string damaged = player, again;
      damaged[at] = value;
      if (!read_resources(damaged, &back, &problem) ||
          !write_resources(damaged, back, &out, &problem))
        continue;
      // What was written reads back, and packing it again changes nothing.
      std::vector<Resource> written;
      ASSERT_TRUE(read_resources(out, &written, &problem)) << at << ": " << problem;
      ASSERT_TRUE(write_resources(out, written, &again, &problem)) << at << ": " << problem;
      EXPECT_EQ(again, out) << at;
    }
  }
  // The resource section ends the file: any cut leaves it incomplete.
  for (size_t length = 0; length < player.size(); length += 7)
    EXPECT_FALSE(read_resources(player.substr(0, length), &back, &problem)) << length;
}

// Sections whose bytes lie beyond the file are refused (found by fuzzing: a
// new section went where they claimed to be, and every packing added one).
// A section without file bytes may say any offset.
TEST(PeResources, SectionsMustLieInTheFile) {
  std::string beyond = bare_executable(), out;
  Message problem;
  const size_t raw_offset = 0x138 + 20;
  beyond[raw_offset + 2] = 0x05;  // the code section's bytes at 0x50200
  std::vector<Resource> back;
  EXPECT_FALSE(read_resources(beyond, &back, &problem));
  EXPECT_EQ(english(problem), "a damaged PE executable: a section lies beyond the end of the file");
  EXPECT_FALSE(write_resources(beyond, player_resources(), &out, &problem));

  std::string empty = beyond, again;
  empty.replace(0x138 + 16, 4, std::string(4, '\0'));  // no file bytes
  ASSERT_TRUE(write_resources(empty, player_resources(), &out, &problem)) << problem;
  ASSERT_TRUE(write_resources(out, player_resources(), &again, &problem)) << problem;
  EXPECT_EQ(again, out);
}

// A last section that holds the tree and ends the file, but whose bytes
// start inside the headers, is no section quizpack wrote: it is not cut off
// with the headers (found by fuzzing), and the file is refused for want of
// room for a new section.
TEST(PeResources, ALastSectionOverTheHeadersIsNotReplaced) {
  std::string image = stand_in_player(), out;
  Message problem;
  image.replace(0x138 + 16, 4, std::string(4, '\0'));   // the code section without file bytes
  size_t header = 0x138 + 40;                           // the resource section
  image.replace(header + 16, 8, std::string(8, '\0'));  // raw size and offset 0
  image[header + 17] = char(image.size() >> 8);         // the whole file from offset 0
  image[header + 18] = char(image.size() >> 16);
  ASSERT_EQ(image.size() % 0x100, 0u);
  EXPECT_FALSE(write_resources(image, player_resources(), &out, &problem));
  EXPECT_NE(english(problem).find("no room"), std::string::npos) << problem;
}

// A file alignment above the format's 64 KiB is refused: a crafted 256 MiB
// made packing a 2 KB file write half a gigabyte (found by fuzzing).
TEST(PeResources, FileAlignmentAbove64KiBIsRefused) {
  std::string image = bare_executable(), out;
  Message problem;
  const size_t file_alignment = OPTIONAL + 36;
  image.replace(file_alignment, 4, std::string("\0\0\1\0", 4));  // 64 KiB: allowed
  ASSERT_TRUE(write_resources(image, player_resources(), &out, &problem)) << problem;
  EXPECT_EQ(out.size() % 0x10000, 0u);
  image.replace(file_alignment, 4, std::string("\0\0\0\x10", 4));  // 256 MiB
  std::vector<Resource> back;
  EXPECT_FALSE(read_resources(image, &back, &problem));
  EXPECT_EQ(english(problem), "a damaged PE executable: its file alignment is above 64 KiB");
  EXPECT_FALSE(write_resources(image, player_resources(), &out, &problem));
}

TEST(PeResources, NeedsRoomForANewSectionHeader) {
  std::string crowded = bare_executable(), out;
  Message problem;
  crowded.replace(0x138 + 40, 40, std::string(40, char(0xCC)));
  EXPECT_FALSE(write_resources(crowded, player_resources(), &out, &problem));
  EXPECT_NE(english(problem).find("no room"), std::string::npos);
}

TEST(PeResources, RefusesTwoResourcesOfTheSameNameAndLanguage) {
  std::vector<Resource> resources = {picture(401, "a"), picture(401, "b")};
  std::string out;
  Message problem;
  EXPECT_FALSE(write_resources(bare_executable(), resources, &out, &problem));
}

TEST(PeResources, ChecksumOfKnownBytes) {
  // Words 0x0201 + 0x0403 plus the length 4; the checksum field itself is
  // not part of a file this short.
  EXPECT_EQ(pe_checksum(std::string{1, 2, 3, 4}), 0x0604u + 4);
  EXPECT_EQ(pe_checksum(std::string{char(0xFF), char(0xFF), 2, 0}), 0x0002u + 4);  // carry folded
}

}  // namespace
