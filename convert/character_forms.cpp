// SPDX-License-Identifier: MIT
#include "character_forms.h"

#include <array>
#include <cstdint>
#include <span>

namespace tavro {
namespace {

// Each entry: a character, then its forms, the one written first.
#include "tables/character_forms.inc"

// For every BMP unit, 1 + the index of its entry, or 0 where it has one form.
using FormsIndex = std::array<std::uint16_t, 0x10000>;

FormsIndex MakeIndex(std::span<const std::u16string_view> entries) {
  FormsIndex index{};
  for (std::size_t entry = 0; entry < entries.size(); ++entry) {
    index[entries[entry][0]] = static_cast<std::uint16_t>(entry + 1);
  }
  return index;
}

}  // namespace

std::vector<MarkedCharacter> MarkCharacterForms(std::u16string_view input,
                                                FormsDirection direction) {
  static const FormsIndex toTraditional = MakeIndex(kTraditionalForms);
  static const FormsIndex toSimplified = MakeIndex(kSimplifiedForms);
  const bool traditional = direction == FormsDirection::kToTraditional;
  const FormsIndex& index = traditional ? toTraditional : toSimplified;
  const std::span<const std::u16string_view> entries =
      traditional ? std::span<const std::u16string_view>(kTraditionalForms)
                  : std::span<const std::u16string_view>(kSimplifiedForms);
  std::vector<MarkedCharacter> marks;
  for (std::size_t pos = 0; pos < input.size(); ++pos) {
    if (const std::uint16_t entry = index[input[pos]]) {
      marks.push_back({pos, input[pos], entries[entry - 1].substr(1)});
    }
  }
  return marks;
}

}  // namespace tavro
