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
  // Selects the key of that name (letter case ignored); a key the list does not hold (a key
  // name of the game beyond the program's list) is added at its end first.
  void chooseKey(const QString& key);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void updateColumns();
};

}  // namespace brindle::binds
