// SPDX-License-Identifier: MIT
#include "characters.h"

#include <utf8proc.h>

namespace tavro {
namespace {

constexpr char32_t kCarriageReturn = u'\r', kLineFeed = u'\n';

// The kind of every BMP unit (CharacterBreaks), from the library's data.
const std::array<std::uint8_t, 0x10000>& StandsAloneTable() {
  static const std::array<std::uint8_t, 0x10000> table = [] {
    std::array<std::uint8_t, 0x10000> kinds{};
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
      switch (utf8proc_get_property(static_cast<utf8proc_int32_t>(unit))->boundclass) {
        case UTF8PROC_BOUNDCLASS_OTHER: kinds[unit] = CharacterBreaks::kOther; break;
        case UTF8PROC_BOUNDCLASS_CR:
        case UTF8PROC_BOUNDCLASS_LF:
        case UTF8PROC_BOUNDCLASS_CONTROL: kinds[unit] = CharacterBreaks::kControl; break;
        default: break;
      }
    }
    // Surrogates are Control to the library, but a pair is one character.
    for (std::uint32_t unit = 0xD800; unit < 0xE000; ++unit) kinds[unit] = CharacterBreaks::kJoins;
    return kinds;
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
  while (first > 0 && standsAlone[first - 1] != CharacterBreaks::kJoins) --first;
  while (last < 0xFFFF && standsAlone[last + 1] != CharacterBreaks::kJoins) ++last;
  return {static_cast<char16_t>(first), static_cast<char16_t>(last - first)};
}

}  // namespace

CharacterBreaks::CharacterBreaks() : standsAlone_(StandsAloneTable().data()) {
  static const auto runs = [] {
    std::array<Run, std::size(kRunSamples) - 1> around{};
    for (std::size_t i = 0; i < around.size(); ++i)
      around[i] = RunAround(StandsAloneTable(), kRunSamples[i]);
    return around;
  }();
  runs_ = runs;
}

// Whether every unit of `text` lies in one of the runs. A block at a time,
// so that text with a unit outside them is given up on early.
template <std::size_t count>
bool InRuns(std::u16string_view text, const std::array<CharacterBreaks::Run, count>& runs) {
  constexpr std::size_t kBlock = 512;
  for (std::size_t start = 0; start < text.size(); start += kBlock) {
    unsigned outside = 0;
    for (char16_t unit : text.substr(start, kBlock)) {
      unsigned inside = 0;
      for (const CharacterBreaks::Run& run : runs) {
        inside |= static_cast<unsigned>(static_cast<char16_t>(unit - run.first) <= run.size);
      }
      outside |= inside ^ 1;
    }
    if (outside != 0) return false;
  }
  return true;
}

bool CharacterBreaks::EveryUnitStandsAlone(std::u16string_view text) const {
  // Most text people paste is letters and hanzi, or with punctuation too: a
  // few range checks a unit, which the compiler turns into vector compares.
  if (InRuns(text, std::array<Run, 2>{runs_[0], runs_[1]}) || InRuns(text, runs_)) return true;
  unsigned joins = 0;
  for (char16_t unit : text) joins |= standsAlone_[unit] == kJoins;
  return joins == 0;
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
  breaks.ForEach(text, [&](std::size_t, std::size_t) { ++count; });
  return count;
}

}  // namespace tavro
