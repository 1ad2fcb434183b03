// SPDX-License-Identifier: MIT
#include "characters.h"

#include <utf8proc.h>

namespace tavro {
namespace {

constexpr char32_t kCarriageReturn = u'\r', kLineFeed = u'\n';

const std::array<std::uint8_t, 0x10000>& StandsAloneTable() {
  static const std::array<std::uint8_t, 0x10000> table = [] {
    std::array<std::uint8_t, 0x10000> standsAlone{};
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
      standsAlone[unit] = utf8proc_get_property(static_cast<utf8proc_int32_t>(unit))->boundclass ==
                          UTF8PROC_BOUNDCLASS_OTHER;
    }
    // Surrogates are Control to the library: never a fast-path character.
    for (std::uint32_t unit = 0xD800; unit < 0xE000; ++unit) standsAlone[unit] = 0;
    return standsAlone;
  }();
  return table;
}

constexpr bool IsLoneSurrogate(char32_t codePoint) {
  return codePoint >= 0xD800 && codePoint <= 0xDFFF;
}

// The longest run of standing-alone units around `unit`.
CharacterBreaks::Run RunAround(const std::array<std::uint8_t, 0x10000>& standsAlone,
                               char16_t unit) {
  std::uint32_t first = unit, last = unit;
  while (first > 0 && standsAlone[first - 1]) --first;
  while (last < 0xFFFF && standsAlone[last + 1]) ++last;
  return {static_cast<char16_t>(first), static_cast<char16_t>(last - first)};
}

}  // namespace

CharacterBreaks::CharacterBreaks() : standsAlone_(StandsAloneTable().data()) {
  static const Run letters = RunAround(StandsAloneTable(), u'a');
  static const Run ideographs = RunAround(StandsAloneTable(), u'中');
  letters_ = letters;
  ideographs_ = ideographs;
}

bool CharacterBreaks::EveryUnitStandsAlone(std::u16string_view text) const {
  // Most text people paste is all letters or all hanzi: two range checks a
  // unit, which the compiler turns into vector compares.
  unsigned outside = 0;
  for (char16_t unit : text) {
    outside |= static_cast<unsigned>(static_cast<char16_t>(unit - letters_.first) > letters_.size) &
               static_cast<unsigned>(static_cast<char16_t>(unit - ideographs_.first) >
                                     ideographs_.size);
  }
  if (outside == 0) return true;
  unsigned all = 1;
  for (char16_t unit : text) all &= standsAlone_[unit];
  return all != 0;
}

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
  if (breaks.EveryUnitStandsAlone(text)) return text.size();
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += breaks.Length(text, pos)) ++count;
  return count;
}

}  // namespace tavro
