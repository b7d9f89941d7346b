// Draws the program's icon from its SVG while the program is built:
//   brindle-render-icon ICON.svg OUT.png SIZE      one square PNG
//   brindle-render-icon ICON.svg OUT.ico SIZE...   a Windows icon holding every size
// A Windows icon file is a directory of images; each image here is stored as PNG data, which
// Windows reads from Vista on.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

QByteArray pngOf(QSvgRenderer& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

void append16(QByteArray& out, quint16 v) {
  const quint16 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 2);
}

void append32(QByteArray& out, quint32 v) {
  const quint32 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

// ICONDIR, one ICONDIRENTRY per image, then the images.
QByteArray icoOf(const std::vector<std::pair<int, QByteArray>>& images) {
  QByteArray out;
  append16(out, 0);  // reserved
  append16(out, 1);  // an icon
  append16(out, static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (const auto& [size, png] : images) {
    const char side = static_cast<char>(size >= 256 ? 0 : size);  // 0 stands for 256
    out.append(side).append(side).append('\0').append('\0');      // width, height, colours
    append16(out, 1);                                             // colour planes
    append16(out, 32);                                            // bits per pixel
    append32(out, static_cast<quint32>(png.size()));
    append32(out, offset);
    offset += static_cast<quint32>(png.size());
  }
  for (const auto& image : images) out.append(image.second);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  // Only painting on images: no application object and so no window system, which a build
  // machine may not have.
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (args.size() < 4) {
    std::fputs("usage: brindle-render-icon ICON.svg OUT.png|OUT.ico SIZE...\n", stderr);
    return 2;
  }
  QSvgRenderer svg(args[1]);
  if (!svg.isValid()) {
    std::fprintf(stderr, "brindle-render-icon: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  std::vector<std::pair<int, QByteArray>> images;
  for (qsizetype i = 3; i < args.size(); ++i) {
    const int size = args[i].toInt();
    if (size < 1 || size > 256) {
      std::fprintf(stderr, "brindle-render-icon: bad size %s\n", qPrintable(args[i]));
      return 2;
    }
    images.emplace_back(size, pngOf(svg, size));
  }
  const bool ico = args[2].endsWith(QStringLiteral(".ico"), Qt::CaseInsensitive);
  QFile out(args[2]);
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(ico ? icoOf(images) : images.front().second) < 0 || !out.flush()) {
    std::fprintf(stderr, "brindle-render-icon: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
