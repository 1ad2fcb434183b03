// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavro {

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A character is what a reader sees as one: an extended grapheme cluster of
// Unicode's UAX #29 (a flag, an emoji with its skin tone or its joined
// family, a letter with its accents), as utf8proc finds them. Two exceptions
// keep the conversions' old rules: CR and LF are each a character of their
// own, and so is a lone surrogate.
class CharacterBreaks {
 public:
  // The library's break properties, looked up once per program.
  CharacterBreaks();

  // Code units of the character that starts at `pos` (< text.size()).
  std::size_t Length(std::u16string_view text, std::size_t pos) const {
    // Two units in a row that join nothing (hanzi, ASCII letters, most
    // punctuation) are two characters: no need to ask the library.
    if (pos + 1 == text.size() || (StandsAlone(text[pos]) && StandsAlone(text[pos + 1]))) return 1;
    return ClusterLength(text, pos);
  }

  // Whether the unit's grapheme break property is Other: it neither joins nor
  // is joined, so it is a character by itself between two others of its kind.
  bool StandsAlone(char16_t unit) const { return standsAlone_[unit >> 6] >> (unit & 63) & 1; }

 private:
  static std::size_t ClusterLength(std::u16string_view text, std::size_t pos);

  const std::array<std::uint64_t, 1024>& standsAlone_;
};

// Number of characters in `text`.
std::size_t CountCharacters(std::u16string_view text);

// The code point of the character's first unit or pair at `pos`, and how
// many units it takes (a lone surrogate: itself, one unit).
char32_t CodePointAt(std::u16string_view text, std::size_t pos, std::size_t& units);

}  // namespace tavro
