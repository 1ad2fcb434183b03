// SPDX-License-Identifier: MIT
// Writes the program's phrases (convert/tables/phrases.inc) for the page,
// which fetches them the first time 简→繁 or 繁→简 runs: those of 简→繁,
// U+0000, those of 繁→简, in UTF-16LE, as tavro_load_phrases reads them.
// Usage: make_phrase_file OUTPUT
#include <cstdio>
#include <span>
#include <string_view>

namespace {
#include "tables/phrases.inc"

bool Write(std::FILE* out, std::span<const std::u16string_view> chunks) {
  for (std::u16string_view chunk : chunks) {
    for (char16_t unit : chunk) {
      if (std::fputc(unit & 0xFF, out) == EOF || std::fputc(unit >> 8, out) == EOF) return false;
    }
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) return 1;
  const bool written = Write(out, kTraditionalPhrases) && std::fputc(0, out) != EOF &&
                       std::fputc(0, out) != EOF && Write(out, kSimplifiedPhrases);
  return std::fclose(out) == 0 && written ? 0 : 1;
}
