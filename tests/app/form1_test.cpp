// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform, driven by mouse and key clicks.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "form_state.h"
#include "window_layout.h"

using tavro::Form1;

class Form1Test : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Form1> form_;
  int launches_ = 0;

  QPushButton* Button(int number) {
    return form_->findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
  }
  void Run(int button, const QString& input) {
    form_->Text1->setPlainText(input);
    QTest::mouseClick(Button(button), Qt::LeftButton);
  }
  static QString Selection(QPlainTextEdit* field) {
    return field->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
  }
  static QString Text(QPlainTextEdit* field) {
    return tavro::FieldText(*field);
  }

 private slots:
  void init() {
    form_ = std::make_unique<Form1>();
    launches_ = 0;
    form_->SetUrlLauncher([this](const QUrl& url) {
      ++launches_;
      return url.scheme() == QLatin1String("http") && url.path() == QLatin1String("/");
    });
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void startsWithThePromptSelectedAndTheTablesLoaded() {
    QCOMPARE(QApplication::focusWidget(), form_->Text1);
    QCOMPARE(Selection(form_->Text1), QStringLiteral("请将要转换的文字粘贴到此处！"));
    QCOMPARE(form_->Text2->toPlainText(), QStringLiteral("转换后的文本！已经自动复制。"));
    QCOMPARE(form_->Text3->text(), QStringLiteral("\x1A"));
    QVERIFY(form_->Text5->toPlainText().startsWith(QStringLiteral("啊阿埃挨哎唉哀皑癌蔼矮艾碍爱")));
    QVERIFY(form_->Text5->toPlainText().endsWith(QStringLiteral("喉侯猴吼厚候后呼")));
    for (QPlainTextEdit* table : {form_->Text4, form_->Text5, form_->Text6}) {
      QCOMPARE(table->toPlainText().size(), 1024);
    }
  }

  void activationLoadsTheTablesOnce() {
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(form_->Text6->toPlainText().size(), 1024);
  }

  void commandsPublishTheirResult_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    // Typical text, one row or more per button.
    QTest::newRow("add separator") << 1 << "中文" << "-" << "-中-文";
    QTest::newRow("add long separator") << 1 << "abc" << "**" << "**a**b**c";
    QTest::newRow("add default separator") << 1 << "ab" << "\x1A" << "\x1A" "a\x1A" "b";
    QTest::newRow("add to emoji") << 1 << "字😀" << "-" << "-字-😀";
    QTest::newRow("reverse") << 3 << "中文abc" << "" << "cba文中";
    QTest::newRow("reverse emoji") << 3 << "中文abc😀" << "" << "😀cba文中";
    QTest::newRow("vertical") << 4 << "中文字符" << "" << "中|字|\n文|符|\n";
    QTest::newRow("vertical ascii") << 4 << "abc" << "" << "a |c |\nb |  |\n";
    QTest::newRow("martian") << 5 << "啊阿埃" << "" << "娿婀埃";
    QTest::newRow("to traditional") << 6 << "爱处啊中" << "" << "愛處啊中";
    QTest::newRow("to simplified") << 7 << "愛疊沈矽後" << "" << "爱迭沉硅后";
    QTest::newRow("no-break space kept") << 3 << "a\u00A0b" << "" << "b\u00A0a";
    // Empty input, every button.
    for (int button : {1, 3, 4, 5, 6, 7}) {
      QTest::addRow("empty, button %d", button) << button << "" << "-" << "";
    }
  }
  void commandsPublishTheirResult() {
    QFETCH(int, button);
    QFETCH(QString, input);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    form_->Text3->setText(separator);
    form_->Text2->setPlainText(QStringLiteral("typed by the user"));
    form_->Text3->setFocus();
    Run(button, input);
    QCOMPARE(Text(form_->Text2), expected);
    QCOMPARE(QApplication::focusWidget(), form_->Text2);
    QCOMPARE(Selection(form_->Text2), expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(Text(form_->Text1), input);
    // The same command again publishes the same result.
    QTest::mouseClick(Button(button), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
  }

  void randomSeparatorIsWrittenAndReused() {
    form_->Text3->setText(QStringLiteral("\x1A"));
    Run(2, QStringLiteral("中文"));
    const QString separator = form_->Text3->text();
    QCOMPARE(separator.size(), 1);
    QVERIFY(separator[0].unicode() >= 1 && separator[0].unicode() <= 127);
    QCOMPARE(QGuiApplication::clipboard()->text(), separator + "中" + separator + "文");
    Run(1, QStringLiteral("ab"));
    QCOMPARE(form_->Text2->toPlainText(), separator + "a" + separator + "b");
    // Empty input still draws a new separator.
    form_->Text3->setText(QStringLiteral("\x1A"));
    Run(2, QString());
    QVERIFY(form_->Text3->text() != QStringLiteral("\x1A"));
  }

  void everySeparatorCodeSurvivesTheSeparatorField() {
    for (char16_t code = 1; code <= 127; ++code) {
      const QString separator(QChar{code});
      form_->Text3->setText(separator);
      QCOMPARE(form_->Text3->text(), separator);
      Run(1, QStringLiteral("字"));
      // The output field keeps a CR as a line break, LF.
      QCOMPARE(Text(form_->Text2), QString(QChar{code == u'\r' ? u'\n' : code}) + "字");
    }
  }

  void tabVisitsTheVisibleControlsInDesignOrder() {
    Button(1)->setFocus();
    const QStringList expected = {"Text1", "Text2", "Text3", "Command2", "Command3",
                                  "Command4", "Command5", "Command6", "Command7"};
    for (const QString& name : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    // Enter in a text field starts a line and presses no button.
    form_->Text1->setPlainText(QString());
    form_->Text1->setFocus();
    QTest::keyClick(form_->Text1, Qt::Key_Return);
    QCOMPARE(form_->Text1->toPlainText(), QStringLiteral("\n"));
    QCOMPARE(form_->Text2->toPlainText(), QStringLiteral("转换后的文本！已经自动复制。"));
  }

  void controlsFollowTheDesign() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("tavro字符工具"));
    QCOMPARE(form_->size(), QSize(412, 248));
    QCOMPARE(Button(1)->geometry(), QRect(320, 8, 81, 33));
    QCOMPARE(form_->Text1->geometry(), QRect(8, 8, 297, 97));
    QCOMPARE(form_->Text3->geometry(), QRect(8, 112, 25, 25));
    QCOMPARE(Button(6)->text(), QStringLiteral("简\x1A繁"));
    QCOMPARE(Button(7)->text(), QStringLiteral("繁\x1A简"));
    QCOMPARE(form_->Text1->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(form_->Text2->palette().color(QPalette::Base), QColor(192, 255, 255));
    QCOMPARE(form_->Text3->palette().color(QPalette::Base), QColor(192, 255, 192));
    QCOMPARE(form_->Text1->toolTip(), QStringLiteral("请将文字粘贴到此处！"));
    QCOMPARE(form_->Text3->toolTip(), QStringLiteral("输入要添加的字符！"));
    QCOMPARE(form_->Text3->font().pointSize(), 12);
    QVERIFY(Button(3)->toolTip().isEmpty());
    for (QPlainTextEdit* hidden : {form_->Text4, form_->Text5, form_->Text6}) {
      QVERIFY(!hidden->isVisible());
      QCOMPARE(hidden->focusPolicy(), Qt::NoFocus);
      QCOMPARE(hidden->toolTip(), QStringLiteral("请将文字粘贴到此处！"));
    }
    // Controls keep their places when the frame is resized.
    form_->resize(800, 600);
    QCOMPARE(Button(7)->geometry(), QRect(320, 208, 81, 33));
  }

  void surfaceClicksOpenTheForumPage() {
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(200, 120));
    QCOMPARE(launches_, 1);
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(405, 240));
    QCOMPARE(launches_, 2);
    // Clicks on controls are not on the surface.
    for (int number = 1; number <= 7; ++number) QTest::mouseClick(Button(number), Qt::LeftButton);
    QTest::mouseClick(form_->Text1->viewport(), Qt::LeftButton);
    QTest::mouseClick(form_->Text3, Qt::LeftButton);
    QCOMPARE(launches_, 2);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
