#pragma once
// Start of the program: the application object, the Russian translations of the standard
// dialogs, and every window, created once in a fixed order.
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace brindle::app {

}  // namespace brindle::app
namespace brindle::dictionary {
struct DictionaryContext;
class TPani1;
class Tccd;
class TForm3;
class TForm6;
}  // namespace brindle::dictionary
namespace brindle::binds {
class Tsetbal;
class Tbinds;
class TMetab;
}  // namespace brindle::binds
namespace brindle::app {

class TForm1;
class Tsozdat;
class Tnachalo;

int runApplication(int argc, char** argv);

// All windows of the program, created once in this order: TForm1, TPani1, Tccd, TForm3,
// Tsetbal, TForm6, Tsozdat, Tbinds, Tnachalo, TMetab (the About window is created afresh each time it
// is shown). The main window owns the others; they live until it goes.
struct AppWindows {
  // `programDir` ends with a separator; `arguments` are the command-line arguments after the
  // program name.
  AppWindows(std::string programDir, QStringList arguments);
  ~AppWindows();
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  // Shows the main window and runs its first-show step.
  void start();

  std::unique_ptr<dictionary::DictionaryContext> dictionary;  // outlives the windows
  std::unique_ptr<TForm1> form1;
  dictionary::TPani1* pani1 = nullptr;
  dictionary::Tccd* ccd = nullptr;
  dictionary::TForm3* form3 = nullptr;
  binds::Tsetbal* setbal = nullptr;
  dictionary::TForm6* form6 = nullptr;
  Tsozdat* sozdat = nullptr;
  binds::Tbinds* keys = nullptr;
  Tnachalo* nachalo = nullptr;
  binds::TMetab* metab = nullptr;

  // The directory the configuration wizard lists its files in (and the map cycle editor works
  // in): the game directory stored in the settings, or the program directory, and the chosen
  // directory after every "ОК" of the game-directory dialog.
  QString wizardDirectory;
};

}  // namespace brindle::app
