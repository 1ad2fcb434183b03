// SPDX-License-Identifier: MIT
#pragma once

#include <random>
#include <string>

namespace tavro::testing {

// Random text drawn mostly from a small alphabet of hanzi, ASCII, line breaks,
// surrogate pairs and lone surrogates, so that pairs form and break often.
inline std::u16string RandomText(std::mt19937& random, std::size_t maxLength) {
  static constexpr char16_t kAlphabet[] = u"啊阿爱愛疊迭后後中a-\r\n\xD840\xDF40\xD83D\xDE00\xDC00";
  std::uniform_int_distribution<std::size_t> length(0, maxLength);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kAlphabet) - 2);
  std::u16string text(length(random), u' ');
  for (char16_t& unit : text) unit = kAlphabet[pick(random)];
  return text;
}

}  // namespace tavro::testing
