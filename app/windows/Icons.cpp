#include "app/windows/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace brindle::icons {
namespace {

constexpr int kSize = 23;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(232, 184, 64);
const QColor kBlue(40, 96, 200);

QPixmap canvas() {
  QPixmap pm(kSize, kSize);
  pm.fill(Qt::transparent);
  return pm;
}

void page(QPainter& p, QRectF r, const QColor& fill = kPaper) {
  const qreal fold = 5;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void textLines(QPainter& p, QRectF r, int count) {
  p.setPen(QPen(QColor(120, 120, 120), 1));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + 3 + i * 3;
    p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5 - (i % 2) * 3, y));
  }
}

void paint(QPainter& p, Tool which) {
  p.setRenderHint(QPainter::Antialiasing, true);
  switch (which) {
    case Tool::New:
      page(p, QRectF(4.5, 2.5, 13, 17));
      p.setPen(QPen(QColor(230, 170, 0), 1.6));
      p.drawLine(QPointF(16, 14), QPointF(16, 20));
      p.drawLine(QPointF(13, 17), QPointF(19, 17));
      break;
    case Tool::Open: {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kFolder.darker(115));
      p.drawRect(QRectF(2.5, 5.5, 16, 13));
      p.setBrush(kFolder);
      QPolygonF front;
      front << QPointF(5.5, 9.5) << QPointF(21.5, 9.5) << QPointF(18.5, 18.5) << QPointF(2.5, 18.5);
      p.drawPolygon(front);
      p.setPen(QPen(kBlue, 1.5));
      p.drawArc(QRectF(12, 1.5, 8, 8), 0, 180 * 16);
      break;
    }
    case Tool::Save:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(3.5, 3.5, 16, 16), 1.5, 1.5);
      p.setBrush(kPaper);
      p.drawRect(QRectF(6.5, 3.5, 10, 6));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(7.5, 13.5, 8, 6));
      break;
    case Tool::Cut:
      p.setPen(QPen(kInk, 1.3));
      p.drawLine(QPointF(7, 3), QPointF(14, 15));
      p.drawLine(QPointF(16, 3), QPointF(9, 15));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(190, 30, 30), 1.5));
      p.drawEllipse(QRectF(4.5, 14.5, 5, 5));
      p.drawEllipse(QRectF(13.5, 14.5, 5, 5));
      break;
    case Tool::Copy:
      page(p, QRectF(2.5, 2.5, 11, 13));
      page(p, QRectF(9.5, 7.5, 11, 13));
      textLines(p, QRectF(9.5, 9.5, 11, 11), 3);
      break;
    case Tool::Paste:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(180, 130, 70));
      p.drawRoundedRect(QRectF(3.5, 3.5, 13, 17), 1.5, 1.5);
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(7.5, 2.5, 5, 3));
      page(p, QRectF(10.5, 8.5, 10, 12));
      textLines(p, QRectF(10.5, 10.5, 10, 9), 3);
      break;
    case Tool::SelectAll:
      page(p, QRectF(4.5, 2.5, 14, 18));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(60, 110, 220, 170));
      p.drawRect(QRectF(6.5, 6.5, 10, 10));
      p.setPen(QPen(kPaper, 1));
      for (int i = 0; i < 3; ++i) p.drawLine(QPointF(8, 8.5 + 3 * i), QPointF(15, 8.5 + 3 * i));
      break;
    case Tool::Find:
      p.setPen(QPen(kInk, 1.6));
      p.setBrush(QColor(200, 230, 255));
      p.drawEllipse(QRectF(3.5, 3.5, 10, 10));
      p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(12.5, 12.5), QPointF(19, 19));
      break;
    case Tool::Undo: {
      p.setPen(QPen(kBlue, 2));
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(6, 10);
      arc.cubicTo(10, 4, 20, 6, 18, 14);
      arc.cubicTo(17, 17, 14, 18, 11, 18);
      p.drawPath(arc);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      QPolygonF head;
      head << QPointF(3, 5) << QPointF(10, 8) << QPointF(4, 13);
      p.drawPolygon(head);
      break;
    }
    case Tool::Font: {
      QFont f(QStringLiteral("DejaVu Serif"));
      f.setPixelSize(17);
      f.setBold(true);
      p.setFont(f);
      p.setPen(kInk);
      p.drawText(QRectF(0, 0, 15, 21), Qt::AlignCenter, QStringLiteral("A"));
      f.setPixelSize(11);
      p.setFont(f);
      p.setPen(kBlue);
      p.drawText(QRectF(11, 8, 12, 14), Qt::AlignCenter, QStringLiteral("a"));
      break;
    }
    case Tool::Color: {
      const QColor colors[] = {QColor(220, 40, 40), QColor(40, 170, 60), QColor(40, 90, 220),
                               QColor(240, 200, 30)};
      p.setPen(QPen(kInk, 1));
      for (int i = 0; i < 4; ++i) {
        p.setBrush(colors[i]);
        p.drawRect(QRectF(3.5 + (i % 2) * 8, 3.5 + (i / 2) * 8, 7, 7));
      }
      p.setBrush(QColor(0, 168, 232));
      p.drawRect(QRectF(12.5, 12.5, 8, 8));
      break;
    }
    case Tool::Libraries: {
      const QColor spines[] = {QColor(170, 40, 40), QColor(40, 110, 60), QColor(40, 70, 160)};
      p.setPen(QPen(kInk, 1));
      for (int i = 0; i < 3; ++i) {
        p.setBrush(spines[i]);
        p.drawRect(QRectF(3.5 + i * 5, 4.5 + (i == 1 ? 2 : 0), 4, 15 - (i == 1 ? 2 : 0)));
      }
      p.save();
      p.translate(18, 5);
      p.rotate(15);
      p.setBrush(QColor(200, 150, 40));
      p.drawRect(QRectF(0, 0, 3.5, 14));
      p.restore();
      p.drawLine(QPointF(2, 19.5), QPointF(21, 19.5));
      break;
    }
    case Tool::Maps: {
      p.setPen(QPen(kInk, 1));
      QPolygonF sheet;
      sheet << QPointF(2.5, 5.5) << QPointF(8.5, 3.5) << QPointF(14.5, 5.5) << QPointF(20.5, 3.5)
            << QPointF(20.5, 17.5) << QPointF(14.5, 19.5) << QPointF(8.5, 17.5) << QPointF(2.5, 19.5);
      p.setBrush(QColor(214, 232, 190));
      p.drawPolygon(sheet);
      p.drawLine(QPointF(8.5, 3.5), QPointF(8.5, 17.5));
      p.drawLine(QPointF(14.5, 5.5), QPointF(14.5, 19.5));
      p.setPen(QPen(QColor(200, 40, 40), 1.6, Qt::DashLine));
      p.drawLine(QPointF(4.5, 15), QPointF(18, 8));
      break;
    }
    case Tool::MetaBinds: {
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(235, 235, 235));
      p.drawRoundedRect(QRectF(2.5, 6.5, 18, 11), 2, 2);
      QFont f(QStringLiteral("DejaVu Sans"));
      f.setPixelSize(8);
      f.setBold(true);
      p.setFont(f);
      p.setPen(kBlue);
      p.drawText(QRectF(2.5, 6.5, 18, 11), Qt::AlignCenter, QStringLiteral("MB"));
      break;
    }
    case Tool::Wizard: {
      p.setPen(QPen(QColor(90, 60, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 19), QPointF(14, 9));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(240, 190, 20));
      QPolygonF star;
      for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2) ? 2.2 : 5.5;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << QPointF(16 + r * std::cos(a), 7 + r * std::sin(a));
      }
      p.drawPolygon(star);
      break;
    }
  }
}

}  // namespace

QIcon tool(Tool which) {
  QPixmap pm = canvas();
  QPainter p(&pm);
  paint(p, which);
  p.end();
  return QIcon(pm);
}

QIcon checkMark() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF() << QPointF(3, 8.5) << QPointF(6.5, 12) << QPointF(13, 4));
  return QIcon(pm);
}

QPixmap stripPicture() {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  // A console prompt: the game's config is console text.
  p.setPen(QPen(QColor(255, 170, 0), 1));
  p.setBrush(QColor(40, 40, 40));
  p.drawRoundedRect(QRectF(1.5, 3.5, 21, 17), 2, 2);
  p.setPen(QPen(QColor(255, 170, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF() << QPointF(5, 8) << QPointF(9, 12) << QPointF(5, 16));
  p.drawLine(QPointF(11, 16), QPointF(18, 16));
  return pm;
}

QIcon windowIcon() {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(20, 60, 120), 1.5));
  p.setBrush(QColor(0, 168, 232));
  p.drawRoundedRect(QRectF(2, 2, 28, 28), 5, 5);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(20);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(2, 1, 28, 28), Qt::AlignCenter, QStringLiteral("B"));
  return QIcon(pm);
}

}  // namespace brindle::icons
