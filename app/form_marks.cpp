// SPDX-License-Identifier: MIT
#include "form_marks.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

namespace tavro {
namespace {

QColor HalfWay(const QColor& a, const QColor& b) {
  return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

QString FormsList(std::u16string_view forms) {
  QStringList names;
  for (char16_t form : forms) names.append(QString(QChar(form)));
  return names.join(u'、');
}

}  // namespace

// Draws the underlines over the field's viewport, for the marks in view
// only, so that a marked megabyte draws as fast as a short text.
class FormMarks::Underlines : public QWidget {
 public:
  Underlines(FormMarks& marks, QWidget* viewport) : QWidget(viewport), marks_(marks) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(viewport->rect());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const std::vector<MarkedCharacter>& marks = marks_.marks_;
    if (marks.empty()) return;
    QPlainTextEdit& field = marks_.field_;
    const auto inView = [&](const QPoint& at) {
      return static_cast<std::size_t>(field.cursorForPosition(at).position());
    };
    const std::size_t first = inView(QPoint(0, 0)), last = inView(QPoint(width(), height()));
    auto mark = std::lower_bound(marks.begin(), marks.end(), first,
                                 [](const MarkedCharacter& m, std::size_t p) { return m.position < p; });
    const QTextCursor selection = field.textCursor();
    QPainter painter(this);
    const QPalette& palette = field.palette();
    QPen plain(HalfWay(palette.color(QPalette::Text), palette.color(QPalette::Base)), 1, Qt::DotLine);
    QPen selected(HalfWay(palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight)),
                  1, Qt::DotLine);
    QTextCursor cursor(field.document());
    for (; mark != marks.end() && mark->position <= last; ++mark) {
      const int position = static_cast<int>(mark->position);
      cursor.setPosition(position);
      const QRect start = field.cursorRect(cursor);
      cursor.setPosition(position + 1);
      const QRect end = field.cursorRect(cursor);
      // A character last on a wrapped line ends where its advance does.
      const int right = end.top() == start.top()
                            ? end.left()
                            : start.left() + field.fontMetrics().horizontalAdvance(QChar(mark->forms[0]));
      const bool inSelection =
          position >= selection.selectionStart() && position < selection.selectionEnd();
      painter.setPen(inSelection ? selected : plain);
      const int y = start.bottom() - 1;
      painter.drawLine(start.left() + 1, y, right - 1, y);
    }
  }

 private:
  FormMarks& marks_;
};

FormMarks::FormMarks(QPlainTextEdit& field, std::function<void()> publish)
    : QObject(&field), field_(field), publish_(std::move(publish)),
      viewport_(field.viewport()), underlines_(new Underlines(*this, field.viewport())) {
  field.installEventFilter(this);
  viewport_->installEventFilter(this);
  connect(&field, &QPlainTextEdit::textChanged, this, [this] {
    if (!choosing_) Clear();
  });
  // Scrolling, a changed selection, a new layout: drawn again with the text.
  // A scroll moves the viewport's children too: the underlines go back.
  connect(&field, &QPlainTextEdit::updateRequest, underlines_, [this] {
    underlines_->setGeometry(viewport_->rect());
    underlines_->update();
  });
}

void FormMarks::Set(std::vector<MarkedCharacter> marks) {
  marks_ = std::move(marks);
  if (underlines_) underlines_->update();
}

void FormMarks::Clear() {
  if (marks_.empty()) return;
  marks_ = {};
  if (underlines_) underlines_->update();
}

const MarkedCharacter* FormMarks::MarkOfPosition(int position) const {
  const auto found = std::lower_bound(
      marks_.begin(), marks_.end(), static_cast<std::size_t>(std::max(position, 0)),
      [](const MarkedCharacter& m, std::size_t p) { return m.position < p; });
  return found != marks_.end() && found->position == static_cast<std::size_t>(position) ? &*found
                                                                                        : nullptr;
}

