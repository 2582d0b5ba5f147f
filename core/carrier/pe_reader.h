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

struct Resource {
  ResourceKey type, name;
  uint16_t language = 0;
  uint32_t codepage = 0;
  std::string data;
};

// Reads every resource of a PE image. Returns false with `problem` when the
// bytes are not a PE executable or its resource tree is damaged.
bool read_resources(const std::string& image, std::vector<Resource>* resources,
                    std::string* problem);

// The first resource of that type and name (any language), or null.
const Resource* find_resource(const std::vector<Resource>& resources, const ResourceKey& type,
                              const ResourceKey& name);
