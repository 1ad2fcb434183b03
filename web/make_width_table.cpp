// SPDX-License-Identifier: MIT
// Writes the code page 936 widths of this platform's encoder (iconv) as C++
// source: the ranges of BMP code units that take two bytes, and of those the
// code page lacks. Browsers have no code page 936 encoder, so the page's
// conversions read this table instead.
// Usage: make_width_table OUTPUT.inc
#include <cstdio>

#include "ansi_width.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) return 1;
  std::fputs("// Made by web/make_width_table from iconv's CP936: {first, last, width} of\n"
             "// the units of width 2, and of width 0 (not in the code page).\n",
             out);
  const tavro::AnsiWidthTable& widths = tavro::AnsiWidths();
  for (unsigned unit = 0; unit < widths.size(); ++unit) {
    const unsigned width = widths[unit], first = unit;
    if (width == 1) continue;
    while (unit + 1 < widths.size() && widths[unit + 1] == width) ++unit;
    std::fprintf(out, "{0x%04X, 0x%04X, %u},\n", first, unit, width);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
