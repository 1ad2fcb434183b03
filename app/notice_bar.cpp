// SPDX-License-Identifier: MIT
#include "notice_bar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace tavro {
namespace {

struct KindColours {
  char16_t sign;  // drawn on the icon
  QRgb border, background;
};

// Light, as the fields it lies over, with its own dark text, so that it reads
// the same under any theme.
KindColours ColoursOf(NoticeBar::Kind kind) {
  switch (kind) {
    case NoticeBar::Kind::kInformation:
      return {u'i', qRgb(0x3D, 0xAE, 0xE9), qRgb(0xE3, 0xF2, 0xFB)};
    case NoticeBar::Kind::kWarning: return {u'!', qRgb(0xF6, 0x74, 0x00), qRgb(0xFE, 0xEF, 0xDC)};
    case NoticeBar::Kind::kError: break;
  }
  return {u'!', qRgb(0xDA, 0x44, 0x53), qRgb(0xFB, 0xE3, 0xE5)};
}

// A round sign in the notice's colour. Drawn, not taken from the style or the
// icon theme, which may have none.
QPixmap SignIcon(const KindColours& colours, int size, qreal ratio) {
  QPixmap icon(QSize(size, size) * ratio);
  icon.setDevicePixelRatio(ratio);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(colours.border));
  painter.drawEllipse(QRectF(0, 0, size, size));
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(size * 3 / 4);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QString(QChar(colours.sign)));
  return icon;
}

// A close sign: a cross in dark grey, drawn, as the style's own comes from
// images the program does not carry.
QPixmap CloseIcon(int size, qreal ratio) {
  QPixmap icon(QSize(size, size) * ratio);
  icon.setDevicePixelRatio(ratio);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x40, 0x40, 0x40), size / 8.0, Qt::SolidLine, Qt::RoundCap));
  const qreal inset = size * 0.28;
  painter.drawLine(QPointF(inset, inset), QPointF(size - inset, size - inset));
  painter.drawLine(QPointF(size - inset, inset), QPointF(inset, size - inset));
  return icon;
}

}  // namespace

NoticeBar::NoticeBar(QWidget& covered, QWidget* parent)
    : QFrame(parent),
      covered_(covered),
      icon_(new QLabel(this)),
      text_(new QLabel(this)),
      close_(new QToolButton(this)) {
  setFrameShape(QFrame::Box);
  setAutoFillBackground(true);
  text_->setWordWrap(true);  // a long notice takes a second line, not the field's width
  text_->setTextFormat(Qt::PlainText);
  close_->setIcon(CloseIcon(style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this),
                            devicePixelRatioF()));
  close_->setAutoRaise(true);
  close_->setFocusPolicy(Qt::NoFocus);  // the fields keep the keyboard
  close_->setToolTip(QStringLiteral("关闭"));
  close_->setAccessibleName(QStringLiteral("关闭提示"));
  connect(close_, &QToolButton::clicked, this, &QWidget::hide);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 2, 2);
  layout->setSpacing(4);
  layout->addWidget(icon_, 0, Qt::AlignTop);
  layout->addWidget(text_, 1);
  layout->addWidget(close_, 0, Qt::AlignTop);
  hide();
}

void NoticeBar::Show(Kind kind, const QString& notice) {
  const KindColours colours = ColoursOf(kind);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(colours.background));
  palette.setColor(QPalette::WindowText, QColor(colours.border));  // the frame
  setPalette(palette);
  QPalette textPalette = text_->palette();
  textPalette.setColor(QPalette::WindowText, Qt::black);
  text_->setPalette(textPalette);
  const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
  icon_->setPixmap(SignIcon(colours, iconSize, devicePixelRatioF()));
  text_->setText(notice);
  // Screen readers announce the bar by its notice.
  setAccessibleName(notice);
  PlaceOverCovered();
  show();
  raise();
}

QString NoticeBar::notice() const { return isHidden() ? QString() : text_->text(); }

void NoticeBar::SetAction(const QString& caption, const std::function<void()>& act) {
  auto* button = new QPushButton(caption, this);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::NoFocus);  // the fields keep the keyboard
  connect(button, &QPushButton::clicked, this, act);
  static_cast<QHBoxLayout*>(layout())->insertWidget(2, button, 0, Qt::AlignVCenter);
}

void NoticeBar::StandAbove(QWidget& lower) {
  lower_ = &lower;
  lower.installEventFilter(this);
}

bool NoticeBar::eventFilter(QObject* watched, QEvent* event) {
  // Where the bar below shows, hides or changes, this one goes above it.
  if (watched == lower_ && !isHidden()) {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::Resize:
      case QEvent::Move: PlaceOverCovered(); break;
      default: break;
    }
  }
  return false;
}

void NoticeBar::PlaceOverCovered() {
  const QRect area = covered_.geometry();
  const int bottom = lower_ != nullptr && lower_->isVisibleTo(parentWidget())
                         ? lower_->geometry().top()
                         : area.bottom() + 1;
  const int height = std::min(heightForWidth(area.width()), bottom - area.top());
  setGeometry(area.left(), bottom - height, area.width(), height);
}

}  // namespace tavro
