#include "ui/DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace brindle::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

bool isSystemVolume(const QStorageInfo& v) {
  static const QByteArrayList systemTypes = {
      "proc",     "sysfs",   "devtmpfs",    "devpts",   "cgroup",     "cgroup2",   "securityfs",
      "pstore",   "bpf",     "tracefs",     "debugfs",  "mqueue",     "hugetlbfs", "autofs",
      "configfs", "fusectl", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",      "ramfs"};
  const QByteArray type = v.fileSystemType();
  if (systemTypes.contains(type)) return true;
  const QString root = v.rootPath();
  for (const char* prefix : {"/proc", "/sys", "/dev", "/run"}) {
    const QString p = QString::fromLatin1(prefix);
    if (root == p || root.startsWith(p + QLatin1Char('/'))) {
      // Removable media are mounted below /run/media.
      if (!root.startsWith(QStringLiteral("/run/media/"))) return true;
    }
  }
  return false;
}

QString withoutTrailingSlash(QString path) {
  while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

}  // namespace

QStringList mountedVolumes() {
  QStringList roots{QStringLiteral("/")};
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady() || isSystemVolume(v)) continue;
    const QString root = withoutTrailingSlash(v.rootPath());
    // Single files bound into a container show up as mounts too.
    if (!QFileInfo(root).isDir() || roots.contains(root)) continue;
    roots << root;
  }
  std::sort(roots.begin() + 1, roots.end());
  return roots;
}

QString volumeOf(const QString& path, const QStringList& volumes) {
  QString best = QStringLiteral("/");
  for (const QString& v : volumes) {
    if (v == QLatin1String("/")) continue;
    if ((path == v || path.startsWith(v + QLatin1Char('/'))) && v.size() > best.size()) best = v;
  }
  return best;
}

// ------------------------------------------------------------------------------ directory tree

DirectoryListBox::DirectoryListBox(QWidget* parent)
    : QTreeWidget(parent), watcher_(new QFileSystemWatcher(this)) {
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    // Read afresh: a watcher may not report every file system (network shares, say).
    if (item->data(0, kFilledRole).toBool())
      refresh(item);
    else
      fill(item);
  });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& path) {
    if (QTreeWidgetItem* item = listed_.value(path)) refresh(item);
  });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current == nullptr) return;
    pending_.clear();
    Q_EMIT directoryChanged(directory());
  });
}

QTreeWidgetItem* DirectoryListBox::makeItem(const QString& path, const QString& name) const {
  auto* item = new QTreeWidgetItem;
  item->setText(0, name);
  item->setData(0, kPathRole, path);
  item->setData(0, kFilledRole, false);
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

QTreeWidgetItem* DirectoryListBox::addItem(QTreeWidgetItem* parent, const QString& path,
                                           const QString& name) {
  QTreeWidgetItem* item = makeItem(path, name);
  if (parent != nullptr)
    parent->addChild(item);
  else
    addTopLevelItem(item);
  return item;
}

QStringList DirectoryListBox::subdirectories(const QString& path) const {
  return QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                              QDir::Name | QDir::IgnoreCase);
}

