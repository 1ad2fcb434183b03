// SPDX-License-Identifier: MIT
// Deliberately plain versions of the conversions, written straight from their
// rules with no attention to speed: the one oracle of the tests, the fuzzers
// and the benchmarks, and the comparison with the real ones that the fuzzers
// and the random tests make.
#pragma once

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include <utf8proc.h>

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

// The code points of `text`, a lone surrogate as itself.
inline std::vector<char32_t> CodePoints(std::u16string_view text) {
  std::vector<char32_t> codePoints;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    codePoints.push_back(pair ? 0x10000 + ((text[i] - 0xD800) << 10) + (text[i + 1] - 0xDC00)
                              : text[i]);
    i += pair;
  }
  return codePoints;
}

inline std::u16string ToUtf16(char32_t codePoint) {
  if (codePoint < 0x10000) return std::u16string(1, static_cast<char16_t>(codePoint));
  return {static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)),
          static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF))};
}

inline bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Extended grapheme clusters as utf8proc finds them, asked at every code
// point, except that a lone surrogate, CR and LF are each one of their own.
inline std::vector<std::u16string> Characters(std::u16string_view text) {
  std::vector<std::u16string> characters;
  utf8proc_int32_t state = 0;
  char32_t previous = 0;
  for (char32_t c : CodePoints(text)) {
    const bool join = !characters.empty() && !IsSurrogate(previous) && !IsSurrogate(c) &&
                      !(previous == u'\r' && c == u'\n') &&
                      !utf8proc_grapheme_break_stateful(static_cast<utf8proc_int32_t>(previous),
                                                        static_cast<utf8proc_int32_t>(c), &state);
    if (!join) {
      characters.emplace_back();
      state = 0;
    }
    characters.back() += ToUtf16(c);
    previous = c;
  }
  return characters;
}

// How many columns a cell is widened from: 0 for an empty cell and for a
// lone control, format character or line or paragraph separator (written
// blank); a character's code page 936 bytes where the code page encodes every
// code point of it; else 2 for a flag, an emoji presentation (U+FE0F after
// the first code point) or a wide first character, 1 for the rest, a lone
// surrogate included.
inline int PlainCellWidth(const std::u16string& cell) {
  const std::vector<char32_t> codePoints = CodePoints(cell);
  if (codePoints.empty()) return 0;
  const utf8proc_category_t category = utf8proc_category(utf8proc_int32_t(codePoints[0]));
  if (codePoints.size() == 1 && !IsSurrogate(codePoints[0]) &&
      (category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_CF ||
       category == UTF8PROC_CATEGORY_ZL || category == UTF8PROC_CATEGORY_ZP))
    return 0;
  int bytes = 0;
  for (char32_t c : codePoints) {
    const bool encoded = c < 0x10000 && !IsSurrogate(c) && AnsiWidths()[c] != 0;
    bytes = encoded && bytes >= 0 ? bytes + AnsiWidths()[c] : -1;
  }
  if (bytes > 0) return bytes;
  if (codePoints.size() == 1 && IsSurrogate(codePoints[0])) return 1;
  const auto isRegionalIndicator = [](char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; };
  const bool flag = codePoints.size() > 1 && isRegionalIndicator(codePoints[0]) &&
                    isRegionalIndicator(codePoints[1]);
  const bool emojiPresentation = cell.find(u'\uFE0F', 1) != std::u16string::npos;
  return flag || emojiPresentation || utf8proc_charwidth(utf8proc_int32_t(codePoints[0])) == 2
             ? 2
             : 1;
}

// Cell (i, j) holds the character at position i + L * (j - 1), 1-based. The
// code page widths are the library's own, which the width test checks by
// themselves.
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
      const std::u16string cell = position <= n ? characters[std::size_t(position) - 1] : u"";
      const int width = PlainCellWidth(cell);
      result += (width == 0 ? u"  " : width == 1 ? cell + u" " : cell) + u"|";
    }
    result += u"\r\n";
  }
  return result;
}

// The conversions, by name, for the programs that have no window to press.
enum class Conversion { kAddCharacters, kReverseText, kVerticalLayout, kConvertByTable };
inline constexpr const char* kConversionNames[] = {"AddCharacters", "ReverseText",
                                                   "VerticalLayout", "ConvertByTable"};

// Where `result` first differs from `plain`; empty when they are the same.
inline std::string FirstDifference(std::u16string_view result, std::u16string_view plain) {
  if (result == plain) return {};
  const auto at = std::mismatch(result.begin(), result.end(), plain.begin(), plain.end()).first;
  return "differs from the reference at unit " + std::to_string(at - result.begin());
}

// Runs `conversion` and its plain version on `units`, and says where they
// first disagree, in the result or in the length announced; empty when they
// agree. Leading units choose the separator, or arbitrary tables of unequal
// lengths.
inline std::string Disagreement(Conversion conversion, std::u16string_view units) {
  const std::size_t control = units.empty() ? 0 : units[0];
  const std::u16string_view rest = units.substr(units.empty() ? 0 : 1);
  const std::u16string first(rest.substr(0, control % 9)),
      second(rest.substr(first.size(), control / 9 % 9));
  const std::u16string_view text = rest.substr(first.size() + second.size());
  const auto announced = [](std::size_t length, const std::u16string& plain) {
    return length == plain.size() ? std::string()
                                  : " length announced " + std::to_string(length) + ", made " +
                                        std::to_string(plain.size());
  };
  std::u16string plain;
  const std::vector<std::u16string> characters = Characters(text);
  switch (conversion) {
    case Conversion::kAddCharacters:
      for (const std::u16string& character : characters) plain += first + character;
      return FirstDifference(AddCharacters(text, first), plain) +
             announced(AddCharactersLength(text, first.size()), plain);
    case Conversion::kReverseText:
      for (auto c = characters.rbegin(); c != characters.rend(); ++c) plain += *c;
      return FirstDifference(ReverseText(text), plain);
    case Conversion::kVerticalLayout:
      plain = PlainVerticalLayout(text);
      return FirstDifference(VerticalLayout(text), plain) +
             announced(VerticalLayoutLength(text), plain);
    case Conversion::kConvertByTable: break;
  }
  return FirstDifference(ConvertByTable(text, first, second), LiteralScan(text, first, second));
}

}  // namespace tavro::reference
