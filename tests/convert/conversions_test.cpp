// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>

#include "ansi_width.h"
#include "character_tables.h"
#include "characters.h"
#include "plain_conversions.h"
#include "reversal.h"
#include "separator.h"
#include "table_conversion.h"
#include "vertical_layout.h"

namespace tavro {
namespace {

const std::u16string kMartian = TableText(TableKind::kMartian);
const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);

using Conversion = std::function<std::u16string(std::u16string_view)>;
const Conversion kDash = [](auto in) { return AddCharacters(in, u"-"); };
const Conversion kStars = [](auto in) { return AddCharacters(in, u"**"); };
const Conversion kNothing = [](auto in) { return AddCharacters(in, u""); };
const Conversion kReverse = ReverseText;
const Conversion kVertical = VerticalLayout;
const Conversion kToMartian = [](auto in) { return ConvertByTable(in, kSimplified, kMartian); };
const Conversion kToTraditional = [](auto in) {
  return ConvertByTable(in, kSimplified, kTraditional);
};
const Conversion kToSimplified = [](auto in) {
  return ConvertByTable(in, kTraditional, kSimplified);
};

TEST(ConversionsTest, GiveTheExpectedText) {
  const std::tuple<const Conversion&, std::u16string, std::u16string> examples[] = {
      // clang-format off
      // Typical text.
      {kDash, u"中文", u"-中-文"}, {kStars, u"abc", u"**a**b**c"}, {kDash, u"a\r\n", u"-a-\r-\n"},
      {kReverse, u"中文abc", u"cba文中"}, {kReverse, u"ab\r\ncd", u"dc\n\rba"},
      {kVertical, u"中文字符", u"中|字|\r\n文|符|\r\n"}, {kVertical, u"abc", u"a |c |\r\nb |  |\r\n"},
      {kVertical, u"一二三四五六七八九", u"一|四|七|  |\r\n二|五|八|  |\r\n三|六|九|  |\r\n"},
      {kVertical, u"a", u"a |  |\r\n"}, {kVertical, u"ab", u"a |b |\r\n"},
      {kToMartian, u"啊阿埃", u"娿婀埃"}, {kToTraditional, u"爱处啊", u"愛處啊"},
      {kToTraditional, u"太后的头发干燥", u"太後的头發幹燥"}, {kToSimplified, u"愛處爱", u"爱处爱"},
      // Code page 936 widths: full-width forms and CJK punctuation are
      // double-byte, the euro sign is byte 0x80, Thai and Hangul are not
      // encodable; a line break is a cell, NUL a single-byte character.
      {kVertical, u"Ａ，€ก", u"Ａ|€ |\r\n，|ก |\r\n"}, {kVertical, u"한", u"한 |  |\r\n"},
      {kVertical, u"a\r\nb", u"a |\n |\r\n\r |b |\r\n"},
      {kVertical, std::u16string(1, u'\0'), std::u16string(u"\0 |  |\r\n", 8)},
      // The first occurrence wins (疊 stands at 562 for 迭 and 564 for 叠); only
      // traditional-to-simplified knows 沈矽後, which GB 2312 orders after 呼.
      {kToSimplified, u"疊沈矽後", u"迭沉硅后"}, {kToTraditional, u"沈矽後", u"沈矽後"},
      {kToMartian, u"沈矽後中a,\r\n", u"沈矽後中a,\r\n"},
      // Surrogate pairs stay whole; lone halves are characters of their own.
      {kDash, u"中😀𠍀", u"-中-😀-𠍀"}, {kDash, u"\xDE00\xD83D", u"-\xDE00-\xD83D"},
      {kReverse, u"中文abc😀", u"😀cba文中"}, {kReverse, u"\xD83D\xD83D\xDE00", u"\xD83D\xDE00\xD83D"},
      {kReverse, u"\xDE00\xD83D", u"\xD83D\xDE00"}, {kVertical, u"😀中", u"😀 |中|\r\n"},
      {kVertical, u"𠍀a😀b", u"𠍀 |😀 |\r\na |b |\r\n"}, {kToTraditional, u"😀爱", u"😀愛"},
      {kVertical, u"\xDE00\xD83D", u"\xDE00 |\xD83D |\r\n"},
      // Regression: a tag character, which glibc's iconv writes as nothing.
      {kVertical, u"\U000E0017本倀a", u"\U000E0017 |倀|\r\n本|a |\r\n"},
      // Empty input, and the empty separator.
      {kDash, u"", u""}, {kReverse, u"", u""}, {kVertical, u"", u""}, {kToMartian, u"", u""},
      {kNothing, u"字", u"字"},
      // clang-format on
  };
  for (const auto& [convert, input, expected] : examples) EXPECT_EQ(convert(input), expected);
}

TEST(VerticalLayoutTest, ChoosesLinesAndColumnsByRoundingTiesToEven) {
  // {characters, lines, columns}: an even quotient n / L gets no filler
  // column, an odd one a whole column; from 400 on, 20 lines.
  const std::size_t cases[][3] = {{3, 2, 2},     {6, 2, 4},     {9, 3, 4},     {12, 3, 4},
                                  {16, 4, 4},    {18, 4, 5},    {20, 4, 6},    {25, 5, 6},
                                  {399, 20, 20}, {400, 20, 20}, {401, 20, 21}, {420, 20, 22},
                                  {1000, 20, 50}};
  for (const auto& [characters, lines, columns] : cases) {
    const std::u16string grid = VerticalLayout(std::u16string(characters, u'x'));
    EXPECT_EQ(std::count(grid.begin(), grid.end(), u'\n'), lines) << characters;
    EXPECT_EQ(std::count(grid.begin(), grid.end(), u'|'), lines * columns) << characters;
  }
}

TEST(AnsiWidthTest, IsThePlatformEncodersForEveryCodeUnit) {
#ifdef _WIN32
  // Under a Chinese and an English locale alike: the user's own ANSI code
  // page must not matter.
  if (const char* expected = std::getenv("TAVRO_EXPECTED_ACP")) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
#endif
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    const std::u16string character(1, static_cast<char16_t>(unit));
    ASSERT_EQ(AnsiWidth(character), reference::PlainAnsiWidth(character)) << unit;
  }
  // The user-defined area is two bytes up to its end; without best fit, ¢
  // has no code of its own and is "?".
  const std::pair<std::u16string, int> examples[] = {
      {u"\uE000", 2}, {u"\uE864", 2}, {u"\uE865", 1}, {u"¢", 1}, {u"中", 2}, {u"😀", 1}, {u"", 0}};
  for (const auto& [character, width] : examples) EXPECT_EQ(AnsiWidth(character), width);
}

