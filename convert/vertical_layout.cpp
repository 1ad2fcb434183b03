// SPDX-License-Identifier: MIT
#include "vertical_layout.h"

#include <cmath>
#include <vector>

#include "ansi_width.h"
#include "characters.h"

namespace tavro {
namespace {

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

// Calls visit(line, cell) for every cell in the order of the text, which is
// column by column, then for the fillers that close the last column, as empty
// cells. A surrogate pair is one cell; `count` is the number of characters.
template <typename Visit>
void ForEachCell(std::u16string_view input, std::size_t count, GridShape shape, Visit visit) {
  std::size_t line = 0;
  const auto nextLine = [&] {
    if (++line == shape.lines) line = 0;
  };
  if (count == input.size()) {
    // No pairs, so every unit is a cell: the usual case, worth its own loop.
    for (std::size_t pos = 0; pos < input.size(); ++pos, nextLine()) {
      visit(line, std::u16string_view(input.data() + pos, 1));
    }
  } else {
    // The position steps by one, a pair taking a second step inside, so that
    // the next position never waits for the current unit to be loaded.
    for (std::size_t pos = 0; pos < input.size(); ++pos, nextLine()) {
      const std::size_t length = CharacterLength(input, pos);
      visit(line, std::u16string_view(input.data() + pos, length));
      if (length == 2) ++pos;
    }
  }
  for (std::size_t cell = count; cell < shape.lines * shape.columns; ++cell, nextLine()) {
    visit(line, std::u16string_view());
  }
}

}  // namespace

double RoundHalfEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::size_t VerticalLayoutLengthBound(std::size_t inputLength) {
  // At most 20 lines, so at most 20 filler cells; a cell takes at most four
  // units (a pair, a space, "|"), a line two more.
  return 4 * (inputLength + 20) + 2 * 20;
}

std::u16string VerticalLayout(std::u16string_view input) {
  const std::size_t count = CountCharacters(input);
  if (count == 0) return {};  // no lines: the column count would divide by zero
  const GridShape shape = ChooseGridShape(count);
  const AnsiWidthTable& widths = AnsiWidths();
  // A pair is wider than one unit, and code page 936 cannot encode it.
  const auto isSingleByte = [&](std::u16string_view cell) {
    return cell.size() > 1 || widths[cell[0]] == 1;
  };

  // The text is read in its own order, column by column, and every line is
  // written through a cursor of its own; so first measure each line: a cell is
  // the character, a space after a single-byte one, two spaces for a filler,
  // and "|"; a line ends with CR LF.
  std::vector<std::size_t> lineLengths(shape.lines, 2);
  ForEachCell(input, count, shape, [&](std::size_t line, std::u16string_view cell) {
    lineLengths[line] += cell.empty() ? 3 : cell.size() + isSingleByte(cell) + 1;
  });
  std::size_t size = 0;
  for (std::size_t length : lineLengths) size += length;
  std::u16string result(size, u' ');
  std::vector<char16_t*> cursors(shape.lines);
  cursors[0] = result.data();
  for (std::size_t line = 1; line < shape.lines; ++line) {
    cursors[line] = cursors[line - 1] + lineLengths[line - 1];
  }

  ForEachCell(input, count, shape, [&](std::size_t line, std::u16string_view cell) {
    char16_t* out = cursors[line];
    if (cell.size() == 1) {
      // The common case, without a branch on the width.
      const bool singleByte = isSingleByte(cell);
      out[0] = cell[0];
      out[1] = u' ';
      out[1 + singleByte] = u'|';
      cursors[line] = out + 2 + singleByte;
      return;
    }
    if (cell.empty()) {
      *out++ = u' ';
      *out++ = u' ';
    } else {
      for (char16_t unit : cell) *out++ = unit;
      *out++ = u' ';  // a pair is single-byte
    }
    *out++ = u'|';
    cursors[line] = out;
  });
  for (char16_t* out : cursors) {
    out[0] = u'\r';
    out[1] = u'\n';
  }
  return result;
}

}  // namespace tavro
