#pragma once
// The game-directory dialog: a drive list and a directory tree; the selected directory is the
// game directory. Until its first "ОК" of a run it cannot be closed in any other way, and it
// then has no window-manager frame at all: a frame would bring a close button with it under
// window managers that show one whatever the program asks, and that button would do nothing.
// It draws its own caption and border instead; the caption moves the dialog.
// Above the drive list it offers the game directories found on this system (Steam libraries,
// Wine, the installers' folders); picking one selects it in the directory list.
#include <QDialog>
#include <QPoint>
#include <functional>
#include <vector>

#include "game/logic/GameDirectories.h"

class QComboBox;
class QLabel;

namespace brindle::ui {
class DriveComboBox;
class DirectoryListBox;
}  // namespace brindle::ui

namespace brindle::game {

class GameDirectoryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GameDirectoryDialog(QWidget* parent = nullptr);

  // The game directory: the directory selected in the list, without trailing separator.
  QString directory() const;
  void setDirectory(const QString& directory);

  // How the dialog looks for game directories each time it is shown (tests give their own).
  using Search = std::function<std::vector<FoundGameDirectory>()>;
  void setSearch(Search search);
  // Looks again and lists what it finds in the offer box.
  void refreshFound();
  const std::vector<FoundGameDirectory>& found() const { return found_; }

  bool mayClose() const { return mayClose_; }
  // Whether the dialog stands in its own frame (until the first "ОК").
  bool ownFrame() const { return ownFrame_; }

  void confirm();  // "ОК"

  // Closing (Escape, Alt+F4, the window manager) is refused until the first "ОК".
  void done(int result) override;

 Q_SIGNALS:
  // "ОК" was pressed with this directory selected.
  void confirmed(const QString& directory);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Its own frame while it cannot be closed, else a titled frame without buttons.
  void chooseFrame();

  void foundChosen(int index);

  QComboBox* foundBox_;
  Search search_;
  std::vector<FoundGameDirectory> found_;
  bool directorySet_ = false;          // by setDirectory or a found directory chosen
  ui::DriveComboBox* drives_;          // DriveComboBox1
  ui::DirectoryListBox* directories_;  // DirectoryListBox1
  QLabel* caption_;
  bool mayClose_ = false;  // FormCreate
  bool ownFrame_ = false;
  QPoint dragOffset_;
  bool dragging_ = false;
};

}  // namespace brindle::game
