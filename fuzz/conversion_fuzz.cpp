// SPDX-License-Identifier: MIT
// Runs one conversion (chosen at build time by TAVRO_FUZZ_TARGET) and its
// plain reference on the same arbitrary UTF-16 input, and aborts when they
// differ. The first code units of the input set up the separator or tables.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "character_tables.h"
#include "plain_conversions.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace {

using namespace tavro;

// Takes up to `count` leading units off `text`.
[[maybe_unused]] std::u16string_view TakeFront(std::u16string_view& text, std::size_t count) {
  const std::u16string_view front = text.substr(0, count);
  text.remove_prefix(front.size());
  return front;
}

[[maybe_unused]] std::size_t Control(std::u16string_view& text) {
  return text.empty() ? 0 : TakeFront(text, 1)[0];
}

void Check(const std::u16string& actual, const std::u16string& expected) {
  if (actual == expected) return;
  std::fprintf(stderr, "conversion and reference differ (%zu and %zu units)\n", actual.size(),
               expected.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  }
  std::u16string_view input = units;
#if TAVRO_FUZZ_TARGET == 1
  const std::u16string_view separator = TakeFront(input, Control(input) % 9);
  Check(AddCharacters(input, separator), reference::PlainAddCharacters(input, separator));
#elif TAVRO_FUZZ_TARGET == 3
  Check(ReverseText(input), reference::PlainReverseText(input));
#elif TAVRO_FUZZ_TARGET == 4
  const std::u16string grid = reference::PlainVerticalLayout(input);
  Check(VerticalLayout(input), grid);
  if (VerticalLayoutLength(input) != grid.size()) std::abort();
#else
  // Arbitrary tables of unequal lengths; one input in sixteen uses the real
  // tables, once or doubled (the plain scan of those is slow).
  const std::size_t shape = Control(input);
  std::u16string source(TakeFront(input, shape % 17)), target(TakeFront(input, shape / 17 % 17));
  if ((shape & 0xF000) == 0xF000) {
    source = TableText(TableKind::kTraditional);
    target = TableText(shape & 0x0800 ? TableKind::kMartian : TableKind::kSimplified);
    if (shape & 0x0400) source += source, target += target;
  }
  Check(ConvertByTable(input, source, target), reference::LiteralScan(input, source, target));
#endif
  return 0;
}
