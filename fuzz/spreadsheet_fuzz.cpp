// Any bytes as a file of questions read as csv: see question_bank_fuzz.h.
#include "question_bank_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_import(data, size, "fuzz.csv");
  return 0;
}
