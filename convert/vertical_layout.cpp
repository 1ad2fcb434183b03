// SPDX-License-Identifier: MIT
#include "vertical_layout.h"

#include <algorithm>
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

std::size_t VerticalLayoutLength(std::u16string_view input) {
  const std::size_t count = CountCharacters(input);
  if (count == 0) return 0;
  const GridShape shape = ChooseGridShape(count);
  const AnsiWidthTable& widths = AnsiWidths();
  // Every single-byte unit gets a space after it; a pair is two such units
  // but one single-byte cell, so it gets one space.
  std::size_t singleByteUnits = 0;
  for (char16_t unit : input) singleByteUnits += widths[unit] == 1;
  const std::size_t spaces = singleByteUnits - (input.size() - count);
  const std::size_t fillers = shape.lines * shape.columns - count;
  // Each cell closes with "|", a filler is two spaces, a line ends in CR LF.
  return input.size() + spaces + count + 3 * fillers + 2 * shape.lines;
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

  // The text is read once, in its own order, column by column, and every
  // line is written through a cursor of its own into room for its widest
  // possible cells: the character (two units for a pair), a space and "|".
  // Then each line moves up against the one before.
  const std::size_t cellRoom = count == input.size() ? 3 : 4;
  const std::size_t lineRoom = shape.columns * cellRoom + 2;
  std::u16string result(lineRoom * shape.lines, u' ');
  std::vector<char16_t*> cursors(shape.lines);
  for (std::size_t line = 0; line < shape.lines; ++line) {
    cursors[line] = result.data() + line * lineRoom;
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
    // A filler's two spaces, and the space after a pair (single-byte), are
    // already there.
    std::copy(cell.begin(), cell.end(), out);
    out += cell.empty() ? 2 : cell.size() + 1;
    *out++ = u'|';
    cursors[line] = out;
  });

  char16_t* end = result.data();
  for (std::size_t line = 0; line < shape.lines; ++line) {
    char16_t* out = cursors[line];
    *out++ = u'\r';
    *out++ = u'\n';
    const char16_t* start = result.data() + line * lineRoom;
    std::char_traits<char16_t>::move(end, start, static_cast<std::size_t>(out - start));
    end += out - start;
  }
  result.resize(static_cast<std::size_t>(end - result.data()));
  return result;
}

}  // namespace tavro
