// SPDX-License-Identifier: MIT
#include "reversal.h"

#include <algorithm>

#include "characters.h"

namespace tavro {

std::u16string ReverseText(std::u16string_view input) {
  // Characters in reverse order, each one's units in their own order.
  const CharacterBreaks breaks;
  if (breaks.EveryUnitStandsAlone(input)) return std::u16string(input.rbegin(), input.rend());
  std::u16string result(input.size(), u'\0');
  char16_t* end = result.data() + result.size();
  breaks.ForEach(input, [&](std::size_t pos, std::size_t length) {
    end -= length;
    std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(pos), length, end);
  });
  return result;
}

}  // namespace tavro
