// SPDX-License-Identifier: MIT
#include "phrase_suggestions.h"

#include <algorithm>

namespace tavro {
namespace {

// The marks of the compact form: a phrase begins with U+0001 + the number
// of units it shares with the phrase before it; a place is U+0011 + its
// offset, then its form. The phrases' own units are CJK, U+3000 on.
constexpr char16_t kSharedMark = 0x01, kPlaceMark = 0x11, kLastMark = 0x20;

// Where a pair of units falls in the filter of pairs that begin a phrase.
constexpr std::size_t kPairFilterBits = std::size_t{1} << 20;
std::size_t PairBit(char16_t first, char16_t second) {
  return ((first * 0x9E3779B1u) ^ (second * 0x85EBCA77u)) >> (32 - 20);
}

}  // namespace

PhraseDictionary::PhraseDictionary(std::u16string_view encoded) {
  std::u16string previous;
  std::size_t pos = 0;
  while (pos < encoded.size() && encoded[pos] >= kSharedMark && encoded[pos] < kPlaceMark) {
    const std::size_t shared = encoded[pos++] - kSharedMark;
    if (shared > previous.size()) break;
    previous.resize(shared);
    while (pos < encoded.size() && encoded[pos] > kLastMark) previous += encoded[pos++];
    Phrase phrase{static_cast<std::uint32_t>(units_.size()),
                  static_cast<std::uint32_t>(places_.size()),
                  static_cast<std::uint8_t>(previous.size()), 0};
    while (pos + 1 < encoded.size() && encoded[pos] >= kPlaceMark && encoded[pos] <= kLastMark &&
           static_cast<std::size_t>(encoded[pos] - kPlaceMark) < previous.size()) {
      places_.push_back({static_cast<std::uint8_t>(encoded[pos] - kPlaceMark), encoded[pos + 1]});
      pos += 2;
      ++phrase.placeCount;
    }
    // A place past the phrase's end, a phrase too short or too long to be
    // one, or one out of code unit order (which the search relies on: a
    // phrase before every longer one it begins) ends what is read.
    const std::u16string_view last =
        phrases_.empty()
            ? std::u16string_view()
            : std::u16string_view(units_).substr(phrases_.back().start, phrases_.back().length);
    if (previous.size() < 2 || previous.size() > 0xFF || previous <= last ||
        (pos < encoded.size() && encoded[pos] >= kPlaceMark && encoded[pos] <= kLastMark)) {
      places_.resize(phrase.placesStart);
      break;
    }
    units_ += previous;
    phrases_.push_back(phrase);
  }
  // In code unit order, the phrases that begin with one pair of units are
  // neighbours: each pair is noted once, with its range.
  pairsOf_.assign(0x10001, 0);
  pairFilter_.assign(kPairFilterBits / 64, 0);
  for (std::uint32_t index = 0; index < phrases_.size(); ++index) {
    const char16_t* units = units_.data() + phrases_[index].start;
    if (!pairs_.empty() && index > 0 && units[0] == units_[phrases_[index - 1].start] &&
        units[1] == pairs_.back().second) {
      ++pairs_.back().count;
      continue;
    }
    pairs_.push_back({units[1], index, 1});
    ++pairsOf_[units[0] + 1];
    const std::size_t bit = PairBit(units[0], units[1]);
    pairFilter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  for (std::size_t unit = 1; unit < pairsOf_.size(); ++unit) pairsOf_[unit] += pairsOf_[unit - 1];
}

const PhraseDictionary::Phrase* PhraseDictionary::LongestAt(std::u16string_view text) const {
  const auto pairsBegin = pairs_.begin() + pairsOf_[text[0]];
  const auto pairsEnd = pairs_.begin() + pairsOf_[text[0] + 1];
  if (pairsBegin == pairsEnd) return nullptr;
  const auto pair = std::lower_bound(pairsBegin, pairsEnd, text[1],
                                     [](const Pair& p, char16_t unit) { return p.second < unit; });
  if (pair == pairsEnd || pair->second != text[1]) return nullptr;
  // Down the phrases that share ever more units with the text, as down a
  // trie: in code unit order, those of one prefix are neighbours, the
  // prefix itself first.
  auto first = phrases_.begin() + pair->first, last = first + pair->count;
  const Phrase* longest = nullptr;
  for (std::size_t shared = 2;; ++shared) {
    if (first->length == shared) longest = &*first++;
    if (first == last || shared == text.size()) return longest;
    const auto unitOf = [&](const Phrase& phrase) { return units_[phrase.start + shared]; };
    first = std::partition_point(first, last,
                                 [&](const Phrase& p) { return unitOf(p) < text[shared]; });
    last = std::partition_point(first, last,
                                [&](const Phrase& p) { return unitOf(p) == text[shared]; });
    if (first == last) return longest;
  }
}

std::vector<WordSuggestion> PhraseDictionary::Suggest(std::u16string_view input) const {
  std::vector<WordSuggestion> suggestions;
  std::size_t pos = 0;
  while (pos + 1 < input.size()) {
    // Most pairs of units begin no phrase: a look at a small filter tells.
    const std::size_t bit = PairBit(input[pos], input[pos + 1]);
    if ((pairFilter_[bit / 64] >> (bit % 64) & 1) == 0) {
      ++pos;
      continue;
    }
    const Phrase* phrase = LongestAt(input.substr(pos));
    if (phrase == nullptr) {
      ++pos;
      continue;
    }
    for (std::size_t place = 0; place < phrase->placeCount; ++place) {
      const Place& at = places_[phrase->placesStart + place];
      suggestions.push_back({pos + at.offset, at.form});
    }
    pos += phrase->length;
  }
  return suggestions;
}

}  // namespace tavro
