// SPDX-License-Identifier: MIT
#include "window_layout.h"

#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "grid_font.h"
#include "text_field.h"

namespace tavro {

// The arrows of 简→繁 and 繁→简 read as "to" (转) to a screen reader.
const std::array<ControlDesign, 13> kControlDesigns = {{
    // clang-format off
    {.name = "Command1", .button = &Form1Controls::Command1, .left = 4800, .top = 120, .width = 1215, .height = 495, .text = u"加字符", .command = Command::kAddCharacters},
    {.name = "Text1", .multiLineField = &Form1Controls::Text1, .left = 120, .top = 120, .width = 4455, .height = 1455, .text = u"请将要转换的文字粘贴到此处！", .background = qRgb(255, 255, 192), .toolTip = u"请将文字粘贴到此处！"},
    {.name = "Text2", .multiLineField = &Form1Controls::Text2, .left = 120, .top = 2160, .width = 4455, .height = 1455, .text = u"转换后的文本！已经自动复制。", .background = qRgb(192, 255, 255), .toolTip = u"转换后的文本！已经自动复制。"},
    {.name = "Text3", .singleLineField = &Form1Controls::Text3, .left = 120, .top = 1680, .width = 375, .height = 375, .text = u"\x1A", .background = qRgb(192, 255, 192), .toolTip = u"输入要添加的字符！"},
    {.name = "Command2", .button = &Form1Controls::Command2, .left = 600, .top = 1680, .width = 735, .height = 375, .text = u"随机", .command = Command::kRandomSeparator},
    {.name = "Command3", .button = &Form1Controls::Command3, .left = 4800, .top = 720, .width = 1215, .height = 495, .text = u"倒序", .command = Command::kReverseText},
    {.name = "Command4", .button = &Form1Controls::Command4, .left = 4800, .top = 1320, .width = 1215, .height = 495, .text = u"竖排", .command = Command::kVerticalLayout},
    {.name = "Command5", .button = &Form1Controls::Command5, .left = 4800, .top = 1920, .width = 1215, .height = 495, .text = u"火星文", .command = Command::kMartian},
    {.name = "Command6", .button = &Form1Controls::Command6, .left = 4800, .top = 2520, .width = 1215, .height = 495, .text = u"简→繁", .accessibleName = u"简体转繁体", .command = Command::kToTraditional},
    {.name = "Text4", .multiLineField = &Form1Controls::Text4, .left = 3240, .top = 2520, .width = 1215, .height = 975, .background = qRgb(255, 255, 255), .toolTip = u"请将文字粘贴到此处！", .hidden = true},
    {.name = "Text5", .multiLineField = &Form1Controls::Text5, .left = 3240, .top = 480, .width = 1215, .height = 975, .background = qRgb(255, 255, 255), .toolTip = u"请将文字粘贴到此处！", .hidden = true},
    {.name = "Text6", .multiLineField = &Form1Controls::Text6, .left = 240, .top = 2520, .width = 1335, .height = 975, .background = qRgb(255, 255, 255), .toolTip = u"请将文字粘贴到此处！", .hidden = true},
    {.name = "Command7", .button = &Form1Controls::Command7, .left = 4800, .top = 3120, .width = 1215, .height = 495, .text = u"繁→简", .accessibleName = u"繁体转简体", .command = Command::kToSimplified},
    // clang-format on
}};

QRect TwipsToPixels(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

namespace {

// A deep blue behind white selected text, as readable as black on the fields.
constexpr QRgb kSelectionBackground = qRgb(0x00, 0x50, 0xA0);

// Creates the control of `design` and puts it in its place in `controls`.
QWidget* CreateControl(const ControlDesign& design, const std::optional<QFont>& gridFont,
                       QWidget& form, Form1Controls& controls) {
  const QString text = QString::fromUtf16(design.text);
  if (design.button != nullptr) {
    auto* button = new QPushButton(text, &form);
    button->setAutoDefault(false);  // Enter and Esc press no button
    return controls.*design.button = button;
  }
  if (design.singleLineField != nullptr) {
    auto* field = new SeparatorField(text, &form);
    // 宋体 12 pt, with the CJK fonts of a Linux desktop where SimSun is missing.
    QFont font;
    font.setFamilies({"SimSun", "宋体", "NSimSun", "Noto Serif CJK SC", "Noto Sans CJK SC",
                      "WenQuanYi Zen Hei", "Droid Sans Fallback"});
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    field->setFont(font);
    field->setAlignment(Qt::AlignCenter);
    return controls.*design.singleLineField = field;
  }
  auto* field = new TextField(&form);
  field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  field->setTabChangesFocus(true);
  // The desktop's font where no installed font draws a 竖排 grid that lines
  // up; the hidden table fields lay nothing out, in any font. The text comes
  // after the font, so that it is laid out once.
  if (gridFont && !design.hidden) field->setFont(*gridFont);
  field->setPlainText(text);
  return controls.*design.multiLineField = field;
}

}  // namespace

QWidget* ControlOf(const Form1Controls& controls, const ControlDesign& design) {
  if (design.button != nullptr) return controls.*design.button;
  if (design.singleLineField != nullptr) return controls.*design.singleLineField;
  return controls.*design.multiLineField;
}

void BuildDesignedWindow(QWidget& form, Form1Controls& controls) {
  form.resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
  const std::optional<QFont> gridFont = GridFont();
  QWidget* previous = nullptr;
  for (const ControlDesign& design : kControlDesigns) {
    QWidget* control = CreateControl(design, gridFont, form, controls);
    control->setObjectName(QString::fromLatin1(design.name));
    control->setGeometry(TwipsToPixels(design.left, design.top, design.width, design.height));
    control->setToolTip(QString::fromUtf16(design.toolTip));
    const char16_t* spoken = *design.accessibleName != 0 ? design.accessibleName
                             : design.button != nullptr  ? design.text
                                                         : design.toolTip;
    control->setAccessibleName(QString::fromUtf16(spoken));
    if (design.background != 0) {
      // The light fields bring their own dark text and selection: a dark
      // theme's light text would vanish on them.
      QPalette palette = control->palette();
      palette.setColor(QPalette::Base, QColor(design.background));
      palette.setColor(QPalette::Text, Qt::black);
      palette.setColor(QPalette::Highlight, QColor(kSelectionBackground));
      palette.setColor(QPalette::HighlightedText, Qt::white);
      control->setPalette(palette);
    }
    if (design.hidden) {
      control->setFocusPolicy(Qt::NoFocus);
      control->hide();
      continue;
    }
    if (previous != nullptr) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

}  // namespace tavro
