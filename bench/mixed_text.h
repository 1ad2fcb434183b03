// SPDX-License-Identifier: MIT
#pragma once

#include <random>
#include <string>

#include "character_tables.h"

namespace tavro::bench {

// Mixed Chinese text of `units` code units: mostly hanzi from the tables and
// beyond them, some ASCII, punctuation and line breaks.
inline std::u16string MixedChineseText(std::size_t units) {
  const std::u16string hanzi = TableText(TableKind::kSimplified) +
                               TableText(TableKind::kTraditional) + u"中国人的是在不了有和这为";
  const std::u16string other = u"abcxyz0123456789 ,.，。！？、；：“”（）";
  std::mt19937 random(2026);
  std::uniform_int_distribution<int> kind(0, 99);
  std::u16string text;
  text.reserve(units);
  while (text.size() < units) {
    const int k = kind(random);
    if (k < 80) {
      text += hanzi[random() % hanzi.size()];
    } else if (k < 98) {
      text += other[random() % other.size()];
    } else if (text.size() + 2 <= units) {
      text += u"\r\n";
    }
  }
  return text;
}

}  // namespace tavro::bench
