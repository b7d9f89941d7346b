// The main window's pictures come from the SVG resource: each is drawn, at the size asked for,
// and every tool-bar button shows a picture of its own.
#include <QImage>
#include <QSet>
#include <QtTest>

#include "app/windows/Icons.h"

using namespace brindle;

namespace {

// Pixels that are not fully transparent: a picture whose file failed to load has none.
int opaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) ++count;
  return count;
}

QImage imageOf(const QIcon& icon, int size) {
  return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}

constexpr icons::Tool kTools[] = {
    icons::Tool::New,  icons::Tool::Open,      icons::Tool::Save,      icons::Tool::Cut,
    icons::Tool::Copy, icons::Tool::Paste,     icons::Tool::SelectAll, icons::Tool::Find,
    icons::Tool::Undo, icons::Tool::Font,      icons::Tool::Color,     icons::Tool::Libraries,
    icons::Tool::Maps, icons::Tool::MetaBinds, icons::Tool::Wizard};

}  // namespace

class TestIcons : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void toolPicturesAreDrawnAndDistinct() {
    QSet<QByteArray> seen;
    for (icons::Tool tool : kTools) {
      const QImage image = imageOf(icons::tool(tool), 23);
      QCOMPARE(image.size(), QSize(23, 23));
      // Drawn, and not a filled square either.
      QVERIFY(opaquePixels(image) > 40);
      QVERIFY(opaquePixels(image) < 23 * 23);
      seen.insert(
          QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    QCOMPARE(seen.size(), int(std::size(kTools)));
  }

  void scaledScreensGetLargerDrawings() {
    const QIcon icon = icons::tool(icons::Tool::Save);
    QCOMPARE(imageOf(icon, 46).size(), QSize(46, 46));
    QVERIFY(opaquePixels(imageOf(icon, 46)) > 4 * opaquePixels(imageOf(icon, 23)) * 3 / 4);
  }

  void otherPicturesAreDrawn() {
    QVERIFY(opaquePixels(imageOf(icons::checkMark(), 16)) > 10);
    const QImage strip = icons::stripPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(strip.size(), QSize(24, 24));
    QVERIFY(opaquePixels(strip) > 100);
    for (int size : {16, 32, 64}) {
      const QImage window = imageOf(icons::windowIcon(), size);
      QCOMPARE(window.size(), QSize(size, size));
      QVERIFY(opaquePixels(window) > size * size / 2);
    }
  }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
