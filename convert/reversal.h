// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Writes the characters of `input` (characters.h) in reverse order, each as
// it is: a flag, an emoji with its skin tone or a letter with its accents
// stays whole. A CR LF pair comes out as LF CR; a lone surrogate is one
// character. Empty input gives empty text.
std::u16string ReverseText(std::u16string_view input);

}  // namespace tavro
