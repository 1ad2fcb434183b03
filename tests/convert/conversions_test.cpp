// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "ansi_width.h"
#include "character_tables.h"
#include "plain_conversions.h"

namespace tavro {
namespace {

const std::u16string kMartian = TableText(TableKind::kMartian);
const std::u16string kSimplified = TableText(TableKind::kSimplified);
const std::u16string kTraditional = TableText(TableKind::kTraditional);

TEST(ConversionsTest, GiveTheExpectedText) {
  // The window's tests show the other conversions; these are the cases that
  // a field, which keeps line breaks as LF, cannot.
  using Conversion = std::u16string (*)(std::u16string_view);
  const std::tuple<Conversion, std::u16string, std::u16string> examples[] = {
      // clang-format off
      // Backwards, CR LF as LF CR, a pair whole; lone halves meet as a pair.
      {ReverseText, u"ab\r\ncd😀", u"😀dc\n\rba"}, {ReverseText, u"\xDE00\xD83D", u"\xD83D\xDE00"},
      // Nine characters make three lines and a column of fillers. Cells are
      // two code page 936 bytes: full-width forms and the user-defined area
      // fill them, ASCII, the euro sign (0x80), unencodable Thai, a pair and a
      // line break get a space.
      {VerticalLayout, u"一二三四五六七八九", u"一|四|七|  |\r\n二|五|八|  |\r\n三|六|九|  |\r\n"},
      {VerticalLayout, u"abc", u"a |c |\r\nb |  |\r\n"}, {VerticalLayout, u"", u""},
      {VerticalLayout, u"Ａ，€ก", u"Ａ|€ |\r\n，|ก |\r\n"}, {VerticalLayout, u"😀\uE000", u"😀 |\uE000|\r\n"},
      {VerticalLayout, u"a\r\nb", u"a |\n |\r\n\r |b |\r\n"},
      // Regression: a tag character, which glibc's iconv writes as nothing.
      {VerticalLayout, u"\U000E0017本倀a", u"\U000E0017 |倀|\r\n本|a |\r\n"},
      // clang-format on
  };
  for (const auto& [convert, input, expected] : examples) EXPECT_EQ(convert(input), expected);
}

TEST(ConversionsTest, AgreeWithPlainReferencesOnRandomText) {
  // Units that pair up or break pairs beside table characters, which also
  // make up the tables; every tenth text long enough for grids of 20 lines.
  constexpr std::u16string_view kAlphabet = u"啊爱愛疊迭後中a-\r\n\xD840\xDF40\xDC00";
  std::mt19937 random(7);
  for (int i = 0; i < 1000; ++i) {
    std::u16string text(random() % (i % 10 ? 40 : 1200), u' ');
    for (char16_t& unit : text) unit = kAlphabet[random() % kAlphabet.size()];
    for (int button : {1, 3, 4, 5}) ASSERT_TRUE(reference::AgreesWithReference(button, text)) << i;
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
  // The user-defined area is two bytes to its end; without best fit, ¢ has
  // no code of its own and is "?".
  const std::pair<std::u16string, int> examples[] = {
      {u"\uE000", 2}, {u"\uE864", 2}, {u"\uE865", 1}, {u"¢", 1}, {u"中", 2}, {u"😀", 1}, {u"", 0}};
  for (const auto& [character, width] : examples) EXPECT_EQ(AnsiWidth(character), width);
}

TEST(RandomSeparatorTest, CoversOneTo127) {
  // The window's tests pin the first draws of the unseeded sequence.
  RandomSource source;
  std::set<char16_t> codes;
  for (int i = 0; i < 20000; ++i) codes.insert(PickRandomSeparator(source));
  EXPECT_EQ(codes.size(), 127u);
  EXPECT_EQ(*codes.begin(), 1);
}

TEST(CharacterTablesTest, HoldTheFirst1024Gb2312HanziAlignedAndLoadInOrder) {
  std::string gb2312;  // from 0xB0A1 in code order
  for (int code = 0; gb2312.size() < 2 * kTableLength; ++code) {
    gb2312 += {static_cast<char>(0xB0 + code / 94), static_cast<char>(0xA1 + code % 94)};
  }
  EXPECT_EQ(reference::EncodeCp936(kSimplified), gb2312);
  EXPECT_EQ(reference::EncodeCp936(kTraditional + kMartian).value_or("").size(), 4 * kTableLength);
  int sameTraditional = 0, sameMartian = 0;
  for (std::size_t pos = 0; pos < kTableLength; ++pos) {
    sameTraditional += kTraditional[pos] == kSimplified[pos];
    sameMartian += kMartian[pos] == kSimplified[pos];
  }
  EXPECT_EQ(sameTraditional, 701);
  EXPECT_EQ(sameMartian, 361);
  // Chunk by chunk, the Martian table first, then the simplified one.
  std::u16string loaded;
  LoadTables([&](TableKind kind, std::u16string_view chunk) {
    loaded += (kind == TableKind::kMartian ? u'M' : kind == TableKind::kSimplified ? u'S' : u'T');
    loaded += chunk;
  });
  EXPECT_EQ(loaded.size(), 3 * (kTableLength + 11));
  EXPECT_EQ(loaded.substr(0, 4), u"M娿婀埃");
  EXPECT_EQ(loaded.substr(kTableLength + 11, 4), u"S啊阿埃");
}

}  // namespace
}  // namespace tavro
