// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavro {

// "ANSI" here is always code page 936 (GBK), the page the 竖排 grid is drawn
// for, whatever the user's own code page. The widths come from the platform's
// encoder (iconv, Windows' own); should it offer no code page 936, every width
// would be 1. That cannot happen with glibc, whose CP936 converter comes with
// libc6, nor on Windows, which always has 936; the width test pins all 65,536
// widths, so a build on a platform without it fails its tests.

// Bytes that `character` takes in code page 936: 0 for the empty string,
// 2 for hanzi, full-width forms and the other double-byte characters, 1 for
// ASCII and for anything the code page cannot encode (which it would write as
// "?"): a surrogate pair, a lone surrogate. `character` is one code unit or a
// surrogate pair.
int AnsiWidth(std::u16string_view character);

// The code page 936 bytes of every BMP code unit taken alone: 1 or 2, or 0
// where the code page has no code for it (a surrogate half, Hangul, ¢), which
// an encoder would write as "?".
using AnsiWidthTable = std::array<std::uint8_t, 0x10000>;
const AnsiWidthTable& AnsiWidths();

}  // namespace tavro
