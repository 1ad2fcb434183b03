// SPDX-License-Identifier: MIT
#include "characters.h"

#include <utf8proc.h>

namespace tavro {
namespace {

constexpr char32_t kCarriageReturn = u'\r', kLineFeed = u'\n';

const std::array<std::uint64_t, 1024>& StandsAloneBits() {
  static const std::array<std::uint64_t, 1024> bits = [] {
    std::array<std::uint64_t, 1024> table{};
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
      if (utf8proc_get_property(static_cast<utf8proc_int32_t>(unit))->boundclass ==
          UTF8PROC_BOUNDCLASS_OTHER)
        table[unit >> 6] |= std::uint64_t{1} << (unit & 63);
    }
    // Surrogates are Control to the library: never a fast-path character.
    for (std::uint32_t unit = 0xD800; unit < 0xE000; ++unit)
      table[unit >> 6] &= ~(std::uint64_t{1} << (unit & 63));
    return table;
  }();
  return bits;
}

constexpr bool IsLoneSurrogate(char32_t codePoint) {
  return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

}  // namespace

CharacterBreaks::CharacterBreaks() : standsAlone_(StandsAloneBits()) {}

char32_t CodePointAt(std::u16string_view text, std::size_t pos, std::size_t& units) {
  const char16_t unit = text[pos];
  if (IsHighSurrogate(unit) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) {
    units = 2;
    return 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[pos + 1] - 0xDC00);
  }
  units = 1;
  return unit;
}

std::size_t CharacterBreaks::ClusterLength(std::u16string_view text, std::size_t pos) {
  std::size_t units = 0;
  char32_t previous = CodePointAt(text, pos, units);
  std::size_t end = pos + units;
  if (IsLoneSurrogate(previous)) return units;
  // The library's state carries what the rules for flags and joined emoji
  // need to know of the cluster so far; each step costs the same, so even a
  // cluster of 100,000 accents takes linear time.
  utf8proc_int32_t state = 0;
  while (end < text.size()) {
    const char32_t next = CodePointAt(text, end, units);
    if (IsLoneSurrogate(next)) break;
    if (previous == kCarriageReturn && next == kLineFeed) break;
    if (utf8proc_grapheme_break_stateful(static_cast<utf8proc_int32_t>(previous),
                                         static_cast<utf8proc_int32_t>(next), &state))
      break;
    previous = next;
    end += units;
  }
  return end - pos;
}

std::size_t CountCharacters(std::u16string_view text) {
  const CharacterBreaks breaks;
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += breaks.Length(text, pos)) ++count;
  return count;
}

}  // namespace tavro
