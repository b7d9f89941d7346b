// Where the main window and its three tool windows stand: the stored frames, the tool windows
// following the main window, docking while it is maximized.
#include <QMoveEvent>
#include <QResizeEvent>

#include "app/windows/MainWindow.h"

namespace brindle::app {

void MainWindow::placeMainFrame() {
  if (mainPlaced_) return;
  mainPlaced_ = true;
  setFrameRect(this, wantedFrame_);
  normalFrame_ = wantedFrame_;
  lastMainPos_ = frameGeometry().topLeft();
}

// ================================================================================ placement

void MainWindow::rememberNormalGeometry() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  if (isVisible()) normalFrame_ = frameGeometry();
}

void MainWindow::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMinimized) return;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    placeToolWindows();
    return;
  }
  rememberNormalGeometry();
  const QPoint now = frameGeometry().topLeft();
  if (!activated_) {
    lastMainPos_ = now;
    return;
  }
  // The tool windows keep their places relative to the main window.
  tools_.follow(now - lastMainPos_);
  lastMainPos_ = now;
  tools_.recordNormal();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  rememberNormalGeometry();
  placeToolWindows();
}

void MainWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    if (activated_) tools_.followMinimized(windowState().testFlag(Qt::WindowMinimized));
    placeToolWindows();
  }
}

// Docked in the right-edge column while maximized, back at the normal layout when the window
// returns to the normal state; nothing while minimized.
void MainWindow::placeToolWindows() {
  if (!activated_) return;
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMinimized) return;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
    tools_.dock(frameGeometry());
  else if (tools_.docked())
    tools_.applyNormal();
}

ToolLayout MainWindow::storedToolLayout() {
  const ToolLayout d = ToolWindows::defaultLayout();
  ToolLayout layout;
  using core::Setting;
  // A stored frame: its height, width, left and top, each defaulting to the given frame's.
  const auto storedFrame = [this](Setting height, Setting width, Setting left, Setting top,
                                  const QRect& fallback) {
    return QRect(settings_.readInt(left, fallback.left()), settings_.readInt(top, fallback.top()),
                 settings_.readInt(width, fallback.width()),
                 settings_.readInt(height, fallback.height()));
  };
  layout.valuePanel = storedFrame(Setting::ValuePanelHeight, Setting::ValuePanelWidth,
                                  Setting::ValuePanelLeft, Setting::ValuePanelTop, d.valuePanel);
  layout.dictionaryWindow =
      storedFrame(Setting::DictionaryHeight, Setting::DictionaryWidth, Setting::DictionaryLeft,
                  Setting::DictionaryTop, d.dictionaryWindow);
  layout.explanationWindow =
      QPoint(settings_.readInt(Setting::ExplanationLeft, d.explanationWindow.x()),
             settings_.readInt(Setting::ExplanationTop, d.explanationWindow.y()));
  return layout;
}

}  // namespace brindle::app
