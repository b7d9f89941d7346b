#pragma once
// The About window: version, a short description, terms of use and two links (the program's
// web site and its mail address) that open in the desktop's handlers.
#include <QDialog>

class QFrame;
class QLabel;
class QTextEdit;

namespace brindle::app {

class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  // Creates a new About window owned by `owner`, shows it modally and discards it when it
  // closes, so every showing starts fresh.
  static void showFresh(QWidget* owner);

  static const QString kWebAddress;
  static const QString kMailAddress;

  QFrame* Bevel1;
  QLabel* Image2;  // 209 x 135, top left inside Bevel1
  QLabel* Image1;  // 100 x 103, top right
  QLabel* Label1;  // caption under Image1
  QTextEdit* Memo1;
  QLabel* StaticText1;  // web link
  QLabel* StaticText2;  // mail link

  void openWebLink();
  void openMailLink();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace brindle::app
