// SPDX-License-Identifier: MIT
// The program's own phrases, in a file of their own, so that only programs
// that ask for them link them in: the page reads them from a file instead.
#include <iterator>

#include "phrase_suggestions.h"

namespace tavro {
namespace {

#include "tables/phrases.inc"

const PhraseDictionary& PhrasesOf(FormsDirection direction) {
  // Each read once, when first asked for.
  if (direction == FormsDirection::kToTraditional) {
    static const PhraseDictionary toTraditional(
        {kTraditionalPhrases, std::size(kTraditionalPhrases) - 1});
    return toTraditional;
  }
  static const PhraseDictionary toSimplified(
      {kSimplifiedPhrases, std::size(kSimplifiedPhrases) - 1});
  return toSimplified;
}

}  // namespace

std::vector<WordSuggestion> SuggestForms(std::u16string_view input, FormsDirection direction) {
  return PhrasesOf(direction).Suggest(input);
}

}  // namespace tavro
