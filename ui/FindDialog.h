#pragma once
// The non-modal find dialog FindDialog1: the search text and a find-next button, nothing else
// (the search is always case-sensitive, whole words are not required and the direction is
// down). Each find-next runs the find step on the current search target, which the window that
// opens the dialog sets to its own text. The dialog keeps the keyboard while it is open (Enter
// finds the next match again) and the target shows its match selected although its window is
// not the active one.
#include <QColor>
#include <QDialog>
#include <QPointer>

#include "core/TextBuffer.h"

class QLineEdit;
class QPushButton;

namespace brindle::ui {

class FindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent = nullptr);

  void setTarget(core::TextBuffer* target) { target_ = target; }
  core::TextBuffer* target() const { return target_; }

  QString searchText() const;
  void setSearchText(const QString& text);

  // FindDialog1Find: searches the target for the search text from the end of its selection
  // (from the top when nothing is selected). A match is selected and the target becomes the
  // focus of its own window, which the user returns to when the dialog closes; the dialog
  // itself stays the active window. Returns the found offset, or -1 when there is no match.
  core::Offset findNext();
  core::Offset foundPosition() const { return found_; }

  // Shows the dialog (or brings it forward) with an empty search text.
  void showFor(core::TextBuffer* target);

 Q_SIGNALS:
  void matchFound(brindle::core::Offset offset);

 protected:
  void hideEvent(QHideEvent* e) override;

 private:
  // While the dialog is open the target paints its selection in an inactive window as it does
  // in the active one; on hiding, the target's own inactive colours come back.
  void showSelectionWhileInactive();
  void restoreInactiveColours();

  QLineEdit* edit_;
  QPushButton* next_;
  core::TextBuffer* target_ = nullptr;
  core::Offset found_ = -1;
  QPointer<QWidget> highlighted_;
  QColor inactiveHighlight_;
  QColor inactiveHighlightedText_;
};

}  // namespace brindle::ui
