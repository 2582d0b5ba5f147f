// Rewrites the resources of a Windows executable (PE32 or PE32+), natively:
// quizpack copies the player and writes the quiz into the copy. The reader
// (read_resources, find_resource) is the carrier's, core/carrier/pe_reader.h.
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

#include "core/carrier/pe_reader.h"

// Gives `image` a resource tree holding exactly `resources` and puts the new
// image in `out`. Returns false with `problem` when it cannot.
bool write_resources(const std::string& image, const std::vector<Resource>& resources,
                     std::string* out, std::string* problem);

// The image's checksum as the platform computes it (the stored checksum field
// counts as zero).
uint32_t pe_checksum(const std::string& image);
