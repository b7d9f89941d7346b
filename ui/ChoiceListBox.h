#pragma once
// A list box whose "click" follows the user's choice: a mouse click on an entry (also on the
// entry already chosen) or a keyboard move to another entry. Choices the program makes itself
// do not count, and the second click of a double click gives no second "click".
#include <QListWidget>
#include <optional>

namespace brindle::ui {

class ChoiceListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ChoiceListBox(QWidget* parent = nullptr);

  // The selected entry's row, or -1.
  int selectedRow() const;
  // The selected entry's text, or nothing.
  std::optional<QString> selectedText() const;
  // Selects a row (-1: none) without a "click".
  void selectRow(int row);
  // The entries' texts in their order.
  QStringList texts() const;
  // Adds an entry at its alphabetical place (letter case ignored, then counting) unless an
  // equal entry is there already; returns its row.
  int addSorted(const QString& text);

 Q_SIGNALS:
  void userClicked();
  void userDoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool pressedOnItem_ = false;
  bool doubleClick_ = false;
};

}  // namespace brindle::ui
