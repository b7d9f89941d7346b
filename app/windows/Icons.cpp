#include "app/windows/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library are registered by hand (outside any namespace).
static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace brindle::icons {
namespace {

constexpr int kToolSize = 23;

// The picture of ":/icons/<name>.svg" drawn at size x size pixels. The drawings sit on a
// pixel grid at their own size, so that size is the sharpest; others are scaled.
QPixmap render(const char* name, int size) {
  static const bool registered = (initIconResources(), true);
  (void)registered;
  QSvgRenderer svg(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name)));
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  if (!svg.isValid()) return pm;
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  svg.render(&p);
  return pm;
}

// An icon with a pixmap at each given size, so that scaled screens get a drawing made for
// their size rather than a blown-up bitmap.
QIcon iconOf(const char* name, std::initializer_list<int> sizes) {
  QIcon icon;
  for (int size : sizes) icon.addPixmap(render(name, size));
  return icon;
}

const char* fileOf(Tool which) {
  switch (which) {
    case Tool::New:
      return "new";
    case Tool::Open:
      return "open";
    case Tool::Save:
      return "save";
    case Tool::Cut:
      return "cut";
    case Tool::Copy:
      return "copy";
    case Tool::Paste:
      return "paste";
    case Tool::SelectAll:
      return "selectall";
    case Tool::Find:
      return "find";
    case Tool::Undo:
      return "undo";
    case Tool::Font:
      return "font";
    case Tool::Color:
      return "color";
    case Tool::Libraries:
      return "libraries";
    case Tool::Maps:
      return "maps";
    case Tool::MetaBinds:
      return "metabinds";
    case Tool::Wizard:
      return "wizard";
  }
  return "new";
}

}  // namespace

QIcon tool(Tool which) {
  return iconOf(fileOf(which), {kToolSize, kToolSize * 3 / 2, kToolSize * 2});
}

QIcon checkMark() { return iconOf("check", {16, 24, 32}); }

QPixmap stripPicture() { return render("strip", 24); }

QIcon windowIcon() { return iconOf("window", {16, 24, 32, 48, 64, 128}); }

}  // namespace brindle::icons
