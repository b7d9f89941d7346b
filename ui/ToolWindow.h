#pragma once
// Frames of the program's secondary windows, and the tool windows that stand beside the main
// window for the whole run.
//
// No secondary window can be minimised or maximised on its own: the tool windows go down and
// come back with the main window, and a dialog is closed or confirmed. Two requests together
// keep those buttons out of the title bar:
// - the window flags (Qt::CustomizeWindowHint and only the hints wanted), which Windows honours
//   and which Qt passes to X11 window managers as Motif hints;
// - on X11, the window type of a torn-off tool bar. Some window managers (openbox among them)
//   ignore the Motif hints for the minimise and maximise buttons and decide by the window type
//   alone; for a tool bar they show neither. The type is set each time the window is shown,
//   before it is mapped, because the window manager reads it when it takes the window on.
#include <QWidget>

namespace brindle::ui {

enum class TitleButtons { None, Close };

// A titled frame of kind `kind` (Qt::Dialog or Qt::Tool) with at most a close button, plus the
// `extra` flags (such as Qt::WindowStaysOnTopHint). Replaces the window's flags: call it before
// the window is shown.
void setTitledFrame(QWidget* window, Qt::WindowType kind, TitleButtons buttons,
                    Qt::WindowFlags extra = {});

// Whether the window asks the X11 window manager for the tool-bar type (see above).
bool asksForToolBarType(const QWidget* window);

// A window that stands beside the main window for the whole run and stays on top of it: a
// titled frame without buttons, or no frame at all. It is shown and hidden by the program
// only; a close from the window manager (Alt+F4, the close button some window managers show
// anyway) is refused.
class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Frame { Titled, Borderless };
  explicit ToolWindow(Frame frame, QWidget* parent = nullptr);

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace brindle::ui