const MarkedCharacter* FormMarks::MarkAt(const QPoint& at) const {
  // The caret position nearest `at` lies before or after the character
  // under it.
  const int nearest = field_.cursorForPosition(at).position();
  for (int position : {nearest, nearest - 1}) {
    const MarkedCharacter* mark = MarkOfPosition(position);
    if (mark == nullptr) continue;
    QTextCursor cursor(field_.document());
    cursor.setPosition(position);
    const QRect start = field_.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect end = field_.cursorRect(cursor);
    const int right = end.top() == start.top() ? end.left() : start.left() + start.height();
    if (at.x() >= start.left() && at.x() < right && at.y() >= start.top() && at.y() <= start.bottom())
      return mark;
  }
  return nullptr;
}

QMenu* FormMarks::ContextMenu(const QPoint& at, bool fromKeyboard) {
  QMenu* menu = field_.createStandardContextMenu(at);
  const MarkedCharacter* mark =
      fromKeyboard ? MarkOfPosition(field_.textCursor().position()) : MarkAt(at);
  if (mark == nullptr) return menu;
  const QString text = field_.document()->toRawText();
  const std::size_t position = mark->position;
  std::vector<std::size_t> sameSource;
  for (const MarkedCharacter& other : marks_) {
    if (other.source == mark->source) sameSource.push_back(other.position);
  }
  QAction* before = menu->actions().value(0);
  const char16_t shown = text.at(static_cast<qsizetype>(position)).unicode();
  for (char16_t form : mark->forms) {
    if (form == shown) continue;
    const QString name(QChar{form});
    QAction* one = new QAction(QStringLiteral("改为 %1").arg(name), menu);
    connect(one, &QAction::triggered, this, [this, position, form] { Choose({position}, form); });
    menu->insertAction(before, one);
    if (sameSource.size() > 1) {
      QAction* all = new QAction(QStringLiteral("全部改为 %1").arg(name), menu);
      connect(all, &QAction::triggered, this, [this, sameSource, form] { Choose(sameSource, form); });
      menu->insertAction(before, all);
    }
  }
  menu->insertSeparator(before);
  return menu;
}

void FormMarks::Choose(std::vector<std::size_t> positions, char16_t form) {
  choosing_ = true;
  // One edit, undone as one; the view stays where it is.
  QTextCursor cursor(field_.document());
  cursor.beginEditBlock();
  for (std::size_t position : positions) {
    cursor.setPosition(static_cast<int>(position));
    cursor.setPosition(static_cast<int>(position) + 1, QTextCursor::KeepAnchor);
    cursor.insertText(QString(QChar{form}));
  }
  cursor.endEditBlock();
  choosing_ = false;
  publish_();
}

bool FormMarks::eventFilter(QObject* watched, QEvent* event) {
  // Events come here while the field and its viewport are being destroyed
  // too: the viewport is known by its address alone, and the underlines may
  // be gone.
  if (watched == viewport_ && event->type() == QEvent::Resize && underlines_)
    underlines_->setGeometry(viewport_->rect());
  if (marks_.empty()) return false;
  switch (event->type()) {
    case QEvent::ContextMenu: {
      auto* request = static_cast<QContextMenuEvent*>(event);
      const bool fromKeyboard = request->reason() == QContextMenuEvent::Keyboard;
      // The mouse's request reaches the viewport, the keyboard's the field.
      if (fromKeyboard != (watched == &field_)) return false;
      const QPoint at = fromKeyboard ? field_.cursorRect().center() : request->pos();
      std::unique_ptr<QMenu> menu(ContextMenu(at, fromKeyboard));
      menu->exec(request->globalPos());
      return true;
    }
    case QEvent::ToolTip: {
      if (watched != viewport_) return false;
      auto* help = static_cast<QHelpEvent*>(event);
      const MarkedCharacter* mark = MarkAt(help->pos());
      if (mark == nullptr) return false;
      QToolTip::showText(help->globalPos(),
                         QStringLiteral("这个字有几种写法：%1。右键可改。").arg(FormsList(mark->forms)),
                         viewport_);
      return true;
    }
    default: return false;
  }
}

}  // namespace tavro
