// SPDX-License-Identifier: MIT
// Each conversion on the text of a file (UTF-16LE), natively: the measure the
// page's WebAssembly build is compared with (scripts/bench-web.sh writes the
// file and runs both). Usage: file_conversions TEXT.u16 [benchmark flags]
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "character_tables.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

std::u16string text;

template <typename Convert>
void BM_File(benchmark::State& state, Convert convert) {
  for (auto _ : state) benchmark::DoNotOptimize(convert(text).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}

std::u16string ThroughTables(std::u16string_view in, TableKind from, TableKind to) {
  static const std::u16string tables[] = {TableText(TableKind::kMartian),
                                          TableText(TableKind::kSimplified),
                                          TableText(TableKind::kTraditional)};
  return ConvertByTable(in, tables[static_cast<int>(from)], tables[static_cast<int>(to)]);
}

void Register() {
  const auto add = [](const char* name, std::u16string (*convert)(std::u16string_view)) {
    benchmark::RegisterBenchmark(name, BM_File<decltype(convert)>, convert)
        ->Unit(benchmark::kMillisecond);
  };
  add("AddCharacters", [](std::u16string_view in) { return AddCharacters(in, u"\x1A"); });
  add("ReverseText", [](std::u16string_view in) { return ReverseText(in); });
  add("VerticalLayout", [](std::u16string_view in) { return VerticalLayout(in); });
  add("Martian", [](std::u16string_view in) {
    return ThroughTables(in, TableKind::kSimplified, TableKind::kMartian);
  });
  add("SimplifiedToTraditional", [](std::u16string_view in) {
    return ThroughTables(in, TableKind::kSimplified, TableKind::kTraditional);
  });
  add("TraditionalToSimplified", [](std::u16string_view in) {
    return ThroughTables(in, TableKind::kTraditional, TableKind::kSimplified);
  });
}

}  // namespace
}  // namespace tavro

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::ifstream file(argv[1], std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    tavro::text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
  tavro::Register();
  argv[1] = argv[0];
  --argc;
  benchmark::Initialize(&argc, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
}
