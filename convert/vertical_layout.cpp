// SPDX-License-Identifier: MIT
#include "vertical_layout.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "ansi_width.h"
#include "characters.h"

namespace tavro {
namespace {

// Rounds to the nearest integer, a tie to the even neighbour (2.5 -> 2).
double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

struct GridShape {
  std::size_t lines;
  std::size_t columns;
};

GridShape ChooseGridShape(std::size_t characters) {
  // Beyond 399 characters a square grid grows too wide to read, so the height
  // stays at 20 lines. sqrt(n) is never a tie; n / L + 0.5 can be, and then
  // an odd quotient gets a whole column of fillers.
  const double count = static_cast<double>(characters);
  const double lines = characters < 400 ? RoundHalfEven(std::sqrt(count)) : 20;
  return {static_cast<std::size_t>(lines),
          static_cast<std::size_t>(RoundHalfEven(count / lines + 0.5))};
}

// A character with no width of its own when it stands alone: a control (tab,
// CR, LF), a format character (U+200B, U+FEFF, a soft hyphen) or a line or
// paragraph separator. Its cell is left blank, so the grid stays a grid.
bool IsBlank(char32_t codePoint) {
  switch (utf8proc_category(static_cast<utf8proc_int32_t>(codePoint))) {
    case UTF8PROC_CATEGORY_CC:
    case UTF8PROC_CATEGORY_CF:
    case UTF8PROC_CATEGORY_ZL:
    case UTF8PROC_CATEGORY_ZP: return true;
    default: return false;
  }
}

// Columns a character the code page cannot encode is drawn with: 2 for wide
// characters and emoji (East Asian Width W or F), 1 otherwise.
int DrawnWidth(char32_t codePoint) {
  return utf8proc_charwidth(static_cast<utf8proc_int32_t>(codePoint)) == 2 ? 2 : 1;
}

// The cell width of every BMP unit standing alone, looked up once: 0 for a
// blank cell, else its code page 936 width, or where the code page lacks it
// the width it is drawn with. A lone surrogate is 1, as "?" would be.
using CellWidthTable = std::array<std::uint8_t, 0x10000>;

const CellWidthTable& UnitCellWidths() {
  static const CellWidthTable widths = [] {
    const AnsiWidthTable& bytes = AnsiWidths();
    CellWidthTable table;
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
      const bool surrogate = unit >= 0xD800 && unit < 0xE000;
      table[unit] = surrogate        ? 1
                    : IsBlank(unit)  ? 0
                    : bytes[unit]    ? bytes[unit]
                                     : static_cast<std::uint8_t>(DrawnWidth(unit));
    }
    return table;
  }();
  return widths;
}

// The cell width of a character of more than one unit: the sum of its code
// page 936 widths where the code page encodes every unit of it, else the width
// it is drawn with: 2 for a flag, for a character asking for emoji
// presentation (U+FE0F after its first code point) and for a wide first
// character, 1 for the rest.
std::size_t ClusterCellWidth(std::u16string_view character) {
  const AnsiWidthTable& bytes = AnsiWidths();
  std::size_t encoded = 0;
  for (char16_t unit : character) {
    if (bytes[unit] == 0 || IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      encoded = 0;
      break;
    }
    encoded += bytes[unit];
  }
  if (encoded != 0) return encoded;
  std::size_t units = 0;
  const char32_t first = CodePointAt(character, 0, units);
  if (units == character.size()) {
    if (IsBlank(first)) return 0;
    return static_cast<std::size_t>(DrawnWidth(first));
  }
  const auto isRegionalIndicator = [](char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; };
  std::size_t secondUnits = 0;
  const bool flag = isRegionalIndicator(first) &&
                    isRegionalIndicator(CodePointAt(character, units, secondUnits));
  const bool emojiPresentation = character.find(u'\uFE0F', 1) != std::u16string_view::npos;
  return flag || emojiPresentation || DrawnWidth(first) == 2 ? 2 : 1;
}

// Calls visit(line, cell) for every cell in the order of the text, which is
// column by column, then for the fillers that close the last column, as empty
// cells; `count` is the number of characters.
template <typename Visit>
void ForEachCell(std::u16string_view input, std::size_t count, GridShape shape, Visit visit) {
  std::size_t line = 0;
  const auto nextLine = [&] {
    if (++line == shape.lines) line = 0;
  };
  if (count == input.size()) {
    // Every unit a character: the usual case, worth its own loop.
    for (std::size_t pos = 0; pos < input.size(); ++pos, nextLine()) {
      visit(line, std::u16string_view(input.data() + pos, 1));
    }
  } else {
    CharacterBreaks().ForEach(input, [&](std::size_t pos, std::size_t length) {
      visit(line, std::u16string_view(input.data() + pos, length));
      nextLine();
    });
  }
  for (std::size_t cell = count; cell < shape.lines * shape.columns; ++cell, nextLine()) {
    visit(line, std::u16string_view());
  }
}

// Units a cell takes in the result: the character, a space after a width of
// 1, "  " for a blank or a filler, and "|".
std::size_t CellLength(std::u16string_view cell, const CellWidthTable& widths) {
  if (cell.empty()) return 3;
  const std::size_t width = cell.size() == 1 ? widths[cell[0]] : ClusterCellWidth(cell);
  if (width == 0) return 3;
  return cell.size() + (width == 1) + 1;
}

// Lays out text whose every unit is a character, a line at a time, each
// line in its final place: its cells are gathered from every `lines`-th
// unit into a small buffer, which is appended to the result. Nothing is
// written twice, and the result is never moved.
std::u16string LayOutUnits(std::u16string_view input, GridShape shape,
                           const CellWidthTable& widths) {
  constexpr std::size_t kChunkColumns = 512;
  std::u16string result;
  result.reserve(shape.lines * (shape.columns * 3 + 2));  // every cell a unit, a space and "|"
  std::array<char16_t, kChunkColumns * 3> chunk;
  for (std::size_t line = 0; line < shape.lines; ++line) {
    for (std::size_t first = 0; first < shape.columns; first += kChunkColumns) {
      const std::size_t last = std::min(first + kChunkColumns, shape.columns);
      char16_t* out = chunk.data();
      for (std::size_t column = first; column < last; ++column) {
        const std::size_t pos = column * shape.lines + line;
        // A unit of width 1 and a space, or of width 2, then "|"; a blank
        // (width 0) is two spaces, and so is a filler past the end of the
        // text, in the last column.
        const char16_t unit = pos < input.size() ? input[pos] : u'\r';
        const std::uint8_t width = widths[unit];
        const bool padded = width != 2;
        out[0] = width == 0 ? u' ' : unit;
        out[1] = u' ';
        out[1 + padded] = u'|';
        out += 2 + padded;
      }
      result.append(chunk.data(), static_cast<std::size_t>(out - chunk.data()));
    }
    result += u"\r\n";
  }
  return result;
}

}  // namespace

