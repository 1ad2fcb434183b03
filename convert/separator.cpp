// SPDX-License-Identifier: MIT
#include "separator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "characters.h"

namespace tavro {

namespace {

// The length of AddCharacters' result for `characters` characters; SIZE_MAX
// when it would not fit in memory at all.
std::size_t ResultLength(std::size_t units, std::size_t characters, std::size_t separatorLength) {
  if (characters != 0 && separatorLength > (SIZE_MAX - units) / characters) return SIZE_MAX;
  return units + characters * separatorLength;
}

}  // namespace

std::u16string AddCharacters(std::u16string_view input, std::u16string_view separator) {
  // Whether every unit is a character, as in most text, is asked once: it
  // gives both the length and the loop.
  const CharacterBreaks breaks;
  const bool unitsOnly = breaks.EveryUnitStandsAlone(input);
  const std::size_t length = ResultLength(
      input.size(), unitsOnly ? input.size() : CountCharacters(input), separator.size());
  if (length == SIZE_MAX) throw std::length_error("AddCharacters: result too long");
  std::u16string result(length, u'\0');
  char16_t* out = result.data();
  if (unitsOnly) {
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
  breaks.ForEach(input, [&](std::size_t pos, std::size_t units) {
    out = std::copy(separator.begin(), separator.end(), out);
    out = std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(pos), units, out);
  });
  return result;
}

std::size_t AddCharactersLength(std::u16string_view input, std::size_t separatorLength) {
  return ResultLength(input.size(), CountCharacters(input), separatorLength);
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
