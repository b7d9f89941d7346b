#pragma once
// The key list of the bind dialogs: every key name, in two columns. Names run down the first
// column and on into the next, as many rows as the height allows; the list scrolls sideways,
// two columns in view.
#include <QListWidget>

namespace brindle::binds {

class KeyListBox : public QListWidget {
 public:
  explicit KeyListBox(QWidget* parent = nullptr);

  // All key names anew, none selected.
  void fillKeys();
  // The selected key name, or an empty string when none is selected.
  QString selectedKey() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void updateColumns();
};

}  // namespace brindle::binds
