// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ansi_width.h"
#include "character_forms.h"
#include "character_tables.h"
#include "plain_conversions.h"

namespace tavro {
namespace {

TEST(ConversionsTest, GiveTheExpectedText) {
  // The window's tests show the other conversions; these are the cases that
  // a field, which keeps line breaks as LF, cannot. Backwards, CR LF becomes
  // LF CR and a pair stays whole.
  EXPECT_EQ(ReverseText(u"ab\r\ncd😀"), u"😀dc\n\rba");
  // Nine characters make three lines and a column of fillers.
  EXPECT_EQ(VerticalLayout(u"一二三四五六七八九"),
            u"一|四|七|  |\r\n二|五|八|  |\r\n三|六|九|  |\r\n");
}

TEST(ConversionsTest, KeepWhatAReaderSeesAsOneCharacterWhole) {
  // A flag, a skin tone, an emoji presentation (U+FE0F), a keycap.
  EXPECT_EQ(ReverseText(u"中国🇨🇳"), u"🇨🇳国中");
  EXPECT_EQ(ReverseText(u"👍🏻 ☀️"), u"☀️ 👍🏻");
  EXPECT_EQ(ReverseText(u"a1️⃣"), u"1️⃣a");
  // A family joined by U+200D, letters with accents, a hanzi with an
  // ideographic variation selector, Hangul written as jamo.
  EXPECT_EQ(AddCharacters(u"👨‍👩‍👧", u"~"), u"~👨‍👩‍👧");
  EXPECT_EQ(ReverseText(u"cafe\u0301"), u"e\u0301fac");
  EXPECT_EQ(ReverseText(u"葛\U000E0100中"), u"中葛\U000E0100");
  EXPECT_EQ(AddCharacters(u"\u1100\u1161\u11A8가", u"~"), u"~\u1100\u1161\u11A8~가");
  // CR and LF stay two characters; a lone surrogate and a joiner at the start
  // are characters of their own, a joiner after a hanzi belongs to it.
  EXPECT_EQ(AddCharacters(u"a\r\n", u"~"), u"~a~\r~\n");
  EXPECT_EQ(ReverseText(u"\xD800\u0301\u200D中\u200D"), u"中\u200D\u0301\u200D\xD800");
}

TEST(ConversionsTest, LayOutEveryCharacterInACellOfItsDrawnWidth) {
  // An emoji, a flag, Hangul and U+FE0F are drawn two columns wide.
  EXPECT_EQ(VerticalLayout(u"爱笑😊"), u"爱|😊|\r\n笑|  |\r\n");
  EXPECT_EQ(VerticalLayout(u"🇨🇳a"), u"🇨🇳|a |\r\n");
  EXPECT_EQ(VerticalLayout(u"한a"), u"한|a |\r\n");
  EXPECT_EQ(VerticalLayout(u"☀️"), u"☀️|  |\r\n");
  // A line break, a tab or a zero-width space keeps its cell, blank.
  EXPECT_EQ(VerticalLayout(u"甲乙\n丙丁"), u"甲|  |丁|\r\n乙|丙|  |\r\n");
  EXPECT_EQ(VerticalLayout(u"a\tb"), u"a |b |\r\n  |  |\r\n");
  EXPECT_EQ(VerticalLayout(u"\u200Ba"), u"  |a |\r\n");
}

// Units that pair up or break pairs beside table characters, which also make
// up the tables, and units that join characters: accents, joiners, variation
// selectors, Hangul jamo, flags' and skin tones' halves; blanks. Every tenth
// text is long enough for grids of 20 lines.
std::u16string RandomText(std::mt19937& random, int i) {
  constexpr std::u16string_view kAlphabet =
      u"啊爱愛疊迭後中a-\r\n\xD840\xDF40\xDC00\u0301\u200D\uFE0F\u1100\u1161\u11A8한\t\u2028"
      u"\xD83C\xDDE8\xDFFB\xD83D\xDC4D";
  std::u16string text(random() % (i % 10 ? 40 : 1200), u' ');
  for (char16_t& unit : text) unit = kAlphabet[random() % kAlphabet.size()];
  return text;
}

TEST(ConversionsTest, AgreeWithPlainReferencesOnRandomText) {
  std::mt19937 random(7);
  for (int i = 0; i < 1000; ++i) {
    const std::u16string text = RandomText(random, i);
    using reference::Conversion;
    for (Conversion conversion : {Conversion::kAddCharacters, Conversion::kReverseText,
                                  Conversion::kVerticalLayout, Conversion::kConvertByTable}) {
      ASSERT_EQ(reference::Disagreement(conversion, text), "")
          << reference::kConversionNames[static_cast<int>(conversion)] << " of text " << i << ": "
          << testing::PrintToString(text);
    }
  }
}

TEST(ConversionsTest, AgreeWithPlainReferencesOnHostileText) {
  // One letter with 100,000 accents (one character), 10,000 regional
  // indicators (5,000 flags), lone surrogates and joiners with nothing to
  // join: each conversion, and the length it announces, as the reference.
  const auto repeated = [](std::u16string_view unit, int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) text += unit;
    return text;
  };
  // Led by a unit that chooses no separator and no tables.
  for (const std::u16string& text :
       {u"\0a" + repeated(u"\u0301", 100000), u"\0" + repeated(u"🇨", 10000),
        u"\0" + repeated(u"\xDC00", 10000), u"\0" + repeated(u"\u200D", 10000)}) {
    using reference::Conversion;
    for (Conversion conversion :
         {Conversion::kAddCharacters, Conversion::kReverseText, Conversion::kVerticalLayout}) {
      EXPECT_EQ(reference::Disagreement(conversion, text), "")
          << reference::kConversionNames[static_cast<int>(conversion)] << " of "
          << testing::PrintToString(text.substr(0, 8)) << "...";
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

TEST(ConversionsTest, GiveTheSameResultsOnEveryPlatform) {
  // The same random text with emoji through the desktop's build, Windows'
  // and the page's: what a character is and how wide it is drawn come from
  // one utf8proc, whichever way it is built. Each text's results, pinned.
  constexpr std::uint32_t kResults[100][3] = {
      {3082870562u, 4089662780u, 443948995u},
      {2259182606u, 1356759232u, 995158923u},
      {1086038548u, 32160830u, 211476793u},
      {4107257280u, 2593025828u, 482424952u},
      {1183726784u, 1666445188u, 222889105u},
      {2093536125u, 967930737u, 1188114004u},
      {3490785153u, 2117101261u, 2723437387u},
      {2967437629u, 1909943279u, 1781275772u},
      {8426u, 4520u, 2448680341u},
      {11723881u, 1724299u, 1405534650u},
      {3960383581u, 3060757361u, 3330407002u},
      {3402747146u, 3921295298u, 63519181u},
      {1820006956u, 28173904u, 3645580301u},
      {58526u, 54620u, 1735826553u},
      {3257698471u, 2674017879u, 531906918u},
      {2237491149u, 3271074423u, 1187308780u},
      {3481219306u, 1061932070u, 3153913995u},
      {582874328u, 2999592006u, 1656684807u},
      {3527484460u, 1405306268u, 2027095358u},
      {4236783507u, 762739229u, 790938102u},
      {3935377455u, 959795977u, 1474420265u},
      {610804594u, 2341231966u, 3190704732u},
      {2635046140u, 1675410578u, 2610871542u},
      {150018881u, 3637411357u, 3573153649u},
      {2866104298u, 2821912844u, 3954828123u},
      {3189001726u, 2555905918u, 3033331297u},
      {2768360545u, 984405295u, 4011219324u},
      {3608323379u, 3725784069u, 509358452u},
      {2388070592u, 3880575516u, 2439705744u},
      {42291390u, 4025148350u, 3055767807u},
      {573518833u, 1618875499u, 2057651837u},
      {4166678249u, 1842738287u, 3639066046u},
      {3577792884u, 4061656600u, 1163251282u},
      {3744115084u, 1093923228u, 999295521u},
      {987595351u, 3907467471u, 3423815148u},
      {3916u, 10u, 1851342877u},
      {0u, 0u, 0u},
      {2667092061u, 3135064987u, 1744902354u},
      {922860301u, 3550213949u, 824070880u},
      {2686702258u, 1470492966u, 3577175171u},
      {1121341295u, 1827549391u, 3276280883u},
      {3288638334u, 2463977836u, 4010046488u},
      {58526u, 54620u, 1735826553u},
      {56980508u, 825986u, 1181713655u},
      {0u, 0u, 0u},
      {809452131u, 357953687u, 676581356u},
      {3431002402u, 1281583410u, 3955459067u},
      {2437192670u, 1201582780u, 361824797u},
      {2394163668u, 985193010u, 489438737u},
      {3413800875u, 4109995767u, 237367701u},
      {1264721804u, 2693477928u, 1011117456u},
      {4233806753u, 2647566599u, 753607435u},
      {4101142011u, 947886029u, 3089950421u},
      {1617988037u, 1067587791u, 198277448u},
      {4019807147u, 272710143u, 2666062823u},
      {3537932291u, 3500522031u, 2926199447u},
      {2801903993u, 1449473289u, 795232102u},
      {805429856u, 2809791098u, 3162402077u},
      {2621566002u, 579499516u, 68647041u},
      {3777753200u, 1447533748u, 4264434304u},
      {290986090u, 3916238152u, 3355360104u},
      {4170617127u, 786126741u, 2509848724u},
      {316465869u, 754953393u, 4280847048u},
      {3797584785u, 520858709u, 1961691739u},
      {2139498935u, 3834384043u, 3415444122u},
      {2812969310u, 1475743582u, 1123076717u},
      {110228470u, 2828317984u, 944611305u},
      {2590265170u, 2317493972u, 3063502897u},
      {1132717110u, 2269221206u, 1578185467u},
      {1230893948u, 2856423666u, 2398406202u},
      {877879694u, 2412659750u, 988092321u},
      {3119079911u, 2404058593u, 214298707u},
      {1383925691u, 15570283u, 1741647603u},
      {3409653100u, 2487774792u, 818181091u},
      {1188999143u, 2096304373u, 520760861u},
      {2403669237u, 1770602375u, 3281087745u},
      {3932850014u, 312713422u, 1952733817u},
      {2073420036u, 3971804928u, 283987919u},
      {1917176174u, 4219036148u, 2579991587u},
      {48263222u, 1706237816u, 4058297314u},
      {3899566315u, 39314795u, 3128533579u},
      {2373493861u, 2688074885u, 3114274025u},
      {3343888592u, 2154857824u, 2359264863u},
      {2645872838u, 2483593606u, 1132084127u},
      {965177661u, 1072665669u, 1994329343u},
      {3138618330u, 3753656202u, 3615006665u},
      {4104348319u, 3056752967u, 1256854662u},
      {3068085094u, 1254824260u, 877279755u},
      {1600215967u, 2948866953u, 1658176476u},
      {2617350587u, 322594263u, 3960062382u},
      {76606802u, 923348800u, 3525198298u},
      {2207707040u, 3618638060u, 2267619247u},
      {3212314283u, 3854034583u, 857204641u},
      {1479723829u, 1451868957u, 3071746967u},
      {2795841603u, 135764231u, 2332386165u},
      {289350532u, 3185157002u, 3448732018u},
      {1872402831u, 102316155u, 3000051710u},
      {119938046u, 2338341588u, 4179305051u},
      {739048262u, 1301648024u, 2766092192u},
      {3313684960u, 2340826676u, 3846125549u},
  };
  constexpr const char* kNames[] = {"AddCharacters", "ReverseText", "VerticalLayout"};
  std::mt19937 random(11);
  for (int i = 0; i < 100; ++i) {
    const std::u16string text = RandomText(random, i);
    const std::u16string results[] = {AddCharacters(text, u"~"), ReverseText(text),
                                      VerticalLayout(text)};
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(static_cast<std::uint32_t>(Fingerprint(results[c])), kResults[i][c])
          << kNames[c] << " of text " << i << ": " << testing::PrintToString(text);
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
  // The same figures from glibc's iconv and from Windows: they agree on every
  // code unit but the user-defined area and U+F8F5, which only Windows
  // encodes, in two bytes and in one, and which count so everywhere. Two bytes also: hanzi such as 中 and the
  // full-width forms; without best fit, ¢ has no code of its own (0), nor
  // has Hangul, nor has either half of a surrogate pair.
  const AnsiWidthTable& widths = AnsiWidths();
  EXPECT_EQ(std::count(widths.begin(), widths.end(), 2), 23940);
  EXPECT_EQ(widths[u'¢'] + widths[u'한'] + widths[0xD83D], 0);
  EXPECT_EQ(Fingerprint(widths), 8504857246038050896u);
}

TEST(CharacterTablesTest, KeepTheirFirstPositionsAndLoadInOrder) {
  // The first 1,024 positions are the first 1,024 hanzi of GB 2312 in code
  // order, their traditional and their Martian forms, as they have always
  // been: any change to one of their characters shows in the fingerprint.
  const std::u16string simplified = TableText(TableKind::kSimplified),
                       traditional = TableText(TableKind::kTraditional),
                       martian = TableText(TableKind::kMartian);
  ASSERT_EQ(simplified.size(), traditional.size());
  ASSERT_EQ(simplified.size(), martian.size());
  EXPECT_EQ(Fingerprint(simplified.substr(0, 1024) + traditional.substr(0, 1024) +
                        martian.substr(0, 1024)),
            8951217027608087772u);
  // The Martian table first, then the simplified one; the seed's eleven
  // chunks, then chunks of 100.
  std::u16string kinds;
  std::vector<std::size_t> chunkLengths;
  LoadTables([&](TableKind kind, std::u16string_view chunk) {
    kinds += kind == TableKind::kMartian ? u'M' : kind == TableKind::kSimplified ? u'S' : u'T';
    chunkLengths.push_back(chunk.size());
  });
  const std::size_t chunks = kinds.size() / 3;
  EXPECT_EQ(kinds, std::u16string(chunks, u'M') + std::u16string(chunks, u'S') +
                       std::u16string(chunks, u'T'));
  EXPECT_EQ(chunkLengths[10], 24u);
  EXPECT_EQ(chunkLengths[11], 100u);
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

// Each mark as "position:forms", in order.
std::u16string MarksOf(std::u16string_view input, FormsDirection direction) {
  std::u16string marks;
  for (const MarkedCharacter& mark : MarkCharacterForms(input, direction)) {
    marks += std::u16string(1, u'0' + char16_t(mark.position)) + u":" + std::u16string(mark.forms) + u" ";
  }
  return marks;
}

TEST(CharacterFormsTest, MarkWhatHasMoreThanOneForm) {
  // Typical text: the form written first, then the others.
  EXPECT_EQ(MarksOf(u"头发很干", FormsDirection::kToTraditional), u"1:發髮 3:幹乾干 ");
  EXPECT_EQ(MarksOf(u"山谷", FormsDirection::kToTraditional), u"1:穀谷 ");
  // The seed's doubled 疊 offers both of its places.
  EXPECT_EQ(MarksOf(u"重疊", FormsDirection::kToSimplified), u"1:迭叠 ");
  // One form each (说 and 真 are in the tables twice only for 繁→简), and
  // what does not convert, are not marked.
  EXPECT_EQ(MarksOf(u"说真话abc", FormsDirection::kToTraditional), u"");
  EXPECT_EQ(MarksOf(u"", FormsDirection::kToSimplified), u"");
  // Offsets count code units: past a pair and a lone surrogate.
  EXPECT_EQ(MarksOf(u"𠍀发\xD800干", FormsDirection::kToTraditional), u"2:發髮 4:幹乾干 ");
}

TEST(CharacterFormsTest, OfferFirstWhatTheConversionWrites) {
  std::u16string everyUnit(0x10000, u'\0');
  for (std::size_t unit = 0; unit < everyUnit.size(); ++unit) everyUnit[unit] = char16_t(unit);
  const std::u16string simplified = TableText(TableKind::kSimplified),
                       traditional = TableText(TableKind::kTraditional);
  for (const auto& [direction, converted] :
       {std::pair{FormsDirection::kToTraditional, ConvertByTable(everyUnit, simplified, traditional)},
        std::pair{FormsDirection::kToSimplified, ConvertByTable(everyUnit, traditional, simplified)}}) {
    const std::vector<MarkedCharacter> marks = MarkCharacterForms(everyUnit, direction);
    EXPECT_GT(marks.size(), 30u);
    for (const MarkedCharacter& mark : marks) {
      EXPECT_EQ(mark.source, everyUnit[mark.position]);
      EXPECT_GE(mark.forms.size(), 2u) << "U+" << std::hex << int(mark.source);
      EXPECT_EQ(int(mark.forms[0]), int(converted[mark.position])) << "U+" << std::hex << int(mark.source);
    }
  }
}

}  // namespace
}  // namespace tavro
