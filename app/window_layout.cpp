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
    {"Command1", ControlKind::kButton, 4800, 120, 1215, 495, u"加字符", 0, u"", false},
    {"Text1", ControlKind::kMultiLineField, 120, 120, 4455, 1455, u"请将要转换的文字粘贴到此处！",
     qRgb(255, 255, 192), u"请将文字粘贴到此处！", false},
    {"Text2", ControlKind::kMultiLineField, 120, 2160, 4455, 1455, u"转换后的文本！已经自动复制。",
     qRgb(192, 255, 255), u"转换后的文本！已经自动复制。", false},
    {"Text3", ControlKind::kSingleLineField, 120, 1680, 375, 375, u"\x1A", qRgb(192, 255, 192),
     u"输入要添加的字符！", false},
    {"Command2", ControlKind::kButton, 600, 1680, 735, 375, u"随机", 0, u"", false},
    {"Command3", ControlKind::kButton, 4800, 720, 1215, 495, u"倒序", 0, u"", false},
    {"Command4", ControlKind::kButton, 4800, 1320, 1215, 495, u"竖排", 0, u"", false},
    {"Command5", ControlKind::kButton, 4800, 1920, 1215, 495, u"火星文", 0, u"", false},
    {"Command6", ControlKind::kButton, 4800, 2520, 1215, 495, u"简→繁", 0, u"", false,
     u"简体转繁体"},
    {"Text4", ControlKind::kMultiLineField, 3240, 2520, 1215, 975, u"", qRgb(255, 255, 255),
     u"请将文字粘贴到此处！", true},
    {"Text5", ControlKind::kMultiLineField, 3240, 480, 1215, 975, u"", qRgb(255, 255, 255),
     u"请将文字粘贴到此处！", true},
    {"Text6", ControlKind::kMultiLineField, 240, 2520, 1335, 975, u"", qRgb(255, 255, 255),
     u"请将文字粘贴到此处！", true},
    {"Command7", ControlKind::kButton, 4800, 3120, 1215, 495, u"繁→简", 0, u"", false,
     u"繁体转简体"},
}};

QRect TwipsToPixels(int left, int top, int width, int height) {
  return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
          height / kTwipsPerPixel};
}

namespace {

// A deep blue behind white selected text, as readable as black on the fields.
constexpr QRgb kSelectionBackground = qRgb(0x00, 0x50, 0xA0);

QWidget* CreateControl(const ControlDesign& design, const std::optional<QFont>& gridFont,
                       QWidget& form) {
  const QString text = QString::fromUtf16(design.text);
  switch (design.kind) {
    case ControlKind::kButton: {
      auto* button = new QPushButton(text, &form);
      button->setAutoDefault(false);  // Enter and Esc press no button
      return button;
    }
    case ControlKind::kSingleLineField: {
      auto* field = new QLineEdit(text, &form);
      // 宋体 12 pt, with the CJK fonts of a Linux desktop where SimSun is missing.
      QFont font;
      font.setFamilies({"SimSun", "宋体", "NSimSun", "Noto Serif CJK SC", "Noto Sans CJK SC",
                        "WenQuanYi Zen Hei", "Droid Sans Fallback"});
      font.setPointSize(12);
      font.setWeight(QFont::Normal);
      field->setFont(font);
      field->setAlignment(Qt::AlignCenter);
      return field;
    }
    case ControlKind::kMultiLineField: break;
  }
  auto* field = new TextField(text, &form);
  field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  field->setTabChangesFocus(true);
  // The desktop's font where no installed font draws a 竖排 grid that lines up.
  if (gridFont) field->setFont(*gridFont);
  return field;
}

}  // namespace

void BuildDesignedWindow(QWidget& form) {
  form.resize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
  const std::optional<QFont> gridFont = GridFont();
  QWidget* previous = nullptr;
  for (const ControlDesign& design : kControlDesigns) {
    QWidget* control = CreateControl(design, gridFont, form);
    control->setObjectName(design.name);
    control->setGeometry(TwipsToPixels(design.left, design.top, design.width, design.height));
    control->setToolTip(QString::fromUtf16(design.toolTip));
    const char16_t* spoken = *design.accessibleName != 0           ? design.accessibleName
                             : design.kind == ControlKind::kButton ? design.text
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
