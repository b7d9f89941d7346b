#include "ui/ToolWindow.h"

#include <QCloseEvent>
#include <QEvent>
#include <QWindow>

namespace brindle::ui {
namespace {

// Qt's X11 platform window reads this property of the window when it makes or remakes the
// native window; the value is its code for the tool-bar type. A native window is remade when
// shown after a change of the stay-on-top flag, as every dialog gets it when shown.
constexpr char kX11WindowTypeProperty[] = "_q_xcb_wm_window_type";
constexpr int kX11ToolBarType = 0x8;

// Sets the tool-bar type on the watched window each time it is about to be mapped. The show
// event that the program's own show() sends comes after the native window exists and before it
// is mapped. The attribute applies the type to the native window as it is; the property keeps
// it for a native window that is remade before mapping.
class ToolBarType : public QObject {
 public:
  explicit ToolBarType(QWidget* window) : QObject(window) {
    setObjectName(name());
    window->installEventFilter(this);
  }
  static QString name() { return QStringLiteral("brindleToolBarType"); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show && !e->spontaneous()) {
      auto* w = static_cast<QWidget*>(watched);
      if (QWindow* handle = w->windowHandle())
        handle->setProperty(kX11WindowTypeProperty, kX11ToolBarType);
      w->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, false);
      w->setAttribute(Qt::WA_X11NetWmWindowTypeToolBar, true);
    }
    return false;
  }
};

}  // namespace

void setTitledFrame(QWidget* window, Qt::WindowType kind, TitleButtons buttons,
                    Qt::WindowFlags extra) {
  Qt::WindowFlags flags = kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | extra;
  flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint |
             Qt::WindowContextHelpButtonHint | Qt::WindowCloseButtonHint);
  if (buttons == TitleButtons::Close) flags |= Qt::WindowCloseButtonHint;
  window->setWindowFlags(flags);
  if (!asksForToolBarType(window)) new ToolBarType(window);
}

bool asksForToolBarType(const QWidget* window) {
  return window->findChild<QObject*>(ToolBarType::name(), Qt::FindDirectChildrenOnly) != nullptr;
}

ToolWindow::ToolWindow(Frame frame, QWidget* parent) : QWidget(parent) {
  if (frame == Frame::Titled)
    setTitledFrame(this, Qt::Tool, TitleButtons::None, Qt::WindowStaysOnTopHint);
  else
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  if (event->spontaneous())
    event->ignore();
  else
    QWidget::closeEvent(event);
}

}  // namespace brindle::ui
