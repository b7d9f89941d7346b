#pragma once
// The main window: the one editor buffer with its document, the file commands, the editing
// tools, the game directory and the game launch. It also keeps the three tool windows
// (dictionary window, value panel, explanation window) beside itself.
// Its members are defined in four files: MainWindow.cpp (the window, its editing tools and
// closing), MainWindowCommands.cpp (menus, tool bar, the commands opening other windows),
// MainWindowDocuments.cpp (the document commands) and MainWindowPlacement.cpp (placement).
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

#include "app/windows/ToolWindows.h"
#include "core/Settings.h"
#include "core/TextBuffer.h"
#include "editor/logic/DocumentSession.h"
#include "ui/EditorHost.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;

namespace brindle::ui {
class CfgEdit;
class FindDialog;
}  // namespace brindle::ui
namespace brindle::editor {
class ConfigTools;
}  // namespace brindle::editor

namespace brindle::app {

struct AppWindows;

class MainWindow : public QMainWindow, public ui::EditorHost, private editor::DocumentHost {
  Q_OBJECT

 public:
  // Reads the settings, places the window and sets up the first document from the first
  // argument (`arguments` holds the command-line arguments after the program name).
  MainWindow(std::string programDir, QStringList arguments, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The other windows, reached once they exist (they are created after this one).
  void attach(AppWindows* windows) { windows_ = windows; }

  // Run once right after the window is first shown: the stored font, the tool windows'
  // stored layout, the game directory (asked for at the first start) and the tool windows.
  void firstShow();

  // ui::EditorHost
  ui::CfgEdit* memo() override { return memo_; }
  void setStatusText(int panel, const QString& text) override;
  QString statusText(int panel) const override;
  void showHint(const QString& hint) override;
  void insertLine(core::InsertKind kind, const std::string& first,
                  const std::string& second) override;
  void endEnter() override;
  QWidget* hostWindow() override { return this; }
  std::string programDir() const override { return programDir_; }

  // Document commands.
  void newDocument();
  void newMetaBind();
  void openDocument();
  void save();
  void saveAs();
  // The close query: whether the window may close (asks the save question as needed).
  bool queryClose();

  // Editing tools.
  void insertComment();    // "//"
  void insertLineBreak();  // "Enter"
  void cleanUp();          // "Очистка"
  void deleteLine();
  void toggleSelectAll();
  void find();
  // The find dialog (F3), created on first use: most sessions never search.
  ui::FindDialog* findDialog();
  void toggleWordWrap();
  void chooseFont();
  void chooseBackground();
  void print();
  void defineSelection();  // "О&пределить"
  void checkConfig();      // "Проверить конфиг": the problems of the document
  // Enables "О&пределить" exactly when something is selected.
  void updateDefineCommand();

  // Game directory, launch and the other windows.
  void changeGameDirectory();
  void launchGame();
  void openMapCycle();
  void openWizard();
  void insertMetaBinds();
  void manageLibraries();
  void showHelp();
  void showQuestions();
  void showLessons();
  void showHistory();
  void showAbout();

  // State that other windows and tests read.
  QString currentFileName() const;
  bool confirmed() const { return confirmed_; }
  void setConfirmed(bool c) { confirmed_ = c; }
  // The game directory: the directory selected in the game-directory dialog.
  QString gameDirectory() const;
  // The stored game directory read at start, or empty.
  const QString& startupGameDirectory() const { return startupGameDirectory_; }
  int styleCode() const { return styleCode_; }
  bool wordWrap() const;
  QColor editorBackground() const;
  QColor editorTextColor() const;
  ToolWindows& toolWindows() { return tools_; }
  // The settings file, for the windows that keep settings of their own.
  core::Settings& settings() { return settings_; }
  // The windows stand at their stored places (the window system has shown them all).
  bool placed() const { return activated_; }

  // Starts the game program detached; replaceable so tests need no game.
  using GameStarter =
      std::function<bool(const QString& program, const QStringList& args, const QString& dir)>;
  void setGameStarter(GameStarter starter) { gameStarter_ = std::move(starter); }

 Q_SIGNALS:
  // The settings are written after the close query: the program ends.
  void terminated();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // editor::DocumentHost
  core::TextBuffer& buffer() override;
  editor::SaveAnswer askSave() override;
  bool askReplace(const std::string& path) override;
  std::optional<std::string> chooseOpenPath() override;
  std::optional<std::string> chooseSavePath(std::string_view title) override;
  void showError(const std::string& message) override;
  void progress(editor::Progress step) override;
  void fileNameChanged(const std::string& name) override;

  void buildMenus();
  void buildToolBar();
  void buildStrip();
  void buildStatusBar();
  void editAction(const char* slot);  // cut/copy/paste/undo on the focused text control

  // After the close query: every setting written, the window hidden, the program ends.
  void finishClose();
  void textEdited();
  void caretMoved();
  void saveTypeChanged(int filterIndex);
  QString valuePanelCaption() const;
  void applyEditorFont(const QFont& font, const QColor& color);
  void setEditorBackground(const QColor& color);
  void writeSettings();
  void startGame(const QString& gameRoot);
  void openHelp(const QString& page);
  void rememberNormalGeometry();
  // The stored frame, applied once the window manager has framed the window.
  void placeMainFrame();
  void placeToolWindows();
  // The tool windows' stored layout, each frame defaulting to the built-in one.
  ToolLayout storedToolLayout();

  std::string programDir_;
  QStringList arguments_;
  core::Settings settings_;
  editor::DocumentSession session_;
  AppWindows* windows_ = nullptr;
  ToolWindows tools_;
  GameStarter gameStarter_;

  ui::CfgEdit* memo_ = nullptr;
  editor::ConfigTools* configTools_ = nullptr;  // highlighting, checks, completion of Memo1
  ui::FindDialog* findDialog_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QFrame* strip_ = nullptr;
  std::array<QLabel*, 4> stripButtons_{};  // "//", "Enter", "EndEnter", "Очистка"
  QMenu* contextMenu_ = nullptr;
  QAction* wordWrapAction_ = nullptr;  // carries the check-mark picture while word wrap is on
  std::array<QAction*, 2> defineActions_{};  // "О&пределить" in the menu and in the context menu
  std::array<QLabel*, 3> panels_{};

  // Start-up and placement state.
  bool confirmed_ = false;
  int styleCode_ = 0;
  bool fontInitialised_ = false;
  bool activated_ = false;
  bool mainPlaced_ = false;
  QPoint lastMainPos_;
  QRect normalFrame_;  // the main window's frame in the normal state
  QRect wantedFrame_;  // the stored frame, applied again once the real frame is known
  QString startupGameDirectory_;
  QString gameDirectoryFallback_;  // used while no game-directory dialog is attached

  core::Offset caretLine_ = 0;

  // Save dialog state: the type the dialog opens at, and the extension that type adds.
  QString defaultExt_;
  int saveFilterIndex_ = 1;
};

}  // namespace brindle::app
