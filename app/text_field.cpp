// SPDX-License-Identifier: MIT
#include "text_field.h"

#include <QMimeData>
#include <QTextDocument>

namespace tavro {

QString FieldText(const QPlainTextEdit& field) {
  // The raw text separates lines by U+2029, where toPlainText would also turn
  // no-break spaces into spaces.
  QString text = field.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

void TextField::insertFromMimeData(const QMimeData* source) {
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  const QString pasted = source->text();
  // Without text, a paste changes nothing; small ones are ordinary editing.
  if (!source->hasText() || (pasted.size() < kLargeTextLength && end - start < kLargeTextLength)) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  // The document keeps every text its undo history refers to, even once the
  // history is cleared, so a large paste builds a new document instead. The
  // positions of a document and of its field text are the same.
  const BusyCursor busy(static_cast<std::size_t>(pasted.size() + end - start));
  QString text = FieldText(*this);
  text.replace(start, end - start, pasted);
  setPlainText(text);
  cursor = textCursor();
  cursor.setPosition(static_cast<int>(start + pasted.size()));
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace tavro
