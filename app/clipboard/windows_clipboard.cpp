// SPDX-License-Identifier: MIT
#include <windows.h>

#include <QClipboard>
#include <QGuiApplication>
#include <cstring>
#include <new>

#include "clipboard_backend.h"

namespace tavro {
namespace {

// The clipboard through Windows' own API. Qt's waits for a busy clipboard by
// sleeping, 300 ms a try, which froze the window at every retry, and empties
// it before it writes, which let another program open it in between and left
// the user's clipboard empty.
class WindowsClipboard : public ClipboardBackend {
 public:
  WindowsClipboard()
      // A window of our own to open the clipboard for, as programs do: the
      // clipboard then knows who holds it and who wrote the text.
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {
    // Qt's windows platform listens to the clipboard's changes for us.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &ClipboardBackend::Changed);
  }
  ~WindowsClipboard() override {
    // The text stays on the clipboard: it was handed over whole, not
    // promised for later.
    if (window_ != nullptr) DestroyWindow(window_);
  }
  WindowsClipboard(const WindowsClipboard&) = delete;
  WindowsClipboard& operator=(const WindowsClipboard&) = delete;

  bool Write(const QString& text) override {
    // The text is made before the clipboard is opened; only then is the old
    // content emptied, and at once replaced.
    const HGLOBAL memory = TextWithCrLf(text);
    if (!OpenClipboard(window_)) {  // another program holds it: fails at once
      GlobalFree(memory);
      return false;
    }
    const bool written = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!written) GlobalFree(memory);  // still ours unless the clipboard took it
    return written;
  }

  quint64 ChangeCount() const override { return GetClipboardSequenceNumber(); }

 private:
  // `text` as Windows programs expect it on the clipboard: lines ended by
  // CR LF, as Qt writes them too, and a closing NUL. Throws when memory is
  // short.
  static HGLOBAL TextWithCrLf(const QString& text) {
    const qsizetype lineFeeds = text.count(u'\n');
    const SIZE_T units = static_cast<SIZE_T>(text.size() + lineFeeds + 1);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, units * sizeof(wchar_t));
    if (memory == nullptr) throw std::bad_alloc();
    auto* out = static_cast<wchar_t*>(GlobalLock(memory));
    QChar previous;
    for (QChar unit : text) {
      if (unit == u'\n' && previous != u'\r') *out++ = L'\r';
      *out++ = static_cast<wchar_t>(unit.unicode());
      previous = unit;
    }
    *out = L'\0';
    GlobalUnlock(memory);
    return memory;
  }

  HWND window_;
};

}  // namespace

std::unique_ptr<ClipboardBackend> CreateWindowsClipboard() {
  return std::make_unique<WindowsClipboard>();
}

}  // namespace tavro