std::size_t VerticalLayoutLength(std::u16string_view input) {
  const std::size_t count = CountCharacters(input);
  if (count == 0) return 0;
  const GridShape shape = ChooseGridShape(count);
  const CellWidthTable& widths = UnitCellWidths();
  std::size_t length = 2 * shape.lines;  // each line ends in CR LF
  ForEachCell(input, count, shape, [&](std::size_t, std::u16string_view cell) {
    length += CellLength(cell, widths);
  });
  return length;
}

std::u16string VerticalLayout(std::u16string_view input) {
  const std::size_t count = CountCharacters(input);
  if (count == 0) return {};  // no lines: the column count would divide by zero
  const GridShape shape = ChooseGridShape(count);
  const CellWidthTable& widths = UnitCellWidths();
  if (count == input.size()) return LayOutUnits(input, shape, widths);

  // The text is read in its own order, column by column, twice: once to
  // count each line's length, then to write every line through a cursor of
  // its own, each line ending in CR LF.
  std::vector<std::size_t> lineLengths(shape.lines, 2);
  ForEachCell(input, count, shape, [&](std::size_t line, std::u16string_view cell) {
    lineLengths[line] += CellLength(cell, widths);
  });
  std::size_t length = 0;
  for (std::size_t lineLength : lineLengths) length += lineLength;
  std::u16string result(length, u' ');
  std::vector<char16_t*> cursors(shape.lines);
  char16_t* lineStart = result.data();
  for (std::size_t line = 0; line < shape.lines; ++line) {
    cursors[line] = lineStart;
    lineStart += lineLengths[line];
    lineStart[-2] = u'\r';
    lineStart[-1] = u'\n';
  }

  ForEachCell(input, count, shape, [&](std::size_t line, std::u16string_view cell) {
    // A filler's or a blank's two spaces, and the space after a cell of
    // width 1, are already there.
    char16_t* out = cursors[line];
    const std::size_t width = cell.size() == 1 ? widths[cell[0]]
                              : cell.empty()   ? 0
                                               : ClusterCellWidth(cell);
    if (width != 0) out = std::copy(cell.begin(), cell.end(), out);
    out += width == 0 ? 2 : width == 1;
    *out++ = u'|';
    cursors[line] = out;
  });
  return result;
}

}  // namespace tavro
