#include "app/windows/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QProcess>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>
#include <map>
#include <vector>

#include "app/windows/AboutWindow.h"
#include "app/windows/Application.h"
#include "app/windows/HelpPages.h"
#include "app/windows/Icons.h"
#include "binds/logic/KeyNames.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Text.h"
#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/KnownWords.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "editor/logic/Cleanup.h"
#include "editor/logic/EditTools.h"
#include "editor/windows/ConfigTools.h"
#include "game/logic/GameLaunch.h"
#include "game/windows/GameDirectoryDialog.h"
#include "maps/windows/MapCycleWindow.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/FindDialog.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "wizard/windows/WizardWindow.h"

namespace brindle::app {
namespace {

const QString kCaption = QStringLiteral("Brindle for Counter-Strike (версия 2.3)");

const QString kOpenFilter = QStringLiteral(
    "Configuration (*.cfg)|*.cfg|Kav file (*.kav)|*.kav|Text file (*.txt)|*.txt|"
    "MetaBind (*.mtb)|*.mtb|All (*.*)|*.*");
const QString kSaveFilter = QStringLiteral(
    "All files (*.*)|*.*|Configuration (*.cfg)|*.cfg|Kav file (*.kav)|*.kav|"
    "Text file (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb");

// Built-in settings, used when a key is absent.
constexpr int kDefaultBackground = 15247360;  // 0x00E8A800
constexpr int kDefaultLeft = 10;
constexpr int kDefaultTop = 10;
constexpr int kDefaultWidth = 560;
constexpr int kDefaultHeight = 450;
constexpr int kDefaultFontSize = 10;
const QString kBuiltInFace = QStringLiteral("MS Sans Serif");

// The chosen name with its extension replaced by `ext`.
QString withExtension(const QString& path, const QString& ext) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  const QString stem = dot > slash ? path.left(dot) : path;
  return stem + QLatin1Char('.') + ext;
}

// 0 regular, 1 bold, 2 italic, 3 bold italic; underline or strike-out give 0.
int styleCodeOf(const QFont& f) {
  if (f.underline() || f.strikeOut()) return 0;
  if (f.bold() && f.italic()) return 3;
  if (f.bold()) return 1;
  if (f.italic()) return 2;
  return 0;
}

bool startDetachedGame(const QString& program, const QStringList& args, const QString& dir) {
  return QProcess::startDetached(program, args, dir);
}

}  // namespace

// ================================================================================ creation

MainWindow::MainWindow(std::string programDir, QStringList arguments, QWidget* parent)
    : QMainWindow(parent),
      programDir_(core::withSeparator(std::move(programDir))),
      arguments_(std::move(arguments)),
      settings_(core::DataLayout(programDir_).settingsFile()),
      session_(*this),
      gameStarter_(startDetachedGame) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(kCaption);
  setWindowIcon(icons::windowIcon());

  memo_ = new ui::CfgEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setFrameShape(QFrame::NoFrame);
  QFont face(kBuiltInFace);
  face.setPointSize(kDefaultFontSize);
  memo_->setFont(face);
  memo_->setContextMenuPolicy(Qt::CustomContextMenu);
  memo_->installEventFilter(this);

  buildMenus();
  buildToolBar();
  buildStrip();
  buildStatusBar();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(memo_, 1);
  layout->addWidget(strip_);
  setCentralWidget(central);

  connect(memo_, &ui::CfgEdit::textEdited, this, &MainWindow::textEdited);
  connect(memo_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::caretMoved);
  connect(memo_, &QPlainTextEdit::selectionChanged, this, &MainWindow::caretMoved);
  // "О&пределить" follows the selection, so its shortcut Ctrl+A works exactly when there is
  // something to define, whenever the menus were last opened.
  connect(memo_, &QPlainTextEdit::selectionChanged, this, &MainWindow::updateDefineCommand);
  connect(memo_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    updateDefineCommand();
    contextMenu_->popup(memo_->viewport()->mapToGlobal(at));
  });

  setEditorBackground(
      ui::colorFromBgr(settings_.readInt(core::Setting::EditorBackground, kDefaultBackground)));

  const int height = settings_.readInt(core::Setting::MainHeight, kDefaultHeight);
  const int width = settings_.readInt(core::Setting::MainWidth, kDefaultWidth);
  const int left = settings_.readInt(core::Setting::MainLeft, kDefaultLeft);
  const int top = settings_.readInt(core::Setting::MainTop, kDefaultTop);
  wantedFrame_ = QRect(left, top, width, height);
  resize(width, height);
  move(left, top);
  normalFrame_ = wantedFrame_;

  confirmed_ = settings_.readInt(core::Setting::GameConfirmed, 0) != 0;
  lastMainPos_ = frameGeometry().topLeft();

  memo_->loadText(editor::kConfigTemplate);
  session_.start(arguments_.isEmpty() ? std::nullopt
                                      : std::optional<std::string>(ui::toUtf8(arguments_.first())));
  updateDefineCommand();
  memo_->setFocus();
}

