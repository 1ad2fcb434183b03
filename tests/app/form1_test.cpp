// SPDX-License-Identifier: MIT
// The real window on Qt's offscreen platform, driven by mouse and key clicks.
#include "form1.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <tuple>
#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "clipboard_stand_in.h"
#include "grid_font.h"

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
using tavro::Form1Controls;
using namespace Qt::StringLiterals;

class Form1Test : public QObject {
  Q_OBJECT

  std::unique_ptr<tavro::Form1> form_;

  // Puts `input` into the input field, clicks the button, reads the clipboard.
  QString Run(Button button, const QString& input) {
    form_->Text1->setPlainText(input);
    QTest::mouseClick(form_.get()->*button, Qt::LeftButton);
    return QGuiApplication::clipboard()->text();
  }
  // WCAG's contrast between the darkest and the lightest grey painted in
  // `area`, which holds only a field's text and its background.
  static double PaintedContrast(QWidget* widget, const QRect& area) {
    const QImage image = widget->grab().toImage().copy(area);
    int darkest = 255, lightest = 0;
    for (int i = 0; i < image.width() * image.height(); ++i) {
      const int grey = qGray(image.pixel(i % image.width(), i / image.width()));
      darkest = std::min(darkest, grey), lightest = std::max(lightest, grey);
    }
    const auto luminance = [](int grey) { return std::pow(grey / 255.0, 2.2) + 0.05; };  // ~sRGB
    return luminance(lightest) / luminance(darkest);
  }

 private slots:
  // Every window converts once before its first activation; the checks are
  // a test's own, so that a failure names it.
  void init() {
    form_ = std::make_unique<tavro::Form1>();
    Run(&Form1Controls::Command6, u"爱处"_s);
    form_->show();
    std::ignore = QTest::qWaitForWindowActive(form_.get());
  }

