// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

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

TEST(AnsiWidthTest, IsTheSameOnEveryPlatform) {
#ifdef _WIN32
  // Under a Chinese and an English locale alike: the user's own ANSI code
  // page must not matter.
  if (const char* expected = std::getenv("TAVRO_EXPECTED_ACP")) {
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
#endif
  // The same widths from glibc's iconv and from Windows, pinned in one
  // number: they agree on every code unit but the user-defined area and
  // U+F8F5, which only Windows encodes, in two bytes and in one, and which
  // count so everywhere. Two bytes also: hanzi such as 中 and the full-width
  // forms; without best fit, ¢ has no code of its own (0), nor has Hangul,
  // nor has either half of a surrogate pair.
  std::uint64_t fingerprint = 0;
  for (const auto width : AnsiWidths()) fingerprint = fingerprint * 31 + width;
  EXPECT_EQ(fingerprint, 8504857246038050896u);
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
