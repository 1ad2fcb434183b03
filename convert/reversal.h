// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Writes `input` backwards, code unit by code unit, except that a well-formed
// surrogate pair keeps its order. A CR LF pair comes out as LF CR; a lone
// surrogate is one unit like any other. Empty input gives empty text.
std::u16string ReverseText(std::u16string_view input);

}  // namespace tavro
