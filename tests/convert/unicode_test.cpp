// SPDX-License-Identifier: MIT
// What a character is, against Unicode's own test data as Debian's
// unicode-data ships it: every break of GraphemeBreakTest.txt, and every
// emoji sequence of emoji-test.txt.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "plain_conversions.h"

namespace tavro {
namespace {

using reference::ToUtf16;

TEST(UnicodeTest, AddCharactersPutsItsSeparatorAtEveryGraphemeBreak) {
  // "÷ 0061 × 0308 ÷ 000D × 000A ÷": ÷ a break, × none. The separator goes
  // before every character, so at every break but the last; CR and LF are
  // two characters here, so a separator comes between them as well.
  std::ifstream lines(TAVRO_UNICODE_DATA "/auxiliary/GraphemeBreakTest.txt");
  int tested = 0;
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find('#'));
    if (line.empty()) continue;
    std::istringstream fields(line);
    std::u16string text, expected;
    char32_t previous = 0;
    for (std::string mark, hex; fields >> mark;) {
      if (!(fields >> hex)) break;  // the closing ÷
      const auto codePoint = static_cast<char32_t>(std::stoul(hex, nullptr, 16));
      if (mark == "÷" || (previous == u'\r' && codePoint == u'\n')) expected += u"|";
      text += ToUtf16(codePoint);
      expected += ToUtf16(codePoint);
      previous = codePoint;
    }
    EXPECT_EQ(AddCharacters(text, u"|"), expected) << line;
    ++tested;
  }
  EXPECT_GT(tested, 500);
}

TEST(UnicodeTest, EveryEmojiSequenceStaysWhole) {
  // "1F469 200D 2764 FE0F 200D 1F468 ; fully-qualified # 👩‍❤️‍👨 ..."
  std::ifstream lines(TAVRO_UNICODE_DATA "/emoji/emoji-test.txt");
  int tested = 0;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t status = line.find("; fully-qualified");
    if (line.empty() || line[0] == '#' || status == std::string::npos) continue;
    std::istringstream fields(line.substr(0, status));
    std::u16string emoji;
    for (std::string hex; fields >> hex;) emoji += ToUtf16(std::stoul(hex, nullptr, 16));
    EXPECT_EQ(ReverseText(u"a" + emoji + u"中"), u"中" + emoji + u"a") << line;
    EXPECT_EQ(AddCharacters(emoji, u"~"), u"~" + emoji) << line;
    ++tested;
  }
  EXPECT_GT(tested, 3000);
}

TEST(UnicodeTest, EveryCodePointHasTheLibrarysProperties) {
  // What the conversions ask of utf8proc (grapheme break property, general
  // category, drawn width) for every code point, pinned in one number: Linux
  // links Debian's utf8proc whole, Windows and the page build it with those
  // properties alone (convert/unicode/make_utf8proc_data.py).
  std::uint64_t properties = 0;
  for (utf8proc_int32_t codePoint = 0; codePoint < 0x110000; ++codePoint) {
    const utf8proc_property_t* property = utf8proc_get_property(codePoint);
    properties = properties * 31 + (property->boundclass << 10 | property->category << 2 |
                                    utf8proc_charwidth(codePoint));
  }
  EXPECT_EQ(properties, 17663355930983451939u);
}

}  // namespace
}  // namespace tavro