MainWindow::~MainWindow() = default;

// ================================================================================ building

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
  // The standard edit actions work on whichever text control has the focus.
  QWidget* w = QApplication::focusWidget();
  if (w == nullptr) w = memo_;
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
  auto* press = new QLabel(QStringLiteral("<<Нажми"), toolBar_);
  press->setObjectName(QStringLiteral("Label5"));
  press->setContentsMargins(4, 0, 4, 0);
  toolBar_->addWidget(press);
}

void MainWindow::buildStrip() {
  strip_ = new QFrame(this);
  strip_->setObjectName(QStringLiteral("Panel1"));
  strip_->setFixedHeight(30);
  strip_->setAutoFillBackground(true);
  QPalette black = strip_->palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  strip_->setPalette(black);

  auto* row = new QHBoxLayout(strip_);
  row->setContentsMargins(4, 0, 8, 0);
  row->setSpacing(18);
  auto* picture = new QLabel(strip_);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(icons::stripPicture());
  row->addWidget(picture);

  QFont bold = strip_->font();
  bold.setBold(true);
  struct StripButton {
    const char* name;
    const char* caption;
    const char* hint;
  };
  const StripButton buttons[] = {
      {"Label1", "//", "Вставить комментарий"},
      {"Label2", "Enter", "Перевод каретки на нижнюю строку"},
      {"Label3", "EndEnter", "Перевод каретки без переноса слов"},
      {"Label4", "Очистка", "Очистка конфига от ненужных символов"},
  };
  for (std::size_t i = 0; i < stripButtons_.size(); ++i) {
    auto* label = new QLabel(utf8(buttons[i].caption), strip_);
    label->setObjectName(utf8(buttons[i].name));
    label->setFont(bold);
    label->setStatusTip(utf8(buttons[i].hint));
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    row->addWidget(label);
    stripButtons_[i] = label;
  }
  row->addStretch();
}

void MainWindow::buildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(bar);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(3, 0, 3, 0);
    panels_[i] = panel;
  }
  panels_[0]->setFixedWidth(60);
  panels_[0]->setAlignment(Qt::AlignCenter);
  panels_[1]->setFixedWidth(280);
  panels_[2]->setMinimumWidth(20);
  panels_[2]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  bar->addWidget(panels_[0]);
  bar->addWidget(panels_[1]);
  bar->addWidget(panels_[2], 1);
  panels_[0]->setText(QStringLiteral("1 : 1"));
  panels_[2]->setText(QString::fromUtf8(editor::kUntitled.data(),
                                        static_cast<qsizetype>(editor::kUntitled.size())));
}

// ================================================================================ status bar

void MainWindow::setStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[static_cast<std::size_t>(panel)]->setText(text);
}

QString MainWindow::statusText(int panel) const {
  return panel >= 0 && panel < 3 ? panels_[static_cast<std::size_t>(panel)]->text() : QString();
}

QString MainWindow::valuePanelCaption() const {
  return windows_ && windows_->valuePanel ? windows_->valuePanel->caption() : QString();
}

// ShowHint: the hint of the control under the pointer, or the value panel's caption.
void MainWindow::showHint(const QString& hint) {
  setStatusText(1, hint.isEmpty() ? valuePanelCaption() : hint);
}

