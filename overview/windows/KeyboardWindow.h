#pragma once
// "Клавиатура": the effective binds on a picture of a full keyboard and a mouse. Every key shows
// what it ends up doing, coloured by kind; hovering shows the whole chain with files and lines
// and the explanation of the command. A click opens the bind dialog with that key chosen, a
// command dragged from the dictionary onto a key binds it in the open document. The picture
// can be saved as PNG and printed.
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "overview/picture/KeyboardPicture.h"

class QCheckBox;
class QPushButton;
class QLabel;

namespace brindle::ui {
class EditorHost;
}

namespace brindle::overview {

class OverviewModel;

// The picture as a control: hover, click and drop on keys.
class KeyboardView : public QWidget {
  Q_OBJECT

 public:
  explicit KeyboardView(QWidget* parent = nullptr);
  void setFaces(const KeyFaces* faces, const QString& title);
  // The rectangle of a key in this control's coordinates (its first cap), for tests and hover.
  QRect keyRect(std::string_view name) const;
  QSize sizeHint() const override;

 Q_SIGNALS:
  void keyClicked(const QString& key);
  void commandDropped(const QString& key, const QString& command);
  void keyHovered(const QString& key, const QPoint& globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  const KeyCap* keyAt(QPointF point) const;

  const KeyFaces* faces_ = nullptr;
  QString title_;
  std::string hovered_;
};

class KeyboardWindow : public QWidget {
  Q_OBJECT

 public:
  KeyboardWindow(OverviewModel* model, ui::EditorHost* host, QWidget* parent = nullptr);

  // Opens the bind dialog for a key; set by the program (the dialog belongs to it).
  void setBindDialogOpener(std::function<void(const QString& key)> open) {
    openBindDialog_ = std::move(open);
  }

  void refresh();
  // Binds `command` to `key` in the open document, as the bind dialog writes a bind at the
  // caret, in one undo step.
  void bindInDocument(const QString& key, const QString& command);
  // Asks for a file name and writes the picture there as PNG; false when cancelled or failed.
  bool exportPng();
  // Prints the picture on one landscape page; false when cancelled.
  bool print();
  // The hover text of a key: the chain of its binds, files and lines, the explanation.
  QString keyDetails(const std::string& key);
  KeyboardView* view() const { return view_; }
  const KeyFaces& faces() const { return faces_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString title() const;
  std::string explanationOf(const std::string& command);

  OverviewModel* model_;
  ui::EditorHost* host_;
  QCheckBox* documentOnly_;
  QPushButton* exportButton_;
  QPushButton* printButton_;
  QLabel* legend_;
  KeyboardView* view_;
  KeyFaces faces_;
  std::map<std::string, std::string> explanations_;
  std::function<void(const QString&)> openBindDialog_;
  bool stale_ = true;
};

}  // namespace brindle::overview
