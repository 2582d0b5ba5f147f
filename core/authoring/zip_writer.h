// Writes a zip archive whose files are stored as they are (no compression),
// each dated 1 January 1980, so that the same files always give the same
// bytes, whichever front end writes them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Files by name (ASCII, "/" between folders) and bytes, in archive order.
using ZipFiles = std::vector<std::pair<std::string, std::string>>;

// False with `problem` when the archive would need zip64 (4 GiB and more).
bool write_stored_zip(const ZipFiles& files, std::string* zip, std::string* problem);

// The CRC-32 of zip (and PNG, and Ethernet).
uint32_t crc32_of(const std::string& bytes);
