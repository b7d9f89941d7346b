#include "app/windows/Application.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWindow>

#include "app/windows/MainWindow.h"
#include "binds/windows/BindDialog.h"
#include "binds/windows/KeyDialog.h"
#include "binds/windows/MetaBindWindow.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "game/windows/GameDirectoryDialog.h"
#include "maps/windows/MapCycleWindow.h"
#include "wizard/windows/NewConfigDialog.h"
#include "wizard/windows/WizardKeyPages.h"
#include "wizard/windows/WizardWindow.h"

namespace brindle::app {
namespace {

// The tool windows stay on top of the other windows for the whole run. Every dialog (the
// program's own, the message boxes and the file, font, colour and print dialogs) is put above
// them as it is shown; otherwise a tool window would cover part of it, its buttons among them.
class DialogsAboveToolWindows : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      auto* dialog = qobject_cast<QDialog*>(watched);
      // The show event comes before the window is mapped: the window manager learns the
      // layer with the window itself.
      if (dialog != nullptr && dialog->isWindow())
        if (QWindow* handle = dialog->windowHandle())
          handle->setFlag(Qt::WindowStaysOnTopHint, true);
    }
    return false;
  }
};

}  // namespace

AppWindows::AppWindows(std::string programDir, QStringList arguments) {
  form1 = std::make_unique<MainWindow>(std::move(programDir), std::move(arguments));
  form1->attach(this);
}

void AppWindows::createWindows() {
  if (pani1 != nullptr) return;
  MainWindow* main = form1.get();
  dictionary = std::make_unique<dictionary::DictionaryContext>(main);
  pani1 = new dictionary::ValuePanel(main, dictionary.get(), main);
  ccd = new dictionary::DictionaryWindow(main, dictionary.get(), main);
  form3 = new dictionary::LibraryManager(main, dictionary.get(), main);
  setbal = new binds::BindDialog(main, main);
  form6 = new dictionary::ExplanationWindow(main, dictionary.get(), main);
  form2 = new wizard::WizardWindow(main->programDir(), main);
  sozdat = new wizard::NewConfigDialog(main);
  form2->setNewConfigDialog(sozdat);
  keys = new binds::KeyDialog(main);
  nachalo = new game::GameDirectoryDialog(main);
  maps = new maps::MapCycleWindow(main);
  metab = new binds::MetaBindWindow(main, keys, main);

  // The wizard's key pages use the shared key and MetaBind windows.
  wizard::attachKeyPages(*form2, keys, metab, &main->settings(), main->programDir());
  main->toolWindows().setWindows(ccd, pani1, form6);
  qApp->installEventFilter(new DialogsAboveToolWindows(main));
  QObject::connect(ccd, &dictionary::DictionaryWindow::insertDialogRequested, setbal,
                   &binds::BindDialog::openPage);
  QObject::connect(nachalo, &game::GameDirectoryDialog::confirmed, main,
                   [this](const QString& directory) {
                     form1->setConfirmed(true);
                     wizardDirectory = directory;
                   });
}

AppWindows::~AppWindows() {
  // The windows are children of the main window and go with it, before the context they use.
  form1.reset();
}

void AppWindows::start() {
  // The main window comes up first; the other windows and the rest of the start (font, game
  // directory, tool windows) follow once the window system shows it, so the user sees the
  // editor without waiting for windows that are not on the screen yet.
  form1->show();
  MainWindow* main = form1.get();
  whenExposed({main}, main, [this, main] {
    createWindows();
    main->firstShow();
  });
}

int runApplication(int argc, char** argv) {
  // Tool windows can be placed only where the window system lets a program place its windows:
  // on X11, not on Wayland.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Brindle 2.3"));

  // The standard dialogs (file, font, colour, print, message-box buttons) in Russian.
  QTranslator translator;
  if (translator.load(QStringLiteral("qtbase_ru"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);

  QStringList arguments = QApplication::arguments();
  if (!arguments.isEmpty()) arguments.removeFirst();

  AppWindows windows(QApplication::applicationDirPath().toStdString() + "/", arguments);
  // The program ends when the main window has closed, whatever other windows are open.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(windows.form1.get(), &MainWindow::terminated, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  windows.start();
  return QApplication::exec();
}

}  // namespace brindle::app
