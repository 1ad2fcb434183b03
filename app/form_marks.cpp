// SPDX-License-Identifier: MIT
#include "form_marks.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
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
    auto mark =
        std::lower_bound(marks.begin(), marks.end(), first,
                         [](const MarkedCharacter& m, std::size_t p) { return m.position < p; });
    const QTextCursor selection = field.textCursor();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& palette = field.palette();
    QPen plain(HalfWay(palette.color(QPalette::Text), palette.color(QPalette::Base)), 1,
               Qt::DotLine);
    QPen selected(
        HalfWay(palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight)), 1,
        Qt::DotLine);
    // A suggestion's wave in an accent colour that stands out on the field's
    // background, selected or not: a deep red on light, a light orange on dark.
    const auto accent = [](const QColor& background) {
      return QPen(
          background.lightness() > 128 ? QColor(0xC0, 0x10, 0x10) : QColor(0xFF, 0xB0, 0x50), 1.2);
    };
    const QPen suggestedPlain = accent(palette.color(QPalette::Base)),
               suggestedSelected = accent(palette.color(QPalette::Highlight));
    QTextCursor cursor(field.document());
    for (; mark != marks.end() && mark->position <= last; ++mark) {
      const int position = static_cast<int>(mark->position);
      cursor.setPosition(position);
      const QRect start = field.cursorRect(cursor);
      cursor.setPosition(position + 1);
      const QRect end = field.cursorRect(cursor);
      // A character last on a wrapped line ends where its advance does.
      const int right =
          end.top() == start.top()
              ? end.left()
              : start.left() + field.fontMetrics().horizontalAdvance(QChar(mark->forms[0]));
      const bool inSelection =
          position >= selection.selectionStart() && position < selection.selectionEnd();
      const int y = start.bottom() - 1;
      if (marks_.SuggestionAt(mark->position) == 0) {
        painter.setPen(inSelection ? selected : plain);
        painter.drawLine(start.left() + 1, y, right - 1, y);
        continue;
      }
      // A wave as spelling checkers draw one: up and down every 2 pixels.
      painter.setPen(inSelection ? suggestedSelected : suggestedPlain);
      QPainterPath wave(QPointF(start.left() + 1, y));
      for (int x = start.left() + 3, up = 1; x <= right; x += 2, up = !up)
        wave.lineTo(x, y - 2 * up);
      painter.drawPath(wave);
    }
  }

 private:
  FormMarks& marks_;
};

FormMarks::FormMarks(QPlainTextEdit& field, std::function<void()> publish)
    : QObject(&field),
      field_(field),
      publish_(std::move(publish)),
      viewport_(field.viewport()),
      underlines_(new Underlines(*this, field.viewport())) {
  field.installEventFilter(this);
  viewport_->installEventFilter(this);
  connect(&field, &QPlainTextEdit::textChanged, this, [this] {
    if (!writing_) Clear();
  });
  // Scrolling, a changed selection, a new layout: drawn again with the text.
  // A scroll moves the viewport's children too: the underlines go back.
  connect(&field, &QPlainTextEdit::updateRequest, underlines_, [this] {
    underlines_->setGeometry(viewport_->rect());
    underlines_->update();
  });
}

void FormMarks::Set(std::vector<MarkedCharacter> marks, std::vector<WordSuggestion> suggestions) {
  marks_ = std::move(marks);
  std::erase_if(suggestions, [this](const WordSuggestion& suggestion) {
    return MarkOfPosition(static_cast<int>(suggestion.position)) == nullptr;
  });
  SetSuggestions(std::move(suggestions));
  if (underlines_) underlines_->update();
}

void FormMarks::Clear() {
  if (marks_.empty()) return;
  marks_ = {};
  SetSuggestions({});
  if (underlines_) underlines_->update();
}

void FormMarks::SetSuggestions(std::vector<WordSuggestion> suggestions) {
  const bool changed = suggestions.size() != suggestions_.size();
  suggestions_ = std::move(suggestions);
  if (changed) emit SuggestionsChanged(static_cast<int>(suggestions_.size()));
}

