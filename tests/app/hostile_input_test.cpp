// SPDX-License-Identifier: MIT
// Whatever is pasted or typed, the window neither crashes nor hangs, and
// Text1 and Text3 keep exactly what they held.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "form1.h"

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

  void resultOverTheBoundIsRefused() {
    // 1 MiB with a 10,000-character separator would be 5 Gi code units.
    form_->Text1->setPlainText(QString(512 * 1024, QChar(u'字')));
    form_->Text3->setText(QString(10000, QChar(u'*')));
    form_->Text2->setPlainText(QStringLiteral("before"));
    QGuiApplication::clipboard()->setText(QStringLiteral("clipboard before"));
    form_->Command1->click();
    QCOMPARE(form_->Text2->toPlainText(), "before");
    QCOMPARE(QGuiApplication::clipboard()->text(), "clipboard before");
    QCOMPARE(form_->Text1->toPlainText().size(), 512 * 1024);
    QCOMPARE(form_->Text3->text().size(), 10000);
    // Still responsive: the next command publishes.
    form_->Text3->setText(QStringLiteral("-"));
    form_->Text1->setPlainText(QStringLiteral("中文"));
    form_->Command1->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), "-中-文");
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
