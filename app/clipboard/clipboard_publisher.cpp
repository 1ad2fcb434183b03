// SPDX-License-Identifier: MIT
#include "clipboard_publisher.h"

#include <QScopedValueRollback>
#include <new>

namespace tavro {

ClipboardPublisher::ClipboardPublisher(QObject* parent) : QObject(parent) {
  retryTimer_.setInterval(kRetryInterval);
  connect(&retryTimer_, &QTimer::timeout, this, &ClipboardPublisher::TryAgain);
  SetBackend(CreateSystemClipboard());
}

ClipboardPublisher::~ClipboardPublisher() = default;

void ClipboardPublisher::SetBackend(std::unique_ptr<ClipboardBackend> clipboard) {
  clipboard_ = std::move(clipboard);
  connect(clipboard_.get(), &ClipboardBackend::Changed, this,
          &ClipboardPublisher::OnClipboardChanged);
  changesAfterTry_ = clipboard_->ChangeCount();
}

void ClipboardPublisher::SetPatience(std::chrono::milliseconds patience) { patience_ = patience; }

void ClipboardPublisher::Publish(const QString& text) {
  // Written before anything of ours changes, so that an exception leaves the
  // earlier result as it was.
  const bool written = Write(text);
  if (written) {
    Settle(State::kCopied);
    return;
  }
  pending_ = text;
  waiting_.start();
  changesAfterTry_ = clipboard_->ChangeCount();
  retryTimer_.start();
  Report(State::kWaiting);
}

bool ClipboardPublisher::Write(const QString& text) {
  // Our own write tells of itself at once on some platforms; the guard
  // outlives an exception, or no later change would count.
  const QScopedValueRollback guard(writing_, true);
  return clipboard_->Write(text);
}

void ClipboardPublisher::TryAgain() {
  if (CopiedByOthers()) return;
  bool written = false;
  try {
    written = Write(pending_);
  } catch (const std::bad_alloc&) {
    Settle(State::kFailed);  // and the result's memory is given back
    return;
  }
  if (written) {
    Settle(State::kCopied);
  } else if (std::chrono::milliseconds(waiting_.elapsed()) >= patience_) {
    Settle(State::kFailed);
  } else {
    changesAfterTry_ = clipboard_->ChangeCount();
  }
}

void ClipboardPublisher::Settle(State state) {
  retryTimer_.stop();
  pending_.clear();  // a large result is not kept twice
  Report(state);
}

void ClipboardPublisher::Report(State state) {
  state_ = state;
  emit StateChanged(state);
}

bool ClipboardPublisher::CopiedByOthers() {
  if (state_ != State::kWaiting || clipboard_->ChangeCount() == changesAfterTry_) return false;
  Settle(State::kSuperseded);
  return true;
}

void ClipboardPublisher::OnClipboardChanged() {
  if (!writing_) CopiedByOthers();
}

}  // namespace tavro
