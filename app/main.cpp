// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>

#include "form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tavro"));
  QApplication::setApplicationDisplayName(QStringLiteral("tavro字符工具"));
  // The menu entry's name: the Wayland app id, by which the desktop shows the
  // running window with the entry's icon and name.
  QGuiApplication::setDesktopFileName(QStringLiteral("net.tavro.tavro"));
  // Drawn sizes, so that no SVG renderer is needed on any platform.
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/tavro-%1.png").arg(size));
  }
  QApplication::setWindowIcon(icon);
  tavro::Form1 form;
  form.show();
  return QApplication::exec();
}
