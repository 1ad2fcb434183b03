// SPDX-License-Identifier: MIT
#include "table_conversion.h"

#include <cstdint>
#include <numeric>
#include <vector>

namespace tavro {

std::u16string ConvertByTable(std::u16string_view input, std::u16string_view sourceTable,
                              std::u16string_view targetTable) {
  // One lookup per unit instead of a scan of the source table per unit. Each
  // entry is the replacement, or kDropped for a unit whose position lies past
  // the end of the target.
  constexpr std::uint32_t kDropped = 0x10000;
  std::vector<std::uint32_t> replacement(0x10000);
  std::iota(replacement.begin(), replacement.end(), 0u);
  // Backwards, so that the first occurrence is written last and wins.
  for (std::size_t pos = sourceTable.size(); pos-- > 0;) {
    replacement[sourceTable[pos]] = pos < targetTable.size() ? targetTable[pos] : kDropped;
  }

  std::u16string result(input.size(), u'\0');
  std::size_t length = 0;
  for (char16_t unit : input) {
    const std::uint32_t mapped = replacement[unit];
    result[length] = static_cast<char16_t>(mapped);
    length += mapped != kDropped;
  }
  result.resize(length);
  return result;
}

}  // namespace tavro
