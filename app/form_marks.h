// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "character_forms.h"
#include "phrase_suggestions.h"

class QContextMenuEvent;
class QHelpEvent;
class QMenu;
class QPlainTextEdit;
class QWidget;

namespace tavro {

// The characters of a field's text that 简→繁 or 繁→简 could have written in
// another form, marked with a thin dotted underline, and among them those
// whose word asks for another form than the one written (suggestions), with
// a wavy underline in an accent colour. A right-click on one (or the
// context-menu key with the cursor before it) offers its other forms at the
// top of the field's menu, the one its word asks for first, for it alone or
// for every character of the same source; its tooltip names its forms, or
// the one its word asks for. Choosing one replaces the characters in the
// field and calls `publish`; so does taking every suggestion at once
// (ApplySuggestions, or 全部按词语改写 in the menu). The marks stay through
// such changes, a suggestion goes once taken or once the user chooses
// another form there; any other change of the text clears them all.
class FormMarks : public QObject {
  Q_OBJECT

 public:
  FormMarks(QPlainTextEdit& field, std::function<void()> publish);

  // Marks `marks`, and of `suggestions` those at marked characters, whose
  // positions are those of the field's text.
  void Set(std::vector<MarkedCharacter> marks, std::vector<WordSuggestion> suggestions = {});
  void Clear();
  const std::vector<MarkedCharacter>& marks() const { return marks_; }
  const std::vector<WordSuggestion>& suggestions() const { return suggestions_; }
  // Writes every suggested form into the field in one edit, then publishes.
  void ApplySuggestions();

  // The field's context menu at viewport position `at`, or at the cursor
  // when the keyboard asks: the standard one, under the forms of a marked
  // character there and the taking of every suggestion. The caller owns it.
  QMenu* ContextMenu(const QPoint& at, bool fromKeyboard);

 signals:
  // How many suggestions remain, whenever that changes.
  void SuggestionsChanged(int count);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Underlines;
  // The mark of the character drawn at viewport position `at`, or null.
  const MarkedCharacter* MarkAt(const QPoint& at) const;
  const MarkedCharacter* MarkOfPosition(int position) const;
  // The form the word around `position` asks for, or 0.
  char16_t SuggestionAt(std::size_t position) const;
  // Writes each form over the character at its position, then publishes;
  // the suggestions at those positions go.
  void Write(const std::vector<WordSuggestion>& changes);
  void SetSuggestions(std::vector<WordSuggestion> suggestions);

  QPlainTextEdit& field_;
  std::function<void()> publish_;
  std::vector<MarkedCharacter> marks_;       // in the order of their positions
  std::vector<WordSuggestion> suggestions_;  // likewise, each at a mark
  QWidget* viewport_;
  QPointer<Underlines> underlines_;
  bool writing_ = false;
};

}  // namespace tavro
