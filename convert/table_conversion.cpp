// SPDX-License-Identifier: MIT
#include "table_conversion.h"

#include <cstdint>
#include <numeric>
#include <vector>

namespace tavro {

std::u16string ConvertByTable(std::u16string_view input, std::u16string_view sourceTable,
                              std::u16string_view targetTable) {
  // Allocated first, so that nothing below can throw.
  std::u16string result(input.size(), u'\0');

  // One lookup per unit instead of a scan of the source table per unit. The
  // index maps every unit to itself but those of the source, which map to
  // their replacement, or to kDropped where their position lies past the end
  // of the target. It lives as long as the thread and is put back after each
  // call, so a call costs the length of its texts, not the 64 Ki entries.
  constexpr std::uint32_t kDropped = 0x10000;
  thread_local std::vector<std::uint32_t> replacement = [] {
    std::vector<std::uint32_t> identity(0x10000);
    std::iota(identity.begin(), identity.end(), 0u);
    return identity;
  }();
  // Backwards, so that the first occurrence is written last and wins.
  for (std::size_t pos = sourceTable.size(); pos-- > 0;) {
    replacement[sourceTable[pos]] = pos < targetTable.size() ? targetTable[pos] : kDropped;
  }

  std::size_t length = 0;
  for (char16_t unit : input) {
    const std::uint32_t mapped = replacement[unit];
    result[length] = static_cast<char16_t>(mapped);
    length += mapped != kDropped;
  }

  for (char16_t unit : sourceTable) replacement[unit] = unit;
  result.resize(length);
  return result;
}

}  // namespace tavro
