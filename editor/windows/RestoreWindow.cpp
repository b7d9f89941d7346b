#include "editor/windows/RestoreWindow.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "core/FileIO.h"
#include "core/LineDiff.h"
#include "core/Settings.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"

namespace brindle::editor {
namespace {

QString sizeText(std::uintmax_t bytes) {
  return bytes >= 10 * 1024 ? QStringLiteral("%1 КБ").arg(bytes / 1024)
                            : QStringLiteral("%1 байт").arg(bytes);
}

}  // namespace

RestoreWindow::RestoreWindow(std::shared_ptr<core::BackupStore> store, core::Settings* settings,
                             QWidget* parent)
    : QDialog(parent), store_(std::move(store)), settings_(settings) {
  setObjectName(QStringLiteral("RestoreWindow"));
  setWindowTitle(QStringLiteral("Восстановление из резервной копии"));
  resize(720, 520);

  auto* layout = new QVBoxLayout(this);
  auto* fileRow = new QHBoxLayout;
  auto* fileLabel = new QLabel(QStringLiteral("Файл:"), this);
  fileLabel->setObjectName(QStringLiteral("FileLabel"));
  files_ = new QComboBox(this);
  files_->setObjectName(QStringLiteral("FileBox"));
  files_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  fileLabel->setBuddy(files_);
  auto* other = new QPushButton(QStringLiteral("Другой файл…"), this);
  other->setObjectName(QStringLiteral("OtherFileButton"));
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(files_, 1);
  fileRow->addWidget(other);
  layout->addLayout(fileRow);

  auto* listLabel = new QLabel(QStringLiteral("Резервные копии, от новой к старой:"), this);
  listLabel->setObjectName(QStringLiteral("BackupLabel"));
  layout->addWidget(listLabel);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("BackupList"));
  list_->setMaximumHeight(150);
  listLabel->setBuddy(list_);
  layout->addWidget(list_);
  empty_ = new QLabel(QStringLiteral("У этого файла нет резервных копий."), this);
  empty_->setObjectName(QStringLiteral("EmptyLabel"));
  layout->addWidget(empty_);

  auto* diffLabel =
      new QLabel(QStringLiteral("Что изменит восстановление: «-» — строки файла, которые уйдут, "
                                "«+» — строки копии, которые вернутся."),
                 this);
  diffLabel->setObjectName(QStringLiteral("DiffLabel"));
  diffLabel->setWordWrap(true);
  layout->addWidget(diffLabel);
  diff_ = new QPlainTextEdit(this);
  diff_->setObjectName(QStringLiteral("DiffView"));
  diff_->setReadOnly(true);
  diff_->setLineWrapMode(QPlainTextEdit::NoWrap);
  diff_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(diff_, 1);

  auto* bottom = new QHBoxLayout;
  auto* keepLabel = new QLabel(QStringLiteral("Хранить копий каждого файла:"), this);
  keepLabel->setObjectName(QStringLiteral("KeepLabel"));
  keep_ = new QSpinBox(this);
  keep_->setObjectName(QStringLiteral("KeepBox"));
  keep_->setRange(1, core::kMaxBackupsPerFile);
  keep_->setValue(store_ ? store_->limits().perFile : core::kDefaultBackupsPerFile);
  keepLabel->setBuddy(keep_);
  restore_ = new QPushButton(QStringLiteral("Восстановить"), this);
  restore_->setObjectName(QStringLiteral("RestoreButton"));
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  close->setObjectName(QStringLiteral("CloseButton"));
  bottom->addWidget(keepLabel);
  bottom->addWidget(keep_);
  bottom->addStretch(1);
  bottom->addWidget(restore_);
  bottom->addWidget(close);
  layout->addLayout(bottom);

