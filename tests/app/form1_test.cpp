// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform, driven by mouse and key clicks.
#include "form1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>
#include <cmath>

#include "grid_font.h"
#include "window_layout.h"

// Text on the clipboard that can be read once, as on Wayland, where reading
// it may let another program's selection delete it.
struct ReadOnce : QMimeData {
  explicit ReadOnce(const QString& text) { setText(text); }
  mutable int reads = 0;
  QVariant retrieveData(const QString& format, QMetaType type) const override {
    return ++reads == 1 ? QMimeData::retrieveData(format, type) : QVariant();
  }
};

// A button of the window, as the window's own controls name it.
using Button = QPushButton* tavro::Form1Controls::*;
Q_DECLARE_METATYPE(Button)
using tavro::Form1Controls;

class Form1Test : public QObject {
  Q_OBJECT

  std::unique_ptr<tavro::Form1> form_;
  QStringList launched_;

  // Puts `input` into the input field, clicks the button, reads the clipboard.
  QString Run(Button button, const QString& input) {
    form_->Text1->setPlainText(input);
    QTest::mouseClick(form_.get()->*button, Qt::LeftButton);
    return QGuiApplication::clipboard()->text();
  }
  // WCAG's contrast between the darkest and the lightest colour painted in
  // `area`, which holds only a field's text and its background.
  static double PaintedContrast(QWidget* widget, const QRect& area) {
    const QImage image = widget->grab().toImage().copy(area);
    const auto linear = [](int value) { return std::pow(value / 255.0, 2.2); };  // about sRGB
    double darkest = 1.05, lightest = 0.05;
    for (int i = 0; i < image.width() * image.height(); ++i) {
      const QRgb c = image.pixel(i % image.width(), i / image.width());
      const double luminance =
          0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c)) + 0.05;
      darkest = std::min(darkest, luminance), lightest = std::max(lightest, luminance);
    }
    return lightest / darkest;
  }

 private slots:
  void init() {  // every window starts with the prompt selected and the tables loaded once
    launched_.clear();
    form_ = std::make_unique<tavro::Form1>();
    form_->SetUrlLauncher(
        [this](const QUrl& url) { return launched_.append(url.toString()), true; });
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), form_->Text1);
    QCOMPARE(form_->Text1->textCursor().selectedText(), "请将要转换的文字粘贴到此处！");
    QEvent activation(QEvent::WindowActivate);  // returning to the window loads nothing again
    QApplication::sendEvent(form_.get(), &activation);
    for (QPlainTextEdit* table : {form_->Text4, form_->Text5, form_->Text6})
      QCOMPARE(table->toPlainText().size(), 1024);
  }

  void commandsPublishTheirResult_data() {
    QTest::addColumn<Button>("button");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, Button button, const QString& input,
                        const QString& expected) {
      QTest::newRow(name) << button << input << expected;
    };
    row("加字符 before every character, a pair whole", &Form1Controls::Command1, "中文😀",
        "\x1A中\x1A文\x1A😀");
    row("倒序 keeps a pair and a no-break space", &Form1Controls::Command3, "a\u00A0b😀",
        "😀b\u00A0a");
    row("竖排, its CR LF kept as LF", &Form1Controls::Command4, "中文字符", "中|字|\n文|符|\n");
    row("火星文", &Form1Controls::Command5, "啊阿埃", "娿婀埃");
    // The first occurrence wins (疊 stands for 迭 and 叠); only 繁→简 knows 沈矽後.
    row("简→繁", &Form1Controls::Command6, "爱处啊中沈矽後", "愛處啊中沈矽後");
    row("繁→简", &Form1Controls::Command7, "愛疊沈矽後爱", "爱迭沉硅后爱");
    // Direction marks, lone surrogates, NUL, controls, U+FFFF.
    row("倒序 of hostile text", &Form1Controls::Command3,
        QString::fromUtf16(u"\u202E\xD83Dx\xDE00\0\x01\x1B\uFFFF", 8),
        QString::fromUtf16(u"\uFFFF\x1B\x01\0\xDE00x\xD83D\u202E", 8));
    row("加字符 on empty input", &Form1Controls::Command1, "", "");
    row("倒序 on empty input", &Form1Controls::Command3, "", "");
    row("竖排 on empty input", &Form1Controls::Command4, "", "");
    row("火星文 on empty input", &Form1Controls::Command5, "", "");
    row("简→繁 on empty input", &Form1Controls::Command6, "", "");
    row("繁→简 on empty input", &Form1Controls::Command7, "", "");
  }

  void commandsPublishTheirResult() {
    QFETCH(Button, button);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    form_->Text2->setPlainText(QStringLiteral("typed by the user"));
    QCOMPARE(Run(button, input), expected);
    QCOMPARE(QApplication::focusWidget(), form_->Text2);
    QCOMPARE(form_->Text2->textCursor().selectedText().size(), expected.size());  // all of it
    QCOMPARE(tavro::FieldText(*form_->Text1), input);
  }

  void randomSeparatorFollowsOneSequence() {
    // The first draws of 随机 after start; 加字符 then keeps the last one.
    QCOMPARE(Run(&Form1Controls::Command2, "中文"), "`中`文");
    QCOMPARE(Run(&Form1Controls::Command2, "中文"), "D中D文");
    QCOMPARE(Run(&Form1Controls::Command2, "中文"), "Z中Z文");
    QCOMPARE(Run(&Form1Controls::Command1, "ab"), "ZaZb");
  }

  void tablesAreThereBeforeActivation() {
    tavro::Form1 unseen;  // never shown, so never activated
    unseen.Text1->setPlainText(QStringLiteral("爱处"));
    unseen.Command6->click();
    QCOMPARE(tavro::FieldText(*unseen.Text2), "愛處");
    unseen.show();  // and activation then loads nothing again
    QVERIFY(QTest::qWaitForWindowActive(&unseen));
    for (QPlainTextEdit* table : {unseen.Text4, unseen.Text5, unseen.Text6})
      QCOMPARE(table->toPlainText().size(), 1024);
  }

  void verticalGridLinesUpAndShowsItsBeginning() {
    for (QPlainTextEdit* field : {form_->Text1, form_->Text2})
      QVERIFY(tavro::FitsGrid(field->font()));
    const QFontMetricsF grid(form_->Text2->font());
    qInfo() << "grid font:" << QFontInfo(form_->Text2->font()).family()
            << "advances a 中 |:" << grid.horizontalAdvance('a') << grid.horizontalAdvance(u'中')
            << grid.horizontalAdvance('|');
    // Four lines of one- and two-byte cells: every "|" stands where the first
    // line's do, as laid out in the field.
    Run(&Form1Controls::Command4, QStringLiteral("一-二=-三=一二=一-=一-三"));
    QList<QList<int>> strokes;  // where each line's "|" stand in the field
    for (QTextBlock line = form_->Text2->document()->begin(); line.length() > 1;
         line = line.next()) {
      strokes.append(QList<int>());
      for (int i = line.text().indexOf('|'); i >= 0; i = line.text().indexOf('|', i + 1)) {
        QTextCursor cursor(line);
        cursor.setPosition(line.position() + i);
        strokes.last().append(form_->Text2->cursorRect(cursor).left());
      }
    }
    QCOMPARE(strokes.size(), 4);
    for (const QList<int>& line : strokes) QCOMPARE(line, strokes.first());
    // Eight lines, more than the field shows: its first line is in sight, the
    // whole grid selected with the cursor at its end.
    Run(&Form1Controls::Command4, QString(64, u'一'));
    QCOMPARE(form_->Text2->cursorForPosition(QPoint(0, 0)).position(), 0);
    QCOMPARE(form_->Text2->textCursor().anchor(), 0);
    QTest::keyClick(form_->Text2, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(form_->Text2->textCursor().selectedText().size(), 8 * 17 - 1);
  }

  void hugeInputIsConvertedByEveryCommandUnderTheBusyCursor() {
    const QString line = QStringLiteral("春眠不觉晓，处处闻啼鸟。Spring sleep😀\n");
    form_->Text1->setPlainText(line.repeated((8 << 20) / line.size()));  // 16 MiB
    QList<bool> busy;  // whenever the clipboard changes
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, form_.get(), [&] {
      const QCursor* cursor = QGuiApplication::overrideCursor();
      busy.append(cursor && cursor->shape() == Qt::WaitCursor);
    });
    for (QPushButton* button : {form_->Command1, form_->Command3, form_->Command4, form_->Command5,
                                form_->Command6, form_->Command7})
      button->click();
    QCOMPARE(busy, QList<bool>(12, true));  // cleared and filled by every command
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  }

  void resultOverTheBoundChangesNothingAndSaysSo() {
    QGuiApplication::clipboard()->setText(QStringLiteral("clipboard before"));
    form_->Text2->setPlainText(QStringLiteral("before"));
    form_->Text3->setText(QString(10000, u'*'));  // 5 Gi code units on 512 Ki
    Run(&Form1Controls::Command1, QString(512 * 1024, u'字'));
    // "a😀中" lays out as "a |中|" CR LF "😀 |  |" CR LF: 16 code units.
    form_->SetMaxResultLength(15);
    QCOMPARE(Run(&Form1Controls::Command4, "a😀中"), "clipboard before");
    QCOMPARE(form_->Text2->toPlainText(), "before");
    QCOMPARE(QToolTip::text(), "结果太长（超过 6710 万字），未转换。");
    form_->SetMaxResultLength(16);
    QCOMPARE(Run(&Form1Controls::Command4, "a😀中"), "a |中|\n😀 |  |\n");
  }

  void pastesReadTheClipboardOnceAndUndoAsUsual() {
    QPlainTextEdit* field = form_->Text1;
    // Selects 中 in 前中后 and pastes `text` with ctrl+v.
    const auto pasteOverMiddle = [field](const QString& text) {
      field->setPlainText(QStringLiteral("前中后"));
      QTest::keyClick(field, Qt::Key_Right);
      QTest::keyClick(field, Qt::Key_Right, Qt::ShiftModifier);
      auto* data = new ReadOnce(text);
      QGuiApplication::clipboard()->setMimeData(data);
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      return data->reads;
    };
    QCOMPARE(pasteOverMiddle("甲\n乙"), 1);
    QCOMPARE(tavro::FieldText(*field), "前甲\n乙后");
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);  // undoes the paste, and only it
    QCOMPARE(tavro::FieldText(*field), "前中后");
    const QString large = (QString(99, u'甲') + '\n').repeated(tavro::kLargeTextLength / 100 + 1);
    QCOMPARE(pasteOverMiddle(large), 1);
    QCOMPARE(field->textCursor().position(), 1 + large.size());
    field->undo();  // a large paste forgets what came before it
    field->selectAll();
    QGuiApplication::clipboard()->setImage(QImage(1, 1, QImage::Format_RGB32));
    field->paste();  // no text: nothing changes
    QCOMPARE(tavro::FieldText(*field), "前" + large + "后");
  }

  void theDesignIsApplied() {
    QCOMPARE(form_->size(), QSize(412, 248));
    form_->resize(800, 600);  // controls keep their places
    // This test also runs at QT_SCALE_FACTOR=2, where every control keeps its
    // proportions in device pixels.
    QCOMPARE(form_->devicePixelRatio(), qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? 2 : 1);
    form_->Command1->setFocus();
    for (const tavro::ControlDesign& design : tavro::kControlDesigns) {
      QWidget* control = tavro::ControlOf(*form_, design);
      QCOMPARE(control->geometry(),
               tavro::TwipsToPixels(design.left, design.top, design.width, design.height));
      QCOMPARE(control->isVisible(), !design.hidden);
      QCOMPARE(control->focusPolicy() == Qt::NoFocus, design.hidden);
      // A name for screen readers, and no caption with a missing-glyph box.
      QVERIFY(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty());
      if (auto* button = qobject_cast<QPushButton*>(control)) {
        for (QChar c : button->text()) QVERIFY(c.category() != QChar::Other_Control);
      }
      if (design.hidden || control == form_->Command1) continue;
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // along the design's order
      QCOMPARE(QApplication::focusWidget(), control);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(form_->Command6)->text(QAccessible::Name),
             "简体转繁体");
  }

  void fieldsStayReadableUnderADarkTheme() {
    const QPalette original = QApplication::palette();
    QPalette dark(Qt::darkGray, Qt::black);  // white text on black
    dark.setColor(QPalette::Highlight, QColor(0xA0, 0xC0, 0xFF));
    QApplication::setPalette(dark);  // before the window, as on a dark desktop
    init();
    for (QPlainTextEdit* field : {form_->Text1, form_->Text2}) {
      field->setPlainText(QStringLiteral("国国国"));
      const QRect area = field->cursorRect(QTextCursor(field->document()))
                             .adjusted(0, 0, field->fontMetrics().horizontalAdvance("国国"), 0);
      QVERIFY(PaintedContrast(field->viewport(), area) >= 4.5);
      field->selectAll();
      QVERIFY(PaintedContrast(field->viewport(), area) >= 4.5);
    }
    QApplication::setPalette(original);
  }

  void onlySurfaceClicksOpenTheForumPage() {
    for (QPoint point : {QPoint(200, 120), QPoint(405, 240)})
      QTest::mouseClick(form_.get(), Qt::LeftButton, {}, point);
    for (const tavro::ControlDesign& design : tavro::kControlDesigns)
      QTest::mouseClick(tavro::ControlOf(*form_, design), Qt::LeftButton);
    QCOMPARE(launched_, QStringList(2, tavro::kForumPageAddress));
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
