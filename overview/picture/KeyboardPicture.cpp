#include "overview/picture/KeyboardPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "core/Cp1251.h"

namespace brindle::overview {
namespace {

constexpr double kUnit = 12.0;  // pixels per quarter of a key at natural scale
constexpr double kTitle = 36.0;
constexpr double kLegend = 40.0;
constexpr double kMargin = 12.0;

QString fromCp1251(std::string_view text) { return QString::fromStdString(core::toUtf8(text)); }

struct Frame {
  double scale = 1;
  QPointF origin;  // the top left corner of the keys at that scale
};

Frame frameFor(const QRectF& target) {
  const QSizeF natural = KeyboardPicture::naturalSize();
  Frame f;
  f.scale = std::min(target.width() / natural.width(), target.height() / natural.height());
  const QSizeF used = natural * f.scale;
  const QPointF corner(target.left() + (target.width() - used.width()) / 2,
                       target.top() + (target.height() - used.height()) / 2);
  f.origin = corner + QPointF(kMargin, kMargin + kTitle) * f.scale;
  return f;
}

QRectF capRect(const Frame& f, const KeyCap& k) {
  const double gap = 1.5 * f.scale;
  return QRectF(f.origin.x() + k.x * kUnit * f.scale + gap,
                f.origin.y() + k.y * kUnit * f.scale + gap, k.w * kUnit * f.scale - 2 * gap,
                k.h * kUnit * f.scale - 2 * gap);
}

}  // namespace

QSizeF KeyboardPicture::naturalSize() {
  return QSizeF(layoutWidth() * kUnit + 2 * kMargin,
                layoutHeight() * kUnit + 2 * kMargin + kTitle + kLegend);
}

QColor KeyboardPicture::roleColor(KeyRole role) {
  switch (role) {
    case KeyRole::Movement:
      return QColor(0xb5, 0xe3, 0xa4);
    case KeyRole::Weapons:
      return QColor(0xf2, 0xa5, 0xa0);
    case KeyRole::Buy:
      return QColor(0xf6, 0xd8, 0x72);
    case KeyRole::RadioChat:
      return QColor(0xa8, 0xcc, 0xf2);
    case KeyRole::Other:
      return QColor(0xd8, 0xcf, 0xea);
    case KeyRole::Unbound:
      break;
  }
  return QColor(0xf7, 0xf7, 0xf7);
}

void KeyboardPicture::paint(QPainter& painter, const QRectF& target, const QString& title,
                            std::string_view hovered) const {
  const Frame f = frameFor(target);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  QFont titleFont = painter.font();
  titleFont.setPixelSize(std::max(6, static_cast<int>(16 * f.scale)));
  titleFont.setBold(true);
  painter.setFont(titleFont);
  painter.setPen(Qt::black);
  const QPointF corner = f.origin - QPointF(kMargin, kMargin + kTitle) * f.scale;
  painter.drawText(QRectF(corner + QPointF(kMargin, 6) * f.scale,
                          QSizeF(layoutWidth() * kUnit, kTitle - 8) * f.scale),
                   Qt::AlignLeft | Qt::AlignVCenter, title);

  QFont labelFont = painter.font();
  labelFont.setBold(true);
  labelFont.setPixelSize(std::max(5, static_cast<int>(10 * f.scale)));
  QFont captionFont = labelFont;
  captionFont.setBold(false);
  captionFont.setPixelSize(std::max(5, static_cast<int>(9 * f.scale)));

  for (const KeyCap& k : keyboardLayout()) {
    const QRectF r = capRect(f, k);
    const auto face = k.name.empty() ? faces_->end() : faces_->find(k.name);
    const bool has = face != faces_->end();
    const KeyRole role = has ? face->second.role : KeyRole::Unbound;
    QColor fill = k.name.empty() ? QColor(0xc9, 0xc9, 0xc9) : roleColor(role);
    if (!hovered.empty() && k.name == hovered) fill = fill.darker(125);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), std::max(0.6, f.scale)));
    painter.setBrush(fill);
    painter.drawRoundedRect(r, 3 * f.scale, 3 * f.scale);

    const QRectF inner = r.adjusted(3 * f.scale, 2 * f.scale, -3 * f.scale, -2 * f.scale);
    painter.setFont(labelFont);
    painter.setPen(k.name.empty() ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop,
                     QString::fromUtf8(k.label.data(), static_cast<qsizetype>(k.label.size())));
    if (!has) continue;
    const KeyFace& kf = face->second;
    // Marks in the top right corner: a dot for several files, a triangle for an override.
    double markX = r.right() - 5 * f.scale;
    const double markY = r.top() + 5 * f.scale;
    const double markR = 2.6 * f.scale;
    if (kf.overridden) {
      QPainterPath tri;
      tri.moveTo(markX, markY - markR);
      tri.lineTo(markX + markR, markY + markR);
      tri.lineTo(markX - markR, markY + markR);
      tri.closeSubpath();
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(0xc0, 0x20, 0x20));
      painter.drawPath(tri);
      markX -= 3 * markR;
    }
    if (kf.severalFiles) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(0x20, 0x40, 0xc0));
      painter.drawEllipse(QPointF(markX, markY), markR, markR);
    }
    if (kf.caption.empty()) continue;
    painter.setFont(captionFont);
    painter.setPen(QColor(0x10, 0x10, 0x10));
    const QFontMetricsF fm(captionFont);
    const QRectF text = inner.adjusted(0, fm.height() * 1.05, 0, 0);
    QString caption = fromCp1251(kf.caption);
    const int fit = std::max(1, static_cast<int>(text.height() / fm.lineSpacing()));
    const QStringList lines = captionLines(caption, fm, text.width(), fit);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, lines.join(QLatin1Char('\n')));
  }

  // The legend under the keys.
  QFont legendFont = captionFont;
  legendFont.setPixelSize(std::max(5, static_cast<int>(11 * f.scale)));
  painter.setFont(legendFont);
  const QFontMetricsF lm(legendFont);
  double x = f.origin.x();
  const double y = f.origin.y() + (layoutHeight() * kUnit + 14) * f.scale;
  const double box = 12 * f.scale;
  for (const KeyRole role : {KeyRole::Movement, KeyRole::Weapons, KeyRole::Buy, KeyRole::RadioChat,
                             KeyRole::Other, KeyRole::Unbound}) {
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), std::max(0.6, f.scale)));
    painter.setBrush(roleColor(role));
    painter.drawRect(QRectF(x, y, box, box));
    const std::string_view cap = roleCaption(role);
    const QString text = QString::fromUtf8(cap.data(), static_cast<qsizetype>(cap.size()));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + box + 4 * f.scale, y + box - 2 * f.scale), text);
    x += box + 4 * f.scale + lm.horizontalAdvance(text) + 16 * f.scale;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x20, 0x40, 0xc0));
  painter.drawEllipse(QPointF(x + box / 2, y + box / 2), 2.6 * f.scale, 2.6 * f.scale);
  painter.setPen(Qt::black);
  const QString several = QStringLiteral("назначена в нескольких файлах");
  painter.drawText(QPointF(x + box + 2 * f.scale, y + box - 2 * f.scale), several);
  x += box + lm.horizontalAdvance(several) + 18 * f.scale;
  QPainterPath tri;
  const double c = 2.6 * f.scale;
  tri.moveTo(x + box / 2, y + box / 2 - c);
  tri.lineTo(x + box / 2 + c, y + box / 2 + c);
  tri.lineTo(x + box / 2 - c, y + box / 2 + c);
  tri.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xc0, 0x20, 0x20));
  painter.drawPath(tri);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(x + box + 2 * f.scale, y + box - 2 * f.scale),
                   QStringLiteral("прежнее назначение переопределено"));
  painter.restore();
}

