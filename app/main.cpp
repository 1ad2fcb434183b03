// SPDX-License-Identifier: MIT
#include <QApplication>

#include "form1.h"
#include "program.h"
#ifdef Q_OS_WIN
#include "windows7_support.h"
#endif

int main(int argc, char* argv[]) {
#ifdef Q_OS_WIN
  // Windows 7 sends no pointer messages: Qt's windows platform then reads
  // the mouse and touch messages.
  if (!tavro::WindowsHasPointerInput() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "windows:nowmpointer");
  }
#endif
  QApplication application(argc, argv);
  tavro::SetUpProgram();
  tavro::Form1 form;
  form.show();
  return QApplication::exec();
}
