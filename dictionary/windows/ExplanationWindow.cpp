#include "dictionary/windows/ExplanationWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>

#include "dictionary/windows/DictionaryContext.h"
#include "ui/Codec.h"
#include "ui/JpegImage.h"

namespace brindle::dictionary {
namespace {

constexpr int kWidth = ExplanationWindow::kClientWidth + 2 * ExplanationWindow::kFrame;
constexpr int kHeight = ExplanationWindow::kClientHeight + 2 * ExplanationWindow::kFrame;
// The outline's corner ellipses.
constexpr qreal kCornerWidth = 35;
constexpr qreal kCornerHeight = 25;
// The label's type: bold 15 pixels. A long explanation is set in smaller bold type down to
// 11 pixels, then in regular type down to 10: below 11 pixels bold letters run together,
// while regular 10-pixel type holds as much text and stays readable.
constexpr int kLargestText = 15;
constexpr int kSmallestBold = 11;
constexpr int kSmallestText = 10;
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;

QPainterPath outline() {
  QPainterPath path;
  path.addRoundedRect(QRectF(0, 0, kWidth, kHeight), kCornerWidth / 2, kCornerHeight / 2);
  return path;
}

}  // namespace

ExplanationWindow::ExplanationWindow(ui::EditorHost* host, DictionaryContext* context,
                                     QWidget* parent)
    : ui::ToolWindow(Frame::Borderless, parent), host_(host), context_(context) {
  setObjectName(QStringLiteral("TForm6"));
  setWindowTitle(QStringLiteral("Пояснение"));
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette frame = palette();
  frame.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(frame);

  // The whole text of a long explanation is in the tooltip, and the user reads it while
  // another window (the value panel, the editor) is the active one.
  setAttribute(Qt::WA_AlwaysShowToolTips);

  const QRect client(kFrame, kFrame, kClientWidth, kClientHeight);
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(15);
  QPalette tip = palette();
  tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));

  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("lbl"));
  text_->setGeometry(client);
  text_->setAlignment(Qt::AlignCenter);
  text_->setWordWrap(true);
  // Explanations are plain text even where they look like markup ("<b>" in a library's file).
  text_->setTextFormat(Qt::PlainText);
  text_->setFont(bold);
  text_->setAutoFillBackground(true);
  text_->setPalette(tip);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setGeometry(client);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setAutoFillBackground(true);
  picture_->setPalette(tip);
  picture_->hide();
  picture_->raise();

  // The outline is a rounded rectangle over the whole window, frame included.
  setMask(QRegion(outline().toFillPolygon().toPolygon()));

  if (context_) context_->explanationWindow = this;
}

void ExplanationWindow::showExplanation(const std::string& text) {
  hidePicture();
  setLabelText(ui::toQ(text));
}

// The window keeps its size, so a long explanation is set in smaller type; one that does not
// fit even then is cut at a word with an ellipsis. Whenever the text is not shown whole at the
// usual size, the whole text is also the label's tooltip.
void ExplanationWindow::setLabelText(const QString& text) {
  const QRect area = text_->contentsRect();
  auto fits = [&](const QFont& f, const QString& t) {
    const QRect needed = QFontMetrics(f).boundingRect(area, kTextFlags, t);
    return needed.height() <= area.height() && needed.width() <= area.width();
  };
  // The steps from the usual type to the smallest: bold 15..11, then regular 11..10.
  QFont f = text_->font();
  f.setBold(true);
  f.setPixelSize(kLargestText);
  while (!fits(f, text)) {
    if (f.bold() && f.pixelSize() > kSmallestBold)
      f.setPixelSize(f.pixelSize() - 1);
    else if (f.bold())
      f.setBold(false);
    else if (f.pixelSize() > kSmallestText)
      f.setPixelSize(f.pixelSize() - 1);
    else
      break;
  }
  QString shown = text;
  if (!fits(f, text)) {
    // The longest run of whole words that fits with the ellipsis after it.
    const QStringList words = text.split(QLatin1Char(' '));
    int low = 0;
    int high = static_cast<int>(words.size());
    while (low < high) {
      const int mid = (low + high + 1) / 2;
      if (fits(f, words.mid(0, mid).join(QLatin1Char(' ')) + QStringLiteral(" …")))
        low = mid;
      else
        high = mid - 1;
    }
    shown = words.mid(0, low).join(QLatin1Char(' ')) + QStringLiteral(" …");
  }
  text_->setFont(f);
  text_->setText(shown);
  const bool usual = shown == text && f.bold() && f.pixelSize() == kLargestText;
  // As a paragraph of rich text the tooltip wraps to a readable width (a plain-text tooltip
  // stays one line, wider than the screen for a long explanation); the text is escaped so it
  // still shows exactly as written.
  text_->setToolTip(usual ? QString()
                          : QStringLiteral("<p>") + text.toHtmlEscaped() + QStringLiteral("</p>"));
}

bool ExplanationWindow::showPicture(const std::string& path) {
  const ui::JpegResult picture = ui::loadJpegFile(path);
  if (!picture.ok()) {
    hidePicture();
    return false;
  }
  picture_->setPixmap(QPixmap::fromImage(picture.image));
  picture_->show();
  picture_->raise();
  return true;
}

void ExplanationWindow::hidePicture() {
  picture_->hide();
  picture_->clear();
}

void ExplanationWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // A darker line along the outline, so the rounded edge reads clearly on any background.
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(96, 96, 96), 2));
  p.drawPath(outline());
}

// The whole window serves as its title bar: it is dragged from any point.
void ExplanationWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  event->accept();
}

void ExplanationWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  move(event->globalPosition().toPoint() - dragOffset_);
  event->accept();
}

void ExplanationWindow::mouseReleaseEvent(QMouseEvent* event) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(event);
}

}  // namespace brindle::dictionary
