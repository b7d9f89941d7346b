#pragma once
// A whole program for the main window's tests: a fresh program directory holding a copy of the
// shipped data folders and, when a test wants one, a settings file; then every window created
// as at start. Boxes and file dialogs are answered by the test's ScriptedAnswers.
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/windows/Application.h"
#include "app/windows/MainWindow.h"
#include "core/Ini.h"
#include "game/windows/GameDirectoryDialog.h"
#include "support/TempDir.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::app;

namespace brindle::test {

class AppFixture {
 public:
  AppFixture() {
    std::error_code ec;
    std::filesystem::copy(BRINDLE_DATA_DIR, dir.path(), std::filesystem::copy_options::recursive,
                          ec);
  }
  ~AppFixture() { app.reset(); }

  std::string programDir() const { return dir.path() + "/"; }
  std::string iniPath() const { return dir.file("Zarurud.INI"); }

  // Settings as lines "Section/Key=value".
  void settings(std::initializer_list<std::pair<const char*, std::string>> values) {
    for (const auto& [sectionKey, value] : values) {
      const std::string sk = sectionKey;
      const auto slash = sk.find('/');
      iniWriteString(iniPath(), sk.substr(0, slash), sk.substr(slash + 1), value);
    }
  }
  // A settings file that keeps the first-start dialog away, with the game directory given.
  void knownGameDirectory(const std::string& catalog) {
    settings({{"Game/dadir", "1"}, {"Game/Catalog", catalog}});
  }
  std::string setting(const char* section, const char* key) const {
    return iniReadString(iniPath(), section, key, "<absent>");
  }

  // Creates every window without showing anything.
  void create(QStringList arguments = {}) {
    app = std::make_unique<AppWindows>(programDir(), std::move(arguments));
    app->createWindows();
  }
  // Creates the main window and starts the program, which creates the others once the main
  // window shows.
  void start(QStringList arguments = {}) {
    app = std::make_unique<AppWindows>(programDir(), std::move(arguments));
    app->start();
    QCoreApplication::processEvents();
    // Placement follows the window system's expose events.
    QVERIFY2(QTest::qWaitFor([this] { return main()->placed(); }, 5000), "windows not placed");
  }

  MainWindow* main() const { return app->mainWindow.get(); }
  ui::CfgEdit* memo() const { return main()->memo(); }
  QString panel(int i) const { return main()->statusText(i); }
  // The panel label itself, as a user sees it.
  QString panelLabel(int i) const {
    const auto* l = main()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
    return l ? l->text() : QStringLiteral("<no panel>");
  }
  std::string text() const { return memo()->getText(); }

  TempDir dir;
  std::unique_ptr<AppWindows> app;
};

// Runs `act` on the modal dialog of type T as soon as it is up (start-up waits for its windows
// to show before it opens its dialog, so a timer that fires once may come too early). A dialog
// that is not up within `deadlineMs` fails the running test, and any other modal window that
// stands in its place is closed, so the test ends instead of waiting forever.
template <typename T, typename F>
void whenModal(F act, int deadlineMs = 20000) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  const QDeadlineTimer deadline(deadlineMs);
  QObject::connect(poll, &QTimer::timeout, [poll, act, deadline] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      if (!deadline.hasExpired()) return;
      poll->stop();
      poll->deleteLater();
      QTest::qFail(qPrintable(QStringLiteral("no %1 came up")
                                  .arg(QString::fromLatin1(T::staticMetaObject.className()))),
                   __FILE__, __LINE__);
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    poll->stop();
    poll->deleteLater();
    act(dialog);
  });
  poll->start();
}

// Presses "ОК" of the modal game-directory dialog once it is up.
inline void confirmGameDirectoryDialogSoon(const QString& chooseDirectory = {}) {
  whenModal<game::GameDirectoryDialog>([chooseDirectory](game::GameDirectoryDialog* dialog) {
    if (!chooseDirectory.isEmpty()) dialog->setDirectory(chooseDirectory);
    dialog->confirm();
  });
}

}  // namespace brindle::test
