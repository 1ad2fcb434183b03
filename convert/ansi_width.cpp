// SPDX-License-Identifier: MIT
#include "ansi_width.h"

#include <iconv.h>

#include "characters.h"

namespace tavro {
namespace {

// Asks iconv once for every BMP code unit; a lookup is then all a layout
// costs per cell.
AnsiWidthTable MeasureAnsiWidths() {
  AnsiWidthTable widths;
  widths.fill(1);
  iconv_t toCp936 = iconv_open("CP936", "UTF-16LE");
  if (toCp936 == reinterpret_cast<iconv_t>(-1)) toCp936 = iconv_open("GBK", "UTF-16LE");
  if (toCp936 == reinterpret_cast<iconv_t>(-1)) return widths;
  for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
    const auto codeUnit = static_cast<char16_t>(unit);
    if (IsHighSurrogate(codeUnit) || IsLowSurrogate(codeUnit)) continue;  // not encodable alone
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof out;
    iconv(toCp936, nullptr, nullptr, nullptr, nullptr);
    // A unit iconv refuses is written as "?", one byte.
    if (iconv(toCp936, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      widths[unit] = static_cast<std::uint8_t>(outPtr - out);
    }
  }
  iconv_close(toCp936);
  return widths;
}

}  // namespace

const AnsiWidthTable& AnsiWidths() {
  static const AnsiWidthTable widths = MeasureAnsiWidths();
  return widths;
}

int AnsiWidth(std::u16string_view character) {
  if (character.empty()) return 0;
  if (character.size() > 1) return 1;  // a pair: outside code page 936
  return AnsiWidths()[character[0]];
}

}  // namespace tavro
