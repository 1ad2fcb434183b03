// SPDX-License-Identifier: MIT
#include "clipboard_publisher.h"

#include <QClipboard>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavro {
namespace {

// Whether Qt's clipboard is Windows' own (not so on the offscreen platform).
bool OnWindowsClipboard() { return QGuiApplication::platformName() == u"windows"; }

bool WriteSystemClipboard(const QString& text) {
#ifdef Q_OS_WIN
  // Qt waits for a busy clipboard by sleeping, 300 ms a try, which would
  // freeze the window at every retry. Opening it ourselves fails at once.
  if (OnWindowsClipboard()) {
    if (!OpenClipboard(nullptr)) return false;
    CloseClipboard();
  }
#endif
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Emptied first: should the system refuse the new text, a paste elsewhere
  // brings nothing rather than an older result taken for this one.
  clipboard->clear();
  clipboard->setText(text);
  // Windows and Wayland say whether the text is ours now. X11 says so whatever
  // the server answered, and the platforms that keep the clipboard inside the
  // program (offscreen) never say so; there the text always arrives.
  if (OnWindowsClipboard() || QGuiApplication::platformName() == u"wayland")
    return clipboard->ownsClipboard();
  return true;
}

}  // namespace

ClipboardWriter SystemClipboardWriter() { return &WriteSystemClipboard; }

ClipboardPublisher::ClipboardPublisher(QObject* parent)
    : QObject(parent), writer_(SystemClipboardWriter()) {
  retryTimer_.setInterval(kRetryInterval);
  connect(&retryTimer_, &QTimer::timeout, this, &ClipboardPublisher::TryAgain);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &ClipboardPublisher::OnClipboardChanged);
}

void ClipboardPublisher::SetWriter(ClipboardWriter writer) { writer_ = std::move(writer); }

void ClipboardPublisher::SetPatience(std::chrono::milliseconds patience) { patience_ = patience; }

void ClipboardPublisher::Publish(const QString& text) {
  retryTimer_.stop();
  pending_ = text;
  waiting_.start();
  TryWrite();
}

void ClipboardPublisher::TryAgain() {
  if (CopiedByOthers()) return;
  TryWrite();
}

void ClipboardPublisher::TryWrite() {
  writing_ = true;
  const bool written = writer_(pending_);
  writing_ = false;
  if (written) {
    Settle(State::kCopied);
  } else if (std::chrono::milliseconds(waiting_.elapsed()) >= patience_) {
    Settle(State::kFailed);
  } else {
    changesAfterTry_ = ChangeCount();
    retryTimer_.start();
    SetState(State::kWaiting);
  }
}

void ClipboardPublisher::Settle(State state) {
  retryTimer_.stop();
  pending_.clear();  // a large result is not kept twice
  SetState(state);
}

void ClipboardPublisher::SetState(State state) {
  if (state == state_) return;
  state_ = state;
  emit StateChanged(state);
}

quint64 ClipboardPublisher::ChangeCount() const {
#ifdef Q_OS_WIN
  if (OnWindowsClipboard()) return GetClipboardSequenceNumber();
#endif
  return changes_;
}

bool ClipboardPublisher::CopiedByOthers() {
  if (state_ != State::kWaiting || ChangeCount() == changesAfterTry_) return false;
  Settle(State::kSuperseded);
  return true;
}

void ClipboardPublisher::OnClipboardChanged() {
  ++changes_;
  if (!writing_) CopiedByOthers();
}

}  // namespace tavro