char16_t FormMarks::SuggestionAt(std::size_t position) const {
  const auto found =
      std::lower_bound(suggestions_.begin(), suggestions_.end(), position,
                       [](const WordSuggestion& s, std::size_t p) { return s.position < p; });
  return found != suggestions_.end() && found->position == position ? found->form : 0;
}

void FormMarks::ApplySuggestions() { Write(suggestions_); }

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
    if (at.x() >= start.left() && at.x() < right && at.y() >= start.top() &&
        at.y() <= start.bottom())
      return mark;
  }
  return nullptr;
}

QMenu* FormMarks::ContextMenu(const QPoint& at, bool fromKeyboard) {
  QMenu* menu = field_.createStandardContextMenu(at);
  QAction* before = menu->actions().value(0);
  const auto offer = [&](const QString& label, std::vector<WordSuggestion> changes) {
    QAction* action = new QAction(label, menu);
    connect(action, &QAction::triggered, this, [this, changes] { Write(changes); });
    menu->insertAction(before, action);
  };
  const MarkedCharacter* mark =
      fromKeyboard ? MarkOfPosition(field_.textCursor().position()) : MarkAt(at);
  if (mark != nullptr) {
    const std::size_t position = mark->position;
    const char16_t shown =
        field_.document()->toRawText().at(static_cast<qsizetype>(position)).unicode();
    // The form the word asks for first, whether or not the character's own
    // forms hold it.
    const char16_t suggested = SuggestionAt(position);
    std::u16string forms = suggested != 0 ? std::u16string(1, suggested) : std::u16string();
    for (char16_t form : mark->forms) {
      if (form != suggested) forms += form;
    }
    std::vector<std::size_t> sameSource;
    for (const MarkedCharacter& other : marks_) {
      if (other.source == mark->source) sameSource.push_back(other.position);
    }
    for (char16_t form : forms) {
      if (form == shown) continue;
      const QString name(QChar{form});
      offer(form == suggested ? QStringLiteral("改为 %1（按词语）").arg(name)
                              : QStringLiteral("改为 %1").arg(name),
            {{position, form}});
      if (sameSource.size() < 2) continue;
      std::vector<WordSuggestion> all;
      for (std::size_t at : sameSource) all.push_back({at, form});
      offer(QStringLiteral("全部改为 %1").arg(name), all);
    }
    menu->insertSeparator(before);
  }
  if (!suggestions_.empty()) {
    offer(QStringLiteral("全部按词语改写"), suggestions_);
    menu->insertSeparator(before);
  }
  return menu;
}

void FormMarks::Write(const std::vector<WordSuggestion>& changes) {
  writing_ = true;
  // One edit, undone as one; the view stays where it is.
  QTextCursor cursor(field_.document());
  cursor.beginEditBlock();
  for (const WordSuggestion& change : changes) {
    cursor.setPosition(static_cast<int>(change.position));
    cursor.setPosition(static_cast<int>(change.position) + 1, QTextCursor::KeepAnchor);
    cursor.insertText(QString(QChar{change.form}));
  }
  cursor.endEditBlock();
  writing_ = false;
  // Where a form is now the user's choice, or the word's, nothing is left to
  // suggest.
  std::vector<WordSuggestion> left;
  for (const WordSuggestion& suggestion : suggestions_) {
    if (std::none_of(changes.begin(), changes.end(), [&](const WordSuggestion& change) {
          return change.position == suggestion.position;
        }))
      left.push_back(suggestion);
  }
  SetSuggestions(std::move(left));
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
      const char16_t suggested = SuggestionAt(mark->position);
      QToolTip::showText(
          help->globalPos(),
          suggested != 0
              ? QStringLiteral("按词语应为 %1").arg(QChar{suggested})
              : QStringLiteral("这个字有几种写法：%1。右键可改。").arg(FormsList(mark->forms)),
          viewport_);
      return true;
    }
    default: return false;
  }
}

}  // namespace tavro
