#pragma once
// "Восстановить…": the backups of the current document, or of any file that has backups, with
// the date of each and, for the chosen one, what restoring it would change, line by line.
// Restoring asks first; the file's current version becomes a backup of its own, so the next
// restore can undo it. The number of backups kept per file is set here too.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "core/Backups.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace brindle::core {
class Settings;
}

namespace brindle::editor {

class RestoreWindow : public QDialog {
  Q_OBJECT

 public:
  RestoreWindow(std::shared_ptr<core::BackupStore> store, core::Settings* settings,
                QWidget* parent = nullptr);

  // Lists the files with backups, `document` (a path; empty for an untitled document) chosen,
  // and runs modally.
  void execFor(const std::string& document);
  // Fills the window for `document` without running it.
  void prepare(const std::string& document);

  // The file shown and its backups, newest first.
  std::string shownFile() const;
  const std::vector<core::BackupEntry>& backups() const { return entries_; }
  void selectBackup(int row);
  // The difference shown: one line each, marked "- ", "+ ", "  " or "… ".
  QString diffText() const;
  // Restores the chosen backup after asking. Returns whether the file was restored.
  bool restoreChosen();
  // "Другой файл…": a file chosen in the open dialog.
  void chooseOtherFile();

 Q_SIGNALS:
  // `path` (UTF-8) was restored from a backup.
  void restored(const QString& path);

 private:
  void fillFiles(const std::string& select);
  void showBackups();
  void showDiff();

  std::shared_ptr<core::BackupStore> store_;
  core::Settings* settings_;
  std::vector<core::BackupEntry> entries_;
  QComboBox* files_;
  QListWidget* list_;
  QLabel* empty_;
  QPlainTextEdit* diff_;
  QSpinBox* keep_;
  QPushButton* restore_;
};

}  // namespace brindle::editor
