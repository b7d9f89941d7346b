#pragma once
// The explanation window: a small borderless rounded pop-up that shows the explanation of the
// chosen entry, or a weapon's picture.
#include <string>

#include "ui/ToolWindow.h"

class QLabel;

namespace brindle::ui {
class EditorHost;
}

namespace brindle::dictionary {

struct DictionaryContext;

class ExplanationWindow : public ui::ToolWindow {
  Q_OBJECT

 public:
  ExplanationWindow(ui::EditorHost* host, DictionaryContext* context, QWidget* parent = nullptr);

  // Hides the picture and shows a text (CP1251), as the lookup gave it. A text too long for the
  // window at the usual size is set smaller, and cut if need be; the whole text is then the
  // label's tooltip, wrapped to a readable width.
  void showExplanation(const std::string& text);
  // Shows the picture in the file (UTF-8 path); false, with the picture hidden, when it
  // cannot be decoded.
  bool showPicture(const std::string& path);
  void hidePicture();

  static constexpr int kFrame = 10;
  static constexpr int kClientWidth = 205;
  static constexpr int kClientHeight = 65;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void setLabelText(const QString& text);

  QLabel* text_;     // lbl: the explanation text
  QLabel* picture_;  // Image1: the picture, above the text; hidden except in pictures mode

  ui::EditorHost* host_;
  DictionaryContext* context_;
  QPoint dragOffset_;
  bool dragging_ = false;
};

}  // namespace brindle::dictionary
