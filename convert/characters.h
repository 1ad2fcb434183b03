// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

namespace tavro {

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Code units of the character that starts at `pos` (< text.size()): 2 for a
// well-formed surrogate pair, 1 for anything else, a lone surrogate included.
constexpr std::size_t CharacterLength(std::u16string_view text, std::size_t pos) {
  return IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]) ? 2
                                                                                              : 1;
}

// Number of characters in `text`, counting each well-formed pair once.
std::size_t CountCharacters(std::u16string_view text);

}  // namespace tavro
