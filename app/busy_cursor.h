// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>
#include <cstddef>

namespace tavro {

// A text of at least this many code units is large: work on it shows the
// busy cursor, and a paste this large starts the undo history afresh.
constexpr qsizetype kLargeTextLength = qsizetype{1} << 20;

// Shows the busy cursor for as long as it lives, while working on
// `textLength` code units, if they are a large text. Shorter work ends before
// anyone could see the cursor, which costs milliseconds to change on X11.
class BusyCursor {
 public:
  explicit BusyCursor(std::size_t textLength)
      : shown_(textLength >= static_cast<std::size_t>(kLargeTextLength)) {
    if (shown_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  const bool shown_;
};

}  // namespace tavro
