#include "app/windows/Icons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

// Resources of a static library are registered by hand (outside any namespace).
static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace brindle::icons {
namespace {

QString pathOf(const char* name) {
  static const bool registered = (initIconResources(), true);
  (void)registered;
  return QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name));
}

// Draws the picture at size x size pixels. The drawings sit on a pixel grid at their own size,
// so that size is the sharpest; others are scaled.
QPixmap render(QSvgRenderer& svg, QSize size) {
  QPixmap pm(size);
  pm.fill(Qt::transparent);
  if (!svg.isValid()) return pm;
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  svg.render(&p);
  return pm;
}

QPixmap render(const char* name, int size) {
  QSvgRenderer svg(pathOf(name));
  return render(svg, QSize(size, size));
}

// An icon drawn only when a size of it is first asked for, so start-up parses and draws only
// the pictures that are shown, at the sizes they are shown; scaled screens get a drawing made
// for their size rather than a blown-up bitmap.
class SvgIconEngine : public QIconEngine {
 public:
  explicit SvgIconEngine(QString path) : path_(std::move(path)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const QString key =
        QStringLiteral("%1x%2/%3").arg(size.width()).arg(size.height()).arg(int(mode));
    if (const auto it = cache_.find(key); it != cache_.end()) return it.value();
    if (!renderer_) renderer_ = std::make_shared<QSvgRenderer>(path_);
    QPixmap pm = render(*renderer_, size);
    // Disabled pictures in the style's usual greyed look.
    if (mode == QIcon::Disabled) pm = QIcon(pm).pixmap(size, QIcon::Disabled);
    cache_.insert(key, pm);
    return pm;
  }

  QIconEngine* clone() const override { return new SvgIconEngine(*this); }

 private:
  QString path_;
  std::shared_ptr<QSvgRenderer> renderer_;
  QHash<QString, QPixmap> cache_;
};

QIcon iconOf(const char* name) { return QIcon(new SvgIconEngine(pathOf(name))); }

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
    case Tool::Effective:
      return "effective";
  }
  return "new";
}

}  // namespace

QIcon tool(Tool which) { return iconOf(fileOf(which)); }

QIcon checkMark() { return iconOf("check"); }

QPixmap stripPicture() { return render("strip", 24); }

QIcon windowIcon() { return iconOf("window"); }

}  // namespace brindle::icons
