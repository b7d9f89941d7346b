#pragma once
// The key dialog: the user picks one key name. It serves the MetaBind window, which has it fill
// one of its key slots, and the configuration wizard, which checks the chosen key itself.
#include <QDialog>
#include <functional>
#include <string>

class QAbstractButton;
class QListWidget;
class QPushButton;

namespace brindle::binds {

class KeyListBox;

class KeyDialog : public QDialog {
  Q_OBJECT

 public:
  explicit KeyDialog(QWidget* parent = nullptr);

  // Slot number: n >= 1 while the dialog fills key slot n of the MetaBind window, 0 otherwise.
  // The MetaBind window sets it before showing the dialog; every close sets it back to 0.
  int slotNumber() const { return slotNumber_; }
  void setSlotNumber(int n) { slotNumber_ = n; }

  // The MetaBind window's key-slot list and its BIND button, which "OK" fills in slot mode.
  void attachSlotList(QListWidget* slotList, QAbstractButton* bindButton);

  // Whether the last showing ended with an accepted key (cleared by "Отмена" and by closing).
  bool keyAccepted() const { return keyAccepted_; }
  // The selected key name (stays after the dialog closes until it shows again), or empty.
  QString chosenKey() const;

  // The wizard's key choice check, run on "OK" with a key selected and slot number 0. It gets
  // the key (CP1251) and returns whether the key is taken: true sets the key-accepted flag and
  // closes the dialog, false clears the flag and leaves the dialog open for another choice.
  // Without a check every key is taken.
  std::function<bool(const std::string& key)> keyChoiceCheck;

  void prepare();  // the list anew, nothing selected
  void confirm();  // "OK"
  void cancel();   // "Отмена"

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  KeyListBox* keyList_;        // ListBox1
  QPushButton* cancelButton_;  // Button2 "Отмена"
  QPushButton* okButton_;      // Button1 "OK"

  int slotNumber_ = 0;
  bool keyAccepted_ = false;
  QListWidget* slotList_ = nullptr;
  QAbstractButton* bindButton_ = nullptr;
};

}  // namespace brindle::binds