void DirectoryListBox::fill(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const QString path = item->data(0, kPathRole).toString();
  const QDir dir(path);
  const QStringList names = subdirectories(path);
  for (const QString& name : names) addItem(item, dir.filePath(name), name);
  if (names.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
  if (QFileInfo(path).isDir()) {
    listed_.insert(path, item);
    watcher_->addPath(path);
  }
}

void DirectoryListBox::refresh(QTreeWidgetItem* item) {
  const QString path = item->data(0, kPathRole).toString();
  const QStringList names = subdirectories(path);
  // Both lists are in the same order, the order of the directory listing.
  for (int i = item->childCount() - 1; i >= 0; --i) {
    QTreeWidgetItem* c = item->child(i);
    if (names.contains(c->text(0))) continue;
    // The selected directory, or one above it, has gone: the selection moves up to here.
    for (const QTreeWidgetItem* up = currentItem(); up != nullptr; up = up->parent())
      if (up == c) {
        setCurrentItem(item);
        break;
      }
    forget(c);
    delete item->takeChild(i);
  }
  const QDir dir(path);
  for (int i = 0; i < names.size(); ++i)
    if (i >= item->childCount() || item->child(i)->text(0) != names[i])
      item->insertChild(i, makeItem(dir.filePath(names[i]), names[i]));
  item->setChildIndicatorPolicy(names.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                : QTreeWidgetItem::ShowIndicator);
}

void DirectoryListBox::forget(QTreeWidgetItem* item) {
  for (int i = 0; i < item->childCount(); ++i) forget(item->child(i));
  const QString path = item->data(0, kPathRole).toString();
  if (listed_.value(path) == item) {
    listed_.remove(path);
    watcher_->removePath(path);
  }
}

QTreeWidgetItem* DirectoryListBox::child(QTreeWidgetItem* item, const QString& name) {
  fill(item);
  for (int i = 0; i < item->childCount(); ++i)
    if (item->child(i)->text(0) == name) return item->child(i);
  return nullptr;
}

void DirectoryListBox::setRoot(const QString& root) {
  deferred_.clear();
  {
    const QSignalBlocker block(this);
    clear();
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    listed_.clear();
    root_ = withoutTrailingSlash(root);
    QTreeWidgetItem* top = addItem(nullptr, root_, root_);
    fill(top);
    top->setExpanded(true);
    setCurrentItem(top);
    pending_.clear();
  }
  Q_EMIT directoryChanged(directory());
}

void DirectoryListBox::setDirectory(const QString& path) {
  const QString clean = withoutTrailingSlash(QDir::cleanPath(QDir(path).absolutePath()));
  // A tree nobody sees is read from the disk when it is first shown: windows created at start
  // (the wizard, the game-directory dialog) cost nothing until they are opened.
  if (!isVisible()) {
    deferred_ = clean;
    Q_EMIT directoryChanged(clean);
    return;
  }
  deferred_.clear();
  QString root = root_;
  if (root.isEmpty() ||
      !(clean == root ||
        clean.startsWith(root == QLatin1String("/") ? root : root + QLatin1Char('/'))))
    root = volumeOf(clean, mountedVolumes());
  if (root != root_ || topLevelItemCount() == 0) {
    const QSignalBlocker block(this);
    setRoot(root);
  } else {
    collapseAll();
  }
  QTreeWidgetItem* item = topLevelItem(0);
  const QString rest = clean.mid(root_.size());
  bool complete = true;
  {
    const QSignalBlocker block(this);
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
      QTreeWidgetItem* next = child(item, part);
      if (next == nullptr) {
        complete = false;
        break;
      }
      item->setExpanded(true);
      item = next;
    }
    topLevelItem(0)->setExpanded(true);
    // The selected directory shows its own subdirectories, as the next choices.
    fill(item);
    item->setExpanded(true);
    setCurrentItem(item);
  }
  scrollToItem(item);
  pending_ = complete ? QString() : clean;
  Q_EMIT directoryChanged(directory());
}

void DirectoryListBox::showEvent(QShowEvent* event) {
  QTreeWidget::showEvent(event);
  if (!deferred_.isEmpty()) setDirectory(QString(deferred_));
}

QString DirectoryListBox::directory() const {
  if (!deferred_.isEmpty()) return deferred_;
  if (!pending_.isEmpty()) return pending_;
  const QTreeWidgetItem* item = currentItem();
  return item ? withoutTrailingSlash(item->data(0, kPathRole).toString()) : root_;
}

// ------------------------------------------------------------------------------ drive list

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  refresh();
  connect(this, &QComboBox::activated, this, [this](int) { Q_EMIT driveChosen(drive()); });
}

void DriveComboBox::refresh() {
  const QSignalBlocker block(this);
  const QString current = drive();
  clear();
  for (const QString& root : mountedVolumes()) {
    addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root, root);
  }
  const int i = findData(current);
  if (i >= 0) setCurrentIndex(i);
}

void DriveComboBox::showDriveOf(const QString& path) {
  QStringList roots;
  for (int i = 0; i < count(); ++i) roots << itemData(i).toString();
  const QSignalBlocker block(this);
  const int i = findData(volumeOf(path, roots));
  if (i >= 0) setCurrentIndex(i);
}

void DriveComboBox::bind(DirectoryListBox* tree) {
  connect(this, &DriveComboBox::driveChosen, tree, &DirectoryListBox::setRoot);
  connect(tree, &DirectoryListBox::directoryChanged, this, &DriveComboBox::showDriveOf);
}

}  // namespace brindle::ui
