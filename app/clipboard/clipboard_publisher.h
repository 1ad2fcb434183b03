// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <memory>

#include "clipboard_backend.h"

namespace tavro {

// Puts each result on the clipboard. When the clipboard does not take one,
// keeps trying on a timer, never blocking the window, until it does or the
// patience runs out. Only the newest result is pending: a newer one, or text
// that another program or the user copies meanwhile, ends the wait for the
// older.
class ClipboardPublisher : public QObject {
  Q_OBJECT

 public:
  enum class State {
    kCopied,      // the newest result is on the clipboard (or nothing was published)
    kWaiting,     // the clipboard is busy; trying again
    kFailed,      // given up: the result is not on the clipboard
    kSuperseded,  // someone else copied while we waited: the result is not there
  };

  static constexpr std::chrono::milliseconds kRetryInterval{100};
  static constexpr std::chrono::milliseconds kPatience{10000};

  // Publishes through the clipboard of the platform the program runs on.
  explicit ClipboardPublisher(QObject* parent = nullptr);
  ~ClipboardPublisher() override;

  // Replaces the clipboard (tests make it refuse, or throw) and the patience.
  void SetBackend(std::unique_ptr<ClipboardBackend> clipboard);
  void SetPatience(std::chrono::milliseconds patience);

  // Puts `text` on the clipboard now, or later, and reports its state. When
  // the first write throws, the exception passes on and nothing changes: an
  // earlier result still pending goes on waiting.
  void Publish(const QString& text);
  State state() const { return state_; }

 signals:
  // For every published result, and whenever its state changes later.
  void StateChanged(tavro::ClipboardPublisher::State state);

 private:
  bool Write(const QString& text);
  // The timer's retry, unless someone else copied meanwhile.
  void TryAgain();
  void Settle(State state);
  void Report(State state);
  // Whether text was copied since our last try while we wait: theirs then
  // stands, and ours is no longer wanted there.
  bool CopiedByOthers();
  void OnClipboardChanged();

  std::unique_ptr<ClipboardBackend> clipboard_;
  std::chrono::milliseconds patience_ = kPatience;
  QString pending_;
  QTimer retryTimer_;
  QElapsedTimer waiting_;
  State state_ = State::kCopied;
  bool writing_ = false;
  quint64 changesAfterTry_ = 0;
};

}  // namespace tavro
