// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <optional>

namespace tavro {

// A text of at least this many code units is large: work on it shows the
// busy cursor, and a paste this large starts the undo history afresh.
constexpr qsizetype kLargeTextLength = qsizetype{1} << 20;

// Shows the busy cursor for as long as it lives, while working on
// `textLength` code units, if they are a large text. Shorter work ends before
// anyone could see the cursor, which costs milliseconds to change on X11.
class BusyCursor {
 public:
  explicit BusyCursor(std::size_t textLength)
      : shown_(textLength >= static_cast<std::size_t>(kLargeTextLength)) {
    if (shown_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  const bool shown_;
};

// A multi-line field whose undo history does not pile up large pastes: a
// large paste starts the history afresh, so the field holds one copy of its
// text, not every text it ever held. Ordinary editing keeps its history.
class TextField : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

// The text that pasting or dropping `source` brings, read with one request
// for data; none when it holds no text.
std::optional<QString> PastedText(const QMimeData& source);

// The text of a multi-line field, line breaks as LF, everything else as typed
// (unlike toPlainText, a no-break space stays one).
QString FieldText(const QPlainTextEdit& field);

}  // namespace tavro
