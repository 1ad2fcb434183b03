// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace tavro {

// Replaces every code unit of `input` found in `sourceTable` by the unit at
// the same position of `targetTable`; the first occurrence in the source
// wins. A unit not in the source passes through unchanged, as do surrogate
// pairs with the character tables (which hold none). A unit found at a
// position past the end of `targetTable` is dropped. Empty tables give the
// input back; empty input gives empty text.
std::u16string ConvertByTable(std::u16string_view input, std::u16string_view sourceTable,
                              std::u16string_view targetTable);

}  // namespace tavro
