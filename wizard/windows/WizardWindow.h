#pragma once
// The configuration wizard: the user picks a directory and a config on the first page, the
// loading pass shows the settings found there on pages 2-8, and "Применить настройки" writes the
// changed ones back into the file. The pages are hidden tabs reached only with "<< Назад" and
// "Далее >>".
//
// The wizard works on its own in-memory texts (wizard/logic/WizardText.h): the working text of the
// chosen file, shown read-only on the first page, and in autoexec mode (the game's own config.cfg
// chosen) the text of the game's autoexec.cfg. It never touches the main window's editor.
//
// Pages 9-11 (keys, buy scripts, radio) are built on top of this window: they fill the page
// widgets page(8) to page(10), give their action commands with setActionCommands(), take the key
// lists and captions through setKeysLoadedHandler(), and raise the last page with setLastPage(10).
#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "wizard/logic/ConfigFiles.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"

class QLabel;
class QPushButton;
class QStackedWidget;

namespace brindle::ui {
class CfgEdit;
class DirectoryListBox;
class FileListBox;
}  // namespace brindle::ui

namespace brindle::wizard {

class NewConfigDialog;
class SettingsPages;

class WizardWindow : public QDialog {
  Q_OBJECT

 public:
  // `programDir` ends with a separator; the directory list starts there until a game directory
  // is set.
  WizardWindow(std::string programDir, QWidget* parent = nullptr);
  ~WizardWindow() override;

  // The directory the directory list shows (the game directory); the file list follows it.
  void setGameDirectory(const QString& directory);
  QString directory() const;
  // The game directory known at program start: its config.cfg is edited in autoexec mode.
  // Empty: none was known, and autoexec mode never applies.
  void setStartupGameDirectory(const QString& directory);
  QString startupGameDirectory() const { return startupGameDirectory_; }
  // The new-config dialog "Создать" opens; without one the wizard makes its own.
  void setNewConfigDialog(NewConfigDialog* dialog) { newConfig_ = dialog; }

  // Shows the window modally, on its first page.
  int run() { return exec(); }

  // ------------------------------------------------------------------ for the pages
  WizardTexts& texts() { return texts_; }
  SettingsPages& settings() { return *settings_; }
  // Page widget `index` (0 for "Каталог и файл" ... 10 for "Кнопки3").
  QWidget* page(int index) const;
  int currentPage() const { return pageIndex_; }
  // Shows page `index` and runs its show handler.
  void showPage(int index);
  // The last page "Далее >>" reaches (7, "Соединение", until the key pages are there).
  void setLastPage(int index);
  int lastPage() const { return lastPage_; }

  // The file chosen in the file list and how it was read.
  const ChosenFile& chosenFile() const { return chosen_; }
  bool autoexecMode() const { return chosen_.autoexecMode; }
  bool unbindallPresent() const { return unbindallPresent_; }
  void setUnbindallPresent(bool present) { unbindallPresent_ = present; }

  // The commands of the action buttons, with their quotes, in button order: the loading pass
  // reads the keys bound to them.
  void setActionCommands(std::vector<std::string> commands) {
    actionCommands_ = std::move(commands);
  }
  // Runs after every loading pass with its key lists and action captions.
  void setKeysLoadedHandler(std::function<void(const LoadingResult&)> handler) {
    keysLoaded_ = std::move(handler);
  }
  // Where the game version comes from (the buy page's choice); CS 1.6 without one.
  void setGameVersionSource(std::function<GameVersion()> source) {
    gameVersion_ = std::move(source);
  }
  GameVersion gameVersion() const { return gameVersion_ ? gameVersion_() : kDefaultGameVersion; }
  // Runs when a file is chosen, after the controls of pages 2-8 are reset.
  void setControlsResetHandler(std::function<void()> handler) {
    controlsReset_ = std::move(handler);
  }
  // Runs when page 0 empties the used-keys list.
  void setUsedKeysClearedHandler(std::function<void()> handler) {
    usedKeysCleared_ = std::move(handler);
  }
  // The caption under the section caption, for the pages that set their own.
  void setStepCaption(const QString& caption);
  // The caption of "Далее >>", keeping its weight.
  void setNextCaption(const QString& caption);

  // Runs a pass over the working text (the loading pass fills the controls) and shows the
  // working text again.
  LoadingResult runPass(const PassRequest& request);
  // Shows the working text in the preview box again after a change.
  void refreshPreview();

  // ------------------------------------------------------------------ operations
  void prepare();
  void finish();
  void createConfig();  // "Создать"
  void fileChosen();    // a file chosen
  void nextPage();      // "Далее >>"
  void previousPage();  // "<< Назад"
  // "Применить настройки"; false when a choice was refused or the file could not be written.
  bool applySettings();
  // Before the window closes: when the working text or the settings differ from the file, asks
  // whether to save them (Да applies, Нет drops them, Отмена keeps the window open).
  bool mayClose();

 Q_SIGNALS:
  // A page was shown and its show handler has run.
  void pageChanged(int index);

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  QWidget* buildLeftPanel();
  void buildFirstPage(QWidget* page);
  void pageShown(int index);
  void setNextCaption(const QString& caption, bool bold);

  std::string programDir_;
  QString startupGameDirectory_;
  std::vector<std::string> actionCommands_;
  std::function<void(const LoadingResult&)> keysLoaded_;
  std::function<void()> controlsReset_;
  std::function<GameVersion()> gameVersion_;
  std::function<void()> usedKeysCleared_;
  NewConfigDialog* newConfig_ = nullptr;
  SettingsPages* settings_ = nullptr;
  std::array<QWidget*, 11> pages_{};

  QStackedWidget* pageStack_ = nullptr;
  QLabel* masterLabel_ = nullptr;  // М А С Т Е Р
  QLabel* cfgLabel_ = nullptr;     // C F G
  QLabel* sectionLabel_ = nullptr;
  QLabel* stepLabel_ = nullptr;
  QPushButton* backButton_ = nullptr;  // "<< Назад"
  QPushButton* nextButton_ = nullptr;  // "Далее >>"
  ui::DirectoryListBox* directoryList_ = nullptr;
  ui::FileListBox* fileList_ = nullptr;
  ui::CfgEdit* workingText_ = nullptr;   // the working text, read-only
  ui::CfgEdit* autoexecText_ = nullptr;  // the autoexec text, hidden

  WizardTexts texts_;
  ChosenFile chosen_;
  SettingsValues loaded_;       // the controls as the loading pass left them
  bool settingsShown_ = false;  // the loading pass has filled the controls from the file
  bool unbindallPresent_ = true;
  bool nextEnabled_ = false;  // a file was chosen once
  int pageIndex_ = 0;
  int lastPage_ = 7;
};

}  // namespace brindle::wizard
