// SPDX-License-Identifier: MIT
#include "form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTimer>

#include "grid_font.h"
#include "window_layout.h"

namespace tavro {
namespace {

QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The handler of each command, named after its button.
void (Form1::*HandlerOf(Command command))() {
  switch (command) {
    case Command::kAddCharacters: return &Form1::Command1_Click;
    case Command::kRandomSeparator: return &Form1::Command2_Click;
    case Command::kReverseText: return &Form1::Command3_Click;
    case Command::kVerticalLayout: return &Form1::Command4_Click;
    case Command::kMartian: return &Form1::Command5_Click;
    case Command::kToTraditional: return &Form1::Command6_Click;
    case Command::kToSimplified: break;
  }
  return &Form1::Command7_Click;
}

}  // namespace

std::u16string_view CodeUnits(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

Form1::Form1(QWidget* parent) : QWidget(parent), urlLauncher_(DesktopUrlLauncher()) {
  setWindowTitle(QStringLiteral("tavro字符工具"));
  BuildDesignedWindow(*this, *this);
  for (const ControlDesign& design : kControlDesigns) {
    if (design.command)
      connect(this->*design.button, &QPushButton::clicked, this, HandlerOf(*design.command));
  }
  // Over the output field, where the result would have appeared, and without
  // a dialog that would hide the fields.
  notice_ = new NoticeBar(*Text2, this);
  marks_ = new FormMarks(*Text2, [this] {
    try {
      PublishShown();
    } catch (const std::bad_alloc&) {
      // The chosen form stands in Text2, selected: Ctrl+C copies it.
      notice_->Show(NoticeBar::Kind::kError, QString::fromUtf16(kOutOfMemoryNotice));
    }
  });
  // Under the notices, which stand above it: the suggestions are news the
  // user may act on later, not news of the clipboard.
  suggestionBar_ = new NoticeBar(*Text2, this);
  suggestionBar_->SetAction(QStringLiteral("全部改写"), [this] { ApplySuggestions(); });
  notice_->StandAbove(*suggestionBar_);
  connect(marks_, &FormMarks::SuggestionsChanged, this, [this](int count) {
    if (count == 0) return suggestionBar_->hide();
    suggestionBar_->Show(NoticeBar::Kind::kInformation,
                         QStringLiteral("%1 个字按词语应改写").arg(count));
  });
  lastShown_ = FieldText(*Text2);
  connect(&clipboard_, &ClipboardPublisher::StateChanged, this, &Form1::ShowClipboardState);
}

void Form1::SetUrlLauncher(UrlLauncher launcher) { urlLauncher_ = std::move(launcher); }

void Form1::SetMaxResultLength(std::size_t length) { maxResultLength_ = length; }

void Form1::LoadTablesOnce() {
  if (tablesLoaded_) return;
  tablesLoaded_ = true;
  // Each field is filled once, with its whole table.
  QString tables[3];
  LoadTables([&](TableKind kind, std::u16string_view chunk) {
    tables[static_cast<int>(kind)] += ToQString(chunk);
  });
  for (TableKind kind : {TableKind::kMartian, TableKind::kSimplified, TableKind::kTraditional}) {
    QPlainTextEdit* field = TableField(kind);
    FillHiddenField(*field, FieldText(*field) + tables[static_cast<int>(kind)]);
  }
}

QPlainTextEdit* Form1::TableField(TableKind kind) const {
  switch (kind) {
    case TableKind::kMartian: return Text4;
    case TableKind::kSimplified: return Text5;
    case TableKind::kTraditional: break;
  }
  return Text6;
}

void Form1::Run(Command command) {
  LoadTablesOnce();
  lastCommandPublished_ = false;
  notice_->hide();  // a new command: the last one's news is old
  marks_->Clear();
  const QString input = FieldText(*Text1), separator = Text3->text();
  const std::size_t resultLength =
      ResultLength(command, CodeUnits(input), CodeUnits(separator).size());
  if (resultLength > maxResultLength_) {
    notice_->Show(NoticeBar::Kind::kWarning, QString::fromStdU16String(ResultTooLongNotice()));
    return;
  }
  const BusyCursor busy(resultLength);
  try {
    QString tableTexts[3];
    if (const std::optional<TablePair> pair = TablesOf(command)) {
      for (TableKind kind : {pair->from, pair->to})
        tableTexts[static_cast<int>(kind)] = FieldText(*TableField(kind));
    }
    PublishResult(RunCommand(command, CodeUnits(input), CodeUnits(separator),
                             {.martian = CodeUnits(tableTexts[0]),
                              .simplified = CodeUnits(tableTexts[1]),
                              .traditional = CodeUnits(tableTexts[2])}));
    lastCommandPublished_ = true;
  } catch (const std::bad_alloc&) {
    notice_->Show(NoticeBar::Kind::kError, QString::fromUtf16(kOutOfMemoryNotice));
    return;
  } catch (const std::length_error&) {
    notice_->Show(NoticeBar::Kind::kWarning, QString::fromStdU16String(ResultTooLongNotice()));
    return;
  }
  if (const std::optional<FormsDirection> direction = FormsOf(command))
    MarkForms(input, *direction);
}

void Form1::ShowClipboardState(ClipboardPublisher::State state) {
  const char16_t* notCopied = nullptr;
  switch (state) {
    case ClipboardPublisher::State::kCopied:
      if (notice_->notice() == QString::fromUtf16(kClipboardBusyNotice)) notice_->hide();
      return;
    case ClipboardPublisher::State::kWaiting:
      notice_->Show(NoticeBar::Kind::kInformation, QString::fromUtf16(kClipboardBusyNotice));
      return;
    case ClipboardPublisher::State::kFailed: notCopied = kClipboardFailedNotice; break;
    case ClipboardPublisher::State::kSuperseded: notCopied = kClipboardSupersededNotice; break;
  }
  // Text2 stays selected, so Ctrl+C there copies the result.
  notice_->Show(NoticeBar::Kind::kWarning, QString::fromUtf16(notCopied));
  // The user may be in the chat already, about to paste: the taskbar or the
  // dock marks the window until it is looked at.
  if (!isActiveWindow()) QApplication::alert(this);
}

void Form1::Command1_Click() { Run(Command::kAddCharacters); }

void Form1::Command2_Click() {
  const QString separator = Text3->text();
  Text3->setText(QString(QChar(PickRandomSeparator(randomSource_))));
  Run(Command::kRandomSeparator);
  // A command that changed nothing leaves the separator too.
  if (!lastCommandPublished_) Text3->setText(separator);
}

void Form1::Command3_Click() { Run(Command::kReverseText); }

void Form1::Command4_Click() { Run(Command::kVerticalLayout); }

void Form1::Command5_Click() { Run(Command::kMartian); }

void Form1::Command6_Click() { Run(Command::kToTraditional); }

void Form1::Command7_Click() { Run(Command::kToSimplified); }

void Form1::MarkForms(const QString& input, FormsDirection direction) {
  // Text2's positions are the input's while the field holds the result as
  // it came, one unit for one.
  if (!lastCommandPublished_ || lastShown_.size() != input.size()) return;
  try {
    marks_->Set(MarkCharacterForms(CodeUnits(input), direction),
                SuggestForms(CodeUnits(input), direction));
  } catch (const std::bad_alloc&) {
    // The result stands unmarked.
  }
}

void Form1::PublishResult(const std::u16string& result) {
  // The new text is made before Text2 is touched, and Text2's old text is
  // kept until the clipboard has taken the new one or refused it: the last
  // result, already held, unless the user has edited it since.
  const QString shown = ToQString(result);
  const bool edited = Text2->document()->isModified();
  const QString before = edited ? FieldText(*Text2) : lastShown_;
  try {
    Text2->setPlainText(shown);
    PublishShown();
  } catch (const std::bad_alloc&) {
    Text2->setPlainText(before);
    Text2->document()->setModified(edited);
    throw;
  }
}

void Form1::PublishShown() {
  Text2->setFocus(Qt::OtherFocusReason);
  // Selected without moving the view, which a new text starts at its first
  // line; the cursor ends up at the end, where a key press carries on from.
  Text2->selectAll();
  // What the field holds, which may differ from a result in its line breaks.
  const QString published = FieldText(*Text2);
  clipboard_.Publish(published);
  lastShown_ = published;
}

void Form1::ApplySuggestions() { marks_->ApplySuggestions(); }

void Form1::Form_Activate() {
  Text1->setFocus(Qt::ActiveWindowFocusReason);
  Text1->selectAll();
  LoadTablesOnce();
  // Once the window is there: a font that lines up Hangul too, where one is
  // installed and the fields' font does not.
  QTimer::singleShot(std::chrono::milliseconds(200), this, [this] {
    if (const std::optional<QFont> better = BetterGridFont()) {
      Text1->setFont(*better);
      Text2->setFont(*better);
    }
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
