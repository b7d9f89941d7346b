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

  void openWebLink();
  void openMailLink();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* bevel_;          // Bevel1
  QLabel* banner_;         // Image2: 209 x 135, top left inside the bevel
  QLabel* keycap_;         // Image1: 100 x 103, top right
  QLabel* keycapCaption_;  // Label1, under the keycap
  QTextEdit* text_;        // Memo1
  QLabel* webLink_;        // StaticText1
  QLabel* mailLink_;       // StaticText2
};

}  // namespace brindle::app
