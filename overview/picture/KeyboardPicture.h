#pragma once
// Paints the keyboard of the effective binds: every key with its caption and the colour of what
// it does, the marks for keys bound in several files or overridden, and a legend. Uses the Qt
// image classes only (no widgets), so the keyboard window and brindle-cli draw the same picture.
#include <QColor>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <string_view>

#include "overview/logic/Keyboard.h"

class QPainter;

namespace brindle::overview {

using KeyFaces = std::map<std::string, KeyFace, std::less<>>;

class KeyboardPicture {
 public:
  explicit KeyboardPicture(const KeyFaces* faces) : faces_(faces) {}

  // The picture's size at its natural scale, in pixels (keys 48 pixels wide).
  static QSizeF naturalSize();
  // Paints the picture scaled into `target` (its proportions kept, centred). `title` is
  // printed above the keys; `hovered` is drawn highlighted.
  void paint(QPainter& painter, const QRectF& target, const QString& title,
             std::string_view hovered = {}) const;
  // The key at `point` of a picture painted into `target`, or null.
  const KeyCap* keyAt(const QRectF& target, QPointF point) const;

  // Where a key is drawn in a picture painted into `target`.
  static QRectF keyRect(const QRectF& target, const KeyCap& key);
  static QColor roleColor(KeyRole role);

 private:
  const KeyFaces* faces_;
};

// The lines of a key's caption in `width` pixels and at most `maxLines` lines: lines break at
// blanks and after ';', never inside a word or a number; a word wider than the key, and the last
// line when the caption has more, end in "…".
QStringList captionLines(const QString& caption, const QFontMetricsF& metrics, qreal width,
                         int maxLines);

// The picture as an image `width` pixels wide (at least 600), on white.
QImage renderKeyboard(const KeyFaces& faces, const QString& title, int width = 1600);

}  // namespace brindle::overview
