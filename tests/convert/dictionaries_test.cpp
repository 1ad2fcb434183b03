// SPDX-License-Identifier: MIT
// The forms a converted character may take, and those its word asks for,
// against OpenCC's dictionaries as text, exported from Debian's opencc by the
// build. (That every character converts as OpenCC converts it alone,
// make_tables.py checks as it makes the tables; character_tables_generated
// runs it.)
#include <gtest/gtest.h>

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

// `text`, valid UTF-8 (as the dictionaries are), in UTF-16.
std::u16string Utf16(const std::string& text) {
  std::u16string units;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = more == 0 ? lead : lead & (0x3F >> more);
    for (int i = 0; i < more; ++i)
      code = code << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    if (code >= 0x10000)
      units += static_cast<char16_t>(0xD7C0 + (code >> 10)), code = 0xDC00 | (code & 0x3FF);
    units += static_cast<char16_t>(code);
  }
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

// Each one-character key with its first candidate.
std::map<char16_t, char16_t> FirstCandidates(const char* name) {
  std::map<char16_t, char16_t> first;
  for (const auto& [key, candidates] : Entries(name)) {
    if (key.size() == 1 && candidates[0].size() == 1) first.emplace(key[0], candidates[0][0]);
  }
  return first;
}

char16_t Lookup(const std::map<char16_t, char16_t>& dictionary, char16_t unit) {
  const auto found = dictionary.find(unit);
  return found == dictionary.end() ? unit : found->second;
}

// Every BMP unit once, in order.
std::u16string EveryUnit() {
  std::u16string units(0x10000, u'\0');
  for (std::size_t unit = 0; unit < units.size(); ++unit) units[unit] = char16_t(unit);
  return units;
}

// The directions: for each, its character and phrase dictionaries and the
// tables it converts through.
const std::tuple<FormsDirection, const char*, const char*, TableKind, TableKind> kDirections[] = {
    {FormsDirection::kToTraditional, "STCharacters", "STPhrases", TableKind::kSimplified,
     TableKind::kTraditional},
    {FormsDirection::kToSimplified, "TSCharacters", "TSPhrases", TableKind::kTraditional,
     TableKind::kSimplified}};

TEST(DictionariesTest, OfferEveryCandidateAsAForm) {
  // A character with more than one candidate that is one BMP character is
  // marked with exactly those, through TWVariants for 简→繁, the form the
  // conversion writes first.
  const std::map<char16_t, char16_t> tw = FirstCandidates("TWVariants");
  const std::u16string everyUnit = EveryUnit();
  for (const auto& [direction, characters, phrases, from, to] : kDirections) {
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
        if (candidate.size() == 1 && key.size() == 1)
          expected.insert(direction == FormsDirection::kToTraditional ? Lookup(tw, candidate[0])
                                                                      : candidate[0]);
      }
      if (expected.size() < 2) continue;
      const std::u16string& forms = marked[key[0]];
      std::set<char16_t> offered(forms.begin() + !forms.empty(), forms.end());
      if (!forms.empty() && expected.count(forms[0])) offered.insert(forms[0]);
      EXPECT_EQ(offered, expected) << characters << " U+" << std::hex << int(key[0]);
    }
  }
}

TEST(DictionariesTest, EveryPhraseAloneSuggestsWhatItWritesAtItsMarkedCharacters) {
  // A phrase, converted alone, asks for the form its first candidate writes
  // (through TWVariants for 简→繁) at each of its characters that are marked
  // and that the conversion writes otherwise, and nowhere else.
  const std::map<char16_t, char16_t> tw = FirstCandidates("TWVariants");
  const auto isSurrogate = [](char16_t unit) { return unit >= 0xD800 && unit < 0xE000; };
  for (const auto& [direction, characters, phrases, from, to] : kDirections) {
    const std::u16string converted = ConvertByTable(EveryUnit(), TableText(from), TableText(to));
    std::size_t tested = 0;
    for (const auto& [key, candidates] : Entries(phrases)) {
      std::u16string written = candidates[0];
      for (char16_t& unit : written)
        unit = direction == FormsDirection::kToTraditional ? Lookup(tw, unit) : unit;
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
