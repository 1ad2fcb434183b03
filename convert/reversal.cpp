// SPDX-License-Identifier: MIT
#include "reversal.h"

#include <algorithm>

#include "characters.h"

namespace tavro {

std::u16string ReverseText(std::u16string_view input) {
  std::u16string result(input.rbegin(), input.rend());
  // Reversed, a pair reads low-high; swap it back. Only a pair of the input
  // can read low-high here, so lone halves stay where reversal put them.
  for (std::size_t pos = 0; pos + 1 < result.size(); ++pos) {
    if (IsLowSurrogate(result[pos]) && IsHighSurrogate(result[pos + 1])) {
      std::swap(result[pos], result[pos + 1]);
      ++pos;
    }
  }
  return result;
}

}  // namespace tavro
