#include "pe_reader.h"

#include "pe_layout.h"

using namespace pe_format;

namespace {

const uint16_t MAGIC_PE32 = 0x10B, MAGIC_PE32_PLUS = 0x20B;
const uint16_t FILE_EXECUTABLE = 0x0002, FILE_DLL = 0x2000;
// Tables may point at each other: the walk visits at most this many entries.
const uint64_t MAX_TREE_ENTRIES = 1u << 20;
// The largest file alignment the PE format allows.
const uint32_t MAX_FILE_ALIGNMENT = 1u << 16;

bool power_of_two(uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

bool fail(std::string* problem, const char* text) {
  *problem = text;
  return false;
}

}  // namespace

namespace pe_format {

bool parse_layout(const std::string& image, Layout* pe, std::string* problem) {
  const char* not_pe = "not a Windows executable (PE)";
  if (image.size() < 64 || image[0] != 'M' || image[1] != 'Z') return fail(problem, not_pe);
  uint64_t signature = get32(image, DOS_NEW_HEADER);
  if (signature + 4 + COFF_SIZE > image.size() || image.compare(signature, 4, "PE\0\0", 4) != 0)
    return fail(problem, not_pe);
  size_t coff = signature + 4;
  uint16_t section_count = get16(image, coff + 2), optional_size = get16(image, coff + 16);
  uint16_t characteristics = get16(image, coff + 18);
  if (!(characteristics & FILE_EXECUTABLE) || (characteristics & FILE_DLL))
    return fail(problem, "a PE file but not a program (.exe)");
  pe->optional = coff + COFF_SIZE;
  pe->section_table = pe->optional + optional_size;
  if (optional_size < 2 || pe->section_table + section_count * SECTION_HEADER_SIZE > image.size())
    return fail(problem, "a damaged PE executable: its headers are cut short");
  uint16_t magic = get16(image, pe->optional);
  size_t count_at = magic == MAGIC_PE32 ? 92 : magic == MAGIC_PE32_PLUS ? 108 : 0;
  if (count_at == 0 || count_at + 4 > optional_size)
    return fail(problem, "a PE file of an unknown kind (optional header)");
  pe->directory_count = get32(image, pe->optional + count_at);
  pe->directories = pe->optional + count_at + 4;
  if (uint64_t(count_at) + 4 + uint64_t(pe->directory_count) * DIRECTORY_ENTRY_SIZE > optional_size)
    return fail(problem, "a damaged PE executable: its data directory is cut short");
  pe->section_alignment = get32(image, pe->optional + OPT_SECTION_ALIGNMENT);
  pe->file_alignment = get32(image, pe->optional + OPT_FILE_ALIGNMENT);
  pe->size_of_headers = get32(image, pe->optional + OPT_SIZE_OF_HEADERS);
  if (!power_of_two(pe->section_alignment) || !power_of_two(pe->file_alignment))
    return fail(problem, "a damaged PE executable: its alignments are not powers of two");
  // Programs align their sections' bytes in the file to 64 KiB at most; a
  // new section aligned to a crafted 256 MiB made packing write half a
  // gigabyte from a 2 KB file (found by fuzzing).
  if (pe->file_alignment > MAX_FILE_ALIGNMENT)
    return fail(problem, "a damaged PE executable: its file alignment is above 64 KiB");
  for (uint16_t i = 0; i < section_count; ++i) {
    size_t at = pe->section_table + i * SECTION_HEADER_SIZE;
    Section s = {at, get32(image, at + 8), get32(image, at + 12), get32(image, at + 16),
                 get32(image, at + 20)};
    // The system loads no program whose sections lie beyond its file; a new
    // section written after the file's end would overlap them.
    if (s.raw_size > 0 && uint64_t(s.raw_offset) + s.raw_size > image.size())
      return fail(problem, "a damaged PE executable: a section lies beyond the end of the file");
    pe->sections.push_back(s);
  }
  return true;
}

bool rva_to_offset(const std::string& image, const Layout& pe, uint32_t rva, uint64_t size,
                   size_t* offset) {
  for (const Section& s : pe.sections) {
    if (rva < s.virtual_address) continue;
    uint64_t inside = rva - s.virtual_address;
    if (inside + size > s.raw_size || uint64_t(s.raw_offset) + s.raw_size > image.size()) continue;
    *offset = size_t(s.raw_offset + inside);
    return true;
  }
  return false;
}

}  // namespace pe_format

namespace {

// Walks the three levels of a resource tree with every offset checked.
class TreeReader {
 public:
  TreeReader(const std::string& image, const Layout& pe, size_t root, size_t limit)
      : image_(image), pe_(pe), root_(root), limit_(limit) {}

