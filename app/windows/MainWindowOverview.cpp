// The main window's part in the effective configuration and keyboard windows: they are created
// the first time they are asked for, read the game directory and the open document through the
// hooks given here, and are told when the document or the game directory changes.
#include <QDir>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

#include "app/windows/Application.h"
#include "app/windows/MainWindow.h"
#include "binds/windows/BindDialog.h"
#include "overview/windows/EffectiveWindow.h"
#include "overview/windows/KeyboardWindow.h"
#include "overview/windows/OverviewModel.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"

namespace brindle::app {

overview::OverviewModel* MainWindow::overviewModel() {
  if (overview_ != nullptr) return overview_;
  overview::OverviewHooks hooks;
  hooks.gameDirectory = [this] { return gameDirectory(); };
  hooks.documentPath = [this] { return session_.untitled() ? QString() : currentFileName(); };
  hooks.documentText = [this] { return memo_->getText(); };
  hooks.openAt = [this](const QString& path, int line) { openAtLine(path, line); };
  overview_ = new overview::OverviewModel(std::move(hooks), programDir_, this);
  // Typing changes what the windows show; they follow once the typing pauses.
  overviewTimer_ = new QTimer(this);
  overviewTimer_->setSingleShot(true);
  overviewTimer_->setInterval(400);
  connect(overviewTimer_, &QTimer::timeout, overview_, &overview::OverviewModel::invalidate);
  return overview_;
}

void MainWindow::overviewChanged(bool edited) {
  if (overview_ == nullptr) return;  // no overview window was ever opened
  if (edited) {
    overviewTimer_->start();
  } else {
    overviewTimer_->stop();
    overview_->invalidate();
  }
}

overview::EffectiveWindow* MainWindow::effectiveWindow() {
  if (effectiveWindow_ == nullptr)
    effectiveWindow_ = new overview::EffectiveWindow(overviewModel(), this);
  return effectiveWindow_;
}

overview::KeyboardWindow* MainWindow::keyboardWindow() {
  if (keyboardWindow_ == nullptr) {
    keyboardWindow_ = new overview::KeyboardWindow(overviewModel(), this, this);
    keyboardWindow_->setBindDialogOpener([this](const QString& key) {
      if (windows_ && windows_->bindDialog) windows_->bindDialog->openKey(key);
    });
  }
  return keyboardWindow_;
}

void MainWindow::hideOverviewWindows() {
  if (effectiveWindow_) effectiveWindow_->hide();
  if (keyboardWindow_) keyboardWindow_->hide();
}

void MainWindow::showEffectiveConfig() {
  overview::EffectiveWindow* w = effectiveWindow();
  // Files may have changed on disk since the window last looked (the wizard writes some).
  if (!w->isVisible()) overview_->invalidate();
  w->show();
  w->raise();
  w->activateWindow();
}

void MainWindow::showKeyboard() {
  overview::KeyboardWindow* w = keyboardWindow();
  if (!w->isVisible()) overview_->invalidate();
  w->show();
  w->raise();
  w->activateWindow();
}

void MainWindow::openAtLine(const QString& path, int line) {
  const bool current = !session_.untitled() &&
                       QString::compare(QDir::cleanPath(path), QDir::cleanPath(currentFileName()),
                                        Qt::CaseInsensitive) == 0;
  if (!current && !session_.openFile(ui::toUtf8(path))) return;
  const QTextBlock block = memo_->document()->findBlockByNumber(std::max(0, line - 1));
  if (block.isValid()) {
    QTextCursor cursor(block);
    memo_->setTextCursor(cursor);
    memo_->centerCursor();
  }
  activateWindow();
  raise();
  memo_->setFocus();
}

}  // namespace brindle::app
