// SPDX-License-Identifier: MIT
#include "separator.h"

#include <gtest/gtest.h>

#include <set>

namespace tavro {
namespace {

TEST(AddCharactersTest, PutsTheSeparatorBeforeEveryCharacter) {
  // Typical text.
  EXPECT_EQ(AddCharacters(u"中文", u"-"), u"-中-文");
  EXPECT_EQ(AddCharacters(u"abc", u"-"), u"-a-b-c");
  EXPECT_EQ(AddCharacters(u"abc", u"**"), u"**a**b**c");
  EXPECT_EQ(AddCharacters(u"ab", u"\x1A"), u"\x1A" u"a\x1A" u"b");
  // Line breaks are characters too.
  EXPECT_EQ(AddCharacters(u"a\r\n", u"-"), u"-a-\r-\n");
  // Empty input or separator.
  EXPECT_EQ(AddCharacters(u"", u"-"), u"");
  EXPECT_EQ(AddCharacters(u"太后的头发干燥", u""), u"太后的头发干燥");
}

TEST(AddCharactersTest, KeepsSurrogatePairsWhole) {
  EXPECT_EQ(AddCharacters(u"中文abc😀", u"-"), u"-中-文-a-b-c-😀");
  EXPECT_EQ(AddCharacters(u"𠍀𠍀", u"**"), u"**𠍀**𠍀");
  // Lone halves and a pair in the wrong order are single characters.
  EXPECT_EQ(AddCharacters(u"\xD83D" u"a\xDE00", u"-"), u"-\xD83D-a-\xDE00");
  EXPECT_EQ(AddCharacters(u"\xDE00\xD83D", u"-"), u"-\xDE00-\xD83D");
}

TEST(PickRandomSeparatorTest, IsTheSameUnseededSequenceEverywhere) {
  // The first draws of a fresh source, recorded once; they must never change.
  RandomSource source;
  std::u16string firstDraws;
  for (int i = 0; i < 6; ++i) firstDraws.push_back(PickRandomSeparator(source));
  EXPECT_EQ(firstDraws, u"`DZ5\x03" u"x");

  RandomSource another;
  EXPECT_EQ(PickRandomSeparator(another), firstDraws[0]);
}

TEST(PickRandomSeparatorTest, CoversEveryCodeFromOneTo127) {
  RandomSource source;
  std::set<char16_t> seen;
  for (int i = 0; i < 20000; ++i) {
    const char16_t code = PickRandomSeparator(source);
    ASSERT_GE(code, 1);
    ASSERT_LE(code, 127);
    seen.insert(code);
  }
  EXPECT_EQ(seen.size(), 127u);
}

}  // namespace
}  // namespace tavro
