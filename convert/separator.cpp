// SPDX-License-Identifier: MIT
#include "separator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "characters.h"

namespace tavro {

std::u16string AddCharacters(std::u16string_view input, std::u16string_view separator) {
  const std::size_t length = AddCharactersLength(input, separator.size());
  if (length == SIZE_MAX) throw std::length_error("AddCharacters: result too long");
  std::u16string result(length, u'\0');
  char16_t* out = result.data();
  const CharacterBreaks breaks;
  if (breaks.EveryUnitStandsAlone(input)) {
    // Every unit a character, as in most text: no need to look for breaks.
    for (char16_t unit : input) {
      if (separator.size() == 1) {
        *out++ = separator[0];
      } else {
        out = std::copy(separator.begin(), separator.end(), out);
      }
      *out++ = unit;
    }
    return result;
  }
  breaks.ForEach(input, [&](std::size_t pos, std::size_t length) {
    out = std::copy(separator.begin(), separator.end(), out);
    out = std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(pos), length, out);
  });
  return result;
}

std::size_t AddCharactersLength(std::u16string_view input, std::size_t separatorLength) {
  const std::size_t characters = CountCharacters(input);
  if (characters != 0 && separatorLength > (SIZE_MAX - input.size()) / characters) return SIZE_MAX;
  return input.size() + characters * separatorLength;
}

double RandomSource::Next() {
  // splitmix64: a fixed, portable sequence; the top 53 bits make an exact
  // double in [0, 1).
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  z ^= z >> 31;
  return static_cast<double>(z >> 11) * 0x1.0p-53;
}

char16_t PickRandomSeparator(RandomSource& source) {
  return static_cast<char16_t>(std::floor(source.Next() * 127.0) + 1.0);
}

}  // namespace tavro
