#pragma once
// Start of the program: the application object, the Russian translations of the standard
// dialogs, and every window, created once in a fixed order.
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace brindle::app {}  // namespace brindle::app
namespace brindle::dictionary {
struct DictionaryContext;
class ValuePanel;
class DictionaryWindow;
class LibraryManager;
class ExplanationWindow;
}  // namespace brindle::dictionary
namespace brindle::binds {
class BindDialog;
class KeyDialog;
class MetaBindWindow;
}  // namespace brindle::binds
namespace brindle::game {
class GameDirectoryDialog;
}
namespace brindle::wizard {
class NewConfigDialog;
class WizardWindow;
}  // namespace brindle::wizard
namespace brindle::maps {
class MapCycleWindow;
}
namespace brindle::app {

class MainWindow;

int runApplication(int argc, char** argv);

// All windows of the program. The constructor creates the main window; createWindows() creates
// the others once, in this order: ValuePanel, DictionaryWindow, LibraryManager, BindDialog,
// ExplanationWindow, WizardWindow, NewConfigDialog, KeyDialog, GameDirectoryDialog,
// MapCycleWindow, MetaBindWindow (the About window is created afresh each time it is shown).
// Until then the main window's commands that need them do nothing; start() creates them as soon
// as the main window is on the screen. The main window owns the others; they live until it goes.
struct AppWindows {
  // `programDir` ends with a separator; `arguments` are the command-line arguments after the
  // program name.
  AppWindows(std::string programDir, QStringList arguments);
  ~AppWindows();
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  // Creates the windows other than the main window; a second call does nothing.
  void createWindows();
  // Shows the main window; once it is on the screen, creates the other windows and runs the
  // main window's first-show step.
  void start();

  std::unique_ptr<dictionary::DictionaryContext> dictionary;  // outlives the windows
  std::unique_ptr<MainWindow> mainWindow;
  dictionary::ValuePanel* valuePanel = nullptr;
  dictionary::DictionaryWindow* dictionaryWindow = nullptr;
  dictionary::LibraryManager* libraryManager = nullptr;
  binds::BindDialog* bindDialog = nullptr;
  dictionary::ExplanationWindow* explanationWindow = nullptr;
  wizard::NewConfigDialog* newConfigDialog = nullptr;
  binds::KeyDialog* keyDialog = nullptr;
  game::GameDirectoryDialog* gameDirectoryDialog = nullptr;
  wizard::WizardWindow* wizardWindow = nullptr;
  maps::MapCycleWindow* mapCycleWindow = nullptr;
  binds::MetaBindWindow* metaBindWindow = nullptr;

  // The directory the configuration wizard lists its files in (and the map cycle editor works
  // in): the game directory stored in the settings, or the program directory, and the chosen
  // directory after every "ОК" of the game-directory dialog.
  QString wizardDirectory;
};

}  // namespace brindle::app
