#pragma once
// Placement of the three tool windows beside the main window: the dictionary window, the value
// panel and the explanation window. In the normal state they keep their own places and follow
// the main window when it moves; while the main window is maximized they stand docked in a
// column at its right edge, and they return exactly to where they were when it is restored.
// All rectangles are outer frames in screen coordinates.
#include <QPoint>
#include <QRect>
#include <functional>
#include <initializer_list>
#include <vector>

class QObject;
class QWidget;

namespace brindle::app {

// The normal layout: the rectangles of the dictionary window and the value panel, and the
// explanation window's top-left corner (that window sizes itself).
struct ToolLayout {
  QRect dictionaryWindow;
  QRect valuePanel;
  QPoint explanationWindow;

  bool operator==(const ToolLayout&) const = default;
};

// Outer frame of a window, and the inverse: places a window so that its frame is `frame`.
QRect frameRect(const QWidget* w);
void setFrameRect(QWidget* w, const QRect& frame);
// Runs `then` once the window system shows all the windows (at once when it already does);
// `context` owns the wait. Before that a window manager has not framed them yet: their
// decoration is unknown, and a frame placed then would really be the client area, the frame
// standing out around it.
void whenExposed(std::initializer_list<QWidget*> windows, QObject* context,
                 std::function<void()> then);

class ToolWindows {
 public:
  // The built-in layout used for settings that are absent.
  static ToolLayout defaultLayout();

  void setWindows(QWidget* dictionaryWindow, QWidget* valuePanel, QWidget* explanationWindow);
  bool present() const { return ccd_ && pani1_ && form6_; }
  QWidget* dictionaryWindow() const { return ccd_; }
  QWidget* valuePanel() const { return pani1_; }
  QWidget* explanationWindow() const { return form6_; }

  ToolLayout normalLayout() const { return normal_; }
  void setNormalLayout(const ToolLayout& layout) { normal_ = layout; }
  bool docked() const { return docked_; }

  // The normal layout := the windows' current geometry.
  void recordNormal();
  // Moves the windows to the normal layout and ends docking.
  void applyNormal();
  // Main window maximized with this frame: the first time, the current geometry becomes the
  // normal layout; then the windows stand in the column at the frame's right edge.
  void dock(const QRect& mainFrame);
  // The main window moved by `delta` in the normal state: the windows move with it.
  void follow(const QPoint& delta);
  // The main window was minimised (true) or came back from it (false): the windows that were
  // shown go down with it and come back with it, where they stood.
  void followMinimized(bool minimized);

  // The docked column, for a maximized main window with this frame.
  static ToolLayout dockedLayout(const QRect& mainFrame, int ccdWidth, int pani1Width,
                                 int form6Width);

 private:
  QWidget* ccd_ = nullptr;
  QWidget* pani1_ = nullptr;
  QWidget* form6_ = nullptr;
  ToolLayout normal_ = defaultLayout();
  bool docked_ = false;
  std::vector<QWidget*> hiddenWithMain_;
};

}  // namespace brindle::app
