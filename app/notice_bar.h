// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace tavro {

// A bar inside the window that tells the user what became of a command: an
// icon, the notice, a close button. It stays until the program hides it or
// the user closes it; key presses, clicks and window switches leave it.
class NoticeBar : public QFrame {
  Q_OBJECT

 public:
  enum class Kind { kInformation, kWarning, kError };

  // Laid over the lower edge of `covered`, inside `covered`'s parent.
  NoticeBar(QWidget& covered, QWidget* parent);

  void Show(Kind kind, const QString& notice);
  // The notice shown, or an empty one when the bar is hidden.
  QString notice() const;

 private:
  void PlaceOverCovered();

  QWidget& covered_;
  QLabel* icon_;
  QLabel* text_;
  QToolButton* close_;
};

}  // namespace tavro
