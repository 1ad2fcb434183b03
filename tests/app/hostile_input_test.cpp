// SPDX-License-Identifier: MIT
// Whatever is pasted or typed, the window neither crashes nor hangs, and
// Text1 and Text3 keep exactly what they held.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "form1.h"
#include "text_field.h"

class HostileInputTest : public QObject {
  Q_OBJECT

  std::unique_ptr<tavro::Form1> form_;

  // Runs every command on `input` with `separator`; each leaves the input
  // fields as they were and publishes what Text2 then holds.
  void RunEveryCommand(const QString& input, const QString& separator) {
    form_->Text1->setPlainText(input);
    const QString heldInput = tavro::FieldText(*form_->Text1);
    for (int number : {1, 3, 4, 5, 6, 7}) {
      form_->Text3->setText(separator);
      form_->findChild<QPushButton*>(QStringLiteral("Command%1").arg(number))->click();
      QCOMPARE(tavro::FieldText(*form_->Text1), heldInput);
      QCOMPARE(form_->Text3->text(), separator);
      QCOMPARE(QGuiApplication::clipboard()->text(), tavro::FieldText(*form_->Text2));
    }
  }

 private slots:
  void init() {
    form_ = std::make_unique<tavro::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void strangeCharactersInTheInputAndAsTheSeparator() {
    QString strange = QStringLiteral("中\u200F\u202Eab😀");
    strange += QChar(0xD83D) + QStringLiteral("x") + QChar(0xDE00) + QChar(0xFFFF) + QChar(0);
    for (char16_t code = 1; code < 32; ++code) strange += QChar(code);
    RunEveryCommand(strange, QStringLiteral("-"));
    for (const QChar separator : strange) RunEveryCommand(QStringLiteral("中文"), separator);
    RunEveryCommand(strange, strange);
  }

  void hugeInputIsConvertedByEveryCommand() {
    const QString line = QStringLiteral("春眠不觉晓，处处闻啼鸟。Spring sleep😀\n");
    RunEveryCommand(line.repeated(16 * 1024 * 1024 / 2 / line.size()), QStringLiteral("\x1A"));
    QCOMPARE(form_->Text2->document()->characterCount() - 1,
             tavro::FieldText(*form_->Text1).size());
  }

  void resultOverTheBoundIsRefusedWithANotice() {
    QGuiApplication::clipboard()->setText(QStringLiteral("clipboard before"));
    form_->Text2->setPlainText(QStringLiteral("before"));
    // 1 MiB with a 10,000-character separator would be 5 Gi code units.
    form_->Text1->setPlainText(QString(512 * 1024, QChar(u'字')));
    form_->Text3->setText(QString(10000, QChar(u'*')));
    form_->Command1->click();
    QCOMPARE(form_->Text1->toPlainText().size(), 512 * 1024);
    QCOMPARE(form_->Text3->text().size(), 10000);
    // "a😀中" lays out as "a |中|" CR LF "😀 |  |" CR LF: 16 code units.
    form_->Text1->setPlainText(QStringLiteral("a😀中"));
    form_->SetMaxResultLength(15);
    form_->Command4->click();
    QCOMPARE(form_->Text2->toPlainText(), "before");
    QCOMPARE(QGuiApplication::clipboard()->text(), "clipboard before");
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromUtf16(tavro::kResultTooLongNotice));
    form_->SetMaxResultLength(16);
    form_->Command4->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), "a |中|\n😀 |  |\n");
  }

  void commandsShowTheBusyCursorWhileTheyRun() {
    QList<Qt::CursorShape> whilePublishing;
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, form_.get(), [&] {
      const QCursor* cursor = QGuiApplication::overrideCursor();
      whilePublishing.append(cursor ? cursor->shape() : Qt::ArrowCursor);
    });
    form_->Command3->click();
    QVERIFY(!whilePublishing.isEmpty());
    QCOMPARE(whilePublishing.last(), Qt::WaitCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void largePastesDoNotPileUpInTheUndoHistory() {
    QPlainTextEdit* field = form_->Text1;
    const QString large = (QString(99, u'甲') + '\n').repeated(tavro::kLargePasteLength / 100 + 1);
    // Into the selection, between the text around it, as any paste.
    field->setPlainText(QStringLiteral("前中后"));
    QTextCursor cursor = field->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    field->setTextCursor(cursor);
    QGuiApplication::clipboard()->setText(large);
    field->paste();
    QCOMPARE(tavro::FieldText(*field), "前" + large + "后");
    QCOMPARE(field->textCursor().position(), 1 + large.size());
    // A second large paste forgets what the field held before it.
    field->selectAll();
    field->paste();
    field->undo();
    QCOMPARE(tavro::FieldText(*field), large);
    // Ordinary typing and pasting keep their history.
    field->setPlainText(QStringLiteral("ab"));
    field->moveCursor(QTextCursor::End);
    QTest::keyClicks(field, QStringLiteral("c"));
    QGuiApplication::clipboard()->setText(QStringLiteral("d"));
    field->paste();
    QCOMPARE(field->toPlainText(), "abcd");
    field->undo();
    field->undo();
    QCOMPARE(field->toPlainText(), "ab");
  }

  void missingBrowserChangesNothing() {
    // The offscreen platform has no browser to hand pages to.
    form_->Text1->setPlainText(QStringLiteral("中文"));
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(200, 120));
    QCOMPARE(form_->Text1->toPlainText(), "中文");
    form_->Command3->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), "文中");
  }
};

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
