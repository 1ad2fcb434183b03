// SPDX-License-Identifier: MIT
#include "form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolTip>

#include "character_tables.h"
#include "reversal.h"
#include "table_conversion.h"
#include "vertical_layout.h"
#include "window_layout.h"

namespace tavro {
namespace {

template <typename Widget>
Widget* Control(QWidget& form, const char* name) {
  return form.findChild<Widget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

void SelectAll(QPlainTextEdit& field) {
  QTextCursor cursor = field.textCursor();
  cursor.setPosition(0);
  // The length of the field's text; the document counts one more position,
  // after the last line.
  cursor.setPosition(field.document()->characterCount() - 1, QTextCursor::KeepAnchor);
  field.setTextCursor(cursor);
}

// ConvertByTable with the tables held by two of the hidden fields.
std::u16string ConvertThroughFields(const QString& input, const QPlainTextEdit& sourceField,
                                    const QPlainTextEdit& targetField) {
  return ConvertByTable(CodeUnits(input), CodeUnits(FieldText(sourceField)),
                        CodeUnits(FieldText(targetField)));
}

}  // namespace

std::u16string_view CodeUnits(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

Form1::Form1(QWidget* parent) : QWidget(parent), urlLauncher_(DesktopUrlLauncher()) {
  setWindowTitle(QStringLiteral("tavro字符工具"));
  BuildDesignedWindow(*this);
  Text1 = Control<QPlainTextEdit>(*this, "Text1");
  Text2 = Control<QPlainTextEdit>(*this, "Text2");
  Text3 = Control<QLineEdit>(*this, "Text3");
  Text4 = Control<QPlainTextEdit>(*this, "Text4");
  Text5 = Control<QPlainTextEdit>(*this, "Text5");
  Text6 = Control<QPlainTextEdit>(*this, "Text6");
  Command1 = Control<QPushButton>(*this, "Command1");
  Command2 = Control<QPushButton>(*this, "Command2");
  Command3 = Control<QPushButton>(*this, "Command3");
  Command4 = Control<QPushButton>(*this, "Command4");
  Command5 = Control<QPushButton>(*this, "Command5");
  Command6 = Control<QPushButton>(*this, "Command6");
  Command7 = Control<QPushButton>(*this, "Command7");

  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
}

void Form1::SetUrlLauncher(UrlLauncher launcher) { urlLauncher_ = std::move(launcher); }

void Form1::SetMaxResultLength(std::size_t length) { maxResultLength_ = length; }

template <typename Convert>
void Form1::PublishConverted(std::size_t resultLength, Convert convert) {
  if (resultLength > maxResultLength_) {
    ShowNotice(kResultTooLongNotice);
    return;
  }
  const BusyCursor busy(resultLength);
  try {
    PublishResult(convert());
  } catch (const std::bad_alloc&) {
    ShowNotice(kOutOfMemoryNotice);
  } catch (const std::length_error&) {
    ShowNotice(kResultTooLongNotice);
  }
}

void Form1::ShowNotice(const char16_t* notice) {
  // Over the output field, where the result would have appeared, and without
  // a dialog that would hide the fields.
  QToolTip::showText(Text2->mapToGlobal(QPoint(0, Text2->height() / 2)), QString::fromUtf16(notice),
                     Text2, QRect(), 5000);
}

void Form1::Command1_Click() {
  const QString input = FieldText(*Text1), separator = Text3->text();
  PublishConverted(AddCharactersLength(CodeUnits(input), CodeUnits(separator).size()),
                   [&] { return AddCharacters(CodeUnits(input), CodeUnits(separator)); });
}

void Form1::Command2_Click() {
  Text3->setText(QString(QChar(PickRandomSeparator(randomSource_))));
  Command1_Click();
}

void Form1::Command3_Click() {
  const QString input = FieldText(*Text1);
  PublishConverted(input.size(), [&] { return ReverseText(CodeUnits(input)); });
}

void Form1::Command4_Click() {
  const QString input = FieldText(*Text1);
  PublishConverted(VerticalLayoutLength(CodeUnits(input)),
                   [&] { return VerticalLayout(CodeUnits(input)); });
}

void Form1::Command5_Click() {
  const QString input = FieldText(*Text1);
  PublishConverted(input.size(), [&] { return ConvertThroughFields(input, *Text5, *Text4); });
}

void Form1::Command6_Click() {
  const QString input = FieldText(*Text1);
  PublishConverted(input.size(), [&] { return ConvertThroughFields(input, *Text5, *Text6); });
}

void Form1::Command7_Click() {
  const QString input = FieldText(*Text1);
  PublishConverted(input.size(), [&] { return ConvertThroughFields(input, *Text6, *Text5); });
}

void Form1::PublishResult(const std::u16string& result) {
  Text2->setPlainText(ToQString(result));
  Text2->setFocus(Qt::OtherFocusReason);
  SelectAll(*Text2);
  // The selection ends at the text's end, where a key press carries on from;
  // the field shows where the result begins.
  Text2->verticalScrollBar()->setValue(0);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  // What the field holds, which may differ from `result` in its line breaks.
  clipboard->setText(FieldText(*Text2));
}

void Form1::Form_Activate() {
  Text1->setFocus(Qt::ActiveWindowFocusReason);
  SelectAll(*Text1);
  QPlainTextEdit* const tableFields[] = {Text4, Text5, Text6};
  LoadTables([&](TableKind kind, std::u16string_view chunk) {
    QPlainTextEdit* field = tableFields[static_cast<int>(kind)];
    field->setPlainText(FieldText(*field) + ToQString(chunk));
  });
}

void Form1::Form_Click() { OpenForumPage(urlLauncher_); }

bool Form1::event(QEvent* event) {
  // Activation runs once: returning from another application activates the
  // window again, and must not load the tables a second time.
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    Form_Activate();
  }
  return QWidget::event(event);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Without a window manager nobody else would activate the window, and
  // without activation there are no tables.
  activateWindow();
}

void Form1::mousePressEvent(QMouseEvent* event) {
  // Only presses on the bare surface reach here: the controls take their own.
  surfacePressed_ = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

void Form1::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release both on the surface, not on a control.
  const QPoint position = event->position().toPoint();
  const bool clicked = surfacePressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(position) && childAt(position) == nullptr;
  surfacePressed_ = false;
  QWidget::mouseReleaseEvent(event);
  if (clicked) Form_Click();
}

}  // namespace tavro