TEST(RandomSeparatorTest, IsTheSameUnseededSequenceCoveringOneTo127) {
  RandomSource source;
  std::set<char16_t> codes;
  std::u16string first;
  for (int i = 0; i < 20000; ++i) codes.insert(PickRandomSeparator(source));
  for (RandomSource fresh; first.size() < 6;) first += PickRandomSeparator(fresh);
  EXPECT_EQ(first,
            u"`DZ5\x03"
            u"x");  // recorded once; must never change
  EXPECT_EQ(codes.size(), 127u);
  EXPECT_EQ(*codes.begin(), 1);
  EXPECT_EQ(*codes.rbegin(), 127);
}

TEST(CharacterTablesTest, HoldTheFirst1024Gb2312HanziAligned) {
  // GB 2312 from 0xB0A1 in code order.
  std::string gb2312;
  for (int code = 0; gb2312.size() < 2 * kTableLength; ++code) {
    gb2312 += {static_cast<char>(0xB0 + code / 94), static_cast<char>(0xA1 + code % 94)};
  }
  EXPECT_EQ(reference::EncodeCp936(kSimplified), gb2312);
  EXPECT_EQ(std::set<char16_t>(kSimplified.begin(), kSimplified.end()).size(), kTableLength);

  int sameTraditional = 0, sameMartian = 0;
  for (std::size_t pos = 0; pos < kTableLength; ++pos) {
    sameTraditional += kTraditional[pos] == kSimplified[pos];
    sameMartian += kMartian[pos] == kSimplified[pos];
    for (const std::u16string* table : {&kMartian, &kTraditional}) {
      EXPECT_EQ(reference::PlainAnsiWidth(table->substr(pos, 1)), 2) << pos;
    }
  }
  EXPECT_EQ(sameTraditional, 701);
  EXPECT_EQ(sameMartian, 361);
  // Positions 1, 382, 562-564 and 1,024.
  for (const auto& [table, expected] :
       {std::pair{&kSimplified, u"啊处迭谍叠呼"}, std::pair{&kTraditional, u"啊處疊諜疊呼"},
        std::pair{&kMartian, u"娿處迭媟疉苸"}}) {
    ASSERT_EQ(table->size(), kTableLength);
    const std::u16string& t = *table;
    EXPECT_EQ((std::u16string{t[0], t[381], t[561], t[562], t[563], t[1023]}), expected);
  }
}

