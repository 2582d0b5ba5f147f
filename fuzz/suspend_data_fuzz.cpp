// Any text as a platform's suspend data: read back into an answers file or
// refused, never out of bounds; what is read, put in the compact form
// again, reads back the same. Any bytes as an answers file, in the compact
// form within a small limit: never longer, and it reads back as the file's
// first lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/carrier/platform_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size), file, back;
  bool complete = false, again = false;
  if (expand_answers(text, &file, &complete)) {
    int lines = 0;
    for (size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2))
      ++lines;
    CompactAnswers kept = compact_answers(file.data(), file.size(), lines, SUSPEND_DATA_MAX);
    if (!expand_answers(kept.text, &back, &again)) abort();
    // Trailing empty fields are left out of the form; the lines kept agree.
    if (file.compare(0, back.size(), back) != 0) abort();
  }
  size_t limit = 2 + size % 64;
  CompactAnswers kept = compact_answers(data, size, MAX_ANSWER_FIELDS, limit);
  if (kept.text.size() > limit) abort();
  if (!expand_answers(kept.text, &back, &again) || again != kept.complete) abort();
  return 0;
}