bool MainWindow::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    showHint(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return QMainWindow::event(e);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::ToolTip:
      if (qobject_cast<QToolButton*>(watched)) return true;
      break;
    case QEvent::StatusTip:
      // The context menu is a window of its own: its hints arrive here.
      if (watched == contextMenu_) {
        showHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
      }
      break;
    case QEvent::MouseButtonRelease: {
      const auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() != Qt::LeftButton) break;
      if (watched == stripButtons_[0])
        insertComment();
      else if (watched == stripButtons_[1])
        insertLineBreak();
      else if (watched == stripButtons_[2])
        endEnter();
      else if (watched == stripButtons_[3])
        cleanUp();
      else
        break;
      return true;
    }
    case QEvent::KeyPress: {
      if (watched != memo_) break;
      const auto* key = static_cast<QKeyEvent*>(e);
      // Memo1KeyPress: Ctrl+Y reaching the editor as the character 25 deletes the line, once.
      if (key->text() == QString(QChar(25))) {
        deleteLine();
        return true;
      }
      // Ctrl+A means "О&пределить"; with nothing selected that command is disabled and the key
      // does nothing: it never falls through to the editor's own select-all.
      if (key->matches(QKeySequence::SelectAll)) return true;
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, e);
}

// ================================================================================ firstShow

void MainWindow::firstShow() {
  // The editor knows configs: the dictionary's words and the key names of bind. They are read
  // once the window is up, so the start does not wait for the lists.
  core::KnownWords words = dictionary::readKnownWords(programDir_);
  for (const auto key : binds::kKeyNames) words.keyNames.emplace_back(key);
  configTools_ = new editor::ConfigTools(
      memo_, words,
      [this](std::string_view word) {
        const std::string text = dictionary::lookUpExplanation(programDir_, "", word, "q", false);
        return text == dictionary::kNoExplanation ? std::string() : text;
      },
      this);

  // The stored size is the outer frame's; the decoration is known once the window shows.
  whenExposed({this}, this, [this] { placeMainFrame(); });

  // The stored font reaches the whole text through the font command's silent first run.
  QFont font = memo_->font();
  const std::string face = settings_.readString(core::Setting::FontName);
  if (face != core::kAbsentText) font.setFamily(ui::toQ(face));
  font.setPointSize(settings_.readInt(core::Setting::FontSize, kDefaultFontSize));
  const QColor textColor = ui::colorFromBgr(settings_.readInt(core::Setting::FontColor, 0));
  switch (settings_.readInt(core::Setting::FontStyle, 0)) {
    case 1:
      font.setBold(true);
      break;
    case 2:
      font.setItalic(true);
      break;
    case 3:
      font.setBold(true);
      font.setItalic(true);
      break;
    default:
      break;
  }
  applyEditorFont(font, textColor);
  chooseFont();
  fontInitialised_ = true;

  // The tool windows' layout; placed once they are shown.
  const ToolLayout d = ToolWindows::defaultLayout();
  ToolLayout layout;
  using core::Setting;
  // A stored frame: its height, width, left and top, each defaulting to the given frame's.
  const auto storedFrame = [this](Setting height, Setting width, Setting left, Setting top,
                                  const QRect& fallback) {
    return QRect(settings_.readInt(left, fallback.left()), settings_.readInt(top, fallback.top()),
                 settings_.readInt(width, fallback.width()),
                 settings_.readInt(height, fallback.height()));
  };
  layout.valuePanel = storedFrame(Setting::ValuePanelHeight, Setting::ValuePanelWidth,
                                  Setting::ValuePanelLeft, Setting::ValuePanelTop, d.valuePanel);
  layout.dictionaryWindow =
      storedFrame(Setting::DictionaryHeight, Setting::DictionaryWidth, Setting::DictionaryLeft,
                  Setting::DictionaryTop, d.dictionaryWindow);
  layout.explanationWindow =
      QPoint(settings_.readInt(Setting::ExplanationLeft, d.explanationWindow.x()),
             settings_.readInt(Setting::ExplanationTop, d.explanationWindow.y()));
  tools_.setNormalLayout(layout);

  // The game directory: stored, or asked for at the first start.
  QString catalog;
  bool haveCatalog = false;
  if (confirmed_) {
    const std::string stored = settings_.readString(core::Setting::GameDirectory);
    if (stored != core::kAbsentText) {
      catalog = ui::fromUtf8(stored);
      haveCatalog = true;
    }
  }
  if (haveCatalog) {
    if (windows_) windows_->wizardDirectory = catalog;
    if (windows_ && windows_->gameDirectoryDialog)
      windows_->gameDirectoryDialog->setDirectory(catalog);
    gameDirectoryFallback_ = catalog;
    startupGameDirectory_ = catalog;
  } else {
    // The program directory until the dialog's "ОК" sets the chosen one.
    if (windows_) windows_->wizardDirectory = ui::fromUtf8(programDir_);
    startupGameDirectory_.clear();
    if (!confirmed_ && windows_ && windows_->gameDirectoryDialog)
      windows_->gameDirectoryDialog->exec();
  }

  if (tools_.present()) {
    tools_.dictionaryWindow()->show();
    tools_.valuePanel()->show();
    tools_.explanationWindow()->show();
    // The tool windows are placed, and from then on follow the main window, once the window
    // system shows all four.
    whenExposed({this, tools_.dictionaryWindow(), tools_.valuePanel(), tools_.explanationWindow()},
                this, [this] {
                  placeMainFrame();
                  tools_.applyNormal();
                  activated_ = true;
                  lastMainPos_ = frameGeometry().topLeft();
                });
  } else {
    activated_ = true;
    lastMainPos_ = frameGeometry().topLeft();
  }
  activateWindow();
  memo_->setFocus();
}

