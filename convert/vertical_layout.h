// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Lays `input` out as L lines of N cells read column by column, each cell
// widened to two code-page bytes and closed by "|", each line ended by CR LF.
// L is the rounded square root of the character count (20 from 400 characters
// on), N the columns needed, plus a filler column when the count divides
// evenly into an odd number of columns. A surrogate pair is one cell of width
// 1; a line break is a cell like any other. Empty input gives empty text.
std::u16string VerticalLayout(std::u16string_view input);

// The length of VerticalLayout's result, without building it.
std::size_t VerticalLayoutLength(std::u16string_view input);

}  // namespace tavro
