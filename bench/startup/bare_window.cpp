// The start-up floor Brindle's main window is compared with: a bare Qt window with a plain-text
// editor, a menu and a status bar, nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("bare-qt"));
  w.setCentralWidget(new QPlainTextEdit);
  w.menuBar()->addMenu(QStringLiteral("&File"));
  w.statusBar()->showMessage(QStringLiteral("ready"));
  w.resize(560, 450);
  w.show();
  return QApplication::exec();
}