void MainWindow::placeMainFrame() {
  if (mainPlaced_) return;
  mainPlaced_ = true;
  setFrameRect(this, wantedFrame_);
  normalFrame_ = wantedFrame_;
  lastMainPos_ = frameGeometry().topLeft();
}

// ================================================================================ placement

void MainWindow::rememberNormalGeometry() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  if (isVisible()) normalFrame_ = frameGeometry();
}

void MainWindow::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMinimized) return;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    placeToolWindows();
    return;
  }
  rememberNormalGeometry();
  const QPoint now = frameGeometry().topLeft();
  if (!activated_) {
    lastMainPos_ = now;
    return;
  }
  // The tool windows keep their places relative to the main window.
  tools_.follow(now - lastMainPos_);
  lastMainPos_ = now;
  tools_.recordNormal();
}

void MainWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  rememberNormalGeometry();
  placeToolWindows();
}

void MainWindow::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    if (activated_) tools_.followMinimized(windowState().testFlag(Qt::WindowMinimized));
    placeToolWindows();
  }
}

// Docked in the right-edge column while maximized, back at the normal layout when the window
// returns to the normal state; nothing while minimized.
void MainWindow::placeToolWindows() {
  if (!activated_) return;
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMinimized) return;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
    tools_.dock(frameGeometry());
  else if (tools_.docked())
    tools_.applyNormal();
}

// ================================================================================ close

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!queryClose()) {
    e->ignore();
    return;
  }
  e->accept();
  finishClose();
}

bool MainWindow::queryClose() { return session_.mayClose(); }

void MainWindow::finishClose() {
  // The normal-state geometry is what is stored, also when closing maximized.
  const QRect frame = (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
                          ? normalFrame_
                          : frameGeometry();
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) showNormal();
  if (tools_.docked()) tools_.applyNormal();
  normalFrame_ = frame;
  writeSettings();
  hide();
  if (tools_.present()) {
    tools_.dictionaryWindow()->hide();
    tools_.valuePanel()->hide();
    tools_.explanationWindow()->hide();
  }
  if (findDialog_) findDialog_->hide();
  Q_EMIT terminated();
}

void MainWindow::writeSettings() {
  using core::Setting;
  core::Settings::Batch batch;
  batch.set(Setting::EditorBackground, ui::colorToBgr(editorBackground()));
  const QFont f = memo_->font();
  batch.set(Setting::FontName, ui::fromQ(f.family()));
  batch.set(Setting::FontSize, f.pointSize());
  batch.set(Setting::FontColor, ui::colorToBgr(editorTextColor()));
  batch.set(Setting::FontStyle, styleCode_);
  batch.set(Setting::MainLeft, normalFrame_.left());
  batch.set(Setting::MainTop, normalFrame_.top());
  batch.set(Setting::MainWidth, normalFrame_.width());
  batch.set(Setting::MainHeight, normalFrame_.height());
  const ToolLayout l =
      tools_.present()
          ? ToolLayout{frameRect(tools_.dictionaryWindow()), frameRect(tools_.valuePanel()),
                       frameRect(tools_.explanationWindow()).topLeft()}
          : tools_.normalLayout();
  batch.set(Setting::ValuePanelHeight, l.valuePanel.height());
  batch.set(Setting::ValuePanelWidth, l.valuePanel.width());
  batch.set(Setting::ValuePanelLeft, l.valuePanel.left());
  batch.set(Setting::ValuePanelTop, l.valuePanel.top());
  batch.set(Setting::DictionaryHeight, l.dictionaryWindow.height());
  batch.set(Setting::DictionaryWidth, l.dictionaryWindow.width());
  batch.set(Setting::DictionaryLeft, l.dictionaryWindow.left());
  batch.set(Setting::DictionaryTop, l.dictionaryWindow.top());
  batch.set(Setting::ExplanationLeft, l.explanationWindow.x());
  batch.set(Setting::ExplanationTop, l.explanationWindow.y());
  batch.set(Setting::GameConfirmed, confirmed_ ? 1 : 0);
  if (confirmed_) batch.set(Setting::GameDirectory, ui::toUtf8(gameDirectory()));
  // One write: a failure leaves the old file whole, and the user learns the settings are lost;
  // a value that cannot stand on one line is left out and named.
  const core::WriteResult written = settings_.write(batch);
  if (!written.ok)
    ui::showError(this,
                  QStringLiteral("Не все настройки сохранены:\n") + ui::fromUtf8(written.error));
}

