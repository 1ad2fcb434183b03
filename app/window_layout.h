// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QRect>
#include <array>
#include <optional>

#include "commands.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tavro {

// The controls of the designed window, typed, as Qt's uic declares a designed
// form's (Ui::Form). They keep the names of the design, a kind and a number;
// the handlers are named after them (Command1_Click).
struct Form1Controls {
  QPlainTextEdit* Text1;  // input: the text every command converts
  QPlainTextEdit* Text2;  // output: the last result, selected, also on the clipboard
  QLineEdit* Text3;       // the separator 加字符 puts before every character
  QPlainTextEdit* Text4;  // hidden: the Martian (火星文) table
  QPlainTextEdit* Text5;  // hidden: the simplified table
  QPlainTextEdit* Text6;  // hidden: the traditional table
  QPushButton* Command1;  // 加字符
  QPushButton* Command2;  // 随机
  QPushButton* Command3;  // 倒序
  QPushButton* Command4;  // 竖排
  QPushButton* Command5;  // 火星文
  QPushButton* Command6;  // 简→繁
  QPushButton* Command7;  // 繁→简
};

// The designed window. Lengths are in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 6180;
constexpr int kClientHeightTwips = 3720;

// One control of the design: a button, a multi-line field or a single-line
// field, whichever of the three is set.
struct ControlDesign {
  const char* name;  // as in Form1Controls; the control's object name, for accessibility tools
  QPushButton* Form1Controls::*button = nullptr;
  QPlainTextEdit* Form1Controls::*multiLineField = nullptr;
  QLineEdit* Form1Controls::*singleLineField = nullptr;
  int left, top, width, height;  // twips
  const char16_t* text = u"";    // caption or initial text
  QRgb background = 0;           // 0: the toolkit's default
  const char16_t* toolTip = u"";
  bool hidden = false;
  // What a screen reader announces; empty: the tooltip of a field, the
  // caption of a button.
  const char16_t* accessibleName = u"";
  std::optional<Command> command = std::nullopt;  // what a button runs, through its handler
};

// Every control, in tab order.
extern const std::array<ControlDesign, 13> kControlDesigns;

QRect TwipsToPixels(int left, int top, int width, int height);

// The control that `design` places.
QWidget* ControlOf(const Form1Controls& controls, const ControlDesign& design);

// Creates the controls of the design as children of `form`, in tab order,
// fills `controls` with them, and sizes `form`.
void BuildDesignedWindow(QWidget& form, Form1Controls& controls);

}  // namespace tavro
