// SPDX-License-Identifier: MIT
#pragma once

#include <QUrl>
#include <functional>

namespace tavro {

// Our forum's home page, opened by a click on the bare window surface.
inline constexpr char kForumPageAddress[] = "http://bbs.tavro.net/";

// Hands a page to the user's browser without waiting for it; false when
// nothing could be launched.
using UrlLauncher = std::function<bool(const QUrl&)>;

// The desktop's own launcher: xdg-open on Linux, the shell on Windows, with no
// console window either way.
UrlLauncher DesktopUrlLauncher();

// Opens the forum page through `launch`. A failed launch changes nothing and
// is not reported.
void OpenForumPage(const UrlLauncher& launch);

}  // namespace tavro
