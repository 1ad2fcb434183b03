// SPDX-License-Identifier: MIT
// Deliberately plain versions of the conversions, written straight from their
// rules with no attention to speed, to check the real ones against.
#pragma once

#include <random>
#include <string>
#include <string_view>

namespace tavro::reference {

// Every separator the random button may pick: U+0001 ... U+007F.
inline const std::u16string kAsciiSeparators = [] {
  std::u16string all;
  for (char16_t code = 1; code <= 127; ++code) all += code;
  return all;
}();

// Random text from a small alphabet of hanzi, ASCII, line breaks, one pair
// and two lone halves, so that pairs form and break often.
inline std::u16string RandomText(std::mt19937& random, std::size_t maxLength) {
  static constexpr std::u16string_view kAlphabet = u"啊爱愛疊迭後中a-\r\n\xD840\xDF40\xDC00";
  std::u16string text(random() % (maxLength + 1), u' ');
  for (char16_t& unit : text) unit = kAlphabet[random() % kAlphabet.size()];
  return text;
}

// Scans the source for each unit; the first occurrence wins, a position past
// the end of the target contributes nothing.
inline std::u16string LiteralScan(std::u16string_view input, std::u16string_view source,
                                  std::u16string_view target) {
  std::u16string result;
  for (char16_t unit : input) {
    const std::size_t found = source.find(unit);
    if (found == std::u16string_view::npos) {
      result += unit;
    } else if (found < target.size()) {
      result += target[found];
    }
  }
  return result;
}

}  // namespace tavro::reference
