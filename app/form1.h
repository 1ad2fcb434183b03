// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <string>

#include "separator.h"
#include "text_field.h"
#include "web_link.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavro {

// The longest result a command builds and shows, in code units (128 MiB of
// UTF-16). Showing more would hold the window for many seconds and a great
// deal of memory, so a command whose result would be longer changes nothing
// and says so.
constexpr std::size_t kMaxResultLength = std::size_t{64} << 20;

// What the window says, beside the output field, when a command changes nothing.
inline constexpr char16_t kResultTooLongNotice[] = u"结果太长（超过 6710 万字），未转换。";
inline constexpr char16_t kOutOfMemoryNotice[] = u"内存不足，未转换。";

// The program's one window. Handlers are named after their control and event
// (Command1_Click), controls after their kind and number (Text1, Command1).
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Replaces the browser launcher behind the web link (tests count launches).
  void SetUrlLauncher(UrlLauncher launcher);
  // Replaces kMaxResultLength (tests try the bound on small texts).
  void SetMaxResultLength(std::size_t length);

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
  // Publishes what `convert` returns, under the busy cursor if it is long. When
  // `resultLength` exceeds the bound, or the conversion runs out of memory,
  // leaves every field and the clipboard as they were and says why.
  template <typename Convert>
  void PublishConverted(std::size_t resultLength, Convert convert);
  void ShowNotice(const char16_t* notice);

  RandomSource randomSource_;
  std::size_t maxResultLength_ = kMaxResultLength;
  UrlLauncher urlLauncher_;
  bool activated_ = false;
  bool surfacePressed_ = false;
};

// The UTF-16 code units of `text`, without a copy; valid while `text` lives.
std::u16string_view CodeUnits(const QString& text);

}  // namespace tavro
