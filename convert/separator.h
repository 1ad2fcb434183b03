// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

// Puts `separator` before every character of `input` (characters.h), the
// first included, nothing after the last: never inside a flag, an emoji
// sequence or a letter with its accents; before both CR and LF. Empty input gives empty text; an empty separator gives
// the input back. Throws std::length_error where the result could not exist.
std::u16string AddCharacters(std::u16string_view input, std::u16string_view separator);

// The length of AddCharacters' result, without building it; SIZE_MAX when it
// would not fit in memory at all.
std::size_t AddCharactersLength(std::u16string_view input, std::size_t separatorLength);

// A uniform source on [0, 1) that nobody seeds: every instance yields the same
// sequence, in every run, with every compiler and standard library.
class RandomSource {
 public:
  double Next();

 private:
  std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

// Draws the next number r from `source` and returns the code unit
// Int(r * 127) + 1, so one of U+0001 ... U+007F.
char16_t PickRandomSeparator(RandomSource& source);

}  // namespace tavro
