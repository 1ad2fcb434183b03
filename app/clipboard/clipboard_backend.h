// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace tavro {

// The system clipboard of one platform, as the publisher needs it: the only
// code that talks to the clipboard.
class ClipboardBackend : public QObject {
  Q_OBJECT

 public:
  // Puts `text` on the clipboard in place of what it held, in one step; false
  // when the clipboard did not take it, and then the clipboard keeps what it
  // held. Should it throw, the clipboard keeps what it held too.
  virtual bool Write(const QString& text) = 0;
  // A number that changes with every change of the clipboard's content, ours
  // and other programs', as soon as the change is made.
  virtual quint64 ChangeCount() const = 0;

 signals:
  // The clipboard's content changed, by our hand or another program's; sent
  // once ChangeCount() tells of the change.
  void Changed();
};

// The clipboard of the platform the program runs on, chosen once: Windows'
// own API on Windows, Qt's clipboard everywhere else.
std::unique_ptr<ClipboardBackend> CreateSystemClipboard();
// Windows' own clipboard API, which never waits (windows_clipboard.cpp).
std::unique_ptr<ClipboardBackend> CreateWindowsClipboard();

}  // namespace tavro
