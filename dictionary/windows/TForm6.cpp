#include "dictionary/windows/TForm6.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>

#include "dictionary/windows/DictionaryContext.h"
#include "ui/Codec.h"
#include "ui/JpegImage.h"

namespace brindle::dict {
namespace {

constexpr int kWidth = TForm6::kClientWidth + 2 * TForm6::kFrame;
constexpr int kHeight = TForm6::kClientHeight + 2 * TForm6::kFrame;
// The outline's corner ellipses.
constexpr qreal kCornerWidth = 35;
constexpr qreal kCornerHeight = 25;

QPainterPath outline() {
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, kWidth, kHeight), kCornerWidth / 2, kCornerHeight / 2);
  return path;
}

}  // namespace

TForm6::TForm6(ui::EditorHost* host, DictionaryContext* context, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      host_(host),
      context_(context) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Пояснение"));
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette frame = palette();
  frame.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(frame);

  const QRect client(kFrame, kFrame, kClientWidth, kClientHeight);
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(15);
  QPalette tip = palette();
  tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));

  lbl = new QLabel(this);
  lbl->setObjectName(QStringLiteral("lbl"));
  lbl->setGeometry(client);
  lbl->setAlignment(Qt::AlignCenter);
  lbl->setWordWrap(true);
  lbl->setFont(bold);
  lbl->setAutoFillBackground(true);
  lbl->setPalette(tip);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(client);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setAutoFillBackground(true);
  Image1->setPalette(tip);
  Image1->hide();
  Image1->raise();

  // The outline is a rounded rectangle over the whole window, frame included.
  setMask(QRegion(outline().toFillPolygon().toPolygon()));

  if (context_) context_->form6 = this;
}

void TForm6::showExplanation(const std::string& text) {
  hidePicture();
  lbl->setText(ui::toQ(text));
}

bool TForm6::showPicture(const std::string& path) {
  const ui::JpegResult picture = ui::loadJpegFile(path);
  if (!picture.ok()) {
    hidePicture();
    return false;
  }
  Image1->setPixmap(QPixmap::fromImage(picture.image));
  Image1->show();
  Image1->raise();
  return true;
}

void TForm6::hidePicture() {
  Image1->hide();
  Image1->clear();
}

void TForm6::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // A darker line along the outline, so the rounded edge reads clearly on any background.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(96, 96, 96), 2));
  p.drawPath(outline());
}

// The whole window serves as its title bar: it is dragged from any point.
void TForm6::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  event->accept();
}

void TForm6::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  move(event->globalPosition().toPoint() - dragOffset_);
  event->accept();
}

void TForm6::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

}  // namespace brindle::dict
