#include "ui/MessageBoxes.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSize>
#include <QTreeView>

namespace brindle::ui {
namespace {

ScriptedAnswers* g_script = nullptr;

QString captionFor(BoxKind kind) {
  switch (kind) {
    case BoxKind::Warning:
      return QStringLiteral("Предупреждение");
    case BoxKind::Error:
      return QStringLiteral("Ошибка");
    case BoxKind::Information:
      return QStringLiteral("Информация");
    case BoxKind::Confirmation:
      return QStringLiteral("Подтверждение");
    case BoxKind::Plain:
      break;
  }
  return QApplication::applicationName();
}

QMessageBox::Icon iconFor(BoxKind kind) {
  switch (kind) {
    case BoxKind::Warning:
      return QMessageBox::Warning;
    case BoxKind::Error:
      return QMessageBox::Critical;
    case BoxKind::Information:
      return QMessageBox::Information;
    case BoxKind::Confirmation:
      return QMessageBox::Question;
    case BoxKind::Plain:
      break;
  }
  return QMessageBox::NoIcon;
}

// The file list's size, type and date columns in Russian. Qt fills them from the system locale
// (the C locale here: "2.93 KiB", "7 Dec 2026") and from texts its Russian translation lacks
// ("Folder", "Drive", "%1 File").
class RussianFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr || index.column() < 1 || index.column() > 3)
      return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    switch (index.column()) {
      case 1:
        return info.isDir() ? QString() : fileSize(info.size());
      case 2:
        if (info.isRoot()) return QStringLiteral("Диск");
        if (info.isDir()) return QStringLiteral("Папка");
        return info.suffix().isEmpty() ? QStringLiteral("Файл")
                                       : QStringLiteral("Файл %1").arg(info.suffix());
      default: {
        const QDateTime modified = info.lastModified();
        return modified.isValid() ? modified.toString(QStringLiteral("dd.MM.yyyy HH:mm"))
                                  : QString();
      }
    }
  }

  static QString fileSize(qint64 bytes) {
    if (bytes >= 1024)
      return QLocale(QLocale::Russian, QLocale::Russia)
          .formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
    // 1 байт, 2 байта, 5 байт, 11 байт, 21 байт.
    const qint64 last = bytes % 10;
    const bool teen = bytes % 100 >= 11 && bytes % 100 <= 14;
    const QString unit =
        !teen && last >= 2 && last <= 4 ? QStringLiteral("байта") : QStringLiteral("байт");
    return QString::number(bytes) + QLatin1Char(' ') + unit;
  }
};

Answer closedAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return Answer::Ok;
    case Buttons::YesNo:
      return Answer::No;
    case Buttons::YesNoCancel:
      return Answer::Cancel;
  }
  return Answer::Cancel;
}

}  // namespace

ScriptedAnswers::ScriptedAnswers() : previous_(g_script) { g_script = this; }
ScriptedAnswers::~ScriptedAnswers() { g_script = previous_; }
ScriptedAnswers* ScriptedAnswers::active() { return g_script; }

void ScriptedAnswers::clear() {
  answers_.clear();
  files_.clear();
  boxes_.clear();
  fileDialogs_.clear();
}

Answer messageBox(QWidget* parent, BoxKind kind, const QString& text, Buttons buttons) {
  if (g_script) {
    g_script->boxes_.push_back({kind, text, buttons});
    if (g_script->answers_.empty()) return closedAnswer(buttons);
    const Answer a = g_script->answers_.front();
    g_script->answers_.erase(g_script->answers_.begin());
    return a;
  }
  QMessageBox box(iconFor(kind), captionFor(kind), text, QMessageBox::NoButton, parent);
  QPushButton* ok = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  switch (buttons) {
    case Buttons::Ok:
      ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
      box.setEscapeButton(ok);
      break;
    case Buttons::YesNo:
      yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
      box.setEscapeButton(no);
      break;
    case Buttons::YesNoCancel:
      yes = box.addButton(QStringLiteral("&Да"), QMessageBox::YesRole);
      no = box.addButton(QStringLiteral("&Нет"), QMessageBox::NoRole);
      cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
      box.setEscapeButton(cancel);
      break;
  }
  box.exec();
  const auto* clicked = box.clickedButton();
  if (clicked == nullptr) return closedAnswer(buttons);
  if (clicked == yes) return Answer::Yes;
  if (clicked == no) return Answer::No;
  if (clicked == cancel) return Answer::Cancel;
  return Answer::Ok;
}

