// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <string>

#include "separator.h"
#include "web_link.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavro {

// The longest result a command builds and shows, in code units (128 MiB of
// UTF-16). Showing more would hold the window for many seconds and a great
// deal of memory, so a command whose result would be longer does nothing.
constexpr std::size_t kMaxResultLength = std::size_t{64} << 20;

// The program's one window. Handlers are named after their control and event
// (Command1_Click), controls after their kind and number (Text1, Command1).
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Replaces the browser launcher behind the web link (tests count launches).
  void SetUrlLauncher(UrlLauncher launcher);

  // The fields hold the program's whole state: input, output, separator and
  // the Martian, simplified and traditional tables.
  QPlainTextEdit* Text1;
  QPlainTextEdit* Text2;
  QLineEdit* Text3;
  QPlainTextEdit* Text4;
  QPlainTextEdit* Text5;
  QPlainTextEdit* Text6;
  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command3;
  QPushButton* Command4;
  QPushButton* Command5;
  QPushButton* Command6;
  QPushButton* Command7;

  void Command1_Click();  // 加字符
  void Command2_Click();  // 随机
  void Command3_Click();  // 倒序
  void Command4_Click();  // 竖排
  void Command5_Click();  // 火星文
  void Command6_Click();  // simplified to traditional
  void Command7_Click();  // traditional to simplified

  // Focuses and selects the input, then loads the tables; runs once, when the
  // window first becomes active.
  void Form_Activate();
  // A click on the bare window surface: opens the forum page.
  void Form_Click();

  // Shows `result` in Text2, focused and selected whole, and puts Text2's
  // text on the clipboard.
  void PublishResult(const std::u16string& result);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Publishes what `convert` returns. When `resultLength` exceeds
  // kMaxResultLength, or the conversion runs out of memory, publishes nothing
  // and leaves every field as it was.
  template <typename Convert>
  void PublishConverted(std::size_t resultLength, Convert convert);

  RandomSource randomSource_;
  UrlLauncher urlLauncher_;
  bool activated_ = false;
  bool surfacePressed_ = false;
};

// The text of a multi-line field, line breaks as LF, everything else as typed
// (unlike toPlainText, a no-break space stays one).
QString FieldText(const QPlainTextEdit& field);

// The UTF-16 code units of `text`, without a copy; valid while `text` lives.
std::u16string_view CodeUnits(const QString& text);

}  // namespace tavro
