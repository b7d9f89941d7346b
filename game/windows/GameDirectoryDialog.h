#pragma once
// The game-directory dialog: a drive list and a directory tree; the selected directory is the
// game directory. Until its first "ОК" of a run it cannot be closed in any other way.
#include <QDialog>

namespace brindle::ui {
class DriveComboBox;
class DirectoryListBox;
}  // namespace brindle::ui

namespace brindle::game {

class GameDirectoryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GameDirectoryDialog(QWidget* parent = nullptr);

  ui::DriveComboBox* DriveComboBox1;
  ui::DirectoryListBox* DirectoryListBox1;

  // The game directory: the directory selected in the list, without trailing separator.
  QString directory() const;
  void setDirectory(const QString& directory);

  bool mayClose() const { return mayClose_; }

  void confirm();  // "ОК"

  // Closing (Escape, Alt+F4, the window manager) is refused until the first "ОК".
  void done(int result) override;

 Q_SIGNALS:
  // "ОК" was pressed with this directory selected.
  void confirmed(const QString& directory);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  bool mayClose_ = false;  // FormCreate
};

}  // namespace brindle::game
