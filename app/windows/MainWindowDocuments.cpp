// The document commands of the main window, wired to the document session: the session asks
// this window for the save question, the file dialogs, errors and progress.
#include <QString>

#include "app/windows/MainWindow.h"
#include "core/Backups.h"
#include "editor/windows/RestoreWindow.h"
#include "game/windows/GameRunning.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"

namespace brindle::app {
namespace {

const QString kOpenFilter = QStringLiteral(
    "Configuration (*.cfg)|*.cfg|Kav file (*.kav)|*.kav|Text file (*.txt)|*.txt|"
    "MetaBind (*.mtb)|*.mtb|All (*.*)|*.*");
const QString kSaveFilter = QStringLiteral(
    "All files (*.*)|*.*|Configuration (*.cfg)|*.cfg|Kav file (*.kav)|*.kav|"
    "Text file (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb");

// The chosen name with its extension replaced by `ext`.
QString withExtension(const QString& path, const QString& ext) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  const QString stem = dot > slash ? path.left(dot) : path;
  return stem + QLatin1Char('.') + ext;
}

}  // namespace

// ================================================================================ document

core::TextBuffer& MainWindow::buffer() { return *memo_; }

editor::SaveAnswer MainWindow::askSave() {
  switch (ui::askYesNoCancel(this, QStringLiteral("Сохранить файл?"))) {
    case ui::Answer::Yes:
      return editor::SaveAnswer::Yes;
    case ui::Answer::No:
      return editor::SaveAnswer::No;
    default:
      return editor::SaveAnswer::Cancel;
  }
}

bool MainWindow::askReplace(const std::string& path) {
  return ui::askYesNo(this, ui::fromUtf8(path) + QStringLiteral("\nЗаменить данный файл?")) ==
         ui::Answer::Yes;
}

std::optional<std::string> MainWindow::chooseOpenPath() {
  ui::FileDialogRequest request;
  request.filter = kOpenFilter;
  request.mustExist = true;
  request.directory =
      ui::startDirectory(session_.untitled() ? QString() : currentFileName(), gameDirectory());
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
  if (!chosen.accepted) return std::nullopt;
  return ui::toUtf8(chosen.path);
}

std::optional<std::string> MainWindow::chooseSavePath(std::string_view title) {
  ui::FileDialogRequest request;
  request.save = true;
  request.title = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  request.filter = kSaveFilter;
  request.filterIndex = saveFilterIndex_;
  request.confirmCreate = true;
  request.directory =
      ui::startDirectory(session_.untitled() ? QString() : currentFileName(), gameDirectory());
  request.targetFor = [this](const QString& name) {
    return defaultExt_.isEmpty() ? name : withExtension(name, defaultExt_);
  };
  // The type shown and the extension added go together: a dialog cancelled after a type
  // change opens next time at that type, whose extension is still the one to add.
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request, [this](int i) {
    saveFilterIndex_ = i;
    saveTypeChanged(i);
  });
  if (!chosen.accepted) return std::nullopt;
  const QString target =
      defaultExt_.isEmpty() ? chosen.path : withExtension(chosen.path, defaultExt_);
  saveFilterIndex_ = 1;
  defaultExt_.clear();
  return ui::toUtf8(target);
}

void MainWindow::showError(const std::string& message) {
  ui::showError(this, ui::fromUtf8(message));
}

void MainWindow::progress(editor::Progress step) {
  switch (step) {
    case editor::Progress::Opening:
      setStatusText(1, QStringLiteral("Открываем..."));
      break;
    case editor::Progress::Saving:
      setStatusText(1, QStringLiteral("Сохраняем..."));
      break;
    case editor::Progress::Saved:
      setStatusText(1, QStringLiteral("Сохранено..."));
      overviewChanged(false);
      break;
    case editor::Progress::OpenEnded:
    case editor::Progress::SaveAsEnded:
      setStatusText(1, valuePanelCaption());
      break;
  }
}

void MainWindow::fileNameChanged(const std::string& name) {
  setStatusText(2, ui::fromUtf8(name));
  overviewChanged(false);
}

QString MainWindow::currentFileName() const { return ui::fromUtf8(session_.fileName()); }

void MainWindow::newDocument() { session_.newDocument(); }

void MainWindow::newMetaBind() { session_.newDocument(editor::kMetaBindTemplate); }

void MainWindow::openDocument() { session_.open(); }

void MainWindow::save() { session_.save(); }

void MainWindow::saveAs() { session_.saveAs(); }

std::optional<std::string> MainWindow::confirmWrite(const std::string& path) {
  return game::confirmGameConfigWrite(this, path, ui::toUtf8(gameDirectory()));
}

editor::RestoreWindow* MainWindow::restoreWindow() {
  if (restoreWindow_ == nullptr) {
    restoreWindow_ = new editor::RestoreWindow(backups_, &settings_, this);
    // A restored document is shown as it now is; unsaved edits are given up only on request.
    connect(restoreWindow_, &editor::RestoreWindow::restored, this, [this](const QString& path) {
      const std::string file = ui::toUtf8(path);
      if (session_.untitled() ||
          core::backupPathOf(session_.fileName()) != core::backupPathOf(file))
        return;
      if (memo_->modified() &&
          ui::askYesNo(this, QStringLiteral("Файл восстановлен. Загрузить его в редактор? "
                                            "Несохранённые изменения будут потеряны.")) !=
              ui::Answer::Yes)
        return;
      if (session_.load(session_.fileName())) memo_->setModified(false);
    });
  }
  return restoreWindow_;
}

void MainWindow::restoreBackup() {
  restoreWindow()->execFor(session_.untitled() ? std::string() : session_.fileName());
}

void MainWindow::saveTypeChanged(int filterIndex) {
  static const char* const extensions[] = {"", "cfg", "kav", "txt", "mtb"};
  defaultExt_ = filterIndex >= 1 && filterIndex <= 5
                    ? QString::fromLatin1(extensions[filterIndex - 1])
                    : QString();
}

}  // namespace brindle::app
