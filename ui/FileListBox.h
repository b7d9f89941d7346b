#pragma once
// A file list bound to a directory: the regular files of the directory whose names match a mask
// ("*.cfg;*.kav;*.txt", letter case ignored), hidden files included, sorted by name. A "click"
// follows the user's choice as in ChoiceListBox.
#include <QStringList>

#include "ui/ChoiceListBox.h"

namespace brindle::ui {

class FileListBox : public ChoiceListBox {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  // Patterns separated by ';'.
  void setMask(const QString& mask);
  QString mask() const { return patterns_.join(QLatin1Char(';')); }

  // Lists `directory` (without a trailing separator); nothing is selected afterwards.
  void setDirectory(const QString& directory);
  QString directory() const { return directory_; }
  // Lists the directory again, keeping the selected name when it is still there.
  void refresh();

  // The selected file's name, or empty.
  QString fileName() const;
  // The selected file's full path, or empty.
  QString filePath() const;

 private:
  QString directory_;
  QStringList patterns_;
};

}  // namespace brindle::ui
