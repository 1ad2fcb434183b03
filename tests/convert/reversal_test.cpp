// SPDX-License-Identifier: MIT
#include "reversal.h"

#include <gtest/gtest.h>

#include "characters.h"
#include "random_text.h"

namespace tavro {
namespace {

TEST(ReverseTextTest, WritesTextBackwards) {
  EXPECT_EQ(ReverseText(u"中文abc"), u"cba文中");
  EXPECT_EQ(ReverseText(u""), u"");
  EXPECT_EQ(ReverseText(u"字"), u"字");
  // A CR LF pair is two characters.
  EXPECT_EQ(ReverseText(u"ab\r\ncd"), u"dc\n\rba");
}

TEST(ReverseTextTest, KeepsSurrogatePairsInOrder) {
  EXPECT_EQ(ReverseText(u"中文abc😀"), u"😀cba文中");
  EXPECT_EQ(ReverseText(u"𠍀😀"), u"😀𠍀");
  // Lone halves are single units; high-high-low is a lone high and a pair.
  EXPECT_EQ(ReverseText(u"\xDE00\xD83D"), u"\xD83D\xDE00");
  EXPECT_EQ(ReverseText(u"\xD83D\xD83D\xDE00"), u"\xD83D\xDE00\xD83D");
  EXPECT_EQ(ReverseText(u"\xD83D\xDE00\xDE00"), u"\xDE00\xD83D\xDE00");
}

TEST(ReverseTextTest, ReversingTwiceGivesTheInputBack) {
  std::mt19937 random(7);
  for (int i = 0; i < 2000; ++i) {
    std::u16string text = testing::RandomText(random, 40);
    // A lone low half followed by a lone high half turns into a well-formed
    // pair when reversed, which then stays whole: the one exception.
    for (std::size_t pos = 0; pos + 1 < text.size(); ++pos) {
      if (IsLowSurrogate(text[pos]) && IsHighSurrogate(text[pos + 1])) text[pos + 1] = u'x';
    }
    ASSERT_EQ(ReverseText(ReverseText(text)), text);
  }
  EXPECT_EQ(ReverseText(u"\xDC00\xD840"), u"\xD840\xDC00");
}

}  // namespace
}  // namespace tavro
