#pragma once
// The non-modal find dialog FindDialog1: the search text and a find-next button, nothing else
// (the search is always case-sensitive, whole words are not required and the direction is
// down). Each find-next runs the find step on the current search target, which the window that
// opens the dialog sets to its own text.
#include <QDialog>

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
  // (from the top when nothing is selected). A match is selected and its window gets the
  // focus. Returns the found offset, or -1 when there is no further match.
  core::Offset findNext();
  core::Offset foundPosition() const { return found_; }

  // Shows the dialog (or brings it forward) with an empty search text.
  void showFor(core::TextBuffer* target);

 Q_SIGNALS:
  void matchFound(brindle::core::Offset offset);

 private:
  QLineEdit* edit_;
  QPushButton* next_;
  core::TextBuffer* target_ = nullptr;
  core::Offset found_ = -1;
};

}  // namespace brindle::ui
