// Any bytes as a quiz page and as a page's content block: the reader never
// reads out of bounds, takes nothing when it refuses, and what it takes,
// written again by quizpack's writer, reads back the same. Any bytes go
// through base64 and back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/authoring/quiz_page_writer.h"
#include "core/carrier/quiz_page.h"

namespace {

bool same(const std::vector<Resource>& a, const std::vector<Resource>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].type != b[i].type || a[i].name != b[i].name || a[i].data != b[i].data) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size), problem, decoded;
  std::vector<Resource> resources, again;
  PageRead read = read_quiz_page(bytes, &resources, &problem);
  if (read != PAGE_READ && !resources.empty()) abort();
  if (read == PAGE_READ) {
    if (read_quiz_block(quiz_block_text(resources), &again, &problem) != PAGE_READ) abort();
    if (!same(resources, again)) abort();
  }
  if (read_quiz_block(bytes, &resources, &problem) != PAGE_READ && !resources.empty()) abort();
  if (!decode_base64(encode_base64(bytes), &decoded) || decoded != bytes) abort();
  return 0;
}
