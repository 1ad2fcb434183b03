// SPDX-License-Identifier: MIT
// Opens the window once for every notice it gives, over a 竖排 result, and
// saves each as DIR/notice-NAME.png; then a 简→繁 result with its marked
// characters, selected and not (DIR/forms-selected.png, DIR/forms.png): to
// look at under any platform, style and scale. Usage: notice_gallery DIR
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include "clipboard_stand_in.h"
#include "form1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) return 2;
  const QString directory = QString::fromLocal8Bit(argv[1]);
  using Setup = std::function<void(tavro::Form1&)>;
  const auto refuse = [](tavro::Form1& form) { form.Clipboard().SetBackend(RefusingClipboard()); };
  const std::vector<std::pair<const char*, Setup>> notices = {
      {"too-long", [](tavro::Form1& form) { form.SetMaxResultLength(1); }},
      {"out-of-memory",
       [](tavro::Form1& form) {
         form.Clipboard().SetBackend(std::make_unique<ClipboardStandIn>(
             [](tavro::ClipboardBackend&, const QString&) -> bool { throw std::bad_alloc(); }));
       }},
      {"busy", refuse},
      {"failed",
       [&](tavro::Form1& form) {
         refuse(form);
         form.Clipboard().SetPatience(std::chrono::milliseconds(0));
       }},
      {"superseded", refuse},
  };
  for (const auto& [name, setUp] : notices) {
    tavro::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowActive(&form)) return 1;
    form.Text1->setPlainText(QStringLiteral("东风夜放花千树，更吹落，星如雨。"));
    form.Command4_Click();  // a grid in the output field
    setUp(form);
    form.Command4_Click();
    if (name == std::string_view("superseded")) QGuiApplication::clipboard()->setText("x");
    QTest::qWait(3 * tavro::ClipboardPublisher::kRetryInterval.count());
    if (!form.grab().save(QStringLiteral("%1/notice-%2.png").arg(directory, name))) return 1;
  }
  tavro::Form1 form;
  form.show();
  if (!QTest::qWaitForWindowActive(&form)) return 1;
  form.Text1->setPlainText(
      QStringLiteral("头发很干，台风吹过山谷。我们一起干杯！面条里面有点咸。\n").repeated(8));
  form.Command6_Click();
  if (!form.grab().save(QStringLiteral("%1/forms-selected.png").arg(directory))) return 1;
  // Unselected, scrolled by a few lines: the marks move with the text.
  form.Text2->moveCursor(QTextCursor::Start);
  form.Text2->verticalScrollBar()->setValue(3);
  QTest::qWait(100);
  if (!form.grab().save(QStringLiteral("%1/forms.png").arg(directory))) return 1;
  return 0;
}
