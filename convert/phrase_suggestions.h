// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "character_forms.h"

namespace tavro {

// A place where the word around a character asks for another form than the
// one 简→繁 or 繁→简 writes there: its position in code units, and the form.
struct WordSuggestion {
  std::size_t position;
  char16_t form;
};

// The phrases of one direction, which OpenCC converts whole, each with the
// forms its word asks for at characters that have several forms where the
// conversion writes another (make_tables.py writes them, in a compact form,
// into phrases.inc). Malformed data gives the phrases read until then.
class PhraseDictionary {
 public:
  explicit PhraseDictionary(std::u16string_view encoded);

  // Segments `input` as OpenCC does, by forward maximum matching over the
  // phrases (where none begins, a character is a word of its own), and gives
  // every place where a word asks for another form, in order. Nothing for
  // empty input or text without phrases; no phrase holds a surrogate.
  std::vector<WordSuggestion> Suggest(std::u16string_view input) const;

 private:
  struct Phrase {
    std::uint32_t start;        // of its units in units_
    std::uint32_t placesStart;  // of its places in places_
    std::uint8_t length, placeCount;
  };
  struct Place {
    std::uint8_t offset;
    char16_t form;
  };
  // The phrases that begin with one pair of units: the second unit, and
  // their range in phrases_.
  struct Pair {
    char16_t second;
    std::uint32_t first, count;
  };
  // The longest phrase `text` begins with, or null.
  const Phrase* LongestAt(std::u16string_view text) const;

  std::u16string units_;         // every phrase, one after another
  std::vector<Phrase> phrases_;  // in code unit order
  std::vector<Place> places_;
  std::vector<std::uint32_t> pairsOf_;  // for each first unit, where its pairs begin in pairs_
  std::vector<Pair> pairs_;
  std::vector<std::uint64_t> pairFilter_;  // a bit for every pair that may begin a phrase
};

// The places where the words of `input` ask for another form than the
// conversion in `direction` writes, through the program's own phrases
// (linked in by the desktop builds; the page reads its own file).
std::vector<WordSuggestion> SuggestForms(std::u16string_view input, FormsDirection direction);

}  // namespace tavro
