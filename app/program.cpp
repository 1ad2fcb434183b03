// SPDX-License-Identifier: MIT
#include "program.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <map>

// The icons are compiled into the window's static library, whose link would
// drop them unless something names them; outside any namespace, as Qt asks.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace tavro {
namespace {

// The program's icon, drawn at these sizes (no SVG renderer is needed on any
// platform). A size is decoded when the desktop first asks for it: Windows
// asks for two, Wayland for none.
class DrawnIconEngine : public QIconEngine {
 public:
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int wanted = std::max(size.width(), size.height());
    int drawn = kDrawnSizes.back();
    for (int candidate : kDrawnSizes) {
      if (candidate >= wanted) {
        drawn = candidate;
        break;
      }
    }
    QPixmap& pixmap = decoded_[drawn];
    if (pixmap.isNull()) pixmap.load(QStringLiteral(":/icons/tavro-%1.png").arg(drawn));
    if (pixmap.size() == size) return pixmap;
    return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device()->devicePixelRatioF();
    painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state));
  }
  // The sizes a desktop that takes every size at once (X11) gets, as the
  // window opens: up to 64 pixels, what its panels and task lists show
  // (docks find the larger ones through the menu entry's icon). Decoding
  // the two largest too would cost as much as opening the rest of the
  // window. A larger size is still drawn when asked for.
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int size : kDrawnSizes) {
      if (size <= kLargestListedSize) sizes.append(QSize(size, size));
    }
    return sizes;
  }
  QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

 private:
  static constexpr std::array kDrawnSizes = {16, 24, 32, 48, 64, 128, 256};
  static constexpr int kLargestListedSize = 64;
  std::map<int, QPixmap> decoded_;
};

}  // namespace

void SetUpProgram() {
  InitIcons();
  QApplication::setApplicationName(QStringLiteral("tavro"));
  QApplication::setApplicationDisplayName(QStringLiteral("tavro字符工具"));
  // The menu entry's name: the Wayland app id, by which the desktop shows the
  // running window with the entry's icon and name.
  QGuiApplication::setDesktopFileName(QStringLiteral("net.tavro.tavro"));
  QApplication::setWindowIcon(QIcon(new DrawnIconEngine));
}

}  // namespace tavro
