// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <optional>

namespace tavro {

// The size of the fields' text: 9 pt at 96 dots per inch, 12 device-independent
// pixels whatever the scale.
constexpr int kGridFontPixelSize = 12;

// Whether `font` draws a 竖排 grid that lines up: every character code page
// 936 stores in two bytes (hanzi, full-width forms) exactly twice as wide as
// one stored in one byte, and "|", the space, digits and ASCII letters all
// one cell wide. With `hangul`, Hangul too two cells wide, as 竖排 counts it.
bool FitsGrid(const QFont& font, bool hangul = false);

// The first installed font, among the grid fonts of Windows and Linux desktops
// and then every other Chinese family, that fits the grid at
// kGridFontPixelSize, one that fits Hangul too first; none where no installed
// font fits. Chosen in two steps, so that the window opens without measuring
// every installed font: GridFont() measures the preferred fonts in order
// until one fits the grid, at its first call; where that one's Hangul is not
// two cells wide, BetterGridFont() measures the later ones for one whose is,
// and GridFont() gives that from then on.
std::optional<QFont> GridFont();
// A later preferred font that fits the grid with Hangul too, where the one
// GridFont() first gave does not: measured at the first call (once the window
// is shown); none where there is no such font.
std::optional<QFont> BetterGridFont();

}  // namespace tavro
