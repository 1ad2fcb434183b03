// SPDX-License-Identifier: MIT
// The forms a converted character may take, against OpenCC's dictionaries
// as text, exported from Debian's opencc by the build. (That every character
// converts as OpenCC converts it alone, make_tables.py checks as it makes the
// tables; character_tables_generated runs it.)
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "character_forms.h"
#include "character_tables.h"
#include "table_conversion.h"

namespace tavro {
namespace {

// One code point of UTF-8 text, from `pos` on; valid input assumed (the
// dictionaries are).
char32_t DecodeUtf8(const std::string& text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
  char32_t code = more == 0 ? lead : lead & (0x3F >> more);
  for (int i = 0; i < more; ++i)
    code = code << 6 | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  return code;
}

// Each key with its candidates that are one BMP character, the first first,
// of the entries whose key is one BMP character: what a table position can
// hold.
std::map<char16_t, std::u16string> Candidates(const char* name) {
  std::ifstream file(std::string(TAVRO_OPENCC_DICTIONARIES) + "/" + name + ".txt");
  EXPECT_TRUE(file) << name;
  std::map<char16_t, std::u16string> entries;
  for (std::string line; std::getline(file, line);) {
    std::size_t pos = 0;
    const char32_t key = DecodeUtf8(line, pos);
    if (line[pos++] != '\t' || key >= 0x10000) continue;  // a phrase
    std::u16string candidates;
    while (pos < line.size()) {
      const char32_t candidate = DecodeUtf8(line, pos);
      if (candidate < 0x10000 && (pos == line.size() || line[pos] == ' '))
        candidates += static_cast<char16_t>(candidate);
      while (pos < line.size() && line[pos++] != ' ') {
      }
    }
    if (!candidates.empty()) entries.emplace(static_cast<char16_t>(key), candidates);
  }
  return entries;
}

// Each key with its first candidate.
std::map<char16_t, char16_t> FirstCandidates(const char* name) {
  std::map<char16_t, char16_t> first;
  for (const auto& [key, candidates] : Candidates(name)) first.emplace(key, candidates[0]);
  return first;
}

char16_t Lookup(const std::map<char16_t, char16_t>& dictionary, char16_t unit) {
  const auto found = dictionary.find(unit);
  return found == dictionary.end() ? unit : found->second;
}

TEST(DictionariesTest, OfferEveryCandidateAsAForm) {
  // A character with more than one candidate is marked with exactly those,
  // through TWVariants for 简→繁, the form the conversion writes first.
  const std::map<char16_t, char16_t> tw = FirstCandidates("TWVariants");
  const std::u16string simplified = TableText(TableKind::kSimplified),
                       traditional = TableText(TableKind::kTraditional);
  std::u16string everyUnit(0x10000, u'\0');
  for (std::size_t unit = 0; unit < everyUnit.size(); ++unit) everyUnit[unit] = char16_t(unit);
  for (const auto& [direction, dictionary, converted] :
       {std::tuple{FormsDirection::kToTraditional, "STCharacters",
                   ConvertByTable(everyUnit, simplified, traditional)},
        std::tuple{FormsDirection::kToSimplified, "TSCharacters",
                   ConvertByTable(everyUnit, traditional, simplified)}}) {
    std::map<char16_t, std::u16string> marked;
    for (const MarkedCharacter& mark : MarkCharacterForms(everyUnit, direction)) {
      marked.emplace(mark.source, mark.forms);
      EXPECT_EQ(int(mark.forms[0]), int(converted[mark.source]))
          << "U+" << std::hex << int(mark.source);
    }
    for (const auto& [key, candidates] : Candidates(dictionary)) {
      std::set<char16_t> expected;
      for (char16_t candidate : candidates)
        expected.insert(direction == FormsDirection::kToTraditional ? Lookup(tw, candidate)
                                                                    : candidate);
      if (expected.size() < 2) continue;
      const std::u16string& forms = marked[key];
      std::set<char16_t> offered(forms.begin() + !forms.empty(), forms.end());
      if (!forms.empty() && expected.count(forms[0])) offered.insert(forms[0]);
      EXPECT_EQ(offered, expected) << dictionary << " U+" << std::hex << int(key);
    }
  }
}

}  // namespace
}  // namespace tavro
