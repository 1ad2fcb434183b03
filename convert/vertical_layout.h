// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Lays `input` out as L lines of N cells read column by column, one character
// (characters.h) a cell, each cell widened to two columns and closed by "|",
// each line ended by CR LF. L is the rounded square root of the character
// count (20 from 400 characters on), N the columns needed, plus a filler
// column when the count divides evenly into an odd number of columns. A
// character keeps its code page 936 width where the code page encodes it,
// else the width it is drawn with (2 for emoji, flags and Hangul); a line
// break, a tab or another character without a width of its own takes its
// cell blank. Empty input gives empty text.
std::u16string VerticalLayout(std::u16string_view input);

// The length of VerticalLayout's result, without building it.
std::size_t VerticalLayoutLength(std::u16string_view input);

}  // namespace tavro
