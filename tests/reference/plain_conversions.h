// SPDX-License-Identifier: MIT
// Deliberately plain versions of the conversions, written straight from their
// rules with no attention to speed, to check the real ones against.
#pragma once

#include <string>
#include <string_view>

namespace tavro::reference {

// Scans the source for each unit; the first occurrence wins, a position past
// the end of the target contributes nothing.
inline std::u16string LiteralScan(std::u16string_view input, std::u16string_view source,
                                  std::u16string_view target) {
  std::u16string result;
  for (char16_t unit : input) {
    const std::size_t found = source.find(unit);
    if (found == std::u16string_view::npos) {
      result += unit;
    } else if (found < target.size()) {
      result += target[found];
    }
  }
  return result;
}

}  // namespace tavro::reference