  bool read(std::vector<Resource>* out, std::string* problem) {
    std::vector<Entry> types, names, languages;
    if (!table(0, &types)) return fail(problem, damaged_);
    for (const Entry& type : types) {
      if (!type.subdirectory || !table(type.target, &names)) return fail(problem, damaged_);
      for (const Entry& name : names) {
        if (!name.subdirectory || !table(name.target, &languages)) return fail(problem, damaged_);
        for (const Entry& language : languages) {
          Resource resource{type.key, name.key, language.key.id, 0, ""};
          if (language.subdirectory || language.key.is_name() || !data(language.target, &resource))
            return fail(problem, damaged_);
          total_ += resource.data.size();
          if (total_ > MAX_RESOURCE_BYTES) return fail(problem, "resources larger than 1 GiB");
          out->push_back(std::move(resource));
        }
      }
    }
    return true;
  }

 private:
  struct Entry {
    ResourceKey key;
    bool subdirectory;
    uint32_t target;
  };

  bool inside(uint64_t offset, uint64_t size) const { return offset + size <= limit_; }

  bool table(uint32_t offset, std::vector<Entry>* entries) {
    entries->clear();
    if (!inside(offset, TABLE_HEADER)) return false;
    size_t at = root_ + offset;
    uint32_t count = uint32_t(get16(image_, at + 12)) + get16(image_, at + 14);
    if (!inside(offset + TABLE_HEADER, uint64_t(count) * TABLE_ENTRY)) return false;
    visited_ += count;
    if (visited_ > MAX_TREE_ENTRIES) return false;
    for (uint32_t i = 0; i < count; ++i) {
      size_t entry = at + TABLE_HEADER + i * TABLE_ENTRY;
      uint32_t name = get32(image_, entry), target = get32(image_, entry + 4);
      Entry e{{}, (target & SUBDIRECTORY) != 0, target & ~SUBDIRECTORY};
      if (name & NAMED) {
        if (!string(name & ~NAMED, &e.key.name)) return false;
      } else {
        e.key.id = uint16_t(name);
      }
      entries->push_back(e);
    }
    return true;
  }

  bool string(uint32_t offset, std::u16string* text) {
    if (!inside(offset, 2)) return false;
    uint16_t length = get16(image_, root_ + offset);
    if (length == 0 || !inside(offset + 2, uint64_t(length) * 2)) return false;
    for (uint16_t i = 0; i < length; ++i)
      text->push_back(char16_t(get16(image_, root_ + offset + 2 + i * 2)));
    return true;
  }

  bool data(uint32_t offset, Resource* resource) {
    if (!inside(offset, DATA_ENTRY)) return false;
    size_t at = root_ + offset;
    uint32_t rva = get32(image_, at), size = get32(image_, at + 4);
    resource->codepage = get32(image_, at + 8);
    size_t file_offset;
    if (!rva_to_offset(image_, pe_, rva, size, &file_offset)) return false;
    resource->data = image_.substr(file_offset, size);
    return true;
  }

  const std::string& image_;
  const Layout& pe_;
  size_t root_, limit_;
  uint64_t total_ = 0, visited_ = 0;
  const char* damaged_ = "a PE executable whose resources are damaged";
};

}  // namespace

ResourceKey resource_number(uint16_t id) {
  ResourceKey key;
  key.id = id;
  return key;
}

ResourceKey resource_name(const char* ascii) {
  ResourceKey key;
  for (const char* c = ascii; *c; ++c) key.name.push_back(char16_t(*c));
  return key;
}

bool operator==(const ResourceKey& a, const ResourceKey& b) {
  return a.name == b.name && (a.is_name() || a.id == b.id);
}
bool operator!=(const ResourceKey& a, const ResourceKey& b) { return !(a == b); }

bool read_resources(const std::string& image, std::vector<Resource>* resources,
                    std::string* problem) {
  resources->clear();
  Layout pe;
  if (!parse_layout(image, &pe, problem)) return false;
  if (pe.directory_count <= DIRECTORY_RESOURCE) return true;
  size_t entry = pe.directories + DIRECTORY_RESOURCE * DIRECTORY_ENTRY_SIZE;
  uint32_t rva = get32(image, entry), size = get32(image, entry + 4);
  if (rva == 0 && size == 0) return true;
  size_t root;
  if (!rva_to_offset(image, pe, rva, TABLE_HEADER, &root))
    return fail(problem, "a PE executable whose resources lie outside its sections");
  // The tree may use every byte up to the end of the section's raw data.
  size_t limit = 0;
  for (const Section& s : pe.sections) {
    if (rva >= s.virtual_address && root >= s.raw_offset &&
        root < uint64_t(s.raw_offset) + s.raw_size)
      limit = s.raw_offset + s.raw_size - root;
  }
  return TreeReader(image, pe, root, limit).read(resources, problem);
}

const Resource* find_resource(const std::vector<Resource>& resources, const ResourceKey& type,
                              const ResourceKey& name) {
  for (const Resource& r : resources)
    if (r.type == type && r.name == name) return &r;
  return nullptr;
}
