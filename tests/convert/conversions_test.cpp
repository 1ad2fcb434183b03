// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string_view>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ansi_width.h"
#include "character_tables.h"
#include "phrase_suggestions.h"
#include "plain_conversions.h"

namespace tavro {
namespace {

TEST(ConversionsTest, AgreeWithPlainReferences) {
  // Each conversion, and the length it announces, as the reference: on 1,000
  // random texts whose units pair up or break pairs beside table characters,
  // which also make up the tables, and join characters (accents, joiners,
  // variation selectors, Hangul jamo, flags' and skin tones' halves; blanks),
  // every tenth long enough for grids of 20 lines; then on hostile ones, led
  // by a unit that chooses no separator and no tables: one letter with
  // 100,000 accents (one character), 10,000 regional indicators (5,000
  // flags), lone surrogates and joiners with nothing to join.
  constexpr std::u16string_view kAlphabet =
      u"啊爱愛疊迭後中a-\r\n\xD840\xDF40\xDC00\u0301\u200D\uFE0F\u1100\u1161\u11A8한\t\u2028"
      u"\xD83C\xDDE8\xDFFB\xD83D\xDC4D";
  std::mt19937 random(7);
  std::vector<std::u16string> texts(1000);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    texts[i].resize(random() % (i % 10 ? 40 : 1200));
    for (char16_t& unit : texts[i]) unit = kAlphabet[random() % kAlphabet.size()];
  }
  using std::literals::operator""sv;
  for (const auto& [lead, repeated, count] :
       {std::tuple{u"\0a"sv, u"\u0301"sv, 100000}, std::tuple{u"\0"sv, u"🇨"sv, 10000},
        std::tuple{u"\0"sv, u"\xDC00"sv, 10000}, std::tuple{u"\0"sv, u"\u200D"sv, 10000}}) {
    texts.emplace_back(lead);
    for (int i = 0; i < count; ++i) texts.back() += repeated;
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    using reference::Conversion;
    for (Conversion conversion : {Conversion::kAddCharacters, Conversion::kReverseText,
                                  Conversion::kVerticalLayout, Conversion::kConvertByTable}) {
      ASSERT_EQ(reference::Disagreement(conversion, texts[i]), "")
          << reference::kConversionNames[static_cast<int>(conversion)] << " of text " << i << ": "
          << testing::PrintToString(texts[i].substr(0, 1200));
    }
  }
}

// Pins long data in one number.
template <typename Values>
std::uint64_t Fingerprint(const Values& values) {
  std::uint64_t hash = 0;
  for (auto value : values) hash = hash * 31 + value;
  return hash;
}

TEST(AnsiWidthTest, IsTheSameOnEveryPlatform) {
#ifdef _WIN32
  // Under a Chinese and an English locale alike: the user's own ANSI code
  // page must not matter.
  if (const char* expected = std::getenv("TAVRO_EXPECTED_ACP")) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
#endif
  // The same figures from glibc's iconv and from Windows: they agree on every
  // code unit but the user-defined area and U+F8F5, which only Windows
  // encodes, in two bytes and in one, and which count so everywhere. Two bytes also: hanzi such as
  // 中 and the full-width forms; without best fit, ¢ has no code of its own (0), nor has Hangul,
  // nor has either half of a surrogate pair.
  const AnsiWidthTable& widths = AnsiWidths();
  EXPECT_EQ(std::count(widths.begin(), widths.end(), 2), 23940);
  EXPECT_EQ(widths[u'¢'] + widths[u'한'] + widths[0xD83D], 0);
  EXPECT_EQ(Fingerprint(widths), 8504857246038050896u);
}

TEST(CharacterTablesTest, ConvertAlikeOnEveryPlatform) {
  // Every code unit through 简→繁, 繁→简 and 火星文, pinned in one number each,
  // so that the desktop, Windows and the page are seen to give the same
  // results (the dictionary test checks these results on Linux). The numbers
  // change when make_tables.py makes new tables.
  std::u16string everyUnit(0x10000, u'\0');
  for (std::size_t unit = 0; unit < everyUnit.size(); ++unit) everyUnit[unit] = char16_t(unit);
  const std::u16string simplified = TableText(TableKind::kSimplified),
                       traditional = TableText(TableKind::kTraditional);
  EXPECT_EQ(Fingerprint(ConvertByTable(everyUnit, simplified, traditional)), 8460727824850489225u);
  EXPECT_EQ(Fingerprint(ConvertByTable(everyUnit, traditional, simplified)), 4711688186189294612u);
  EXPECT_EQ(Fingerprint(ConvertByTable(everyUnit, simplified, TableText(TableKind::kMartian))),
            2458065634546254852u);
}

TEST(SuggestFormsTest, FollowTheWordAroundAMarkedCharacter) {
  // The input, and every suggestion as its position and form: 头发 and 理发
  // want 髮, 干杯 乾, 王后 后 (the tables write 發, 幹, 後), while 发现, 出发
  // and 后来 want what the tables write; for 繁→简, 計畫 wants 划, 乾坤 乾.
  // Positions count code units, past a surrogate pair too.
  using enum FormsDirection;
  for (const auto& [direction, input, expected] :
       {std::tuple{kToTraditional, u"头发很干，理发", u"1髮3乾6髮"},
        std::tuple{kToTraditional, u"发现出发干杯后来王后", u"4乾9后"},
        std::tuple{kToSimplified, u"計畫乾坤", u"1划2乾"},
        std::tuple{kToTraditional, u"𠍀头发𠍀", u"3髮"}, std::tuple{kToTraditional, u"", u""}}) {
    std::u16string suggested;
    for (const WordSuggestion& suggestion : SuggestForms(input, direction))
      suggested += std::u16string(1, u'0' + suggestion.position) + suggestion.form;
    EXPECT_EQ(suggested, expected) << testing::PrintToString(std::u16string(input));
  }
}

TEST(SuggestFormsTest, StayWithinTheTextWhateverThePhrasesHold) {
  // The page reads its phrases from a file, which may come damaged: a place
  // past its phrase's end, a phrase of one unit, more shared units than the
  // phrase before had, a place without its form. None suggests outside the
  // text, nor anywhere but in a phrase read whole.
  for (std::u16string_view phrases :
       {u"\x01中啊\x16爱", u"\x01中\x11爱", u"\x05中啊\x11爱", u"\x01中啊\x11"}) {
    EXPECT_TRUE(PhraseDictionary(phrases).Suggest(u"中啊").empty())
        << testing::PrintToString(std::u16string(phrases));
  }
}

}  // namespace
}  // namespace tavro
