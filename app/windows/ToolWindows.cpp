#include "app/windows/ToolWindows.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace brindle::app {
namespace {

// The docked column.
constexpr int kDockWidth = 157;
constexpr int kCcdTop = 72;
constexpr int kCcdHeight = 194;
constexpr int kPaniTop = 266;
constexpr int kPaniHeight = 200;
constexpr int kForm6FromBottom = 142;
constexpr int kRightMargin = 15;

}  // namespace

QRect frameRect(const QWidget* w) { return w->frameGeometry(); }

void setFrameRect(QWidget* w, const QRect& frame) {
  // Frame and client differ by the window decoration, known once the window has one.
  const QSize decoration = w->frameGeometry().size() - w->size();
  w->move(frame.topLeft());
  w->resize((frame.size() - decoration).expandedTo(QSize(1, 1)));
}

namespace {

// Watches the windows' expose events and runs the step once all of them are exposed.
class ExposeWatcher : public QObject {
 public:
  ExposeWatcher(std::vector<QPointer<QWidget>> windows, QObject* context,
                std::function<void()> then)
      : QObject(context), windows_(std::move(windows)), then_(std::move(then)) {
    for (const auto& w : windows_)
      if (w) w->windowHandle()->installEventFilter(this);
  }

  bool allExposed() const {
    for (const auto& w : windows_)
      if (w && !w->windowHandle()->isExposed()) return false;
    return true;
  }

  void run() {
    auto then = std::move(then_);
    deleteLater();
    for (const auto& w : windows_)
      if (w) w->windowHandle()->removeEventFilter(this);
    if (then) then();
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    // The filter sees the event before the window has taken it in: look again once it has.
    if (e->type() == QEvent::Expose && then_)
      QMetaObject::invokeMethod(
          this,
          [this] {
            if (then_ && allExposed()) run();
          },
          Qt::QueuedConnection);
    return false;
  }

 private:
  std::vector<QPointer<QWidget>> windows_;
  std::function<void()> then_;
};

}  // namespace

void whenExposed(std::initializer_list<QWidget*> windows, QObject* context,
                 std::function<void()> then) {
  std::vector<QPointer<QWidget>> watched;
  for (QWidget* w : windows) {
    w->winId();  // the window handle exists from here on
    watched.emplace_back(w);
  }
  auto* watcher = new ExposeWatcher(std::move(watched), context, std::move(then));
  if (watcher->allExposed()) watcher->run();
}

ToolLayout ToolWindows::defaultLayout() {
  return ToolLayout{QRect(160, 15, 135, 315), QRect(575, 10, 150, 385), QPoint(575, 10)};
}

void ToolWindows::setWindows(QWidget* dictionaryWindow, QWidget* valuePanel,
                             QWidget* explanationWindow) {
  ccd_ = dictionaryWindow;
  pani1_ = valuePanel;
  form6_ = explanationWindow;
}

void ToolWindows::followMinimized(bool minimized) {
  if (!present()) return;
  if (minimized) {
    for (QWidget* w : {ccd_, pani1_, form6_})
      if (w->isVisible()) {
        hiddenWithMain_.push_back(w);
        w->hide();
      }
  } else {
    for (QWidget* w : hiddenWithMain_) {
      // A window manager that minimises a window's tool windows with it (openbox does) marks
      // them minimised too; shown in that state, a tool window would take the main window
      // down again with it.
      w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
      w->show();
    }
    hiddenWithMain_.clear();
  }
}

void ToolWindows::recordNormal() {
  if (!present()) return;
  normal_ = ToolLayout{frameRect(ccd_), frameRect(pani1_), frameRect(form6_).topLeft()};
}

void ToolWindows::applyNormal() {
  docked_ = false;
  if (!present()) return;
  setFrameRect(pani1_, normal_.valuePanel);
  setFrameRect(ccd_, normal_.dictionaryWindow);
  form6_->move(normal_.explanationWindow);
}

ToolLayout ToolWindows::dockedLayout(const QRect& mainFrame, int ccdWidth, int pani1Width,
                                     int form6Width) {
  const int right = mainFrame.left() + mainFrame.width() - kRightMargin;
  ToolLayout l;
  l.valuePanel = QRect(right - pani1Width, mainFrame.top() + kPaniTop, pani1Width, kPaniHeight);
  l.dictionaryWindow = QRect(right - ccdWidth, mainFrame.top() + kCcdTop, ccdWidth, kCcdHeight);
  l.explanationWindow =
      QPoint(right - form6Width, mainFrame.top() + mainFrame.height() - kForm6FromBottom);
  return l;
}

void ToolWindows::dock(const QRect& mainFrame) {
  if (!present()) return;
  if (!docked_) {
    recordNormal();
    docked_ = true;
  }
  const ToolLayout l = dockedLayout(mainFrame, kDockWidth, kDockWidth, frameRect(form6_).width());
  setFrameRect(ccd_, l.dictionaryWindow);
  setFrameRect(pani1_, l.valuePanel);
  form6_->move(l.explanationWindow);
}

void ToolWindows::follow(const QPoint& delta) {
  if (!present() || delta.isNull()) return;
  for (QWidget* w : {ccd_, pani1_, form6_}) w->move(frameRect(w).topLeft() + delta);
}

}  // namespace brindle::app