  connect(files_, &QComboBox::currentIndexChanged, this, [this] { showBackups(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this] { showDiff(); });
  connect(other, &QPushButton::clicked, this, &RestoreWindow::chooseOtherFile);
  connect(restore_, &QPushButton::clicked, this, &RestoreWindow::restoreChosen);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(keep_, &QSpinBox::valueChanged, this, [this](int n) {
    if (!store_) return;
    core::BackupLimits limits = store_->limits();
    limits.perFile = n;
    store_->setLimits(limits);
    if (settings_) {
      const core::SettingKey key = core::keyOf(core::Setting::BackupsPerFile);
      settings_->writeInt(key.section, key.key, n);
    }
  });
}

void RestoreWindow::prepare(const std::string& document) {
  if (store_) {
    const QSignalBlocker block(keep_);
    keep_->setValue(store_->limits().perFile);
  }
  fillFiles(document);
}

void RestoreWindow::execFor(const std::string& document) {
  prepare(document);
  exec();
}

void RestoreWindow::fillFiles(const std::string& select) {
  std::vector<std::string> files = store_ ? store_->backedUpFiles() : std::vector<std::string>();
  const std::string chosen = select.empty() ? std::string() : core::backupPathOf(select);
  if (!chosen.empty() && std::find(files.begin(), files.end(), chosen) == files.end())
    files.insert(files.begin(), chosen);
  const QSignalBlocker block(files_);
  files_->clear();
  for (const std::string& f : files) files_->addItem(ui::fromUtf8(f));
  const auto at = std::find(files.begin(), files.end(), chosen);
  files_->setCurrentIndex(at == files.end() ? (files.empty() ? -1 : 0)
                                            : static_cast<int>(at - files.begin()));
  showBackups();
}

std::string RestoreWindow::shownFile() const { return ui::toUtf8(files_->currentText()); }

void RestoreWindow::showBackups() {
  entries_ = store_ && files_->currentIndex() >= 0 ? store_->backupsOf(shownFile())
                                                   : std::vector<core::BackupEntry>();
  const QSignalBlocker block(list_);
  list_->clear();
  for (const core::BackupEntry& e : entries_)
    list_->addItem(ui::fromUtf8(core::backupTimeText(e.timeMs)) + QStringLiteral("   ") +
                   sizeText(e.size));
  empty_->setVisible(entries_.empty());
  restore_->setEnabled(!entries_.empty());
  list_->setCurrentRow(entries_.empty() ? -1 : 0);
  showDiff();
}

void RestoreWindow::selectBackup(int row) { list_->setCurrentRow(row); }

void RestoreWindow::showDiff() {
  diff_->clear();
  const int row = list_->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return;
  const core::ReadResult backup = store_->read(entries_[static_cast<std::size_t>(row)]);
  if (!backup.ok) {
    diff_->setPlainText(ui::fromUtf8(backup.error));
    return;
  }
  // From the file as it is now to the backup: what restoring would do. A file that is gone
  // comes back whole.
  std::string current;
  if (core::pathExists(shownFile())) {
    const core::ReadResult now = core::readFile(shownFile());
    if (!now.ok) {
      diff_->setPlainText(ui::fromUtf8(now.error));
      return;
    }
    current = now.data;
  }
  const std::vector<core::DiffLine> lines =
      core::withContext(core::lineDiff(current, backup.data), 3);
  // Removed and added lines are marked across the whole width of the view.
  const auto lineFormat = [](const QColor& background) {
    QTextBlockFormat f;
    if (background.isValid()) f.setBackground(background);
    return f;
  };
  const QTextBlockFormat plainLine = lineFormat(QColor());
  const QTextBlockFormat removedLine = lineFormat(QColor(0xff, 0xd8, 0xd8));
  const QTextBlockFormat addedLine = lineFormat(QColor(0xd8, 0xf5, 0xd8));
  QTextCharFormat plain;
  QTextCharFormat skipped;
  skipped.setForeground(Qt::gray);
  QTextCursor cursor(diff_->document());
  bool first = true;
  for (const core::DiffLine& l : lines) {
    using K = core::DiffLine::Kind;
    const QTextBlockFormat& block = l.kind == K::Removed ? removedLine
                                    : l.kind == K::Added ? addedLine
                                                         : plainLine;
    if (first)
      cursor.setBlockFormat(block);
    else
      cursor.insertBlock(block);
    first = false;
    switch (l.kind) {
      case K::Same:
        cursor.insertText(QStringLiteral("  ") + ui::toQ(l.text), plain);
        break;
      case K::Removed:
        cursor.insertText(QStringLiteral("- ") + ui::toQ(l.text), plain);
        break;
      case K::Added:
        cursor.insertText(QStringLiteral("+ ") + ui::toQ(l.text), plain);
        break;
      case K::Skipped:
        cursor.insertText(QStringLiteral("… строк без изменений: %1").arg(l.skipped), skipped);
        break;
    }
  }
  if (lines.empty() || std::none_of(lines.begin(), lines.end(), [](const core::DiffLine& l) {
        return l.kind == core::DiffLine::Kind::Removed || l.kind == core::DiffLine::Kind::Added;
      })) {
    if (!first) cursor.insertBlock(plainLine);
    cursor.insertText(QStringLiteral("(копия совпадает с файлом)"), skipped);
  }
  diff_->moveCursor(QTextCursor::Start);
}

QString RestoreWindow::diffText() const { return diff_->toPlainText(); }

bool RestoreWindow::restoreChosen() {
  const int row = list_->currentRow();
  if (!store_ || row < 0 || static_cast<std::size_t>(row) >= entries_.size()) return false;
  const core::BackupEntry entry = entries_[static_cast<std::size_t>(row)];
  const QString question =
      QStringLiteral(
          "Восстановить файл\n%1\nиз резервной копии от %2?\n"
          "Нынешнее содержимое файла сохранится в новой резервной копии.")
          .arg(ui::fromUtf8(entry.original), ui::fromUtf8(core::backupTimeText(entry.timeMs)));
  if (ui::askYesNo(this, question) != ui::Answer::Yes) return false;
  const core::WriteResult r = store_->restore(entry);
  if (!r.ok) {
    ui::showError(this, ui::fromUtf8(r.error));
    return false;
  }
  showBackups();
  Q_EMIT restored(ui::fromUtf8(entry.original));
  return true;
}

void RestoreWindow::chooseOtherFile() {
  ui::FileDialogRequest request;
  request.title = QStringLiteral("Файл, который нужно восстановить");
  request.filter = QStringLiteral("All (*.*)|*.*");
  request.directory = ui::startDirectory(files_->currentText(), QString());
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
  if (chosen.accepted) fillFiles(ui::toUtf8(chosen.path));
}

}  // namespace brindle::editor
