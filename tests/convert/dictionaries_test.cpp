// SPDX-License-Identifier: MIT
// The forms a converted character may take, and those its word asks for,
// against OpenCC's dictionaries as text, exported from Debian's opencc by the
// build. (That every character converts as OpenCC converts it alone,
// make_tables.py checks as it makes the tables; character_tables_generated
// runs it.)
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "character_forms.h"
#include "character_tables.h"
#include "phrase_suggestions.h"
#include "table_conversion.h"

namespace tavro {
namespace {

// `text`, UTF-8 as the dictionaries are, in UTF-16 through glibc's iconv.
std::u16string Utf16(std::string text) {
  static const iconv_t toUtf16 = iconv_open("UTF-16LE", "UTF-8");
  std::u16string units(text.size(), u'\0');
  char *in = text.data(), *out = reinterpret_cast<char*>(units.data());
  std::size_t inLeft = text.size(), outLeft = 2 * units.size();
  iconv(toUtf16, &in, &inLeft, &out, &outLeft);
  units.resize(units.size() - outLeft / 2);
  return units;
}

// Every entry of the dictionary `name`: its key, and its candidates in order.
std::vector<std::pair<std::u16string, std::vector<std::u16string>>> Entries(const char* name) {
  std::ifstream file(std::string(TAVRO_OPENCC_DICTIONARIES) + "/" + name + ".txt");
  EXPECT_TRUE(file) << name;
  std::vector<std::pair<std::u16string, std::vector<std::u16string>>> entries;
  for (std::string line; std::getline(file, line);) {
    std::vector<std::u16string> candidates;
    for (std::size_t start = line.find('\t') + 1; start != 0; start = line.find(' ', start) + 1)
      candidates.push_back(Utf16(line.substr(start, line.find(' ', start) - start)));
    entries.emplace_back(Utf16(line.substr(0, line.find('\t'))), candidates);
  }
  return entries;
}

// Every BMP unit once, in order.
std::u16string EveryUnit() {
  std::u16string units(0x10000, u'\0');
  for (std::size_t unit = 0; unit < units.size(); ++unit) units[unit] = char16_t(unit);
  return units;
}

// What 简→繁 writes for each BMP unit after OpenCC's conversion: TWVariants'
// first candidate, the unit itself where it has none.
std::u16string TaiwanVariants() {
  std::u16string variants = EveryUnit();
  for (const auto& [key, candidates] : Entries("TWVariants")) {
    if (key.size() == 1 && candidates[0].size() == 1) variants[key[0]] = candidates[0][0];
  }
  return variants;
}

// The directions: for each, its character and phrase dictionaries and the
// tables it converts through.
const std::tuple<FormsDirection, const char*, const char*, TableKind, TableKind> kDirections[] = {
    {FormsDirection::kToTraditional, "STCharacters", "STPhrases", TableKind::kSimplified,
     TableKind::kTraditional},
    {FormsDirection::kToSimplified, "TSCharacters", "TSPhrases", TableKind::kTraditional,
     TableKind::kSimplified}};

TEST(DictionariesTest, MarkAndSuggestWhatTheDictionariesWrite) {
  // A character with more than one candidate that is one BMP character is
  // marked with exactly those, the form the conversion writes first. A
  // phrase, converted alone, asks for the form its first candidate writes at
  // each of its characters that are marked and that the conversion writes
  // otherwise, and nowhere else. For 简→繁 a candidate is written as
  // TWVariants writes it.
  const std::u16string everyUnit = EveryUnit(), tw = TaiwanVariants();
  const auto isSurrogate = [](char16_t unit) { return unit >= 0xD800 && unit < 0xE000; };
  for (const auto& [direction, characters, phrases, from, to] : kDirections) {
    const std::u16string& openCC = direction == FormsDirection::kToTraditional ? tw : everyUnit;
    const std::u16string converted = ConvertByTable(everyUnit, TableText(from), TableText(to));
    std::map<char16_t, std::u16string> marked;
    for (const MarkedCharacter& mark : MarkCharacterForms(everyUnit, direction)) {
      marked.emplace(mark.source, mark.forms);
      EXPECT_EQ(int(mark.forms[0]), int(converted[mark.source]))
          << "U+" << std::hex << int(mark.source);
    }
    for (const auto& [key, candidates] : Entries(characters)) {
      std::set<char16_t> expected;
      for (const std::u16string& candidate : candidates) {
        if (candidate.size() == 1 && key.size() == 1) expected.insert(openCC[candidate[0]]);
      }
      if (expected.size() < 2) continue;
      const std::u16string& forms = marked[key[0]];
      std::set<char16_t> offered(forms.begin() + !forms.empty(), forms.end());
      if (!forms.empty() && expected.count(forms[0])) offered.insert(forms[0]);
      EXPECT_EQ(offered, expected) << characters << " U+" << std::hex << int(key[0]);
    }
    std::size_t tested = 0;
    for (const auto& [key, candidates] : Entries(phrases)) {
      std::u16string written = candidates[0];
      for (char16_t& unit : written) unit = openCC[unit];
      if (key.size() < 2 || written.size() != key.size() ||
          std::any_of(key.begin(), key.end(), isSurrogate) ||
          std::any_of(written.begin(), written.end(), isSurrogate))
        continue;
      std::u16string expected, suggested;
      for (const MarkedCharacter& mark : MarkCharacterForms(key, direction)) {
        if (written[mark.position] != converted[key[mark.position]])
          expected += char16_t(u'0' + mark.position) + std::u16string(1, written[mark.position]);
      }
      for (const WordSuggestion& suggestion : SuggestForms(key, direction))
        suggested += char16_t(u'0' + suggestion.position) + std::u16string(1, suggestion.form);
      ASSERT_EQ(suggested, expected) << phrases << " " << testing::PrintToString(key);
      ++tested;
    }
    EXPECT_GT(tested, direction == FormsDirection::kToTraditional ? 45000u : 250u);
  }
}

}  // namespace
}  // namespace tavro
