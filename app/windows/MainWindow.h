#pragma once
// The main window: the one editor buffer Memo1 with its document (file name, modified flag),
// the file commands, the editing tools, the game directory and the game launch. It also keeps
// the three tool windows (dictionary window, value panel, explanation window) beside itself.
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <array>
#include <functional>
#include <string>

#include "core/Settings.h"
#include "core/TextBuffer.h"
#include "app/windows/ToolWindows.h"
#include "ui/EditorHost.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace brindle::ui {
class CfgEdit;
class FindDialog;
}  // namespace brindle::ui

namespace brindle::app {

struct AppWindows;

class MainWindow : public QMainWindow, public ui::EditorHost {
  Q_OBJECT

 public:
  static constexpr const char* kUntitled = "Untitled";

  // FormCreate: reads the settings, places the window and sets up the first document from the
  // first argument (`arguments` holds the command-line arguments after the program name).
  MainWindow(std::string programDir, QStringList arguments, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The other windows, reached once they exist (they are created after this one).
  void attach(AppWindows* windows) { windows_ = windows; }

  // FormShow, run once right after the window is first shown: the stored font, the tool
  // windows' stored layout, the game directory (asked for at the first start) and the tool
  // windows shown.
  void FormShow();

  // ui::EditorHost
  ui::CfgEdit* memo() override { return Memo1; }
  void setStatusText(int panel, const QString& text) override;
  QString statusText(int panel) const override;
  void showHint(const QString& hint) override;
  void endEnter() override { Button5Click(); }
  QWidget* hostWindow() override { return this; }
  std::string programDir() const override { return programDir_; }

  // Controls, by their names.
  ui::CfgEdit* Memo1;
  QToolBar* ToolBar1;
  QFrame* Panel1;
  QLabel* Image1;
  QLabel* Label1;  // "//"
  QLabel* Label2;  // "Enter"
  QLabel* Label3;  // "EndEnter"
  QLabel* Label4;  // "Очистка"
  QMenu* PopupMenu2;
  QAction* N14;    // "Перенос с&лов": carries the check-mark picture while word wrap is on
  QAction* N15;    // "О&пределить" in the tools menu
  QAction* N15p;   // "О&пределить" in the context menu
  ui::FindDialog* FindDialog1;

  // Document and file commands.
  void New1Click();
  void Open1Click();
  void Save1Click();
  void FileSaveAs();
  void MetaBind1Click();
  void prbegin();
  void ResetDocument();
  void SaveDialog1TypeChange(int filterIndex);
  // The close query: whether the window may close (asks the save question as needed).
  bool FormCloseQ1();
  // After the close query: every setting written, the program ends.
  void FormClose();
  void Memo1Change();
  void Memo1Click();

  // Editing tools.
  void Button9Click();  // "//"
  void Button4Click();  // "Enter"
  void Button5Click();  // "EndEnter"
  void Button6Click();  // "Очистка"
  void N21Click();      // delete the caret's line
  void ToolButton14Click();
  void PopupMenu2Popup();
  void toolbutton11click();  // find
  void N14Click();           // word wrap
  void FontNameChange();
  void ColorNameFonClick();
  void N33Click();  // print
  void N15Click();  // define the selected word

  // Game directory, launch and the other windows.
  void N38Click();
  void CS1Click();
  void N32Click();
  void ToolButton13Click();
  void MetaBinds1Click();
  void N37Click();
  void N35Click();
  void N29Click();
  void N31Click();
  void N30Click();
  void About1Click();

  // State that other windows and tests read.
  QString currentFileName() const { return currentFileName_; }
  bool confirmed() const { return confirmed_; }
  void setConfirmed(bool c) { confirmed_ = c; }
  // The game directory: the directory selected in the game-directory dialog.
  QString gameDirectory() const;
  // The Catalog value read at start, or empty.
  const QString& startupGameDirectory() const { return startupGameDirectory_; }
  int styleCode() const { return styleCode_; }
  bool wordWrap() const;
  QColor editorBackground() const;
  QColor editorTextColor() const;
  ToolWindows& toolWindows() { return tools_; }

  // Starts the game program detached; replaceable so tests need no game.
  using GameStarter =
      std::function<bool(const QString& program, const QStringList& args, const QString& dir)>;
  void setGameStarter(GameStarter starter) { gameStarter_ = std::move(starter); }

 Q_SIGNALS:
  // FormClose has written the settings: the program ends.
  void terminated();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  enum class SaveOutcome { None, Reset, Cancelled, Saved };
  enum class OpenDecision { Proceed, Cancelled };

  void buildMenus();
  void buildToolBar();
  void buildStrip();
  void buildStatusBar();
  QAction* addCommand(QMenu* menu, const char* name, const QString& text, const QString& hint,
                      const QKeySequence& shortcut, void (MainWindow::*command)());
  QToolButton* addToolButton(const char* name, const QIcon& icon, const QString& hint,
                             const std::function<void()>& command);
  void editAction(const char* slot);  // cut/copy/paste/undo on the focused text control

  // Writes the buffer's lines to `path`; a failure is reported and changes nothing.
  bool saveTo(const QString& path);
  // Reads `path` into the buffer; a failure is reported and the document stays as it was.
  bool loadFrom(const QString& path);
  void setCurrentFileName(const QString& name);
  QString valuePanelCaption() const;
  void applyEditorFont(const QFont& font, const QColor& color);
  void setEditorBackground(const QColor& color);
  void writeSettings();
  void startGame(const QString& gameRoot);
  void openHelp(const QString& page);
  void rememberNormalGeometry();
  void placeToolWindows();

  std::string programDir_;
  QStringList arguments_;
  core::Settings settings_;
  AppWindows* windows_ = nullptr;
  ToolWindows tools_;
  GameStarter gameStarter_;

  std::array<QLabel*, 3> panels_{};

  // Start-up and placement state.
  bool confirmed_ = false;
  int styleCode_ = 0;
  bool fontInitialised_ = false;
  bool activated_ = false;
  QPoint lastMainPos_;
  QRect normalFrame_;  // the main window's frame in the normal state
  QRect wantedFrame_;  // the stored frame, applied again once the real frame is known
  QString startupGameDirectory_;
  QString gameDirectoryFallback_;  // used while no game-directory dialog is attached

  // Document state.
  QString currentFileName_;
  SaveOutcome saveOutcome_ = SaveOutcome::None;
  OpenDecision openDecision_ = OpenDecision::Proceed;
  bool openInProgress_ = false;
  bool newMetaBindRequest_ = false;
  bool commandLineConsumed_ = false;
  bool initialised_ = false;
  bool saveFailed_ = false;
  core::Offset caretLine_ = 0;
  core::Offset caretColumn_ = 0;

  // Save dialog state.
  QString saveDialogTitle_;
  QString defaultExt_;
  int saveFilterIndex_ = 1;
};

}  // namespace brindle::app
