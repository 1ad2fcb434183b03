// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <string>

#include "character_tables.h"
#include "clipboard_publisher.h"
#include "commands.h"
#include "form_marks.h"
#include "notice_bar.h"
#include "program_facts.h"
#include "separator.h"
#include "text_field.h"
#include "web_link.h"
#include "window_layout.h"

namespace tavro {

// What the window says, over the output field, while a result is not on the
// clipboard.
inline constexpr char16_t kClipboardBusyNotice[] =
    u"剪贴板被其他程序占用，结果尚未复制，正在重试……";
inline constexpr char16_t kClipboardFailedNotice[] =
    u"剪贴板被占用，结果未能复制。请在输出框按 Ctrl+C。";
inline constexpr char16_t kClipboardSupersededNotice[] =
    u"剪贴板已被其他程序改写，结果未能复制。请在输出框按 Ctrl+C。";

// The program's one window: the controls of its design (Text1, Command1, ...)
// and, named after them and their events, its handlers (Command1_Click).
class Form1 : public QWidget, public Form1Controls {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Replaces the browser launcher behind the web link (tests count launches).
  void SetUrlLauncher(UrlLauncher launcher);
  // Replaces kMaxResultLength (tests try the bound on small texts).
  void SetMaxResultLength(std::size_t length);
  // What puts results on the clipboard (tests make the clipboard refuse).
  ClipboardPublisher& Clipboard() { return clipboard_; }
  // What the window says over the output field.
  const NoticeBar& Notice() const { return *notice_; }
  // The bar that offers to take every suggestion of the marks at once.
  const NoticeBar& SuggestionBar() const { return *suggestionBar_; }
  // The characters of Text2 marked as having other forms.
  FormMarks& Marks() { return *marks_; }

  void Command1_Click();  // 加字符
  void Command2_Click();  // 随机
  void Command3_Click();  // 倒序
  void Command4_Click();  // 竖排
  void Command5_Click();  // 火星文
  void Command6_Click();  // 简→繁
  void Command7_Click();  // 繁→简

  // Focuses and selects the input, then loads the tables if no command has;
  // runs once, when the window first becomes active.
  void Form_Activate();
  // A click on the bare window surface: opens the forum page.
  void Form_Click();

  // Shows `result` in Text2, focused and selected whole, and puts Text2's
  // text on the clipboard, or says that it is not there yet. When memory
  // runs out on the way, Text2 and the clipboard keep what they held and
  // std::bad_alloc passes on.
  void PublishResult(const std::u16string& result);
  // Publishes what Text2 holds: focused and selected whole, and on the
  // clipboard, as PublishResult does, without setting its text.
  void PublishShown();
  // Writes every form the words of Text2 ask for (the suggestions of the
  // marks), and publishes Text2 again.
  void ApplySuggestions();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Loads the tables into their fields the first time it runs: at activation,
  // or at a command that comes before it.
  void LoadTablesOnce();
  // The hidden field that holds the table of `kind`.
  QPlainTextEdit* TableField(TableKind kind) const;
  // Every command runs through this: loads the tables first, reads Text1,
  // Text3 and the tables' fields, and publishes the result under the busy
  // cursor if it is long; after 简→繁 and 繁→简, marks the characters that
  // have other forms. When the result would exceed the bound, or memory runs
  // out, leaves Text2 and the clipboard as they were and says why.
  void Run(Command command);
  // After 简→繁 or 繁→简 of `input` has been published: marks the characters
  // of Text2 that have other forms, and those whose word asks for another.
  void MarkForms(const QString& input, FormsDirection direction);
  // Says what became of the newest result on the clipboard; asks for the
  // user's attention when the news is bad and the user is elsewhere.
  void ShowClipboardState(ClipboardPublisher::State state);

  RandomSource randomSource_;
  std::size_t maxResultLength_ = kMaxResultLength;
  UrlLauncher urlLauncher_;
  ClipboardPublisher clipboard_;
  NoticeBar* notice_;
  NoticeBar* suggestionBar_;
  FormMarks* marks_;
  bool lastCommandPublished_ = false;  // whether the last command changed Text2
  QString lastShown_;                  // what Text2 held after the last command
  bool activated_ = false;
  bool tablesLoaded_ = false;
  bool surfacePressed_ = false;
};

// The UTF-16 code units of `text`, without a copy; valid while `text` lives.
std::u16string_view CodeUnits(const QString& text);

}  // namespace tavro
