// Encode and decode throughput of the content codec on 60 KB of French text
// and 64 KB of random bytes.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/content/lzw.h"

namespace {

std::string french_text(size_t length) {
  static const char* words[] = {
      "Quelle ",     "est ",   "la ",    "capitale ",    "de ",         "l'Italie ", "? ",
      "R\xE9ponse ", "juste ", "|",      "Napol\xE9on ", "Bonaparte ",  "fut ",      "sacr\xE9 ",
      "empereur ",   "en ",    "1804 ",  "\xE0 ",        "Notre-Dame ", "de ",       "Paris.\r\n",
      "Qui ",        "a ",     "peint ", "ce ",          "tableau ",    "? "};
  std::mt19937 random(1);
  std::string s;
  while (s.size() < length) s += words[random() % (sizeof words / sizeof *words)];
  s.resize(length);
  return s;
}

std::string random_bytes(size_t length) {
  std::mt19937 random(2);
  std::string s(length, '\0');
  for (char& c : s) c = static_cast<char>(random());
  return s;
}

const unsigned char* bytes_of(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

void encode(benchmark::State& state, const std::string& input) {
  for (auto _ : state) {
    LzwOutput out;
    lzw_encode(bytes_of(input), input.size(), &out);
    benchmark::DoNotOptimize(out.bytes);
    lzw_release(&out);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
}

void decode(benchmark::State& state, const std::string& input) {
  LzwOutput stream;
  lzw_encode(bytes_of(input), input.size(), &stream);
  for (auto _ : state) {
    LzwOutput out;
    lzw_decode(stream.bytes, stream.length, &out);
    benchmark::DoNotOptimize(out.bytes);
    lzw_release(&out);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(input.size()));
  state.counters["ratio"] = double(stream.length) / double(input.size());
  lzw_release(&stream);
}

const std::string FRENCH = french_text(60 * 1024);
const std::string RANDOM = random_bytes(64 * 1024);

void BM_EncodeFrench60K(benchmark::State& state) { encode(state, FRENCH); }
void BM_DecodeFrench60K(benchmark::State& state) { decode(state, FRENCH); }
void BM_EncodeRandom64K(benchmark::State& state) { encode(state, RANDOM); }
void BM_DecodeRandom64K(benchmark::State& state) { decode(state, RANDOM); }

BENCHMARK(BM_EncodeFrench60K);
BENCHMARK(BM_DecodeFrench60K);
BENCHMARK(BM_EncodeRandom64K);
BENCHMARK(BM_DecodeRandom64K);

}  // namespace

BENCHMARK_MAIN();
