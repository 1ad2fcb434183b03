// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

namespace tavro {

// Puts `text` on the clipboard in place of what it held; false when the
// clipboard did not take it (another program holds it open, say).
using ClipboardWriter = std::function<bool(const QString& text)>;

// The system clipboard through Qt, which on Windows first looks, without
// waiting, whether another program holds the clipboard open.
ClipboardWriter SystemClipboardWriter();

// Puts each result on the clipboard. When the clipboard does not take one,
// keeps trying on a timer, never blocking the window, until it does or the
// patience runs out. Only the newest result is pending: a newer one, or text
// copied by the user meanwhile, ends the wait for the older.
class ClipboardPublisher : public QObject {
  Q_OBJECT

 public:
  enum class State {
    kCopied,      // the newest result is on the clipboard (or nothing was published)
    kWaiting,     // the clipboard is busy; trying again
    kFailed,      // given up: the result is not on the clipboard
    kSuperseded,  // the user copied something else while we waited
  };

  static constexpr std::chrono::milliseconds kRetryInterval{100};
  static constexpr std::chrono::milliseconds kPatience{10000};

  explicit ClipboardPublisher(QObject* parent = nullptr);

  // Replaces the system clipboard (tests make it refuse) and the patience.
  void SetWriter(ClipboardWriter writer);
  void SetPatience(std::chrono::milliseconds patience);

  void Publish(const QString& text);
  State state() const { return state_; }

 signals:
  void StateChanged(tavro::ClipboardPublisher::State state);

 private:
  void TryWrite();
  // The timer's retry, unless someone else copied meanwhile.
  void TryAgain();
  void Settle(State state);
  void SetState(State state);
  // Counts the changes of the clipboard's content. Windows numbers them
  // itself and tells of them only later, through the event loop; elsewhere Qt
  // tells at once, and we count.
  quint64 ChangeCount() const;
  // Whether text was copied since our last try while we wait: theirs then
  // stands, and ours is no longer wanted there.
  bool CopiedByOthers();
  void OnClipboardChanged();

  ClipboardWriter writer_;
  std::chrono::milliseconds patience_ = kPatience;
  QString pending_;
  QTimer retryTimer_;
  QElapsedTimer waiting_;
  State state_ = State::kCopied;
  bool writing_ = false;
  quint64 changes_ = 0;
  quint64 changesAfterTry_ = 0;
};

}  // namespace tavro
