// The main window's commands: the menu and tool-bar tables and the menus built from them,
// and the commands that open the program's other windows and start the game.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <map>
#include <vector>

#include "app/windows/AboutWindow.h"
#include "app/windows/Application.h"
#include "app/windows/HelpPages.h"
#include "app/windows/Icons.h"
#include "app/windows/MainWindow.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "dictionary/windows/LibraryManager.h"
#include "game/logic/GameLaunch.h"
#include "game/windows/GameDirectoryDialog.h"
#include "maps/windows/MapCycleWindow.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"
#include "wizard/windows/WizardWindow.h"

namespace brindle::app {

namespace {

// One command of the main menu: its objectName, caption, hint, shortcut and what it runs.
struct Command {
  const char* name;
  const char* text;
  const char* hint;
  const char* shortcut;
  void (MainWindow::*run)();
};

// One tool-bar button; a null name stands for a separator.
struct ToolCommand {
  const char* name;
  icons::Tool icon;
  const char* hint;
  void (MainWindow::*run)();
};

QString utf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

}  // namespace

void MainWindow::editAction(const char* slot) {
  // The standard edit actions work on whichever text control has the focus; with the focus on
  // anything else (a list of the value panel, a button) they work on the document.
  QWidget* w = QApplication::focusWidget();
  if (w == nullptr || w->metaObject()->indexOfMethod(QByteArray(slot) + "()") < 0) w = memo_;
  QMetaObject::invokeMethod(w, slot);
}

void MainWindow::buildMenus() {
  const auto cut = [this] { editAction("cut"); };
  const auto copy = [this] { editAction("copy"); };
  const auto paste = [this] { editAction("paste"); };
  const auto undoAction = [this] { editAction("undo"); };

  struct Menu {
    const char* name;
    const char* text;
    std::vector<Command> commands;  // a null name is a separator
  };
  const Command separator{nullptr, nullptr, nullptr, nullptr, nullptr};
  const std::vector<Menu> menus = {
      {"File1",
       "&Файл",
       {{"New1", "&Новый", "Создать новый файл", "Ctrl+N", &MainWindow::newDocument},
        {"Open1", "&Открыть", "Открыть файл", "Ctrl+O", &MainWindow::openDocument},
        {"Save1", "&Сохранить", "Сохранить файл", "Ctrl+S", &MainWindow::save},
        {"SaveAs1", "Сохранить &как", "Сохранить файл как...", nullptr, &MainWindow::saveAs},
        {"Restore1", "&Восстановить…", "Восстановить файл из резервной копии", nullptr,
         &MainWindow::restoreBackup},
        separator,
        {"MetaBind1", "Новый MetaBind", nullptr, "Ctrl+Alt+N", &MainWindow::newMetaBind},
        separator,
        {"N33", "&Печать", "Печать файла", "Ctrl+P", &MainWindow::print},
        separator,
        {"Exit1", "В&ыход", "Выход из программы", "F12", nullptr}}},
      {"Edit1",
       "&Правка",
       {{"Undo1", "От&менить", "Отменить последнее действие", "Ctrl+Z", nullptr},
        separator,
        {"Cut1", "Вы&резать", nullptr, "Ctrl+X", nullptr},
        {"Copy1", "&Копировать", nullptr, "Ctrl+C", nullptr},
        {"Paste1", "Вс&тавить", nullptr, "Ctrl+V", nullptr},
        separator,
        {"SelectAll1", "Выд&елить все", "Выделить весь текст", nullptr,
         &MainWindow::toggleSelectAll},
        {"N14", "Перенос с&лов", "Перенос слов", "Ctrl+Alt+P", &MainWindow::toggleWordWrap},
        {"N21", "Удалить строку", "Удалить строку", "Ctrl+Y", &MainWindow::deleteLine}}},
      {"Tools1",
       "&Инструменты",
       {{"Find1", "&Найти", "Найти нужный текст", "F3", &MainWindow::find},
        {"N15", "О&пределить", "Определить значение выделеного слова", "Ctrl+A",
         &MainWindow::defineSelection},
        {"CheckConfig1", "Проверить конфиг", "Проверить конфиг на ошибки", "F7",
         &MainWindow::checkConfig},
        {"EffectiveConfig1", "Итоговая конфигурация",
         "Что игра получит из файлов каталога игры и какая строка это решает", "F8",
         &MainWindow::showEffectiveConfig},
        {"Keyboard1", "Клавиатура", "Клавиатура с привязками клавиш", "Ctrl+Alt+K",
         &MainWindow::showKeyboard},
        {"N38", "Сменить каталог игры", nullptr, "Ctrl+K", &MainWindow::changeGameDirectory},
        {"CS1", "&Запуск CS с текущим конфигом", nullptr, "F9", &MainWindow::launchGame},
        separator,
        {"Font1", "&Шрифт", "Шрифт", "Ctrl+F", &MainWindow::chooseFont},
        {"Color1", "&Цвет", "Сменить цвет", nullptr, &MainWindow::chooseBackground},
        separator,
        {"N32", "Н&астройка смены карт", "Настройка смены карт", "Ctrl+M",
         &MainWindow::openMapCycle},
        {"Master1", "&Мастер CFG", "Мастер настройки конфига", "Ctrl+Alt+M",
         &MainWindow::openWizard}}},
      {"Libraries1",
       "&Библиотеки и MetaBinds",
       {{"N37", "&Настройка библиотек DLZ и MetaBinds",
         "Настройка библиотек (*.dlz) и MetaBinds (*.mtb)", "Ctrl+B", &MainWindow::manageLibraries},
        {"MetaBinds1", "&Вставка MetaBinds", "Вставка MetaBinds", "Ctrl+Alt+B",
         &MainWindow::insertMetaBinds}}},
      {"Help1",
       "П&омощь",
       {{"N35", "&Справка", nullptr, "F1", &MainWindow::showHelp},
        {"N29", "Во&просы и ответы", nullptr, nullptr, &MainWindow::showQuestions},
        {"N31", "Со&здание скриптов", nullptr, nullptr, &MainWindow::showLessons},
        {"N30", "&История", nullptr, nullptr, &MainWindow::showHistory},
        {"About1", "&О программе", "О программе Brindle", nullptr, &MainWindow::showAbout}}},
  };
  // Commands whose work is not a member of this window.
  const std::map<std::string_view, std::function<void()>> others = {
      {"Exit1", [this] { close(); }},
      {"Undo1", undoAction},
      {"Cut1", cut},
      {"Copy1", copy},
      {"Paste1", paste},
  };

  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  for (const Menu& m : menus) {
    QMenu* menu = bar->addMenu(utf8(m.text));
    menu->setObjectName(utf8(m.name));
    for (const Command& c : m.commands) {
      if (c.name == nullptr) {
        menu->addSeparator();
        continue;
      }
      auto* action = new QAction(utf8(c.text), this);
      action->setObjectName(utf8(c.name));
      action->setStatusTip(utf8(c.hint));
      if (c.shortcut) action->setShortcut(QKeySequence(utf8(c.shortcut)));
      if (c.run) {
        connect(action, &QAction::triggered, this, [this, run = c.run] { (this->*run)(); });
      } else {
        connect(action, &QAction::triggered, this, others.at(c.name));
      }
      menu->addAction(action);
      if (std::string_view(c.name) == "N14") wordWrapAction_ = action;
      if (std::string_view(c.name) == "N15") defineActions_[0] = action;
    }
    // Opening the tools menu brings "О&пределить" up to date.
    if (std::string_view(m.name) == "Tools1")
      connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateDefineCommand);
  }