TEST(CharacterTablesTest, LoadTablesAppendsElevenChunksPerTableInOrder) {
  std::u16string fields[3];
  std::vector<TableKind> kinds;
  const AppendToTableField append = [&](TableKind kind, std::u16string_view chunk) {
    fields[static_cast<int>(kind)] += chunk;
    kinds.push_back(kind);
  };
  LoadTables(append);
  LoadTables(append);  // a second activation doubles every table
  EXPECT_EQ(kinds.size(), 66u);
  EXPECT_TRUE(std::is_sorted(kinds.begin(), kinds.begin() + 33));
  EXPECT_EQ(fields[0] + fields[1] + fields[2],
            kMartian + kMartian + kSimplified + kSimplified + kTraditional + kTraditional);
  EXPECT_EQ(ConvertByTable(u"疊愛", fields[2], fields[1]), u"迭爱");
}

TEST(ConversionsTest, AgreeWithPlainReferencesOnRandomText) {
  // Mostly characters that pair up or break pairs, beside table characters.
  constexpr std::u16string_view kAlphabet = u"啊爱愛疊迭後中a-\r\n\xD840\xDF40\xDC00";
  std::mt19937 random(7);
  const auto randomText = [&](std::size_t maxLength) {
    std::u16string text(random() % (maxLength + 1), u' ');
    for (char16_t& unit : text) unit = kAlphabet[random() % kAlphabet.size()];
    return text;
  };
  for (int i = 0; i < 1000; ++i) {
    const std::u16string text = randomText(40), source = randomText(12), target = randomText(12);
    ASSERT_EQ(ConvertByTable(text, source, target), reference::LiteralScan(text, source, target));
    ASSERT_EQ(AddCharacters(text, source), reference::PlainAddCharacters(text, source));
    const std::u16string grid = reference::PlainVerticalLayout(text);
    ASSERT_EQ(VerticalLayout(text), grid);
    ASSERT_EQ(VerticalLayoutLength(text), grid.size());
    ASSERT_EQ(kToTraditional(text).size(), text.size());
    ASSERT_EQ(kToSimplified(text).size(), text.size());
    // Reversing twice gives the text back, except where a lone low half
    // precedes a lone high half: reversed, they meet as a well-formed pair.
    const bool pairForms = std::adjacent_find(text.begin(), text.end(), [](auto a, auto b) {
                             return IsLowSurrogate(a) && IsHighSurrogate(b);
                           }) != text.end();
    if (!pairForms) {
      ASSERT_EQ(ReverseText(ReverseText(text)), text);
    }
  }
}

}  // namespace
}  // namespace tavro
