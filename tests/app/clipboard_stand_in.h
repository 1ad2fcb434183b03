// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>

#include "clipboard_backend.h"

// The system clipboard, with every write passed through `write` first, which
// may refuse it, throw, or hand it on to the system's clipboard.
class ClipboardStandIn : public tavro::ClipboardBackend {
 public:
  using WriteThrough = std::function<bool(tavro::ClipboardBackend& system, const QString& text)>;

  explicit ClipboardStandIn(WriteThrough write)
      : system_(tavro::CreateSystemClipboard()), write_(std::move(write)) {
    connect(system_.get(), &ClipboardBackend::Changed, this, &ClipboardBackend::Changed);
  }
  bool Write(const QString& text) override { return write_(*system_, text); }
  quint64 ChangeCount() const override { return system_->ChangeCount(); }

 private:
  std::unique_ptr<tavro::ClipboardBackend> system_;
  WriteThrough write_;
};

// A clipboard that refuses every write, as one that another program holds.
inline std::unique_ptr<ClipboardStandIn> RefusingClipboard() {
  return std::make_unique<ClipboardStandIn>(
      [](tavro::ClipboardBackend&, const QString&) { return false; });
}
