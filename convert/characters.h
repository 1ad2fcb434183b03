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
    if (pos + 1 == text.size() || (standsAlone_[text[pos]] & standsAlone_[text[pos + 1]]) != 0)
      return 1;
    return ClusterLength(text, pos);
  }

  // Whether every unit of `text` is a character by itself, as in text of
  // hanzi, letters and punctuation alone.
  bool EveryUnitStandsAlone(std::u16string_view text) const;

  // Runs of units that all stand alone, as the library's data has them: the
  // run around "a" (ASCII's printable characters) and the one around 中 (the
  // CJK ideographs). Checking a text against two ranges vectorises.
  struct Run {
    char16_t first, size;
  };

 private:
  static std::size_t ClusterLength(std::u16string_view text, std::size_t pos);

  // 1 where the unit's grapheme break property is Other: it neither joins nor
  // is joined, so it is a character by itself between two others of its kind.
  const std::uint8_t* standsAlone_;
  Run letters_, ideographs_;
};

// Number of characters in `text`.
std::size_t CountCharacters(std::u16string_view text);

// The code point of the character's first unit or pair at `pos`, and how
// many units it takes (a lone surrogate: itself, one unit).
char32_t CodePointAt(std::u16string_view text, std::size_t pos, std::size_t& units);

}  // namespace tavro
