#include "ui/FileListBox.h"

#include <QDir>

namespace brindle::ui {

FileListBox::FileListBox(QWidget* parent) : ChoiceListBox(parent) {
  setMask(QStringLiteral("*.*"));
}

void FileListBox::setMask(const QString& mask) {
  patterns_ = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  refresh();
}

void FileListBox::setDirectory(const QString& directory) {
  directory_ = directory;
  clear();
  refresh();
  selectRow(-1);
}

void FileListBox::refresh() {
  const QString selected = fileName();
  QStringList names;
  if (!directory_.isEmpty()) {
    QDir dir(directory_);
    dir.setNameFilters(patterns_);
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    names = dir.entryList();
  }
  clear();
  addItems(names);
  selectRow(selected.isEmpty() ? -1 : static_cast<int>(names.indexOf(selected)));
}

QString FileListBox::fileName() const { return selectedText().value_or(QString()); }

QString FileListBox::filePath() const {
  const QString name = fileName();
  if (name.isEmpty()) return {};
  return directory_.endsWith(QLatin1Char('/')) ? directory_ + name
                                               : directory_ + QLatin1Char('/') + name;
}

}  // namespace brindle::ui
