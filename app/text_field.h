// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>

#include "busy_cursor.h"

namespace tavro {

// A multi-line field whose undo history does not pile up large pastes: a
// large paste starts the history afresh, so the field holds one copy of its
// text, not every text it ever held. Ordinary editing keeps its history.
class TextField : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void insertFromMimeData(const QMimeData* source) override;
};

// The separator field. It selects its whole text when it gets the focus, so
// that typing replaces it. A text of one control character (U+001A at start,
// or one that 随机 drew), which would show as nothing, is drawn as its
// control picture (␚) in a muted colour; text() stays what was set.
class SeparatorField : public QLineEdit {
 public:
  explicit SeparatorField(const QString& text, QWidget* parent = nullptr);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// The text that pasting or dropping `source` brings, read with one request
// for data; none when it holds no text.
std::optional<QString> PastedText(const QMimeData& source);

// Replaces the text of a field that is never shown, without laying it out:
// shaping a table of hanzi costs more than the rest of opening the window.
void FillHiddenField(QPlainTextEdit& field, const QString& text);

// The text of a multi-line field, line breaks as LF, everything else as typed
// (unlike toPlainText, a no-break space stays one).
QString FieldText(const QPlainTextEdit& field);

}  // namespace tavro
