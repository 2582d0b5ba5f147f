#include "zip_writer.h"

namespace {

const uint32_t LOCAL_HEADER = 0x04034b50, CENTRAL_HEADER = 0x02014b50, END_RECORD = 0x06054b50;
const uint16_t VERSION_STORED = 10;     // what a reader needs: 1.0, stored files
const uint16_t VERSION_MADE_BY = 20;    // 2.0, MS-DOS attributes
const uint16_t DOS_DATE_1980 = 0x0021;  // 1980-01-01, the earliest a zip can say
const uint64_t ZIP32_LIMIT = 0xFFFFFFFFu;

void put(std::string* out, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out->push_back(char(value >> (8 * i) & 0xFF));
}

// The fields local and central headers share, from "version needed" on.
void common_fields(std::string* out, const std::string& name, const std::string& data) {
  put(out, VERSION_STORED, 2);
  put(out, 0, 2);  // flags
  put(out, 0, 2);  // stored
  put(out, 0, 2);  // time 00:00:00
  put(out, DOS_DATE_1980, 2);
  put(out, crc32_of(data), 4);
  put(out, uint32_t(data.size()), 4);
  put(out, uint32_t(data.size()), 4);
  put(out, uint32_t(name.size()), 2);
  put(out, 0, 2);  // extra field
}

}  // namespace

uint32_t crc32_of(const std::string& bytes) {
  static uint32_t table[256];
  if (!table[1]) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
  }
  uint32_t crc = 0xFFFFFFFFu;
  for (char c : bytes) crc = table[(crc ^ uint8_t(c)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

bool write_stored_zip(const ZipFiles& files, std::string* zip, std::string* problem) {
  uint64_t total = 0;
  for (const auto& [name, data] : files) total += 76 + 2 * name.size() + data.size();
  if (total + 22 > ZIP32_LIMIT || files.size() > 0xFFFF) {
    *problem = "the package would reach 4 GiB, more than a zip without extensions holds";
    return false;
  }
  std::string out, central;
  for (const auto& [name, data] : files) {
    uint32_t offset = uint32_t(out.size());
    put(&out, LOCAL_HEADER, 4);
    common_fields(&out, name, data);
    out += name;
    out += data;
    put(&central, CENTRAL_HEADER, 4);
    put(&central, VERSION_MADE_BY, 2);
    common_fields(&central, name, data);
    put(&central, 0, 2);  // comment
    put(&central, 0, 2);  // disk
    put(&central, 0, 2);  // internal attributes
    put(&central, 0, 4);  // external attributes
    put(&central, offset, 4);
    central += name;
  }
  uint32_t central_at = uint32_t(out.size());
  out += central;
  put(&out, END_RECORD, 4);
  put(&out, 0, 2);
  put(&out, 0, 2);
  put(&out, uint32_t(files.size()), 2);
  put(&out, uint32_t(files.size()), 2);
  put(&out, uint32_t(central.size()), 4);
  put(&out, central_at, 4);
  put(&out, 0, 2);
  *zip = std::move(out);
  return true;
}
