// SPDX-License-Identifier: MIT
#include "ansi_width.h"

#ifdef _WIN32
#include <windows.h>
#elif !defined(__EMSCRIPTEN__)
#include <iconv.h>
#endif

#include <algorithm>

#include "characters.h"

namespace tavro {
namespace {

// Code page 936's user-defined area. Windows, whose code page this is, stores
// it in two bytes; glibc's CP936 cannot encode it.
constexpr char16_t kUserDefinedFirst = 0xE000;
constexpr char16_t kUserDefinedLast = 0xE864;
// Windows also writes U+F8F5, a private-use character, as the single byte
// 0xFF; glibc has no code for it.
constexpr char16_t kSingleBytePrivateUse = 0xF8F5;

#ifdef _WIN32

// Always code page 936 itself, never the user's own ANSI code page, so that a
// layout is the same on every Windows. Without best fit a character that has
// no code of its own is "?", not a look-alike of another width.
void MeasureWithEncoder(AnsiWidthTable& widths) {
  for (std::uint32_t unit = 0; unit < 0x10000; ++unit) {
    const auto codeUnit = static_cast<wchar_t>(unit);
    if (IsHighSurrogate(codeUnit) || IsLowSurrogate(codeUnit)) continue;  // not encodable alone
    char out[8];
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &codeUnit, 1, out, sizeof out,
                                          nullptr, &usedDefault);
    if (bytes > 0 && !usedDefault) widths[unit] = static_cast<std::uint8_t>(bytes);
  }
}

#elif defined(__EMSCRIPTEN__)

// Browsers encode nothing but UTF-8: the widths of the build machine's iconv,
// as ranges of units that take two bytes or that the code page lacks; every
// other unit takes one.
void MeasureWithEncoder(AnsiWidthTable& widths) {
  static constexpr struct {
    char16_t first, last;
    std::uint8_t width;
  } kRanges[] = {
#include "cp936_widths.inc"
  };
  std::fill(widths.begin(), widths.end(), 1);
  for (const auto& [first, last, width] : kRanges)
    std::fill(widths.begin() + first, widths.begin() + last + 1, width);
}

#else

void MeasureWithEncoder(AnsiWidthTable& widths) {
  iconv_t toCp936 = iconv_open("CP936", "UTF-16LE");
  if (toCp936 == reinterpret_cast<iconv_t>(-1)) toCp936 = iconv_open("GBK", "UTF-16LE");
  if (toCp936 == reinterpret_cast<iconv_t>(-1)) return;
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
    if (iconv(toCp936, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) {
      widths[unit] = static_cast<std::uint8_t>(outPtr - out);
    }
  }
  iconv_close(toCp936);
}

#endif

// Asks the platform's encoder once for every BMP code unit; a lookup is then
// all a layout costs per cell. A unit the encoder refuses stays 0.
AnsiWidthTable MeasureAnsiWidths() {
  AnsiWidthTable widths;
  widths.fill(0);
  MeasureWithEncoder(widths);
  std::fill(widths.begin() + kUserDefinedFirst, widths.begin() + kUserDefinedLast + 1, 2);
  widths[kSingleBytePrivateUse] = 1;
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
  const int bytes = AnsiWidths()[character[0]];
  return bytes == 0 ? 1 : bytes;  // written as "?"
}

}  // namespace tavro
