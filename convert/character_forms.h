// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <vector>

namespace tavro {

// Which way a table conversion went: 简→繁 or 繁→简.
enum class FormsDirection { kToTraditional, kToSimplified };

// A character of a conversion's result that could have been written in more
// than one form (发 → 發 or 髮), because the right one depends on the word.
struct MarkedCharacter {
  std::size_t position;    // of its code unit, in the result and the input alike
  char16_t source;         // the input's character, the same for every mark it made
  std::u16string_view forms;  // two or more, the one the conversion writes first
};

// Every character of `input` that converts, in `direction`, to one of several
// forms, in order. The forms come from OpenCC's dictionaries, as the tables
// do: for 简→繁 the other candidates of STCharacters (through TWVariants), for
// 繁→简 those of TSCharacters and the tables' own second place of 疊. A
// character with one form, a surrogate (paired or not) and anything the
// conversion leaves alone are not marked; empty input marks nothing.
std::vector<MarkedCharacter> MarkCharacterForms(std::u16string_view input,
                                                FormsDirection direction);

}  // namespace tavro
