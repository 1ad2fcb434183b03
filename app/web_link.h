// SPDX-License-Identifier: MIT
#pragma once

#include <QUrl>
#include <functional>

namespace tavro {

// Hands a page to the user's browser without waiting for it; false when
// nothing could be launched.
using UrlLauncher = std::function<bool(const QUrl&)>;

// The desktop's own launcher: xdg-open on Linux, the shell on Windows, with no
// console window either way.
UrlLauncher DesktopUrlLauncher();

// Opens the forum page (kForumPageAddress) through `launch`. A failed launch changes nothing and
// is not reported.
void OpenForumPage(const UrlLauncher& launch);

}  // namespace tavro
