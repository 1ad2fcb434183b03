// SPDX-License-Identifier: MIT
#include "web_link.h"

#include <QDesktopServices>

#include "program_facts.h"

namespace tavro {

UrlLauncher DesktopUrlLauncher() { return &QDesktopServices::openUrl; }

void OpenForumPage(const UrlLauncher& launch) {
  if (launch) launch(QUrl(QString::fromLatin1(kForumPageAddress)));
}

}  // namespace tavro