// ================================================================================ document

core::TextBuffer& MainWindow::buffer() { return *memo_; }

editor::SaveAnswer MainWindow::askSave() {
  switch (ui::askYesNoCancel(this, QStringLiteral("Сохранить файл?"))) {
    case ui::Answer::Yes:
      return editor::SaveAnswer::Yes;
    case ui::Answer::No:
      return editor::SaveAnswer::No;
    default:
      return editor::SaveAnswer::Cancel;
  }
}

bool MainWindow::askReplace(const std::string& path) {
  return ui::askYesNo(this, ui::fromUtf8(path) + QStringLiteral("\nЗаменить данный файл?")) ==
         ui::Answer::Yes;
}

std::optional<std::string> MainWindow::chooseOpenPath() {
  ui::FileDialogRequest request;
  request.filter = kOpenFilter;
  request.mustExist = true;
  request.directory =
      ui::startDirectory(session_.untitled() ? QString() : currentFileName(), gameDirectory());
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
  if (!chosen.accepted) return std::nullopt;
  return ui::toUtf8(chosen.path);
}

std::optional<std::string> MainWindow::chooseSavePath(std::string_view title) {
  ui::FileDialogRequest request;
  request.save = true;
  request.title = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  request.filter = kSaveFilter;
  request.filterIndex = saveFilterIndex_;
  request.confirmCreate = true;
  request.directory =
      ui::startDirectory(session_.untitled() ? QString() : currentFileName(), gameDirectory());
  request.targetFor = [this](const QString& name) {
    return defaultExt_.isEmpty() ? name : withExtension(name, defaultExt_);
  };
  // The type shown and the extension added go together: a dialog cancelled after a type
  // change opens next time at that type, whose extension is still the one to add.
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request, [this](int i) {
    saveFilterIndex_ = i;
    saveTypeChanged(i);
  });
  if (!chosen.accepted) return std::nullopt;
  const QString target =
      defaultExt_.isEmpty() ? chosen.path : withExtension(chosen.path, defaultExt_);
  saveFilterIndex_ = 1;
  defaultExt_.clear();
  return ui::toUtf8(target);
}

void MainWindow::showError(const std::string& message) {
  ui::showError(this, ui::fromUtf8(message));
}

void MainWindow::progress(editor::Progress step) {
  switch (step) {
    case editor::Progress::Opening:
      setStatusText(1, QStringLiteral("Открываем..."));
      break;
    case editor::Progress::Saving:
      setStatusText(1, QStringLiteral("Сохраняем..."));
      break;
    case editor::Progress::Saved:
      setStatusText(1, QStringLiteral("Сохранено..."));
      break;
    case editor::Progress::OpenEnded:
    case editor::Progress::SaveAsEnded:
      setStatusText(1, valuePanelCaption());
      break;
  }
}

void MainWindow::fileNameChanged(const std::string& name) { setStatusText(2, ui::fromUtf8(name)); }

QString MainWindow::currentFileName() const { return ui::fromUtf8(session_.fileName()); }

void MainWindow::newDocument() { session_.newDocument(); }

void MainWindow::newMetaBind() { session_.newDocument(editor::kMetaBindTemplate); }

void MainWindow::openDocument() { session_.open(); }

void MainWindow::save() { session_.save(); }

void MainWindow::saveAs() { session_.saveAs(); }

