// SPDX-License-Identifier: MIT
#include "characters.h"

namespace tavro {

std::size_t CountCharacters(std::u16string_view text) {
  // Well-formed pairs cannot overlap, so each high-low neighbourhood is one
  // pair; this form of the loop vectorises.
  std::size_t pairs = 0;
  for (std::size_t pos = 1; pos < text.size(); ++pos) {
    pairs += static_cast<std::size_t>(IsHighSurrogate(text[pos - 1])) &
             static_cast<std::size_t>(IsLowSurrogate(text[pos]));
  }
  return text.size() - pairs;
}

}  // namespace tavro
