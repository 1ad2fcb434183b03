// SPDX-License-Identifier: MIT
#include "text_field.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>
#include <QTimer>

// The control pictures' font is compiled into the window's static library,
// whose link drops it unless something names it; outside any namespace, as
// Qt asks.
static void InitControlPicturesFont() { Q_INIT_RESOURCE(fonts); }

namespace tavro {

QString FieldText(const QPlainTextEdit& field) {
  // The raw text separates lines by U+2029, where toPlainText would also turn
  // no-break spaces into spaces.
  QString text = field.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

namespace {

// The layout of a field that is never drawn: it lays nothing out. The
// plain-text layout would shape every character of a table, a one-line text,
// to measure its height when it changes and where its cursor is.
class UndrawnTextLayout : public QPlainTextDocumentLayout {
 public:
  using QPlainTextDocumentLayout::QPlainTextDocumentLayout;
  QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

 protected:
  void documentChanged(int, int, int) override {}
};

}  // namespace

namespace {

// The family of the control pictures that come with the program (few systems
// have them); empty where they could not be loaded.
const QString& ControlPicturesFamily() {
  static const QString family = [] {
    InitControlPicturesFont();
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/control-pictures.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
  }();
  return family;
}

// The picture of a C0 control character or DEL (␀ ... ␟, ␡), or none.
std::optional<QChar> ControlPicture(const QString& text) {
  if (text.size() != 1) return std::nullopt;
  const char16_t unit = text[0].unicode();
  if (unit < 0x20) return QChar(char16_t(0x2400 + unit));
  if (unit == 0x7F) return QChar(char16_t(0x2421));
  return std::nullopt;
}

}  // namespace

SeparatorField::SeparatorField(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  ControlPicturesFamily();
}

void SeparatorField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // After the click that gave the focus has put the cursor somewhere.
  if (event->reason() != Qt::PopupFocusReason) QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void SeparatorField::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  const std::optional<QChar> picture = ControlPicture(text());
  if (!picture) return;
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  QPainter painter(this);
  QFont pictureFont(ControlPicturesFamily());
  pictureFont.setPixelSize(font().pixelSize() > 0 ? font().pixelSize()
                                                  : QFontInfo(font()).pixelSize());
  painter.setFont(pictureFont);
  // Muted: half-way between the text and its background, selected or not.
  const bool selected = hasSelectedText();
  const QColor text = palette().color(selected ? QPalette::HighlightedText : QPalette::Text);
  const QColor background = palette().color(selected ? QPalette::Highlight : QPalette::Base);
  painter.setPen(QColor((text.red() + background.red()) / 2, (text.green() + background.green()) / 2,
                        (text.blue() + background.blue()) / 2));
  painter.drawText(area, Qt::AlignCenter, QString(*picture));
}

void FillHiddenField(QPlainTextEdit& field, const QString& text) {
  auto* document = new QTextDocument(&field);
  document->setDocumentLayout(new UndrawnTextLayout(document));
  document->setDefaultFont(field.font());
  document->setPlainText(text);
  field.setDocument(document);
}

namespace {

// Asks mime data for one format as text, with one request: the protected
// retrieveData that QMimeData::text() calls once or twice, reached through a
// class of ours derived from it.
struct MimeDataReader : QMimeData {
  static QVariant Read(const QMimeData& source, const QString& format) {
    return (source.*&MimeDataReader::retrieveData)(format, QMetaType::fromType<QString>());
  }
};

}  // namespace

std::optional<QString> PastedText(const QMimeData& source) {
  const QString utf8 = QStringLiteral("text/plain;charset=utf-8");
  const QString plain = QStringLiteral("text/plain");
  const QStringList formats = source.formats();
  if (!formats.contains(utf8) && !formats.contains(plain)) return std::nullopt;
  const QVariant data = MimeDataReader::Read(source, formats.contains(utf8) ? utf8 : plain);
  // Text as it was put there where the data is at hand (our own copies keep a
  // lone surrogate); UTF-8 where the desktop hands bytes over.
  if (data.metaType() == QMetaType::fromType<QString>()) return data.toString();
  return QString::fromUtf8(data.toByteArray());
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
