// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "character_tables.h"
#include "characters.h"
#include "reference/plain_conversions.h"
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
const Conversion kReverse = ReverseText;
const Conversion kVertical = VerticalLayout;
const Conversion kToMartian = [](auto in) { return ConvertByTable(in, kSimplified, kMartian); };
const Conversion kToTraditional = [](auto in) {
  return ConvertByTable(in, kSimplified, kTraditional);
};
const Conversion kToSimplified = [](auto in) {
  return ConvertByTable(in, kTraditional, kSimplified);
};

struct Example {
  const Conversion& convert;
  std::u16string input, expected;
};

TEST(ConversionsTest, GiveTheExpectedText) {
  // clang-format off
  const Example examples[] = {
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
  };
  // clang-format on
  for (const Example& example : examples) {
    EXPECT_EQ(example.convert(example.input), example.expected);
  }
  // Empty input, and the empty separator.
  for (const Conversion* convert : {&kDash, &kReverse, &kVertical, &kToMartian, &kToSimplified}) {
    EXPECT_EQ((*convert)(u""), u"");
  }
  EXPECT_EQ(AddCharacters(u"字", u""), u"字");
}

TEST(VerticalLayoutTest, ChoosesLinesAndColumnsByRoundingTiesToEven) {
  // {characters, lines, columns}: an even quotient n / L gets no filler
  // column, an odd one gets a whole column; from 400 on, 20 lines.
  const std::size_t cases[][3] = {{3, 2, 2},     {6, 2, 4},     {9, 3, 4},     {12, 3, 4},
                                  {16, 4, 4},    {18, 4, 5},    {20, 4, 6},    {25, 5, 6},
                                  {399, 20, 20}, {400, 20, 20}, {401, 20, 21}, {420, 20, 22},
                                  {1000, 20, 50}};
  for (const auto& [characters, lines, columns] : cases) {
    const std::u16string grid = VerticalLayout(std::u16string(characters, u'x'));
    EXPECT_EQ(std::count(grid.begin(), grid.end(), u'\n'), lines) << characters;
    EXPECT_EQ(std::count(grid.begin(), grid.end(), u'|'), lines * columns) << characters;
  }
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(RandomSeparatorTest, IsTheSameUnseededSequenceCoveringOneTo127) {
  RandomSource source;
  std::u16string draws;
  for (int i = 0; i < 20000; ++i) draws += PickRandomSeparator(source);
  EXPECT_EQ(draws.substr(0, 6),
            u"`DZ5\x03"
            u"x");  // recorded once; must never change
  EXPECT_EQ(
      std::set<char16_t>(draws.begin(), draws.end()),
      std::set<char16_t>(reference::kAsciiSeparators.begin(), reference::kAsciiSeparators.end()));
}

// Converts between encodings with iconv; empty when iconv refuses.
std::string Iconv(const char* to, const char* from, std::string in) {
  iconv_t cd = iconv_open(to, from);
  std::string out(in.size() * 2, '\0');
  char *inPtr = in.data(), *outPtr = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  return ok ? out.substr(0, out.size() - outLeft) : "";
}

TEST(CharacterTablesTest, HoldTheFirst1024Gb2312HanziAligned) {
  std::string gb2312;
  for (int code = 0; gb2312.size() < 2 * kTableLength; ++code) {
    gb2312 += {static_cast<char>(0xB0 + code / 94), static_cast<char>(0xA1 + code % 94)};
  }
  const std::string utf16(reinterpret_cast<const char*>(kSimplified.data()), 2 * kTableLength);
  EXPECT_EQ(Iconv("UTF-16LE", "GB2312", gb2312), utf16);
  EXPECT_EQ(std::set<char16_t>(kSimplified.begin(), kSimplified.end()).size(), kTableLength);
  int sameTraditional = 0, sameMartian = 0;
  for (std::size_t pos = 0; pos < kTableLength; ++pos) {
    sameTraditional += kTraditional[pos] == kSimplified[pos];
    sameMartian += kMartian[pos] == kSimplified[pos];
  }
  EXPECT_EQ(sameTraditional, 701);
  EXPECT_EQ(sameMartian, 361);
  for (const std::u16string* table : {&kMartian, &kSimplified, &kTraditional}) {
    ASSERT_EQ(table->size(), kTableLength);
    const std::string bytes(reinterpret_cast<const char*>(table->data()), 2 * kTableLength);
    EXPECT_EQ(Iconv("CP936", "UTF-16LE", bytes).size(), 2 * kTableLength);  // all double-byte
  }
  // Positions 1, 382, 562-564 and 1,024, one table a line.
  for (const auto& [table, expected] :
       {std::pair{&kSimplified, u"啊处迭谍叠呼"}, std::pair{&kTraditional, u"啊處疊諜疊呼"},
        std::pair{&kMartian, u"娿處迭媟疉苸"}}) {
    EXPECT_EQ((std::u16string{(*table)[0], (*table)[381], (*table)[561], (*table)[562],
                              (*table)[563], (*table)[1023]}),
              expected);
  }
}

TEST(CharacterTablesTest, LoadTablesAppendsElevenChunksPerTableInOrder) {
  std::u16string fields[3];
  std::vector<TableKind> chunkKinds;
  const AppendToTableField append = [&](TableKind kind, std::u16string_view chunk) {
    fields[static_cast<int>(kind)] += chunk;
    chunkKinds.push_back(kind);
  };
  LoadTables(append);
  LoadTables(append);  // a second activation doubles every table
  EXPECT_EQ(chunkKinds.size(), 66u);
  EXPECT_TRUE(std::is_sorted(chunkKinds.begin(), chunkKinds.begin() + 33));
  EXPECT_EQ(fields[static_cast<int>(TableKind::kMartian)], kMartian + kMartian);
  EXPECT_EQ(fields[static_cast<int>(TableKind::kSimplified)], kSimplified + kSimplified);
  EXPECT_EQ(fields[static_cast<int>(TableKind::kTraditional)], kTraditional + kTraditional);
  EXPECT_EQ(ConvertByTable(u"疊愛", fields[2], fields[1]), u"迭爱");
}

TEST(ConversionsTest, KeepTheirPropertiesOnRandomText) {
  std::mt19937 random(7);
  for (int i = 0; i < 1000; ++i) {
    const std::u16string text = reference::RandomText(random, 40);
    const std::u16string source = reference::RandomText(random, 12);
    const std::u16string target = reference::RandomText(random, 12);
    // Each agrees with its plain reference, the index with tables of any shape.
    ASSERT_EQ(ConvertByTable(text, source, target), reference::LiteralScan(text, source, target));
    ASSERT_EQ(AddCharacters(text, source), reference::PlainAddCharacters(text, source));
    ASSERT_EQ(VerticalLayout(text), reference::PlainVerticalLayout(text));
    ASSERT_EQ(kToTraditional(text).size(), text.size());
    ASSERT_EQ(kToSimplified(text).size(), text.size());
    // A lone low half followed by a lone high half meets as a well-formed
    // pair when reversed, which then stays whole: the one exception.
    if (std::adjacent_find(text.begin(), text.end(), [](char16_t a, char16_t b) {
          return IsLowSurrogate(a) && IsHighSurrogate(b);
        }) == text.end()) {
      ASSERT_EQ(ReverseText(ReverseText(text)), text);
    }
  }
}

}  // namespace
}  // namespace tavro
