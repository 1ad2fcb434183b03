// SPDX-License-Identifier: MIT
// The program's own phrases, in a file of their own, so that only programs
// that ask for them link them in: the page reads them from a file instead.
#include <span>
#include <string>

#include "phrase_suggestions.h"

namespace tavro {
namespace {

#include "tables/phrases.inc"

// The chunks of a direction's phrases, as one text.
std::u16string Joined(std::span<const std::u16string_view> chunks) {
  std::u16string text;
  for (std::u16string_view chunk : chunks) text += chunk;
  return text;
}

const PhraseDictionary& PhrasesOf(FormsDirection direction) {
  // Each read once, when first asked for.
  if (direction == FormsDirection::kToTraditional) {
    static const PhraseDictionary toTraditional(Joined(kTraditionalPhrases));
    return toTraditional;
  }
  static const PhraseDictionary toSimplified(Joined(kSimplifiedPhrases));
  return toSimplified;
}

}  // namespace

std::vector<WordSuggestion> SuggestForms(std::u16string_view input, FormsDirection direction) {
  return PhrasesOf(direction).Suggest(input);
}

}  // namespace tavro