  // The editor's context menu. Its items show the shortcuts of the main menu, which is where
  // those keys take effect.
  contextMenu_ = new QMenu(this);
  contextMenu_->setObjectName(QStringLiteral("PopupMenu2"));
  contextMenu_->installEventFilter(this);
  struct PopupItem {
    const char* name;
    const char* text;
    const char* hint;
    const char* shortcut;
    std::function<void()> run;
  };
  const std::vector<PopupItem> items = {
      {"N15p", "О&пределить", "Определить значение выделеного слова", "Ctrl+A",
       [this] { defineSelection(); }},
      {nullptr, nullptr, nullptr, nullptr, {}},
      {"Undo2", "От&менить", nullptr, "Ctrl+Z", [this] { memo_->undo(); }},
      {nullptr, nullptr, nullptr, nullptr, {}},
      {"Cut2", "Вы&резать", nullptr, "Ctrl+X", [this] { memo_->cut(); }},
      {"Copy2", "&Копировать", nullptr, "Ctrl+C", [this] { memo_->copy(); }},
      {"Paste2", "Вс&тавить", nullptr, "Ctrl+V", [this] { memo_->paste(); }},
      {nullptr, nullptr, nullptr, nullptr, {}},
      {"SelectAll2", "Выд&елить все", "Выделить все", nullptr, [this] { toggleSelectAll(); }},
  };
  for (const PopupItem& item : items) {
    if (item.name == nullptr) {
      contextMenu_->addSeparator();
      continue;
    }
    auto* action = new QAction(utf8(item.text), contextMenu_);
    action->setObjectName(utf8(item.name));
    action->setStatusTip(utf8(item.hint));
    if (item.shortcut) action->setShortcut(QKeySequence(utf8(item.shortcut)));
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, item.run);
    contextMenu_->addAction(action);
    if (std::string_view(item.name) == "N15p") defineActions_[1] = action;
  }
}

