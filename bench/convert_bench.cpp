// SPDX-License-Identifier: MIT
// Each conversion over 1 MiB and 16 MiB of mixed Chinese text (UTF-16), beside
// copying (the floor) and the per-character table scan the index replaces.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>

#include "character_tables.h"
#include "mixed_text.h"
#include "reference/plain_conversions.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

constexpr std::int64_t kMiB = 1 << 20;

const std::u16string& Text(std::int64_t bytes) {
  static std::map<std::int64_t, std::u16string> texts;
  auto& text = texts[bytes];
  if (text.empty()) text = bench::MixedChineseText(static_cast<std::size_t>(bytes) / 2);
  return text;
}

const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);

// Runs `convert` on the text of state.range(0) bytes; reports input bytes/s.
template <typename Convert>
void Measure(benchmark::State& state, Convert convert) {
  const std::u16string& input = Text(state.range(0));
  for (auto _ : state) {
    std::u16string result = convert(input);
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_CopyInput(benchmark::State& s) { Measure(s, [](auto& in) { return std::u16string(in); }); }
void BM_AddCharacters(benchmark::State& s) {
  Measure(s, [](auto& in) { return AddCharacters(in, u"\x1A"); });
}
void BM_CopyAddCharactersOutput(benchmark::State& s) {
  const std::u16string output = AddCharacters(Text(s.range(0)), u"\x1A");
  Measure(s, [&](auto&) { return std::u16string(output); });
}
void BM_ReverseText(benchmark::State& s) { Measure(s, [](auto& in) { return ReverseText(in); }); }
void BM_VerticalLayout(benchmark::State& s) {
  Measure(s, [](auto& in) { return VerticalLayout(in); });
}
void BM_CopyVerticalLayoutOutput(benchmark::State& s) {
  const std::u16string output = VerticalLayout(Text(s.range(0)));
  Measure(s, [&](auto&) { return std::u16string(output); });
}
void BM_ConvertByTable(benchmark::State& s) {
  Measure(s, [](auto& in) { return ConvertByTable(in, kSimplified, kTraditional); });
}
void BM_LiteralTableScan(benchmark::State& s) {
  Measure(s, [](auto& in) { return reference::LiteralScan(in, kSimplified, kTraditional); });
}

#define SIZES Arg(kMiB)->Arg(16 * kMiB)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_CopyInput)->SIZES;
BENCHMARK(BM_AddCharacters)->SIZES;
BENCHMARK(BM_CopyAddCharactersOutput)->SIZES;
BENCHMARK(BM_ReverseText)->SIZES;
BENCHMARK(BM_VerticalLayout)->SIZES;
BENCHMARK(BM_CopyVerticalLayoutOutput)->SIZES;
BENCHMARK(BM_ConvertByTable)->SIZES;
BENCHMARK(BM_LiteralTableScan)->Arg(kMiB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  // Keep freed memory in the heap: on this kind of virtual machine every
  // fresh page costs microseconds, which would swamp the 16 MiB runs (glibc
  // maps blocks over 32 MiB afresh on every allocation).
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
