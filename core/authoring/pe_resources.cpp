#include "pe_resources.h"

#include <algorithm>
#include <cstring>

#include "core/carrier/pe_layout.h"

namespace {

using namespace pe_format;

const uint32_t SECTION_DATA_READ = 0x40000040;  // initialised data, readable

void put16(std::string* b, size_t at, uint16_t v) {
  (*b)[at] = char(v & 0xFF);
  (*b)[at + 1] = char(v >> 8);
}
void put32(std::string* b, size_t at, uint32_t v) {
  put16(b, at, uint16_t(v & 0xFFFF));
  put16(b, at + 2, uint16_t(v >> 16));
}

uint64_t align_up(uint64_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

bool fail(std::string* problem, const char* text) {
  *problem = text;
  return false;
}

// Names first, in the order the platform's binary search expects (upper case,
// then as stored), then numbers ascending.
bool key_less(const ResourceKey& a, const ResourceKey& b) {
  if (a.is_name() != b.is_name()) return a.is_name();
  if (!a.is_name()) return a.id < b.id;
  auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
  size_t n = std::min(a.name.size(), b.name.size());
  for (size_t i = 0; i < n; ++i)
    if (upper(a.name[i]) != upper(b.name[i])) return upper(a.name[i]) < upper(b.name[i]);
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

bool resource_less(const Resource* a, const Resource* b) {
  if (a->type != b->type) return key_less(a->type, b->type);
  if (a->name != b->name) return key_less(a->name, b->name);
  return a->language < b->language;
}

// Serialises a resource tree whose first byte will sit at `rva`: all
// directory tables, then the data entries, the name strings, and the data,
// each piece of data aligned to 8 bytes.
class TreeWriter {
 public:
  TreeWriter(std::vector<const Resource*> sorted, uint32_t rva)
      : list_(std::move(sorted)), rva_(rva) {}

  std::string write() {
    plan();
    out_.assign(size_, '\0');
    size_t next_table = 0, next_string = strings_start_, next_data = data_start_;
    size_t next_entry = entries_start_;
    // Level by level: the tables of one level follow each other, so a
    // table's children start where the previous table's children ended.
    size_t root = next_table;
    next_table += table_size(types_.size());
    write_header(root, types_);
    std::vector<size_t> name_tables;
    for (size_t t = 0; t < types_.size(); ++t) {
      name_tables.push_back(next_table);
      next_table += table_size(types_[t].names.size());
    }
    for (size_t t = 0; t < types_.size(); ++t) {
      write_entry(root, t, types_[t].key, SUBDIRECTORY | uint32_t(name_tables[t]), &next_string);
      write_header(name_tables[t], types_[t].names);
    }
    for (size_t t = 0; t < types_.size(); ++t) {
      for (size_t n = 0; n < types_[t].names.size(); ++n) {
        const NameNode& name = types_[t].names[n];
        size_t language_table = next_table;
        next_table += table_size(name.languages.size());
        write_entry(name_tables[t], n, name.key, SUBDIRECTORY | uint32_t(language_table),
                    &next_string);
        write_header_counts(language_table, 0, name.languages.size());
        for (size_t l = 0; l < name.languages.size(); ++l) {
          const Resource* r = name.languages[l];
          write_entry(language_table, l, resource_number(r->language), uint32_t(next_entry),
                      nullptr);
          put32(&out_, next_entry, uint32_t(rva_ + next_data));
          put32(&out_, next_entry + 4, uint32_t(r->data.size()));
          put32(&out_, next_entry + 8, r->codepage);
          next_entry += DATA_ENTRY;
          out_.replace(next_data, r->data.size(), r->data);
          next_data = size_t(align_up(next_data + r->data.size(), DATA_ALIGNMENT));
        }
      }
    }
    return out_;
  }

 private:
  struct NameNode {
    ResourceKey key;
    std::vector<const Resource*> languages;
  };
  struct TypeNode {
    ResourceKey key;
    std::vector<NameNode> names;
  };

  static size_t table_size(size_t entries) { return TABLE_HEADER + entries * TABLE_ENTRY; }

  void plan() {
    size_t tables = table_size(0), strings = 0, data = 0;
    for (const Resource* r : list_) {
      if (types_.empty() || types_.back().key != r->type) {
        types_.push_back({r->type, {}});
        tables += TABLE_ENTRY + TABLE_HEADER;
        strings += string_size(r->type);
      }
      std::vector<NameNode>& names = types_.back().names;
      if (names.empty() || names.back().key != r->name) {
        names.push_back({r->name, {}});
        tables += TABLE_ENTRY + TABLE_HEADER;
        strings += string_size(r->name);
      }
      names.back().languages.push_back(r);
      tables += TABLE_ENTRY;
      data += align_up(r->data.size(), DATA_ALIGNMENT);
    }
    entries_start_ = tables;
    strings_start_ = entries_start_ + list_.size() * DATA_ENTRY;
    data_start_ = size_t(align_up(strings_start_ + strings, DATA_ALIGNMENT));
    size_ = data_start_ + data;
  }

  static size_t string_size(const ResourceKey& key) {
    return key.is_name() ? 2 + 2 * key.name.size() : 0;
  }

  template <typename Nodes>
  void write_header(size_t at, const Nodes& nodes) {
    size_t named = 0;
    for (const auto& node : nodes) named += node.key.is_name();
    write_header_counts(at, named, nodes.size() - named);
  }

  void write_header_counts(size_t at, size_t named, size_t numbered) {
    put16(&out_, at + 12, uint16_t(named));
    put16(&out_, at + 14, uint16_t(numbered));
  }

  void write_entry(size_t table, size_t index, const ResourceKey& key, uint32_t target,
                   size_t* next_string) {
    size_t at = table + TABLE_HEADER + index * TABLE_ENTRY;
    if (key.is_name()) {
      put32(&out_, at, NAMED | uint32_t(*next_string));
      put16(&out_, *next_string, uint16_t(key.name.size()));
      for (size_t i = 0; i < key.name.size(); ++i)
        put16(&out_, *next_string + 2 + 2 * i, uint16_t(key.name[i]));
      *next_string += string_size(key);
    } else {
      put32(&out_, at, key.id);
    }
    put32(&out_, at + 4, target);
  }

  std::vector<const Resource*> list_;
  uint32_t rva_;
  std::vector<TypeNode> types_;
  size_t entries_start_ = 0, strings_start_ = 0, data_start_ = 0, size_ = 0;
  std::string out_;
};

// A last section that holds the resource tree and ends the file: a tree we
// wrote before, to be replaced rather than left behind.
bool replaceable_last_section(const std::string& image, const Layout& pe, uint32_t resource_rva) {
  if (pe.sections.empty()) return false;
  const Section& last = pe.sections.back();
  for (const Section& s : pe.sections) {
    // A section without file bytes (uninitialised data) has no file offset to compare.
    if (s.virtual_address > last.virtual_address ||
        (s.raw_size > 0 && s.raw_offset > last.raw_offset))
      return false;
  }
  // Its bytes follow the section table, as those of a section we write do:
  // cut off, the file keeps its table (found by fuzzing: a section claiming
  // the whole file from offset 0 left nothing to cut).
  uint64_t table_end = pe.section_table + uint64_t(pe.sections.size()) * SECTION_HEADER_SIZE;
  return last.virtual_address == resource_rva && last.raw_size > 0 &&
         last.raw_offset >= table_end && uint64_t(last.raw_offset) + last.raw_size == image.size();
}

bool header_has_room(const std::string& image, const Layout& pe) {
  size_t end = pe.section_table + pe.sections.size() * SECTION_HEADER_SIZE;
  if (end + SECTION_HEADER_SIZE > pe.size_of_headers || end + SECTION_HEADER_SIZE > image.size())
    return false;
  for (const Section& s : pe.sections)
    if (s.raw_size > 0 && end + SECTION_HEADER_SIZE > s.raw_offset) return false;
  for (size_t i = end; i < end + SECTION_HEADER_SIZE; ++i)
    if (image[i] != 0) return false;
  return true;
}

}  // namespace

bool write_resources(const std::string& image, const std::vector<Resource>& resources,
                     std::string* out, std::string* problem) {
  Layout pe;
  if (!parse_layout(image, &pe, problem)) return false;
  if (pe.directory_count <= DIRECTORY_RESOURCE)
    return fail(problem, "a PE executable without a resource entry in its data directory");
  std::vector<const Resource*> sorted;
  uint64_t total = 0;
  for (const Resource& r : resources) {
    sorted.push_back(&r);
    total += r.data.size();
  }
  if (total > MAX_RESOURCE_BYTES) return fail(problem, "the resources would exceed 1 GiB");
  std::sort(sorted.begin(), sorted.end(), resource_less);
  for (size_t i = 1; i < sorted.size(); ++i) {
    if (!resource_less(sorted[i - 1], sorted[i]))
      return fail(problem, "two resources of the same type, name and language");
  }

  std::string result = image;
  size_t resource_entry = pe.directories + DIRECTORY_RESOURCE * DIRECTORY_ENTRY_SIZE;
  if (replaceable_last_section(result, pe, get32(result, resource_entry))) {
    const Section& last = pe.sections.back();
    put32(&result, pe.optional + OPT_INITIALIZED_DATA,
          get32(result, pe.optional + OPT_INITIALIZED_DATA) - last.raw_size);
    result.resize(last.raw_offset);
    result.replace(last.header, SECTION_HEADER_SIZE, SECTION_HEADER_SIZE, '\0');
    pe.sections.pop_back();
  }
  // Tools that find the tree by the section's name must see the new one.
  for (const Section& s : pe.sections)
    if (result.compare(s.header, 8, ".rsrc\0\0\0", 8) == 0)
      result.replace(s.header, 8, ".rsrc0\0\0", 8);
  if (!header_has_room(result, pe))
    return fail(problem, "a PE executable with no room in its headers for another section");

  // The new section follows the last one directly (a replaced section
  // leaves no gap).
  uint64_t end_of_image = pe.size_of_headers;
  for (const Section& s : pe.sections)
    end_of_image = std::max<uint64_t>(
        end_of_image, uint64_t(s.virtual_address) + std::max(s.virtual_size, s.raw_size));
  uint64_t rva = align_up(end_of_image, pe.section_alignment);
  uint64_t offset = align_up(result.size(), pe.file_alignment);
  if (rva + total + (1u << 20) > 0x7FFFFFFFu)
    return fail(problem, "the executable would grow beyond what Windows loads");
  std::string tree = TreeWriter(sorted, uint32_t(rva)).write();
  uint64_t raw_size = align_up(tree.size(), pe.file_alignment);

  size_t header = pe.section_table + pe.sections.size() * SECTION_HEADER_SIZE;
  result.replace(header, 8, ".rsrc\0\0\0", 8);
  put32(&result, header + 8, uint32_t(tree.size()));
  put32(&result, header + 12, uint32_t(rva));
  put32(&result, header + 16, uint32_t(raw_size));
  put32(&result, header + 20, uint32_t(offset));
  put32(&result, header + 36, SECTION_DATA_READ);
  size_t coff = pe.optional - COFF_SIZE;
  put16(&result, coff + 2, uint16_t(pe.sections.size() + 1));
  put32(&result, resource_entry, uint32_t(rva));
  put32(&result, resource_entry + 4, uint32_t(tree.size()));
  put32(&result, pe.optional + OPT_SIZE_OF_IMAGE,
        uint32_t(align_up(rva + tree.size(), pe.section_alignment)));
  put32(&result, pe.optional + OPT_INITIALIZED_DATA,
        get32(result, pe.optional + OPT_INITIALIZED_DATA) + uint32_t(raw_size));
  // A signature no longer matches the changed file: drop its entry.
  if (pe.directory_count > DIRECTORY_SECURITY) {
    size_t security = pe.directories + DIRECTORY_SECURITY * DIRECTORY_ENTRY_SIZE;
    put32(&result, security, 0);
    put32(&result, security + 4, 0);
  }
  result.resize(size_t(offset), '\0');
  result += tree;
  result.resize(size_t(offset + raw_size), '\0');
  put32(&result, pe.optional + OPT_CHECKSUM, pe_checksum(result));
  *out = std::move(result);
  return true;
}

uint32_t pe_checksum(const std::string& image) {
  size_t checksum_at = SIZE_MAX;
  if (image.size() >= 64) {
    uint64_t coff = uint64_t(get32(image, DOS_NEW_HEADER)) + 4;
    if (coff + COFF_SIZE + OPT_CHECKSUM + 4 <= image.size())
      checksum_at = coff + COFF_SIZE + OPT_CHECKSUM;
  }
  uint64_t sum = 0;
  for (size_t i = 0; i < image.size(); i += 2) {
    if (i >= checksum_at && i < checksum_at + 4) continue;
    uint16_t word = uint8_t(image[i]);
    if (i + 1 < image.size()) word |= uint16_t(uint8_t(image[i + 1]) << 8);
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return uint32_t(sum + image.size());
}
