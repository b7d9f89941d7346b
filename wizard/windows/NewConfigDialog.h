#pragma once
// The new-config dialog: creates an empty file of the typed name in a given directory. The
// wizard opens it for the directory of its file list.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace brindle::wizard {

class NewConfigDialog : public QDialog {
  Q_OBJECT

 public:
  explicit NewConfigDialog(QWidget* parent = nullptr);

  // Shows the dialog modally for `directory` (a path without trailing separator).
  int execFor(const QString& directory);

  void createFile();  // "ОК"

 private:
  QLineEdit* nameEdit_;  // Edit1
  QString directory_;
};

}  // namespace brindle::wizard
