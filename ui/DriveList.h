#pragma once
// A drive list bound to a directory tree, for choosing a directory. On Linux the "drives" are
// the mounted volumes that hold ordinary files; choosing one shows its directories in the tree.
// The selected directory is the tree's current item. A directory that is set but does not exist
// (a stored path on a volume that is not mounted now) stays the selected directory, shown at the
// deepest part of it that exists, until the user picks another one.
// The tree follows the disk while it is shown: directories created or removed in a directory
// whose subdirectories it lists appear and go (a watcher on those directories, and a fresh
// read whenever a directory is opened).
#include <QComboBox>
#include <QHash>
#include <QTreeWidget>

class QFileSystemWatcher;

namespace brindle::ui {

// Root paths of the mounted volumes worth offering ("/" first), without system pseudo volumes.
QStringList mountedVolumes();
// The volume root that holds `path`: the longest mounted root that is a prefix of it.
QString volumeOf(const QString& path, const QStringList& volumes);

class DirectoryListBox : public QTreeWidget {
  Q_OBJECT

 public:
  explicit DirectoryListBox(QWidget* parent = nullptr);

  // Shows the tree of `root` (a volume root) with nothing below it opened.
  void setRoot(const QString& root);
  QString root() const { return root_; }
  // Opens the tree down to `path` and selects it.
  void setDirectory(const QString& path);
  // The selected directory, without a trailing separator (except for "/" itself).
  QString directory() const;

 Q_SIGNALS:
  void directoryChanged(const QString& directory);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QTreeWidgetItem* makeItem(const QString& path, const QString& name) const;
  QTreeWidgetItem* addItem(QTreeWidgetItem* parent, const QString& path, const QString& name);
  // Lists the subdirectories of the item's directory under it, once.
  void fill(QTreeWidgetItem* item);
  // Brings a listed item's subdirectories in line with the disk: new ones are added in their
  // sorted place, vanished ones removed; the others keep their own opened subtrees.
  void refresh(QTreeWidgetItem* item);
  QStringList subdirectories(const QString& path) const;
  // Forgets the listed items of a subtree that is removed.
  void forget(QTreeWidgetItem* item);
  QTreeWidgetItem* child(QTreeWidgetItem* item, const QString& name);

  QString root_;
  QString pending_;   // a set directory that does not exist
  QString deferred_;  // a directory set while hidden, opened when the tree shows
  QFileSystemWatcher* watcher_;
  QHash<QString, QTreeWidgetItem*> listed_;  // watched directory -> its filled item
};

class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(QWidget* parent = nullptr);

  // Re-reads the mounted volumes.
  void refresh();
  QString drive() const { return currentData().toString(); }
  // Selects the volume that holds `path` without announcing it.
  void showDriveOf(const QString& path);

  // Ties the list to a directory tree: choosing a drive shows that drive's directories, and the
  // drive shown follows the tree's directory.
  void bind(DirectoryListBox* tree);

 Q_SIGNALS:
  void driveChosen(const QString& root);
};

}  // namespace brindle::ui
