#include "app/windows/Application.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <QWindow>
#include <algorithm>

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
#include "ui/Codec.h"
#include "wizard/windows/NewConfigDialog.h"
#include "wizard/windows/WizardKeyPages.h"
#include "wizard/windows/WizardWindow.h"

namespace brindle::app {
namespace {

// The tool windows stay on top of the other windows for the whole run. Every dialog (the
// program's own, the message boxes and the file, font, colour and print dialogs) is put above
// them as it is shown; otherwise a tool window would cover part of it, its buttons among them.
// It is also kept whole on the screen.
class DialogPlacement : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Show) {
      auto* dialog = qobject_cast<QDialog*>(watched);
      // The show event comes before the window is mapped: the window manager learns the
      // layer with the window itself.
      if (dialog != nullptr && dialog->isWindow()) {
        if (QWindow* handle = dialog->windowHandle())
          handle->setFlag(Qt::WindowStaysOnTopHint, true);
        keepCaptionOnScreen(dialog);
      }
    }
    return false;
  }

 private:
  // Centres a dialog over its window, as Qt would, but keeps its caption (with the close
  // button and the handle to move it) on the screen: a dialog taller than a main window near
  // the top of the screen would otherwise have it above the screen. The dialog's frame is not
  // known before it is mapped, so the main window's frame stands in for it. A dialog that was
  // placed on purpose keeps its place.
  void keepCaptionOnScreen(QDialog* dialog) const {
    const auto* main = qobject_cast<QWidget*>(parent());
    QWidget* over = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    const QScreen* screen = dialog->screen();
    if (dialog->testAttribute(Qt::WA_Moved) || main == nullptr || over == nullptr ||
        screen == nullptr || !main->isVisible() || !over->isVisible())
      return;
    const QRect frame = main->frameGeometry();
    const QRect client = main->geometry();
    const QMargins decoration(client.left() - frame.left(), client.top() - frame.top(),
                              frame.right() - client.right(), frame.bottom() - client.bottom());
    QRect placed(QPoint(), dialog->size());
    placed.moveCenter(over->frameGeometry().center());
    const QRect screenRect = screen->availableGeometry() - decoration;
    placed.moveLeft(std::max(screenRect.left(),
                             std::min(placed.left(), screenRect.right() - placed.width() + 1)));
    placed.moveTop(std::max(screenRect.top(),
                            std::min(placed.top(), screenRect.bottom() - placed.height() + 1)));
    // move() places the frame; while the frame is not known yet, the frame is the client area.
    dialog->winId();
    dialog->move(placed.topLeft() - (dialog->geometry().topLeft() - dialog->pos()));
    // Not a position of its own: the next time it shows, it is centred again.
    QMetaObject::invokeMethod(
        dialog, [dialog] { dialog->setAttribute(Qt::WA_Moved, false); }, Qt::QueuedConnection);
  }
};

}  // namespace

AppWindows::AppWindows(std::string programDir, QStringList arguments) {
  mainWindow = std::make_unique<MainWindow>(std::move(programDir), std::move(arguments));
  mainWindow->attach(this);
}

void AppWindows::createWindows() {
  if (valuePanel != nullptr) return;
  MainWindow* main = mainWindow.get();
  dictionary = std::make_unique<dictionary::DictionaryContext>(main);
  valuePanel = new dictionary::ValuePanel(main, dictionary.get(), main);
  dictionaryWindow = new dictionary::DictionaryWindow(main, dictionary.get(), main);
  libraryManager = new dictionary::LibraryManager(main, dictionary.get(), main);
  bindDialog = new binds::BindDialog(main, main);
  explanationWindow = new dictionary::ExplanationWindow(main, dictionary.get(), main);
  wizardWindow = new wizard::WizardWindow(main->programDir(), main);
  newConfigDialog = new wizard::NewConfigDialog(main);
  wizardWindow->setNewConfigDialog(newConfigDialog);
  keyDialog = new binds::KeyDialog(main);
  gameDirectoryDialog = new game::GameDirectoryDialog(main);
  mapCycleWindow = new maps::MapCycleWindow(main);
  mapCycleWindow->setProgramDirectory(ui::fromUtf8(main->programDir()));
  metaBindWindow = new binds::MetaBindWindow(main, keyDialog, main);

  // The wizard's key pages use the shared key and MetaBind windows.
  wizard::attachKeyPages(*wizardWindow, keyDialog, metaBindWindow, &main->settings(),
                         main->programDir());
  main->toolWindows().setWindows(dictionaryWindow, valuePanel, explanationWindow);
  qApp->installEventFilter(new DialogPlacement(main));
  QObject::connect(dictionaryWindow, &dictionary::DictionaryWindow::insertDialogRequested,
                   bindDialog, &binds::BindDialog::openPage);
  QObject::connect(gameDirectoryDialog, &game::GameDirectoryDialog::confirmed, main,
                   [this](const QString& directory) {
                     mainWindow->setConfirmed(true);
                     wizardDirectory = directory;
                   });
}

AppWindows::~AppWindows() {
  // The windows are children of the main window and go with it, before the context they use.
  mainWindow.reset();
}

void AppWindows::start() {
  // The main window comes up first; the other windows and the rest of the start (font, game
  // directory, tool windows) follow once the window system shows it, so the user sees the
  // editor without waiting for windows that are not on the screen yet.
  mainWindow->show();
  MainWindow* main = mainWindow.get();
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
  QObject::connect(windows.mainWindow.get(), &MainWindow::terminated, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  windows.start();
  return QApplication::exec();
}

}  // namespace brindle::app
