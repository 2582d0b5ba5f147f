// Reads the resources of a Windows executable (PE32 or PE32+): a packed quiz
// carries its content, codes and media there. Portable; a damaged or crafted
// file is refused with a message, never read out of bounds. The writer is
// quizpack's (core/authoring/pe_resources.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A resource type or name: a number, or a name (UTF-16, as the file holds it).
struct ResourceKey {
  std::u16string name;  // empty for a number
  uint16_t id = 0;
  bool is_name() const { return !name.empty(); }
};

ResourceKey resource_number(uint16_t id);
ResourceKey resource_name(const char* ascii);
bool operator==(const ResourceKey& a, const ResourceKey& b);
bool operator!=(const ResourceKey& a, const ResourceKey& b);

// Why bytes are not a program whose resources can be read.
enum PeProblem {
  PE_NO_PROBLEM,
  PE_NOT_PE,       // not a Windows executable at all
  PE_NOT_PROGRAM,  // a DLL, or not executable
  PE_HEADERS_CUT,
  PE_UNKNOWN_KIND,  // neither PE32 nor PE32+
  PE_DIRECTORY_CUT,
  PE_ALIGNMENTS,      // not powers of two
  PE_FILE_ALIGNMENT,  // above 64 KiB
  PE_SECTION_BEYOND,  // a section beyond the end of the file
  PE_RESOURCES_DAMAGED,
  PE_RESOURCES_OUTSIDE,  // the tree outside every section
  PE_RESOURCES_TOO_LARGE,
};

struct Resource {
  ResourceKey type, name;
  uint16_t language = 0;
  uint32_t codepage = 0;
  std::string data;
};

// Reads every resource of a PE image. Returns false with `problem` when the
// bytes are not a PE executable or its resource tree is damaged; authoring
// says each problem in words (pe_problem_message).
bool read_resources(const std::string& image, std::vector<Resource>* resources, PeProblem* problem);

// The first resource of that type and name (any language), or null.
const Resource* find_resource(const std::vector<Resource>& resources, const ResourceKey& type,
                              const ResourceKey& name);
