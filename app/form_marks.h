// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "character_forms.h"

class QContextMenuEvent;
class QHelpEvent;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace tavro {

// The characters of a field's text that 简→繁 or 繁→简 could have written in
// another form, marked with a thin dotted underline. A right-click on one (or
// the context-menu key with the cursor before it) offers its other forms at
// the top of the field's menu, for it alone or for every character of the
// same source; its tooltip names its forms. Choosing one replaces the
// characters in the field and calls `publish`. The marks stay through such
// choices; any other change of the text clears them.
class FormMarks : public QObject {
 public:
  FormMarks(QPlainTextEdit& field, std::function<void()> publish);

  // Marks `marks`, whose positions are those of the field's text.
  void Set(std::vector<MarkedCharacter> marks);
  void Clear();
  const std::vector<MarkedCharacter>& marks() const { return marks_; }

  // The field's context menu at viewport position `at`, or at the cursor
  // when the keyboard asks: the standard one, under the forms of a marked
  // character there. The caller owns it.
  QMenu* ContextMenu(const QPoint& at, bool fromKeyboard);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Underlines;
  // The mark of the character drawn at viewport position `at`, or null.
  const MarkedCharacter* MarkAt(const QPoint& at) const;
  const MarkedCharacter* MarkOfPosition(int position) const;
  // Writes `form` over the character at each of `positions`, then publishes.
  void Choose(std::vector<std::size_t> positions, char16_t form);

  QPlainTextEdit& field_;
  std::function<void()> publish_;
  std::vector<MarkedCharacter> marks_;  // in the order of their positions
  QWidget* viewport_;
  QPointer<Underlines> underlines_;
  bool choosing_ = false;
};

}  // namespace tavro
