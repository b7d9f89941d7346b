// Starts Brindle: everything else lives in the application windows library.
//
// One option is kept out of the user's sight: `--quit-after-start` lets a package check start
// the program with no one to close it. Once the main window is on the screen and the first
// start's dialogs have had their turn, the program prints the objectNames of its visible
// windows ("started: TForm1 ...") and ends with exit code 0.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/windows/Application.h"

namespace {

bool quitAfterStart = false;

void watchStart() {
  if (!quitAfterStart) return;
  auto* timer = new QTimer(qApp);
  auto exposedTicks = std::make_shared<int>(0);
  // Polled, because the first start's game directory dialog runs an event loop of its own;
  // exit() ends that loop and every later one at once.
  QObject::connect(timer, &QTimer::timeout, timer, [timer, exposedTicks] {
    QStringList shown;
    bool mainExposed = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      shown << w->objectName();
      if (w->objectName() == QStringLiteral("TForm1") && w->windowHandle() != nullptr &&
          w->windowHandle()->isExposed())
        mainExposed = true;
    }
    if (!mainExposed || ++*exposedTicks < 3) return;
    timer->stop();
    shown.sort();
    std::printf("started: %s\n", shown.join(QLatin1Char(' ')).toUtf8().constData());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  timer->start(200);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(watchStart)

int main(int argc, char** argv) {
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strcmp(argv[i], "--quit-after-start") == 0)
      quitAfterStart = true;
    else
      args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  return brindle::app::runApplication(count, args.data());
}