void MainWindow::buildToolBar() {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("ToolBar1"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(23, 23));
  toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, toolBar_);

  using icons::Tool;
  const ToolCommand separator{nullptr, Tool::New, nullptr, nullptr};
  const ToolCommand buttons[] = {
      {"ToolButton1", Tool::New, "Новый Config (Ctrl+N)", &MainWindow::newDocument},
      {"ToolButton2", Tool::Open, "Открыть файл (Ctrl+O)", &MainWindow::openDocument},
      {"ToolButton3", Tool::Save, "Сохранить файл (Ctrl+S)", &MainWindow::save},
      separator,
      {"ToolButton5", Tool::Cut, "Вырезать в буфер обмена (Ctrl+X)", nullptr},
      {"ToolButton6", Tool::Copy, "Копировать в буфер обмена (Ctrl+C)", nullptr},
      {"ToolButton7", Tool::Paste, "Вставить из буфера обмена (Ctrl+V)", nullptr},
      separator,
      {"ToolButton14", Tool::SelectAll, "Выделить весь текст", &MainWindow::toggleSelectAll},
      {"ToolButton11", Tool::Find, "Найти нужный текст (F3)", &MainWindow::find},
      separator,
      {"ToolButton10", Tool::Undo, "Отменить последнее действие (Ctrl+Z)", nullptr},
      separator,
      {"Fontname", Tool::Font, "Шрифт (Ctrl+F)", &MainWindow::chooseFont},
      {"ToolButton16", Tool::Color, "Сменить цвет", &MainWindow::chooseBackground},
      separator,
      {"ToolButton17", Tool::Libraries, nullptr, &MainWindow::manageLibraries},
      {"ToolButton21", Tool::Maps, "Настройка смены карт", &MainWindow::openMapCycle},
      {"ToolButton19", Tool::MetaBinds, "Вставка Metabinds", &MainWindow::insertMetaBinds},
      separator,
      {"ToolButton13", Tool::Wizard, "Мастер настройки конфига", &MainWindow::openWizard},
      // "<<Нажми" stands here, pointing at the wizard; the buttons after it follow it.
      {"Label5", Tool::New, nullptr, nullptr},
      separator,
      {"EffectiveButton", Tool::Effective, "Итоговая конфигурация (F8)",
       &MainWindow::showEffectiveConfig},
  };
  // The edit actions act on the focused text control.
  const std::map<std::string_view, const char*> editSlots = {{"ToolButton5", "cut"},
                                                             {"ToolButton6", "copy"},
                                                             {"ToolButton7", "paste"},
                                                             {"ToolButton10", "undo"}};
  for (const ToolCommand& b : buttons) {
    if (b.name == nullptr) {
      toolBar_->addSeparator();
      continue;
    }
    if (std::string_view(b.name) == "Label5") {
      auto* press = new QLabel(QStringLiteral("<<Нажми"), toolBar_);
      press->setObjectName(QStringLiteral("Label5"));
      press->setContentsMargins(4, 0, 4, 0);
      toolBar_->addWidget(press);
      continue;
    }
    auto* button = new QToolButton(toolBar_);
    button->setObjectName(utf8(b.name));
    button->setIcon(icons::tool(b.icon));
    button->setIconSize(QSize(23, 23));
    button->setFixedSize(27, 27);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStatusTip(utf8(b.hint));
    // Hints go to the status bar only, never into a pop-up tip.
    button->installEventFilter(this);
    if (b.run) {
      connect(button, &QToolButton::clicked, this, [this, run = b.run] { (this->*run)(); });
    } else {
      const char* slot = editSlots.at(b.name);
      connect(button, &QToolButton::clicked, this, [this, slot] { editAction(slot); });
    }
    toolBar_->addWidget(button);
  }
}

