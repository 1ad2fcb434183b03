// SPDX-License-Identifier: MIT
// Deliberately plain versions of the conversions, written straight from their
// rules with no attention to speed: the one oracle of the tests, the fuzzers
// and the benchmarks, and the comparison with the real ones that the fuzzers
// and the random tests make.
#pragma once

#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "ansi_width.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro::reference {

// Scans the source for each unit; the first occurrence wins, a position past
// the end of the target contributes nothing.
inline std::u16string LiteralScan(std::u16string_view input, std::u16string_view source,
                                  std::u16string_view target) {
  std::u16string result;
  for (char16_t unit : input) {
    const std::size_t found = source.find(unit);
    if (found == std::u16string_view::npos) result += unit;
    if (found < target.size()) result += target[found];
  }
  return result;
}

// A high surrogate followed by a low one is one character, any other unit
// one of its own.
inline std::vector<std::u16string> Characters(std::u16string_view text) {
  std::vector<std::u16string> characters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    characters.emplace_back(text.substr(i, pair ? 2 : 1));
    i += pair;
  }
  return characters;
}

// Cell (i, j) holds the character at position i + L * (j - 1), 1-based. The
// widths are the library's own, which the width test checks by themselves.
inline std::u16string PlainVerticalLayout(std::u16string_view input) {
  const std::vector<std::u16string> characters = Characters(input);
  const double n = static_cast<double>(characters.size());  // none: no lines
  std::fesetround(FE_TONEAREST);  // std::nearbyint then rounds ties to even
  const double lines = n < 400 ? std::nearbyint(std::sqrt(n)) : 20;
  const double columns = std::nearbyint(n / lines + 0.5);
  std::u16string result;
  for (double i = 1; i <= lines; ++i) {
    for (double j = 1; j <= columns; ++j) {
      const double position = i + lines * (j - 1);
      std::u16string cell = position <= n ? characters[std::size_t(position) - 1] : u"";
      const int width = AnsiWidth(cell);
      result += (width == 0 ? u"  " : width == 1 ? cell + u" " : cell) + u"|";
    }
    result += u"\r\n";
  }
  return result;
}

// The conversions, by name, for the programs that have no window to press.
enum class Conversion { kAddCharacters, kReverseText, kVerticalLayout, kConvertByTable };

// Runs `conversion` and its plain version on `units`, and says whether they
// agree. Leading units choose the separator, or arbitrary tables of unequal
// lengths.
inline bool AgreesWithReference(Conversion conversion, std::u16string_view units) {
  const std::size_t control = units.empty() ? 0 : units[0];
  const std::u16string_view rest = units.substr(units.empty() ? 0 : 1);
  const std::u16string first(rest.substr(0, control % 9)),
      second(rest.substr(first.size(), control / 9 % 9));
  const std::u16string_view text = rest.substr(first.size() + second.size());
  std::u16string plain;
  const std::vector<std::u16string> characters = Characters(text);
  switch (conversion) {
    case Conversion::kAddCharacters:
      for (const std::u16string& character : characters) plain += first + character;
      return AddCharacters(text, first) == plain;
    case Conversion::kReverseText:
      for (auto c = characters.rbegin(); c != characters.rend(); ++c) plain += *c;
      return ReverseText(text) == plain;
    case Conversion::kVerticalLayout:
      plain = PlainVerticalLayout(text);
      return VerticalLayout(text) == plain && VerticalLayoutLength(text) == plain.size();
    case Conversion::kConvertByTable: break;
  }
  return ConvertByTable(text, first, second) == LiteralScan(text, first, second);
}

}  // namespace tavro::reference
