// SPDX-License-Identifier: MIT
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "clipboard_backend.h"

namespace tavro {
namespace {

class QtClipboard : public ClipboardBackend {
 public:
  QtClipboard() {
    // Qt tells of every change; ours, on X11 and offscreen, while we write.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
      ++changes_;
      emit Changed();
    });
  }

  bool Write(const QString& text) override {
    // The whole new content is made before the clipboard is touched, and
    // replaces the old in one call: a refusal or an exception leaves the
    // user's clipboard as it was, never empty.
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(data.release());
    // Wayland says whether the text is ours now. X11 says so whatever the
    // server answered, and the platforms that keep the clipboard inside the
    // program (offscreen) never say so; there the text always arrives.
    if (QGuiApplication::platformName() == u"wayland") return clipboard->ownsClipboard();
    return true;
  }

  quint64 ChangeCount() const override { return changes_; }

 private:
  quint64 changes_ = 0;
};

}  // namespace

std::unique_ptr<ClipboardBackend> CreateSystemClipboard() {
#ifdef Q_OS_WIN
  // Not on the offscreen platform, whose clipboard lives inside the program.
  if (QGuiApplication::platformName() == u"windows") return CreateWindowsClipboard();
#endif
  return std::make_unique<QtClipboard>();
}

}  // namespace tavro