// ================================================================================ game

QString MainWindow::gameDirectory() const {
  if (windows_ && windows_->gameDirectoryDialog) return windows_->gameDirectoryDialog->directory();
  return gameDirectoryFallback_;
}

void MainWindow::changeGameDirectory() {
  if (windows_ && windows_->gameDirectoryDialog) windows_->gameDirectoryDialog->exec();
  overviewChanged(false);
}

void MainWindow::launchGame() {
  if (session_.untitled()) {
    ui::showWarning(this, QStringLiteral("Для продолжения сохраните данный файл!"));
    return;
  }
  // Only files change here: the editor's text and modified flag stay as they are.
  const game::LaunchPreparation prepared =
      game::prepareGameLaunch(ui::toUtf8(gameDirectory()), session_.fileName());
  if (!prepared.ok) {
    ui::showError(this, ui::fromUtf8(prepared.error));
    return;
  }
  startGame(ui::fromUtf8(prepared.gameRoot));
}

void MainWindow::startGame(const QString& gameRoot) {
  // The game program in the game root (names matched without regard to case), else the
  // Windows program name, left to the system to find.
  const QString where = gameRoot.isEmpty() ? QDir::currentPath() : gameRoot;
  QString program = QStringLiteral("hl.exe");
  for (const std::string& candidate : game::gameProgramCandidates()) {
    const std::string path =
        core::resolveDataPath(core::withSeparator(ui::toUtf8(where)), candidate);
    if (core::fileExists(path)) {
      program = ui::fromUtf8(path);
      break;
    }
  }
  const QStringList args{QStringLiteral("-game"), QStringLiteral("cstrike"),
                         QStringLiteral("-console")};
  if (!gameStarter_(program, args, gameRoot))
    ui::showError(this, QStringLiteral("Неправильно задан путь к каталогу игры!"));
}

// ================================================================================ other windows

void MainWindow::openMapCycle() {
  if (windows_ && windows_->mapCycleWindow)
    windows_->mapCycleWindow->execFor(windows_->wizardDirectory);
}

void MainWindow::openWizard() {
  if (!windows_ || !windows_->wizardWindow) return;
  // The wizard lists the directory the game-directory dialog last confirmed; the game's own
  // config.cfg of the start-up game directory is edited together with its autoexec.cfg.
  windows_->wizardWindow->setGameDirectory(windows_->wizardDirectory);
  windows_->wizardWindow->setStartupGameDirectory(startupGameDirectory_);
  windows_->wizardWindow->run();
}

void MainWindow::insertMetaBinds() {
  if (!windows_ || !windows_->metaBindWindow) return;
  windows_->metaBindWindow->setWizardTarget(nullptr);  // the editor buffer
  windows_->metaBindWindow->exec();
}

void MainWindow::manageLibraries() {
  if (windows_ && windows_->libraryManager) windows_->libraryManager->run(false);
}

void MainWindow::openHelp(const QString& page) { openHelpPage(programDir_, page); }

void MainWindow::showHelp() { openHelp(QStringLiteral("help.html")); }
void MainWindow::showQuestions() { openHelp(QStringLiteral("faq.html")); }
void MainWindow::showLessons() { openHelp(QStringLiteral("lessons.html")); }
void MainWindow::showHistory() { openHelp(QStringLiteral("about.html")); }

void MainWindow::showAbout() { AboutWindow::showFresh(this); }

}  // namespace brindle::app
