// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QIcon>

#include "form1.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tavro"));
  QApplication::setApplicationDisplayName(QStringLiteral("tavro字符工具"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavro.svg")));
  tavro::Form1 form;
  form.show();
  return QApplication::exec();
}
