// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform, driven by mouse and key clicks.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <cmath>
#include <map>

#include "form1.h"

class Form1Test : public QObject {
  Q_OBJECT

  std::unique_ptr<tavro::Form1> form_;
  QStringList launched_;

  QPushButton* Button(int number) {
    return form_->findChild<QPushButton*>(QStringLiteral("Command%1").arg(number));
  }
  void Run(int button, const QString& input) {
    form_->Text1->setPlainText(input);
    QTest::mouseClick(Button(button), Qt::LeftButton);
  }
  // WCAG's contrast between the most common colour in `area` of `image` (the
  // background) and the colour there that stands out most from it (the text).
  static double PaintedContrast(const QImage& image, const QRect& area) {
    const auto luminance = [](QRgb rgb) {
      const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
      };
      return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) +
             0.0722 * linear(qBlue(rgb));
    };
    const auto contrast = [&](QRgb a, QRgb b) {
      const double la = luminance(a), lb = luminance(b);
      return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    };
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
    }
    const QRgb background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
          return a.second < b.second;
        })->first;
    double best = 1;
    for (const auto& [rgb, count] : counts) best = std::max(best, contrast(rgb, background));
    return best;
  }
  static QString Selection(QPlainTextEdit* field) {
    return field->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
  }

 private slots:
  void init() {
    launched_.clear();
    form_ = std::make_unique<tavro::Form1>();
    form_->SetUrlLauncher(
        [this](const QUrl& url) { return launched_.append(url.toString()), true; });
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void startsWithThePromptSelectedAndTheTablesLoadedOnce() {
    QCOMPARE(QApplication::focusWidget(), form_->Text1);
    QCOMPARE(Selection(form_->Text1), "请将要转换的文字粘贴到此处！");
    // Returning from another window does not load the tables again.
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    for (QPlainTextEdit* table : {form_->Text4, form_->Text5, form_->Text6}) {
      QCOMPARE(table->toPlainText().size(), 1024);
    }
  }

  void commandsPublishTheirResult_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("add separator") << 1 << "中文😀" << "\x1A中\x1A文\x1A😀";
    QTest::newRow("reverse") << 3 << "中文abc😀" << "😀cba文中";
    QTest::newRow("reverse no-break space") << 3 << "a\u00A0b" << "b\u00A0a";
    QTest::newRow("vertical, CR LF kept as LF") << 4 << "中文字符" << "中|字|\n文|符|\n";
    QTest::newRow("martian") << 5 << "啊阿埃" << "娿婀埃";
    QTest::newRow("to traditional") << 6 << "爱处啊中" << "愛處啊中";
    QTest::newRow("to simplified") << 7 << "愛疊沈矽後" << "爱迭沉硅后";
    for (int button : {1, 3, 4, 5, 6, 7}) QTest::addRow("empty, button %d", button) << button << "" << "";
    // clang-format on
  }
  void commandsPublishTheirResult() {
    QFETCH(int, button);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    form_->Text2->setPlainText(QStringLiteral("typed by the user"));
    form_->Text3->setFocus();
    for (int time = 0; time < 2; ++time) {  // the same result twice
      Run(button, input);
      QCOMPARE(tavro::FieldText(*form_->Text2), expected);
      QCOMPARE(QApplication::focusWidget(), form_->Text2);
      QCOMPARE(Selection(form_->Text2), expected);
      QCOMPARE(QGuiApplication::clipboard()->text(), expected);
      QCOMPARE(tavro::FieldText(*form_->Text1), input);
    }
  }

  void randomSeparatorIsWrittenThenReused() {
    Run(2, QString());  // empty input still draws a separator
    const QString separator = form_->Text3->text();
    QVERIFY(separator.size() == 1 && separator != "\x1A");
    Run(2, "中文");
    QCOMPARE(QGuiApplication::clipboard()->text(),
             form_->Text3->text() + "中" + form_->Text3->text() + "文");
    form_->Text3->setText(separator);
    Run(1, "ab");
    QCOMPARE(form_->Text2->toPlainText(), separator + "a" + separator + "b");
    // Every code the random button may pick survives the separator field.
    for (char16_t code = 1; code <= 127; ++code) {
      form_->Text3->setText(QString(QChar(code)));
      QCOMPARE(form_->Text3->text(), QString(QChar(code)));
      Run(1, "字");
      QCOMPARE(tavro::FieldText(*form_->Text2),
               QString(QChar(code == u'\r' ? u'\n' : code)) + "字");
    }
  }

  void tabAndEnterFollowTheDesign() {
    Button(1)->setFocus();
    for (const char* name : {"Text1", "Text2", "Text3", "Command2", "Command3", "Command4",
                             "Command5", "Command6", "Command7"}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
    form_->Text1->setPlainText(QString());
    QTest::keyClick(form_->Text1, Qt::Key_Return);  // a new line, no button
    QCOMPARE(form_->Text1->toPlainText(), "\n");
    QCOMPARE(form_->Text2->toPlainText(), "转换后的文本！已经自动复制。");
  }

  void controlsFollowTheDesign() {
    QCOMPARE(form_->windowTitle(), "tavro字符工具");
    QCOMPARE(form_->size(), QSize(412, 248));
    form_->resize(800, 600);  // controls keep their places
    QCOMPARE(Button(1)->geometry(), QRect(320, 8, 81, 33));
    QCOMPARE(Button(7)->geometry(), QRect(320, 208, 81, 33));
    QCOMPARE(form_->Text3->geometry(), QRect(8, 112, 25, 25));
    // Every caption draws: no control character, which fonts show as a box.
    for (int number = 1; number <= 7; ++number) {
      for (QChar c : Button(number)->text()) QVERIFY(c.category() != QChar::Other_Control);
    }
    QCOMPARE(form_->Text1->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(form_->Text2->palette().color(QPalette::Base), QColor(192, 255, 255));
    QCOMPARE(form_->Text3->palette().color(QPalette::Base), QColor(192, 255, 192));
    QCOMPARE(form_->Text3->toolTip(), "输入要添加的字符！");
    QCOMPARE(form_->Text3->font().pointSize(), 12);
    for (QPlainTextEdit* hidden : {form_->Text4, form_->Text5, form_->Text6}) {
      QVERIFY(!hidden->isVisible() && hidden->focusPolicy() == Qt::NoFocus);
    }
    // At any scale (this test also runs at QT_SCALE_FACTOR=2) every control
    // keeps its designed proportions in device pixels.
    const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                            ? qEnvironmentVariableIntValue("QT_SCALE_FACTOR")
                            : 1;
    QCOMPARE(form_->devicePixelRatio(), scale);
    QCOMPARE(Button(7)->grab().size(), QSize(81, 33) * scale);
    QCOMPARE(form_->Text1->grab().size(), QSize(297, 97) * scale);
  }

  void fieldsStayReadableUnderADarkTheme() {
    QPalette dark;
    for (auto [role, rgb] : {std::pair{QPalette::Window, 0x303030}, {QPalette::WindowText, 0xEEEEEE},
                             {QPalette::Base, 0x202020}, {QPalette::Text, 0xDDDDDD},
                             {QPalette::Button, 0x404040}, {QPalette::ButtonText, 0xEEEEEE},
                             {QPalette::Highlight, 0xA0C0FF}, {QPalette::HighlightedText, 0xFFFFFF}}) {
      dark.setColor(role, QColor::fromRgb(rgb));
    }
    // The theme's palette is there before the window, as on a dark desktop.
    const auto restore = qScopeGuard([original = QApplication::palette()] {
      QApplication::setPalette(original);
    });
    QApplication::setPalette(dark);
    form_ = std::make_unique<tavro::Form1>();
    form_->show();
    for (QPlainTextEdit* field : {form_->Text1, form_->Text2}) {
      field->setPlainText(QStringLiteral("国国国"));
      QTextCursor line = field->textCursor();
      line.setPosition(0);
      const QRect start = field->cursorRect(line);
      line.movePosition(QTextCursor::End);
      const QRect area = start.united(field->cursorRect(line)).adjusted(1, 1, -1, -1);
      QVERIFY2(PaintedContrast(field->viewport()->grab().toImage(), area) >= 4.5,
               qPrintable(field->objectName()));
      field->selectAll();
      QVERIFY2(PaintedContrast(field->viewport()->grab().toImage(), area) >= 4.5,
               qPrintable(field->objectName() + " selected"));
    }
    form_->Text3->setText(QStringLiteral("国"));
    QVERIFY(PaintedContrast(form_->Text3->grab().toImage(),
                            form_->Text3->rect().adjusted(4, 4, -4, -4)) >= 4.5);
  }

  void screenReadersHearMeaningfulNames() {
    const std::pair<QWidget*, QString> expected[] = {{form_->Text1, "请将文字粘贴到此处！"},
                                                     {form_->Text2, "转换后的文本！已经自动复制。"},
                                                     {form_->Text3, "输入要添加的字符！"},
                                                     {Button(1), "加字符"},
                                                     {Button(2), "随机"},
                                                     {Button(5), "火星文"},
                                                     {Button(6), "简体转繁体"},
                                                     {Button(7), "繁体转简体"}};
    for (const auto& [widget, name] : expected) {
      QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    }
  }

  void onlySurfaceClicksOpenTheForumPage() {
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(200, 120));
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(405, 240));
    QCOMPARE(launched_, QStringList(2, tavro::kForumPageAddress));
    for (int number = 1; number <= 7; ++number) QTest::mouseClick(Button(number), Qt::LeftButton);
    QTest::mouseClick(form_->Text1->viewport(), Qt::LeftButton);
    QTest::mouseClick(form_->Text3, Qt::LeftButton);
    QCOMPARE(launched_.size(), 2);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
