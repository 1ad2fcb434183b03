// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QToolButton;

namespace tavro {

// A bar inside the window that tells the user what became of a command: an
// icon, the notice, a close button, and a button for what the notice offers
// to do, where it offers something. It stays until the program hides it or
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
  // A button captioned `caption` beside the notice, which runs `act`.
  void SetAction(const QString& caption, const std::function<void()>& act);
  // Stands above `lower`, a bar over the same field, while it is shown.
  void StandAbove(QWidget& lower);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceOverCovered();

  QWidget& covered_;
  QWidget* lower_ = nullptr;
  QLabel* icon_;
  QLabel* text_;
  QToolButton* close_;
};

}  // namespace tavro
