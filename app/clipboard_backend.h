// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

namespace tavro {

// The system clipboard of one platform, as the publisher needs it.
class ClipboardBackend {
 public:
  virtual ~ClipboardBackend() = default;

  // Puts `text` on the clipboard in place of what it held, in one step; false
  // when the clipboard did not take it, and then the clipboard keeps what it
  // held. Should it throw, the clipboard keeps what it held too.
  virtual bool Write(const QString& text) = 0;
  // A number that changes with every change of the clipboard's content, ours
  // and other programs', as soon as the change is made.
  virtual quint64 ChangeCount() const = 0;
};

// Qt's clipboard, for every platform but Windows.
std::unique_ptr<ClipboardBackend> CreateQtClipboard();
// Windows' own clipboard API, which never waits.
std::unique_ptr<ClipboardBackend> CreateWindowsClipboard();

// The clipboard of the platform the program runs on, chosen once.
std::unique_ptr<ClipboardBackend> CreateSystemClipboard();

}  // namespace tavro
