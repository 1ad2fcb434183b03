// SPDX-License-Identifier: MIT
// QApplication registers the images of Qt's styles and message boxes as it
// starts. The program leaves them out (qt_unused_resources.cmake says why),
// so these registrations, which take the place of Qt's, register nothing.
int qInitResources_qstyle() { return 1; }
int qInitResources_qmessagebox() { return 1; }
