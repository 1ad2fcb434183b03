// SPDX-License-Identifier: MIT
#include "clipboard_publisher.h"

#include <QClipboard>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavro {
namespace {

bool WriteSystemClipboard(const QString& text) {
#ifdef Q_OS_WIN
  // Qt waits for a busy clipboard by sleeping, 300 ms a try, which would
  // freeze the window at every retry. Opening it ourselves fails at once.
  if (!OpenClipboard(nullptr)) return false;
  CloseClipboard();
#endif
  QClipboard* clipboard = QGuiApplication::clipboard();
  // Emptied first: should the system refuse the new text, a paste elsewhere
  // brings nothing rather than an older result taken for this one.
  clipboard->clear();
  clipboard->setText(text);
  // Windows and Wayland say whether the text is ours now. X11 says so whatever
  // the server answered, and the platforms that keep the clipboard inside the
  // program (offscreen) never say so; there the text always arrives.
  const QString platform = QGuiApplication::platformName();
  if (platform == u"windows" || platform == u"wayland") return clipboard->ownsClipboard();
  return true;
}

}  // namespace

ClipboardWriter SystemClipboardWriter() { return &WriteSystemClipboard; }

ClipboardPublisher::ClipboardPublisher(QObject* parent)
    : QObject(parent), writer_(SystemClipboardWriter()) {
  retryTimer_.setInterval(kRetryInterval);
  connect(&retryTimer_, &QTimer::timeout, this, &ClipboardPublisher::TryWrite);
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

void ClipboardPublisher::TryWrite() {
  writing_ = true;
  const bool written = writer_(pending_);
  writing_ = false;
  if (written) {
    retryTimer_.stop();
    pending_.clear();  // a large result is not kept twice
    SetState(State::kCopied);
  } else if (std::chrono::milliseconds(waiting_.elapsed()) >= patience_) {
    retryTimer_.stop();
    pending_.clear();
    SetState(State::kFailed);
  } else {
    retryTimer_.start();
    SetState(State::kWaiting);
  }
}

void ClipboardPublisher::SetState(State state) {
  if (state == state_) return;
  state_ = state;
  emit StateChanged(state);
}

void ClipboardPublisher::OnClipboardChanged() {
  if (writing_ || state_ != State::kWaiting) return;
  retryTimer_.stop();
  pending_.clear();
  SetState(State::kSuperseded);
}

}  // namespace tavro