  // ... with its tables there; then its input is selected and the tables
  // are loaded once.
  void convertsBeforeItsFirstActivation() {
    QCOMPARE(QGuiApplication::clipboard()->text(), "愛處");
    QVERIFY(form_->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), form_->Text1);
    QCOMPARE(form_->Text1->textCursor().selectedText(), "爱处");
    QCOMPARE(form_->Text5->toPlainText(),
             QString::fromStdU16String(tavro::TableText(tavro::TableKind::kSimplified)));
  }

  // The commands' cases, which the page's tests run too, in order in one
  // window (随机 draws on), each button found by the name a screen reader
  // gives it.
  void commandCasesPublishTheirResult() {
    QFile file(u":/command_cases.json"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    for (const QJsonValue row : QJsonDocument::fromJson(file.readAll()).array()) {
      const auto design = std::find_if(
          tavro::kControlDesigns.begin(), tavro::kControlDesigns.end(), [&](const auto& design) {
            return design.button != nullptr &&
                   QString::fromUtf16(*design.accessibleName ? design.accessibleName
                                                             : design.text) == row["button"];
          });
      QVERIFY2(design != tavro::kControlDesigns.end(), qPrintable(row["button"].toString()));
      form_->Text2->setPlainText(u"typed by the user"_s);
      const QString input = row["input"].toString(), expected = row["expected"].toString();
      const QString published = Run(design->button, input);
      QEvent activation(QEvent::WindowActivate);  // returning to the window moves nothing
      QApplication::sendEvent(form_.get(), &activation);
      QStringList marks, suggestions;
      for (const tavro::MarkedCharacter& mark : form_->Marks().marks())
        marks.append(u"%1:%2"_s.arg(mark.position)
                         .arg(QString::fromStdU16String({mark.forms.begin(), mark.forms.end()})));
      for (const tavro::WordSuggestion& suggestion : form_->Marks().suggestions())
        suggestions.append(u"%1:%2"_s.arg(suggestion.position).arg(QChar(suggestion.form)));
      // Focused and selected whole, the input as it was: one line that names
      // the case where it differs.
      const auto state = [&](const QString& text, bool focused, qsizetype selected,
                             const QString& in, const QStringList& marked,
                             const QStringList& suggested) {
        return u"%1: %2 | focused %3 | %4 selected | input %5 | marks %6 | suggestions %7"_s.arg(
            row["case"].toString(), text, QString::number(focused), QString::number(selected), in,
            marked.join(u' '), suggested.join(u' '));
      };
      const QString actual = state(published, QApplication::focusWidget() == form_->Text2,
                                   form_->Text2->textCursor().selectedText().size(),
                                   tavro::FieldText(*form_->Text1), marks, suggestions);
      const QString wanted =
          state(expected, true, expected.size(), input, row["marks"].toVariant().toStringList(),
                row["suggestions"].toVariant().toStringList());
      QVERIFY2(actual == wanted,
               qPrintable(u"\n  actual: "_s + actual + u"\n  wanted: "_s + wanted));
      // Every suggestion taken at once (全部改写), where the case has them.
      if (row["taken"].isUndefined()) continue;
      QTest::mouseClick(form_->SuggestionBar().findChild<QPushButton*>(), Qt::LeftButton);
      QCOMPARE(QGuiApplication::clipboard()->text(), row["taken"].toString());
    }
  }

  void separatorFieldShowsItsControlCharacterAndIsReplacedByTyping() {
    // U+001A, invisible as text, is drawn as its picture ␚, which differs
    // from ␁'s: a font without the pictures would draw both as one box.
    const auto drawn = [&](const QString& text) {
      form_->Text3->setText(text);
      return form_->Text3->grab().toImage();
    };
    QVERIFY(drawn(u"\x1A"_s) != drawn(u"\x01"_s));
    // A click selects the whole text, so a typed ~ replaces it.
    QTest::mouseClick(form_->Text3, Qt::LeftButton, {}, QPoint(4, 4));
    QTRY_COMPARE(form_->Text3->selectedText(), u"\x1A"_s);
    QTest::keyClicks(form_->Text3, u"~"_s);
    QCOMPARE(form_->Text3->text(), u"~"_s);
    QCOMPARE(Run(&Form1Controls::Command1, "中文"), "~中~文");
  }

  void verticalGridLinesUpAndShowsItsBeginning() {
    QVERIFY(tavro::FitsGrid(form_->Text1->font()) && tavro::FitsGrid(form_->Text2->font()));
    // Four lines of one- and two-byte cells: every "|" stands where the first
    // line's do, as the field lays them out; with Hangul among them (which
    // code page 936 lacks, drawn two columns wide) where the field's font
    // draws it so, as the fonts of Linux desktops can.
    const bool hangul = tavro::FitsGrid(form_->Text2->font(), true);
    Run(&Form1Controls::Command4,
        hangul ? u"一-二=-三=으二=一-=一-三"_s : u"一-二=-三=一二=一-=一-三"_s);
    QList<QList<qreal>> strokes;
    for (QTextBlock line = form_->Text2->document()->begin(); line.length() > 1;
         line = line.next()) {
      strokes.append(QList<qreal>());
      for (int i = line.text().indexOf('|'); i >= 0; i = line.text().indexOf('|', i + 1))
        strokes.last().append(line.layout()->lineAt(0).cursorToX(i));
    }
    QCOMPARE(strokes, QList<QList<qreal>>(4, strokes.first()));
    // Eight lines, more than the field shows: its first line is in sight, the
    // whole grid selected with the cursor at its end.
    Run(&Form1Controls::Command4, QString(64, u'一'));
    QCOMPARE(form_->Text2->cursorForPosition(QPoint(0, 0)).position(), 0);
    QTest::keyClick(form_->Text2, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(form_->Text2->textCursor().selectedText().size(), 8 * 17 - 1);
  }

  void largeCommandsShowTheBusyCursor() {
    bool busy = false;  // when the result goes to the clipboard
    form_->Clipboard().SetBackend(std::make_unique<ClipboardStandIn>(
        [&](tavro::ClipboardBackend& system, const QString& text) {
          busy = QGuiApplication::overrideCursor() != nullptr;
          return system.Write(text);
        }));
    Run(&Form1Controls::Command3, QString(tavro::kLargeTextLength, u'字'));
    QVERIFY(busy && QGuiApplication::overrideCursor() == nullptr);  // and gone after
  }

  void resultOverTheBoundChangesNothingAndSaysSo() {
    QGuiApplication::clipboard()->setText(QStringLiteral("clipboard before"));
    form_->Text2->setPlainText(QStringLiteral("before"));
    form_->Text3->setText(QString(10000, u'*'));  // 5 Gi code units on 512 Ki
    Run(&Form1Controls::Command1, QString(512 * 1024, u'字'));
    // "a😀中" lays out as "a |中|" CR LF "😀|  |" CR LF: 15 code units.
    form_->SetMaxResultLength(14);
    QCOMPARE(Run(&Form1Controls::Command4, "a😀中"), "clipboard before");
    QCOMPARE(form_->Text2->toPlainText(), "before");
    QCOMPARE(form_->Notice().notice(), "结果太长（超过 6710 万字），未转换。");
    QVERIFY(form_->Notice().isVisible());
    // 随机 keeps the separator it would have used.
    form_->Text3->setText(QStringLiteral("separator"));
    QCOMPARE(Run(&Form1Controls::Command2, QString(8, u'字')), "clipboard before");
    QCOMPARE(form_->Text3->text(), "separator");
    form_->SetMaxResultLength(15);
    QCOMPARE(Run(&Form1Controls::Command4, "a😀中"), "a |中|\n😀|  |\n");
    QVERIFY(form_->Notice().isHidden());
  }

  void runningOutOfMemoryChangesNothing() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    tavro::ClipboardPublisher& publisher = form_->Clipboard();
    clipboard->setText(QStringLiteral("clipboard before"));
    form_->Text3->setText(QStringLiteral("-"));
    // An earlier result waits for a busy clipboard when memory runs out.
    bool busy = true, exhausted = false;
    publisher.SetBackend(std::make_unique<ClipboardStandIn>(
        [&](tavro::ClipboardBackend& system, const QString& text) {
          if (exhausted) throw std::bad_alloc();
          return !busy && system.Write(text);
        }));
    Run(&Form1Controls::Command3, "abc");
    exhausted = true;
    // The field keeps the last result, then what the user typed into it,
    // failure after failure.
    QString kept = "cba";
    for (Button button :
         {&Form1Controls::Command3, &Form1Controls::Command2, &Form1Controls::Command3}) {
      QCOMPARE(Run(button, "xyz"), "clipboard before");
      QCOMPARE(tavro::FieldText(*form_->Text2), kept);
      QCOMPARE(form_->Text3->text(), "-");
      QCOMPARE(form_->Notice().notice(), QString::fromUtf16(tavro::kOutOfMemoryNotice));
      if (kept == "cba") QTest::keyClicks(form_->Text2, "!");
      kept = tavro::FieldText(*form_->Text2);
    }
    exhausted = busy = false;
    QTRY_COMPARE(clipboard->text(), "cba");
  }

  void aBusyClipboardGetsTheNewestResultLaterOrTheWindowSaysSo() {
    using State = tavro::ClipboardPublisher::State;
    tavro::ClipboardPublisher& publisher = form_->Clipboard();
    const tavro::NoticeBar& notice = form_->Notice();
    const QString busy = QString::fromUtf16(tavro::kClipboardBusyNotice);
    QClipboard* clipboard = QGuiApplication::clipboard();
    QStringList offered;  // every text offered to the clipboard
    int refusals = 3;
    publisher.SetBackend(std::make_unique<ClipboardStandIn>(
        [&](tavro::ClipboardBackend& system, const QString& text) {
          offered.append(text);
          return refusals-- <= 0 && system.Write(text);
        }));
    clipboard->setText(QStringLiteral("before"));
    // Refused: the command returns at once and the window says so, through
    // key presses and focus changes, while it goes on answering.
    QCOMPARE(Run(&Form1Controls::Command3, "abc"), "before");
    QCOMPARE(publisher.state(), State::kWaiting);
    QTest::keyClick(form_->Text2, Qt::Key_End);
    QCOMPARE(form_->Text2->textCursor().hasSelection(), false);
    form_->Text1->setFocus();
    QVERIFY(notice.isVisible());
    QCOMPARE(notice.notice(), busy);
    // Closed by the user; a newer result replaces the pending one and says
    // so again, and the notice goes when it lands.
    QTest::mouseClick(notice.findChild<QToolButton*>(), Qt::LeftButton);
    QVERIFY(notice.isHidden());
    QCOMPARE(Run(&Form1Controls::Command3, "def"), "before");
    QCOMPARE(notice.notice(), busy);
    QTRY_COMPARE(clipboard->text(), "fed");
    QCOMPARE(offered, QStringList({"cba", "fed", "fed", "fed"}));
    QCOMPARE(publisher.state(), State::kCopied);
    QVERIFY(notice.isHidden());
    // Text that another program copies while we wait stands, and the window
    // says that the result is not on the clipboard.
    refusals = 1000;
    Run(&Form1Controls::Command3, "ghi");
    clipboard->setText(QStringLiteral("copied by another program"));
    QTRY_COMPARE(notice.notice(), QString::fromUtf16(tavro::kClipboardSupersededNotice));
    const qsizetype tries = offered.size();
    QTest::qWait(3 * tavro::ClipboardPublisher::kRetryInterval.count());
    QCOMPARE(offered.size(), tries);
    QCOMPARE(clipboard->text(), "copied by another program");
    // Past its patience the window gives up and says how to copy, until the
    // next command.
    publisher.SetPatience(std::chrono::milliseconds(300));
    Run(&Form1Controls::Command3, "jkl");
    QTRY_COMPARE(notice.notice(), QString::fromUtf16(tavro::kClipboardFailedNotice));
    QCOMPARE(clipboard->text(), "copied by another program");
    QCOMPARE(notice.accessibleName(), notice.notice());
    QVERIFY(notice.geometry().top() >
            form_->Text2->geometry().top() + form_->Text2->fontMetrics().height());
    refusals = 0;
    QCOMPARE(Run(&Form1Controls::Command3, "mno"), "onm");
    QVERIFY(notice.isHidden());
  }

#ifdef Q_OS_WIN
  // Another program holds the Windows clipboard open: the command returns at
  // once, its result waits and lands when the clipboard is let go; text that
  // program puts there meanwhile stands, and the window says so.
  void aHeldWindowsClipboardGetsTheResultLaterOrKeepsTheirs() {
    if (QGuiApplication::platformName() != u"windows") QSKIP("the Windows clipboard itself");
    const HWND other =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const tavro::NoticeBar& notice = form_->Notice();
    for (const wchar_t* theirs : {static_cast<const wchar_t*>(nullptr), L"theirs"}) {
      QVERIFY(OpenClipboard(other));
      QElapsedTimer command;
      command.start();
      Run(&Form1Controls::Command3, u"中文"_s);
      QVERIFY(command.elapsed() < 500);
      QTest::qWait(300);
      QCOMPARE(notice.notice(), QString::fromUtf16(tavro::kClipboardBusyNotice));
      if (theirs != nullptr) {
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 7 * sizeof(wchar_t));
        std::copy_n(theirs, 7, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        QVERIFY(EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory));
      }
      CloseClipboard();
      QTRY_COMPARE(QGuiApplication::clipboard()->text(), theirs ? u"theirs"_s : u"文中"_s);
      QTRY_COMPARE(notice.notice(),
                   theirs ? QString::fromUtf16(tavro::kClipboardSupersededNotice) : QString());
    }
    DestroyWindow(other);
  }
