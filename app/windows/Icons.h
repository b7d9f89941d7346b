#pragma once
// The main window's pictures, drawn from the SVG files in icons/ (resource icons.qrc): tool-bar
// buttons (23 x 23), the word-wrap check mark, the picture of the bottom strip and the window icon.
#include <QIcon>
#include <QPixmap>

namespace brindle::icons {

enum class Tool {
  New,
  Open,
  Save,
  Cut,
  Copy,
  Paste,
  SelectAll,
  Find,
  Undo,
  Font,
  Color,
  Libraries,
  Maps,
  MetaBinds,
  Wizard,
  Effective
};

QIcon tool(Tool which);
QIcon checkMark();
QPixmap stripPicture();  // 24 x 24, for the black strip
QIcon windowIcon();

}  // namespace brindle::icons
