#include "ui/DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace brindle::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

bool isSystemVolume(const QStorageInfo& v) {
  static const QByteArrayList systemTypes = {
      "proc",   "sysfs",  "devtmpfs", "devpts",    "cgroup",     "cgroup2",  "securityfs",
      "pstore", "bpf",    "tracefs",  "debugfs",   "mqueue",     "hugetlbfs", "autofs",
      "configfs", "fusectl", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "ramfs"};
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

DirectoryListBox::DirectoryListBox(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fill(item); });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (current == nullptr) return;
    pending_.clear();
    Q_EMIT directoryChanged(directory());
  });
}

QTreeWidgetItem* DirectoryListBox::addItem(QTreeWidgetItem* parent, const QString& path,
                                           const QString& name) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, name);
  item->setData(0, kPathRole, path);
  item->setData(0, kFilledRole, false);
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void DirectoryListBox::fill(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const QString path = item->data(0, kPathRole).toString();
  const QDir dir(path);
  const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                          QDir::Name | QDir::IgnoreCase);
  for (const QString& name : names) addItem(item, dir.filePath(name), name);
  if (names.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

QTreeWidgetItem* DirectoryListBox::child(QTreeWidgetItem* item, const QString& name) {
  fill(item);
  for (int i = 0; i < item->childCount(); ++i)
    if (item->child(i)->text(0) == name) return item->child(i);
  return nullptr;
}

void DirectoryListBox::setRoot(const QString& root) {
  {
    const QSignalBlocker block(this);
    clear();
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
  QString root = root_;
  if (root.isEmpty() || !(clean == root || clean.startsWith(root == QLatin1String("/") ? root : root + QLatin1Char('/'))))
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

QString DirectoryListBox::directory() const {
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