const KeyCap* KeyboardPicture::keyAt(const QRectF& target, QPointF point) const {
  const Frame f = frameFor(target);
  for (const KeyCap& k : keyboardLayout())
    if (!k.name.empty() && capRect(f, k).contains(point)) return &k;
  return nullptr;
}

QRectF KeyboardPicture::keyRect(const QRectF& target, const KeyCap& key) {
  return capRect(frameFor(target), key);
}

QStringList captionLines(const QString& caption, const QFontMetricsF& metrics, qreal width,
                         int maxLines) {
  const QChar ellipsis(0x2026);
  const auto fits = [&](const QString& s) { return metrics.horizontalAdvance(s) <= width; };
  QStringList lines;
  for (const QString& part : caption.split(QLatin1Char('\n'))) {
    // Pieces that a line may end after: "+forward;", " echo", " 4092".
    QStringList pieces;
    QString piece;
    for (const QChar c : part.trimmed()) {
      if (c.isSpace() && !piece.trimmed().isEmpty()) {
        pieces << piece;
        piece.clear();
      }
      piece += c;
      if (c == QLatin1Char(';')) {
        pieces << piece;
        piece.clear();
      }
    }
    if (!piece.trimmed().isEmpty()) pieces << piece;
    QString line;
    for (const QString& p : pieces) {
      if (!line.isEmpty() && fits(line + p)) {
        line += p;
        continue;
      }
      if (!line.isEmpty()) lines << line;
      line = p.trimmed();
      if (!fits(line)) line = metrics.elidedText(line, Qt::ElideRight, width);
    }
    if (!line.isEmpty()) lines << line;
  }
  if (lines.size() > maxLines) {
    lines = lines.mid(0, maxLines);
    QString& last = lines.back();
    if (!last.endsWith(ellipsis)) last = metrics.elidedText(last + ellipsis, Qt::ElideRight, width);
  }
  return lines;
}

QImage renderKeyboard(const KeyFaces& faces, const QString& title, int width) {
  width = std::max(width, 600);
  const QSizeF natural = KeyboardPicture::naturalSize();
  const int height = static_cast<int>(width * natural.height() / natural.width() + 0.5);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  KeyboardPicture(&faces).paint(painter, QRectF(0, 0, width, height), title);
  painter.end();
  return image;
}

}  // namespace brindle::overview
