// SPDX-License-Identifier: MIT
#include <QApplication>

#include "form1.h"
#include "program.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  tavro::SetUpProgram();
  tavro::Form1 form;
  form.show();
  return QApplication::exec();
}
