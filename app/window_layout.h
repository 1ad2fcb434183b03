// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>
#include <array>

class QWidget;

namespace tavro {

// The designed window. Lengths are in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 6180;
constexpr int kClientHeightTwips = 3720;

enum class ControlKind { kButton, kMultiLineField, kSingleLineField };

struct ControlDesign {
  const char* name;
  ControlKind kind;
  int left, top, width, height;  // twips
  const char16_t* text;          // caption or initial text
  QRgb background;               // 0: the toolkit's default
  const char16_t* toolTip;       // empty: none
  bool hidden;
  // What a screen reader announces; empty: the tooltip of a field, the
  // caption of a button.
  const char16_t* accessibleName = u"";
};

// Every control, in tab order.
extern const std::array<ControlDesign, 13> kControlDesigns;

QRect TwipsToPixels(int left, int top, int width, int height);

// Creates the controls of the design as children of `form`, named after their
// design (find them with findChild), in tab order, and sizes `form`.
void BuildDesignedWindow(QWidget& form);

}  // namespace tavro