void MainWindow::saveTypeChanged(int filterIndex) {
  static const char* const extensions[] = {"", "cfg", "kav", "txt", "mtb"};
  defaultExt_ = filterIndex >= 1 && filterIndex <= 5
                    ? QString::fromLatin1(extensions[filterIndex - 1])
                    : QString();
}

void MainWindow::textEdited() { memo_->setModified(true); }

void MainWindow::caretMoved() {
  const core::CaretPos p = memo_->caretPos();
  caretLine_ = p.line;
  setStatusText(0, QStringLiteral("%1 : %2").arg(p.column + 1).arg(p.line + 1));
}

// ================================================================================ editing tools

void MainWindow::insertComment() { editor::insertComment(*memo_); }

void MainWindow::insertLineBreak() { editor::insertLineBreak(*memo_); }

void MainWindow::endEnter() { editor::openLineBelow(*memo_, caretLine_); }

void MainWindow::cleanUp() { editor::cleanupBuffer(*memo_); }

void MainWindow::deleteLine() { editor::deleteCaretLine(*memo_); }

void MainWindow::toggleSelectAll() { editor::toggleSelectAll(*memo_); }

void MainWindow::insertLine(core::InsertKind kind, const std::string& first,
                            const std::string& second) {
  if (windows_ && windows_->valuePanel) windows_->valuePanel->insertLine(kind, first, second);
}

void MainWindow::updateDefineCommand() {
  const bool selected = memo_->selLength() > 0;
  for (QAction* a : defineActions_) a->setEnabled(selected);
}

void MainWindow::find() { findDialog()->showFor(memo_); }

ui::FindDialog* MainWindow::findDialog() {
  if (findDialog_ == nullptr) findDialog_ = new ui::FindDialog(this);
  return findDialog_;
}

void MainWindow::toggleWordWrap() {
  if (wordWrapAction_->icon().isNull()) {
    wordWrapAction_->setIcon(icons::checkMark());
    memo_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  } else {
    wordWrapAction_->setIcon(QIcon());
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  }
}

bool MainWindow::wordWrap() const { return memo_->lineWrapMode() != QPlainTextEdit::NoWrap; }

QColor MainWindow::editorBackground() const { return memo_->palette().color(QPalette::Base); }

QColor MainWindow::editorTextColor() const { return memo_->palette().color(QPalette::Text); }

void MainWindow::setEditorBackground(const QColor& color) {
  QPalette p = memo_->palette();
  p.setColor(QPalette::Base, color);
  memo_->setPalette(p);
}

void MainWindow::applyEditorFont(const QFont& font, const QColor& color) {
  memo_->setFont(font);
  QPalette p = memo_->palette();
  p.setColor(QPalette::Text, color);
  memo_->setPalette(p);
}

void MainWindow::chooseFont() {
  setStatusText(1, QStringLiteral("Выбор шрифта для окна ввода"));
  const ui::FontChoice current{memo_->font(), editorTextColor()};
  if (!fontInitialised_) {
    applyEditorFont(current.font, current.color);
  } else if (const auto chosen = ui::chooseFont(this, current)) {
    applyEditorFont(chosen->font, chosen->color);
  }
  styleCode_ = styleCodeOf(memo_->font());
  if (fontInitialised_) memo_->setFocus();
  setStatusText(1, QString());
}

void MainWindow::chooseBackground() {
  setStatusText(1, QStringLiteral("Выбор цвета для окна редактора"));
  if (const auto chosen = ui::chooseColor(this, editorBackground())) setEditorBackground(*chosen);
  setStatusText(1, QString());
}

void MainWindow::print() {
  ui::printText(this, ui::toQ(memo_->getText()), memo_->font(), windowTitle());
}

void MainWindow::defineSelection() {
  if (!windows_ || !windows_->valuePanel || !windows_->explanationWindow) return;
  windows_->explanationWindow->hidePicture();
  const std::string text = windows_->valuePanel->explanation("", memo_->selText(), "q");
  windows_->explanationWindow->showExplanation(text);
}

void MainWindow::checkConfig() {
  if (configTools_) configTools_->checkConfig();
}

// ================================================================================ game

QString MainWindow::gameDirectory() const {
  if (windows_ && windows_->gameDirectoryDialog) return windows_->gameDirectoryDialog->directory();
  return gameDirectoryFallback_;
}

void MainWindow::changeGameDirectory() {
  if (windows_ && windows_->gameDirectoryDialog) windows_->gameDirectoryDialog->exec();
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