QStringList qtFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses; add them when the text has none.
    if (!description.contains(QLatin1Char('(')))
      description += QStringLiteral(" (") + patterns + QLatin1Char(')');
    else if (!description.contains(patterns))
      description = description.left(description.indexOf(QLatin1Char('('))).trimmed() +
                    QStringLiteral(" (") + patterns + QLatin1Char(')');
    out << description;
  }
  return out;
}

FileDialogResult runFileDialog(QWidget* parent, const FileDialogRequest& request,
                               const std::function<void(int)>& onTypeChange) {
  if (g_script) {
    g_script->fileDialogs_.push_back(request);
    FileDialogResult result;
    result.filterIndex = request.filterIndex;
    if (g_script->files_.empty()) return result;
    const ScriptedAnswers::File f = g_script->files_.front();
    g_script->files_.erase(g_script->files_.begin());
    if (f.typeChangedTo) {
      result.filterIndex = *f.typeChangedTo;
      if (onTypeChange) onTypeChange(*f.typeChangedTo);
    }
    result.accepted = f.accepted;
    result.path = f.path;
    return result;
  }

  QFileDialog dialog(parent);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setProxyModel(new RussianFileColumns(&dialog));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);  // the caller asks its own question
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
  const QStringList filters = qtFilters(request.filter);
  dialog.setNameFilters(filters);
  const int index =
      qBound(1, request.filterIndex, static_cast<int>(qMax<qsizetype>(1, filters.size())));
  if (!filters.isEmpty()) dialog.selectNameFilter(filters[index - 1]);
  if (!request.directory.isEmpty()) dialog.setDirectory(request.directory);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  // Wide enough for the Russian column captions and whole dates.
  dialog.resize(dialog.sizeHint().expandedTo(QSize(780, 460)));
  if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    const QFontMetrics metrics = details->fontMetrics();
    details->header()->resizeSection(3,
                                     metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) +
                                         4 * metrics.averageCharWidth());
    details->header()->resizeSection(0, 50 * metrics.averageCharWidth());
  }
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& chosen) {
    if (onTypeChange) onTypeChange(static_cast<int>(filters.indexOf(chosen)) + 1);
  });
  FileDialogResult result;
  result.filterIndex = index;
  while (dialog.exec() == QDialog::Accepted) {
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) break;
    const QString path = files.first();
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    const QString target = request.targetFor ? request.targetFor(path) : path;
    if (request.save && request.confirmCreate && !QFileInfo::exists(target)) {
      const Answer a =
          messageBox(&dialog, BoxKind::Confirmation,
                     target + QStringLiteral("\nФайл не существует. Создать его?"), Buttons::YesNo);
      if (a != Answer::Yes) continue;
    }
    result.accepted = true;
    result.path = path;
    break;
  }
  // Also on Cancel: the type the dialog showed when it closed, as a scripted dialog reports it.
  if (!result.accepted && !filters.isEmpty())
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return result;
}

QString startDirectory(const QString& document, const QString& fallback) {
  if (!document.isEmpty()) {
    const QString folder = QFileInfo(document).absolutePath();
    if (QFileInfo(folder).isDir()) return folder;
  }
  if (!fallback.isEmpty() && QFileInfo(fallback).isDir()) return QDir(fallback).absolutePath();
  return QString();
}

}  // namespace brindle::ui
