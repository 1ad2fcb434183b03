// SPDX-License-Identifier: MIT
// Writes the program's phrases (convert/tables/phrases.inc) for the page,
// which fetches them the first time 简→繁 or 繁→简 runs: those of 简→繁,
// U+0000, those of 繁→简, in UTF-16LE, as tavro_load_phrases reads them.
// Usage: make_phrase_file OUTPUT
#include <cstdio>
#include <iterator>

namespace {
#include "tables/phrases.inc"

bool Write(std::FILE* out, const char16_t* units, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (std::fputc(units[i] & 0xFF, out) == EOF || std::fputc(units[i] >> 8, out) == EOF)
      return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) return 1;
  // Each array with its closing U+0000: the first separates the two.
  const bool written = Write(out, kTraditionalPhrases, std::size(kTraditionalPhrases)) &&
                       Write(out, kSimplifiedPhrases, std::size(kSimplifiedPhrases) - 1);
  return std::fclose(out) == 0 && written ? 0 : 1;
}
