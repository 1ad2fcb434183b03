// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
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

  // Calls visit(pos, length) for every character of `text`, in order.
  template <typename Visit>
  void ForEach(std::u16string_view text, Visit visit) const {
    std::size_t pos = 0;
    while (pos < text.size()) {
      // In a run of units that join nothing (hanzi, ASCII letters, most
      // punctuation), each is a character by itself: no need to ask the
      // library. Only the run's last unit may begin a cluster with what
      // follows it.
      std::size_t end = pos;
      while (end < text.size() && standsAlone_[text[end]] != kJoins) ++end;
      if (end == text.size()) {
        for (; pos < end; ++pos) visit(pos, std::size_t{1});
        return;
      }
      for (; pos + 1 < end; ++pos) visit(pos, std::size_t{1});
      // A control is a character by itself whatever follows it.
      if (pos + 1 == end && standsAlone_[text[pos]] == kControl) visit(pos++, std::size_t{1});
      const std::size_t length = ClusterLength(text, pos);
      visit(pos, length);
      pos += length;
    }
  }

  // Whether every unit of `text` is a character by itself, as in text of
  // hanzi, letters, punctuation and line breaks alone.
  bool EveryUnitStandsAlone(std::u16string_view text) const;

  // What a unit is to the rules: kOther where its grapheme break property is
  // Other (it neither joins nor is joined), kControl for CR, LF and the other
  // controls (the rules break on both sides of them), kJoins for the rest,
  // surrogates included. In a run of the first two kinds every unit is a
  // character by itself.
  enum UnitKind : std::uint8_t { kJoins, kOther, kControl };

  // Runs of units that all stand alone, as the library's data has them: the
  // runs around "a" (ASCII), 中 (the CJK ideographs), "。" (CJK punctuation),
  // "，" (full-width forms) and "“" (general punctuation). Checking a text
  // against a few ranges vectorises.
  struct Run {
    char16_t first, size;
  };
  static constexpr char16_t kRunSamples[] = u"a中。，“";

 private:
  static std::size_t ClusterLength(std::u16string_view text, std::size_t pos);

  const std::uint8_t* standsAlone_;  // a UnitKind a unit
  std::array<Run, std::size(kRunSamples) - 1> runs_;
};

// Number of characters in `text`.
std::size_t CountCharacters(std::u16string_view text);

// The code point of the character's first unit or pair at `pos`, and how
// many units it takes (a lone surrogate: itself, one unit).
char32_t CodePointAt(std::u16string_view text, std::size_t pos, std::size_t& units);

}  // namespace tavro
