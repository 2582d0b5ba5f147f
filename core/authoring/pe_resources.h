// Reads and rewrites the resources of a Windows executable (PE32 or PE32+),
// natively: quizpack copies the player and writes the quiz into the copy.
//
// Writing never moves what is there: the new resource tree goes into a new
// last section (named ".rsrc"), the resource entry of the data directory
// points at it, and the old tree stays behind unused. A last section that
// already holds the resource tree and ends the file is replaced instead, so
// packing a packed quiz again does not grow it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "messages.h"

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
bool read_resources(const std::string& image, std::vector<Resource>* resources, Message* problem);

// Gives `image` a resource tree holding exactly `resources` and puts the new
// image in `out`. Returns false with `problem` when it cannot.
bool write_resources(const std::string& image, const std::vector<Resource>& resources,
                     std::string* out, Message* problem);

// The image's checksum as the platform computes it (the stored checksum field
// counts as zero).
uint32_t pe_checksum(const std::string& image);

// The first resource of that type and name (any language), or null.
const Resource* find_resource(const std::vector<Resource>& resources, const ResourceKey& type,
                              const ResourceKey& name);