#endif

  void pastesReadTheClipboardOnceAndUndoAsUsual() {
    QPlainTextEdit* field = form_->Text1;
    const QString large = (QString(99, u'甲') + '\n').repeated(tavro::kLargeTextLength / 100 + 1);
    // Over 中, selected in 前中后; a lone surrogate from our own copy stays one.
    for (const QString& pasted : {u"甲\n\xD800乙"_s, large}) {
      field->setPlainText(u"前中后"_s);
      QTest::keyClick(field, Qt::Key_Right);
      QTest::keyClick(field, Qt::Key_Right, Qt::ShiftModifier);
      auto* data = new ReadOnce(pasted);
      QGuiApplication::clipboard()->setMimeData(data);
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(data->reads, 1);
      QCOMPARE(tavro::FieldText(*field), "前" + pasted + "后");
      QCOMPARE(field->textCursor().position(), 1 + pasted.size());
      // Undo takes back a small paste, and only it; a large one forgets what
      // came before it.
      QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(tavro::FieldText(*field), pasted == large ? "前" + large + "后" : u"前中后"_s);
    }
    field->selectAll();
    QGuiApplication::clipboard()->setImage(QImage(1, 1, QImage::Format_RGB32));
    field->paste();  // no text: nothing changes
    QCOMPARE(tavro::FieldText(*field), "前" + large + "后");
  }

  void theDesignIsApplied() {
    QCOMPARE(form_->size(), QSize(412, 248));
    form_->Command1->setFocus();
    for (const tavro::ControlDesign& design : tavro::kControlDesigns) {
      QWidget* control = tavro::ControlOf(*form_, design);
      QCOMPARE(control->isVisible(), !design.hidden);
      QCOMPARE(control->focusPolicy() == Qt::NoFocus, design.hidden);
      // A name for screen readers, and no caption with a missing-glyph box.
      QVERIFY(!QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty());
      if (auto* button = qobject_cast<QPushButton*>(control))
        QVERIFY(!button->text().contains(u'\x1A'));
      if (design.hidden || control == form_->Command1) continue;
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // along the design's order
      QCOMPARE(QApplication::focusWidget(), control);
    }
  }

  void fieldsStayReadableUnderADarkTheme() {
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
    QApplication::setPalette(QApplication::style()->standardPalette());
  }

  // Opens Text2's context menu as `reason` does at `position`, chooses the
  // entry `choice` in it; returns the forms it offered.
  QStringList ChooseForm(int position, QContextMenuEvent::Reason reason, const QString& choice) {
    QPlainTextEdit* field = form_->Text2;
    QTextCursor cursor(field->document());
    cursor.setPosition(position);
    const QRect before = field->cursorRect(cursor);
    if (reason == QContextMenuEvent::Keyboard) field->setTextCursor(cursor);
    QStringList offered;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      for (QAction* action : menu->actions()) {
        if (action->text().contains(u'改')) offered.append(action->text());
        if (action->text() == choice) action->trigger();
      }
      menu->close();
    });
    const QPoint at = before.center() + QPoint(2, 0);  // on the character after the position
    QContextMenuEvent request(reason, at, field->viewport()->mapToGlobal(at));
    QApplication::sendEvent(
        reason == QContextMenuEvent::Keyboard ? static_cast<QWidget*>(field) : field->viewport(),
        &request);
    return offered;
  }

  void markedCharactersOfferTheirOtherFormsAndTheirWordsSuggestOne() {
    const tavro::NoticeBar& bar = form_->SuggestionBar();
    auto* takeAll = bar.findChild<QPushButton*>();
    QCOMPARE(takeAll->accessibleName().isEmpty() ? takeAll->text() : takeAll->accessibleName(),
             u"全部改写"_s);
    // 发, 干, 发 are marked, and the words 头发 and 很干 ask for 髮, 乾.
    QCOMPARE(Run(&Form1Controls::Command6, u"头发很干，头发"_s), u"頭發很幹，頭發"_s);
    QCOMPARE(form_->Marks().marks().size(), 3u);
    QCOMPARE(bar.notice(), u"3 个字按词语应改写"_s);
    // A right-click on 發 offers its word's 髮 first, for it alone and for
    // both; choosing it publishes, and every mark stays.
    QCOMPARE(ChooseForm(1, QContextMenuEvent::Mouse, u"改为 髮（按词语）"_s),
             QStringList({u"改为 髮（按词语）"_s, u"全部改为 髮"_s, u"全部按词语改写"_s}));
    QCOMPARE(QGuiApplication::clipboard()->text(), u"頭髮很幹，頭發"_s);
    QCOMPARE(form_->Text2->textCursor().selectedText().size(), 7);
    QCOMPARE(form_->Marks().marks().size(), 3u);
    QCOMPARE(bar.notice(), u"2 个字按词语应改写"_s);
    // The context-menu key, with the cursor before 髮: 全部 changes both, the
    // user's choice, which no suggestion overrides.
    QCOMPARE(ChooseForm(1, QContextMenuEvent::Keyboard, u"全部改为 發"_s),
             QStringList({u"改为 發"_s, u"全部改为 發"_s, u"全部按词语改写"_s}));
    QCOMPARE(bar.notice(), u"1 个字按词语应改写"_s);
    // A busy clipboard is reported as for any result, over the bar.
    form_->Clipboard().SetBackend(RefusingClipboard());
    QCOMPARE(ChooseForm(4, QContextMenuEvent::Mouse, u""_s), QStringList(u"全部按词语改写"_s));
    QTest::mouseClick(takeAll, Qt::LeftButton);
    QCOMPARE(tavro::FieldText(*form_->Text2), u"頭發很乾，頭發"_s);
    QCOMPARE(form_->Notice().notice(), QString::fromUtf16(tavro::kClipboardBusyNotice));
    QVERIFY(bar.isHidden());
    form_->Clipboard().SetBackend(tavro::CreateSystemClipboard());
    QCOMPARE(ChooseForm(3, QContextMenuEvent::Mouse, u"改为 幹"_s),
             QStringList({u"改为 幹"_s, u"改为 干"_s}));  // 乾 stands once: no 全部
    QCOMPARE(QGuiApplication::clipboard()->text(), u"頭發很幹，頭發"_s);
    // Again, and every suggestion at once from the menu, beside the
    // clipboard's notice, which stands above the bar.
    Run(&Form1Controls::Command6, u"头发很干，头发"_s);
    form_->Clipboard().SetBackend(RefusingClipboard());
    ChooseForm(3, QContextMenuEvent::Mouse, u"改为 干"_s);
    QVERIFY(form_->Notice().geometry().bottom() < bar.geometry().top() && bar.isVisible());
    form_->Clipboard().SetBackend(tavro::CreateSystemClipboard());
    ChooseForm(4, QContextMenuEvent::Mouse, u"全部按词语改写"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"頭髮很干，頭髮"_s);
    // The user's own typing clears the marks and the bar (the next command
    // does too: the commands' cases check each command's marks in turn).
    Run(&Form1Controls::Command6, u"头发"_s);
    QTest::keyClick(form_->Text2, Qt::Key_A);
    QVERIFY(form_->Marks().marks().empty() && bar.isHidden());
  }

  void onlySurfaceClicksOpenTheForumPage() {
    QStringList launched;
    form_->SetUrlLauncher([&](const QUrl& url) { return launched.append(url.toString()), true; });
    QTest::mouseClick(form_.get(), Qt::LeftButton, {}, QPoint(200, 120));
    for (const tavro::ControlDesign& design : tavro::kControlDesigns)
      QTest::mouseClick(tavro::ControlOf(*form_, design), Qt::LeftButton);
    QCOMPARE(launched, QStringList(tavro::kForumPageAddress));
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
