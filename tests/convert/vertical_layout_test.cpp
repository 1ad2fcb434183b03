// SPDX-License-Identifier: MIT
#include "vertical_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavro {
namespace {

TEST(VerticalLayoutTest, LaysTextOutInColumns) {
  // Typical text: hanzi fill a cell, ASCII gets one space, fillers two.
  EXPECT_EQ(VerticalLayout(u"中文字符"), u"中|字|\r\n文|符|\r\n");
  EXPECT_EQ(VerticalLayout(u"abc"), u"a |c |\r\nb |  |\r\n");
  EXPECT_EQ(VerticalLayout(u"一二三四五六七八九"),
            u"一|四|七|  |\r\n二|五|八|  |\r\n三|六|九|  |\r\n");
  // One and two characters.
  EXPECT_EQ(VerticalLayout(u"a"), u"a |  |\r\n");
  EXPECT_EQ(VerticalLayout(u"ab"), u"a |b |\r\n");
  // Empty input has no lines.
  EXPECT_EQ(VerticalLayout(u""), u"");
}

TEST(VerticalLayoutTest, WidensEveryCellToTwoBytes) {
  // Full-width forms and CJK punctuation are double-byte; the euro sign is
  // code page 936's single byte 0x80; Thai and Hangul are not encodable.
  EXPECT_EQ(VerticalLayout(u"Ａ，€ก"), u"Ａ|€ |\r\n，|ก |\r\n");
  EXPECT_EQ(VerticalLayout(u"한"), u"한 |  |\r\n");
  // A line break is a cell, and NUL is a single-byte character.
  EXPECT_EQ(VerticalLayout(u"a\r\nb"), u"a |\n |\r\n\r |b |\r\n");
  EXPECT_EQ(VerticalLayout(std::u16string(1, u'\0')), std::u16string(u"\0 |  |\r\n", 8));
}

TEST(VerticalLayoutTest, KeepsSurrogatePairsInOneCell) {
  // Two characters, one line; a pair is unencodable, so width 1.
  EXPECT_EQ(VerticalLayout(u"😀中"), u"😀 |中|\r\n");
  EXPECT_EQ(VerticalLayout(u"𠍀a😀b"), u"𠍀 |😀 |\r\na |b |\r\n");
  // Lone halves are cells of their own.
  EXPECT_EQ(VerticalLayout(u"\xDE00\xD83D"), u"\xDE00 |\xD83D |\r\n");
}

TEST(VerticalLayoutTest, ChoosesLinesAndColumnsByTheRoundingRules) {
  struct Case {
    std::size_t characters, lines, columns;
  };
  const Case cases[] = {
      {3, 2, 2},     {6, 2, 4},     {9, 3, 4},     {12, 3, 4},     {15, 4, 4},
      {16, 4, 4},    {18, 4, 5},    {20, 4, 6},    {25, 5, 6},     {399, 20, 20},
      {400, 20, 20}, {401, 20, 21}, {420, 20, 22}, {1000, 20, 50},
  };
  for (const Case& c : cases) {
    const std::u16string grid = VerticalLayout(std::u16string(c.characters, u'x'));
    const auto lines = static_cast<std::size_t>(std::count(grid.begin(), grid.end(), u'\n'));
    const auto cells = static_cast<std::size_t>(std::count(grid.begin(), grid.end(), u'|'));
    EXPECT_EQ(lines, c.lines) << c.characters << " characters";
    EXPECT_EQ(cells, c.lines * c.columns) << c.characters << " characters";
  }
}

TEST(VerticalLayoutTest, RoundsTiesToEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(20.5), 20);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

}  // namespace
}  // namespace tavro
