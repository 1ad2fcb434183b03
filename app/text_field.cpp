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

std::optional<QString> PastedText(const QMimeData& source) {
  // Desktops offer text as UTF-8 under either name; our own and Qt's mime data
  // give back the text they hold as UTF-8 as well.
  const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
  const QString plain = QStringLiteral("text/plain");
  const QStringList formats = source.formats();
  if (!formats.contains(utf8) && !formats.contains(plain)) return std::nullopt;
  return QString::fromUtf8(source.data(formats.contains(utf8) ? utf8 : plain));
}

void TextField::insertFromMimeData(const QMimeData* source) {
  // `source` is not touched after this: on Wayland, reading clipboard data
  // dispatches pending events, and another program taking the clipboard
  // meanwhile deletes the data `source` points to.
  const std::optional<QString> pasted = PastedText(*source);
  if (!pasted) return;  // without text, a paste changes nothing
  QTextCursor cursor = textCursor();
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  if (pasted->size() < kLargeTextLength && end - start < kLargeTextLength) {
    cursor.insertText(*pasted);  // one undoable edit that replaces the selection
    setTextCursor(cursor);
    ensureCursorVisible();
    return;
  }
  // The document keeps every text its undo history refers to, even once the
  // history is cleared, so a large paste builds a new document instead. The
  // positions of a document and of its field text are the same.
  const BusyCursor busy(static_cast<std::size_t>(pasted->size() + end - start));
  QString text = FieldText(*this);
  const qsizetype after = text.size() - end;
  text.replace(start, end - start, *pasted);
  setPlainText(text);
  // The cursor goes where the pasted text ends, counted from the end: the
  // document keeps a CR LF of the paste as one line break.
  cursor = textCursor();
  cursor.setPosition(static_cast<int>(document()->characterCount() - 1 - after));
  setTextCursor(cursor);
  ensureCursorVisible();
}

}  // namespace tavro
