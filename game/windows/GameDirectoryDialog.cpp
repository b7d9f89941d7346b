#include "game/windows/GameDirectoryDialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include "ui/Codec.h"
#include "ui/DriveList.h"
#include "ui/ToolWindow.h"

namespace brindle::game {

GameDirectoryDialog::GameDirectoryDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tnachalo"));
  setWindowTitle(QStringLiteral("Выберите каталог с игрой"));

  caption_ = new QLabel(windowTitle(), this);
  caption_->setObjectName(QStringLiteral("Caption"));
  caption_->setAlignment(Qt::AlignCenter);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  caption_->setCursor(Qt::SizeAllCursor);
  caption_->installEventFilter(this);

  auto* label = new QLabel(QStringLiteral("Например: C:\\HalfLife\\cstrike"), this);
  label->setObjectName(QStringLiteral("Label1"));
  foundBox_ = new QComboBox(this);
  foundBox_->setObjectName(QStringLiteral("FoundGameDirectories"));
  foundBox_->setToolTip(QStringLiteral("Каталоги игры, найденные на этом компьютере"));
  drives_ = new ui::DriveComboBox(this);
  drives_->setObjectName(QStringLiteral("DriveComboBox1"));
  directories_ = new ui::DirectoryListBox(this);
  directories_->setObjectName(QStringLiteral("DirectoryListBox1"));
  drives_->bind(directories_);
  auto* ok = new QPushButton(QStringLiteral("ОК"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(caption_);
  layout->addWidget(label);
  layout->addWidget(foundBox_);
  layout->addWidget(drives_);
  layout->addWidget(directories_, 1);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  // The list needs room for a few levels of a path; the dialog stays compact.
  setFixedSize(297, 290);

  connect(ok, &QPushButton::clicked, this, &GameDirectoryDialog::confirm);
  connect(foundBox_, &QComboBox::activated, this, &GameDirectoryDialog::foundChosen);
  search_ = [] { return findGameDirectories(environmentOfThisSystem()); };
  chooseFrame();

  // Until a directory is set the list shows the process's working directory.
  directories_->setDirectory(QDir::currentPath());
}

QString GameDirectoryDialog::directory() const { return directories_->directory(); }

void GameDirectoryDialog::setDirectory(const QString& directory) {
  directories_->setDirectory(directory);
  directorySet_ = true;
}

void GameDirectoryDialog::setSearch(Search search) {
  search_ = std::move(search);
  refreshFound();
}

void GameDirectoryDialog::refreshFound() {
  found_ = search_ ? search_() : std::vector<FoundGameDirectory>();
  const QSignalBlocker blocker(foundBox_);
  foundBox_->clear();
  // The first line says what the box holds; the found directories follow it.
  foundBox_->addItem(
      found_.empty()
          ? QStringLiteral("Каталог игры не найден: выберите его ниже")
          : QStringLiteral("Найденные каталоги игры (%1):").arg(static_cast<int>(found_.size())));
  for (const FoundGameDirectory& f : found_) {
    const QString path = ui::fromUtf8(f.path);
    foundBox_->addItem(QStringLiteral("%1 — %2").arg(path, ui::fromUtf8(f.origin)), path);
    foundBox_->setItemData(foundBox_->count() - 1, path, Qt::ToolTipRole);
  }
  foundBox_->setEnabled(!found_.empty());
  foundBox_->setCurrentIndex(0);
  // The one directory found is the one to confirm, unless a directory was set already.
  if (found_.size() == 1 && !directorySet_) {
    foundBox_->setCurrentIndex(1);
    directories_->setDirectory(foundBox_->itemData(1).toString());
  }
}

void GameDirectoryDialog::foundChosen(int index) {
  if (index <= 0 || index > static_cast<int>(found_.size())) return;
  setDirectory(foundBox_->itemData(index).toString());
}

void GameDirectoryDialog::confirm() {
  mayClose_ = true;
  directorySet_ = true;
  Q_EMIT confirmed(directory());
  accept();
  // Hidden now: the frame can change before the dialog is shown again.
  if (ownFrame_ && !isVisible()) chooseFrame();
}

void GameDirectoryDialog::chooseFrame() {
  ownFrame_ = !mayClose_;
  if (ownFrame_)
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
  else
    ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::None);
  caption_->setVisible(ownFrame_);
}

void GameDirectoryDialog::done(int result) {
  if (!mayClose_) return;
  QDialog::done(result);
}

void GameDirectoryDialog::closeEvent(QCloseEvent* e) {
  if (!mayClose_) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void GameDirectoryDialog::showEvent(QShowEvent* e) {
  refreshFound();
  // Centred on the desktop.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
  // The selected directory in the middle of the list, its parents above it.
  if (QTreeWidgetItem* item = directories_->currentItem())
    directories_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void GameDirectoryDialog::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  if (!ownFrame_) return;
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool GameDirectoryDialog::eventFilter(QObject* watched, QEvent* e) {
  if (watched != caption_) return QDialog::eventFilter(watched, e);
  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      const auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() != Qt::LeftButton) break;
      dragOffset_ = m->globalPosition().toPoint() - frameGeometry().topLeft();
      dragging_ = true;
      return true;
    }
    case QEvent::MouseMove: {
      const auto* m = static_cast<QMouseEvent*>(e);
      if (!dragging_ || !(m->buttons() & Qt::LeftButton)) break;
      move(m->globalPosition().toPoint() - dragOffset_);
      return true;
    }
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, e);
}

}  // namespace brindle::game
