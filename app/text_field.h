// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <QPlainTextEdit>

namespace tavro {

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

// A paste that inserts or replaces at least this many code units is large.
constexpr qsizetype kLargePasteLength = qsizetype{1} << 20;

// A multi-line field whose undo history does not pile up large pastes: a
// large paste starts the history afresh, so the field holds one copy of its
// text, not every text it ever held. Ordinary editing keeps its history.
class TextField : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

// The text of a multi-line field, line breaks as LF, everything else as typed
// (unlike toPlainText, a no-break space stays one).
QString FieldText(const QPlainTextEdit& field);

}  // namespace tavro
