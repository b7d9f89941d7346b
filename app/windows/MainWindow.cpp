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

#include "editor/logic/Cleanup.h"
#include "editor/logic/EditTools.h"
#include "core/FileIO.h"
#include "game/logic/GameLaunch.h"
#include "core/DataPaths.h"
#include "core/Text.h"
#include "app/windows/Application.h"
#include "app/windows/HelpPages.h"
#include "app/windows/Icons.h"
#include "app/windows/AboutWindow.h"
#include "game/windows/GameDirectoryDialog.h"
#include "binds/windows/MetaBindWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/ValuePanel.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/FindDialog.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"

namespace brindle::app {
namespace {

const QString kCaption = QStringLiteral("Brindle for Counter-Strike (версия 2.3)");

// The editor's built-in content: the configuration template.
constexpr std::string_view kConfigTemplate =
    "//Unknown's configuration file\r\n\r\nunbindall\r\nclear\r\n\r\n";
constexpr std::string_view kMetaBindTemplate = "\r\n\r\n[MetaBind]\r\nname=\r\nbut=";

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

// ================================================================================ FormCreate

MainWindow::MainWindow(std::string programDir, QStringList arguments, QWidget* parent)
    : QMainWindow(parent),
      programDir_(core::withSeparator(std::move(programDir))),
      arguments_(std::move(arguments)),
      settings_(core::resolveDataPath(programDir_, core::kSettingsFileName)),
      gameStarter_(startDetachedGame) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(kCaption);
  setWindowIcon(icons::windowIcon());

  Memo1 = new ui::CfgEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFrameShape(QFrame::NoFrame);
  QFont face(kBuiltInFace);
  face.setPointSize(kDefaultFontSize);
  Memo1->setFont(face);
  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
  Memo1->installEventFilter(this);

  FindDialog1 = new ui::FindDialog(this);

  buildMenus();
  buildToolBar();
  buildStrip();
  buildStatusBar();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Memo1, 1);
  layout->addWidget(Panel1);
  setCentralWidget(central);

  connect(Memo1, &ui::CfgEdit::textEdited, this, &MainWindow::Memo1Change);
  connect(Memo1, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::Memo1Click);
  connect(Memo1, &QPlainTextEdit::selectionChanged, this, &MainWindow::Memo1Click);
  // "О&пределить" follows the selection, so its shortcut Ctrl+A works exactly when there is
  // something to define, whenever the menus were last opened.
  connect(Memo1, &QPlainTextEdit::selectionChanged, this, &MainWindow::PopupMenu2Popup);
  connect(Memo1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenu2Popup();
    PopupMenu2->popup(Memo1->viewport()->mapToGlobal(at));
  });

  currentFileName_ = QString::fromLatin1(kUntitled);
  setStatusText(2, currentFileName_);

  setEditorBackground(ui::colorFromBgr(settings_.readInt("Color", "PrEdit", kDefaultBackground)));

  const int height = settings_.readInt("MainForm", "Height", kDefaultHeight);
  const int width = settings_.readInt("MainForm", "Width", kDefaultWidth);
  const int left = settings_.readInt("MainForm", "Left", kDefaultLeft);
  const int top = settings_.readInt("MainForm", "Top", kDefaultTop);
  wantedFrame_ = QRect(left, top, width, height);
  resize(width, height);
  move(left, top);
  normalFrame_ = wantedFrame_;

  confirmed_ = settings_.readInt("Game", "dadir", 0) != 0;
  lastMainPos_ = frameGeometry().topLeft();

  Memo1->loadText(kConfigTemplate);
  prbegin();
  PopupMenu2Popup();
  Memo1->setFocus();
}

MainWindow::~MainWindow() = default;

// ================================================================================ building

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const QString& text,
                            const QString& hint, const QKeySequence& shortcut,
                            void (MainWindow::*command)()) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setStatusTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  if (command) connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
  menu->addAction(action);
  return action;
}

void MainWindow::editAction(const char* slot) {
  // The standard edit actions work on whichever text control has the focus.
  QWidget* w = QApplication::focusWidget();
  if (w == nullptr) w = Memo1;
  QMetaObject::invokeMethod(w, slot);
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
  file->setObjectName(QStringLiteral("File1"));
  addCommand(file, "New1", QStringLiteral("&Новый"), QStringLiteral("Создать новый файл"),
             QKeySequence(QStringLiteral("Ctrl+N")), &MainWindow::New1Click);
  addCommand(file, "Open1", QStringLiteral("&Открыть"), QStringLiteral("Открыть файл"),
             QKeySequence(QStringLiteral("Ctrl+O")), &MainWindow::Open1Click);
  addCommand(file, "Save1", QStringLiteral("&Сохранить"), QStringLiteral("Сохранить файл"),
             QKeySequence(QStringLiteral("Ctrl+S")), &MainWindow::Save1Click);
  addCommand(file, "SaveAs1", QStringLiteral("Сохранить &как"),
             QStringLiteral("Сохранить файл как..."), {}, &MainWindow::FileSaveAs);
  file->addSeparator();
  addCommand(file, "MetaBind1", QStringLiteral("Новый MetaBind"), {},
             QKeySequence(QStringLiteral("Ctrl+Alt+N")), &MainWindow::MetaBind1Click);
  file->addSeparator();
  addCommand(file, "N33", QStringLiteral("&Печать"), QStringLiteral("Печать файла"),
             QKeySequence(QStringLiteral("Ctrl+P")), &MainWindow::N33Click);
  file->addSeparator();
  QAction* exit = addCommand(file, "Exit1", QStringLiteral("В&ыход"),
                             QStringLiteral("Выход из программы"),
                             QKeySequence(QStringLiteral("F12")), nullptr);
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = bar->addMenu(QStringLiteral("&Правка"));
  edit->setObjectName(QStringLiteral("Edit1"));
  QAction* undo = addCommand(edit, "Undo1", QStringLiteral("От&менить"),
                             QStringLiteral("Отменить последнее действие"),
                             QKeySequence(QStringLiteral("Ctrl+Z")), nullptr);
  connect(undo, &QAction::triggered, this, [this] { editAction("undo"); });
  edit->addSeparator();
  QAction* cut = addCommand(edit, "Cut1", QStringLiteral("Вы&резать"), {},
                            QKeySequence(QStringLiteral("Ctrl+X")), nullptr);
  connect(cut, &QAction::triggered, this, [this] { editAction("cut"); });
  QAction* copy = addCommand(edit, "Copy1", QStringLiteral("&Копировать"), {},
                             QKeySequence(QStringLiteral("Ctrl+C")), nullptr);
  connect(copy, &QAction::triggered, this, [this] { editAction("copy"); });
  QAction* paste = addCommand(edit, "Paste1", QStringLiteral("Вс&тавить"), {},
                              QKeySequence(QStringLiteral("Ctrl+V")), nullptr);
  connect(paste, &QAction::triggered, this, [this] { editAction("paste"); });
  edit->addSeparator();
  addCommand(edit, "SelectAll1", QStringLiteral("Выд&елить все"),
             QStringLiteral("Выделить весь текст"), {}, &MainWindow::ToolButton14Click);
  N14 = addCommand(edit, "N14", QStringLiteral("Перенос с&лов"), QStringLiteral("Перенос слов"),
                   QKeySequence(QStringLiteral("Ctrl+Alt+P")), &MainWindow::N14Click);
  addCommand(edit, "N21", QStringLiteral("Удалить строку"), QStringLiteral("Удалить строку"),
             QKeySequence(QStringLiteral("Ctrl+Y")), &MainWindow::N21Click);

  QMenu* tools = bar->addMenu(QStringLiteral("&Инструменты"));
  tools->setObjectName(QStringLiteral("Tools1"));
  connect(tools, &QMenu::aboutToShow, this, &MainWindow::PopupMenu2Popup);
  addCommand(tools, "Find1", QStringLiteral("&Найти"), QStringLiteral("Найти нужный текст"),
             QKeySequence(QStringLiteral("F3")), &MainWindow::toolbutton11click);
  N15 = addCommand(tools, "N15", QStringLiteral("О&пределить"),
                   QStringLiteral("Определить значение выделеного слова"),
                   QKeySequence(QStringLiteral("Ctrl+A")), &MainWindow::N15Click);
  addCommand(tools, "N38", QStringLiteral("Сменить каталог игры"), {},
             QKeySequence(QStringLiteral("Ctrl+K")), &MainWindow::N38Click);
  addCommand(tools, "CS1", QStringLiteral("&Запуск CS с текущим конфигом"), {},
             QKeySequence(QStringLiteral("F9")), &MainWindow::CS1Click);
  tools->addSeparator();
  addCommand(tools, "Font1", QStringLiteral("&Шрифт"), QStringLiteral("Шрифт"),
             QKeySequence(QStringLiteral("Ctrl+F")), &MainWindow::FontNameChange);
  addCommand(tools, "Color1", QStringLiteral("&Цвет"), QStringLiteral("Сменить цвет"), {},
             &MainWindow::ColorNameFonClick);
  tools->addSeparator();
  addCommand(tools, "N32", QStringLiteral("Н&астройка смены карт"),
             QStringLiteral("Настройка смены карт"), QKeySequence(QStringLiteral("Ctrl+M")),
             &MainWindow::N32Click);
  addCommand(tools, "Master1", QStringLiteral("&Мастер CFG"),
             QStringLiteral("Мастер настройки конфига"),
             QKeySequence(QStringLiteral("Ctrl+Alt+M")), &MainWindow::ToolButton13Click);

  QMenu* libraries = bar->addMenu(QStringLiteral("&Библиотеки и MetaBinds"));
  libraries->setObjectName(QStringLiteral("Libraries1"));
  addCommand(libraries, "N37", QStringLiteral("&Настройка библиотек DLZ и MetaBinds"),
             QStringLiteral("Настройка библиотек (*.dlz) и MetaBinds (*.mtb)"),
             QKeySequence(QStringLiteral("Ctrl+B")), &MainWindow::N37Click);
  addCommand(libraries, "MetaBinds1", QStringLiteral("&Вставка MetaBinds"),
             QStringLiteral("Вставка MetaBinds"), QKeySequence(QStringLiteral("Ctrl+Alt+B")),
             &MainWindow::MetaBinds1Click);

  QMenu* help = bar->addMenu(QStringLiteral("П&омощь"));
  help->setObjectName(QStringLiteral("Help1"));
  addCommand(help, "N35", QStringLiteral("&Справка"), {}, QKeySequence(QStringLiteral("F1")),
             &MainWindow::N35Click);
  addCommand(help, "N29", QStringLiteral("Во&просы и ответы"), {}, {}, &MainWindow::N29Click);
  addCommand(help, "N31", QStringLiteral("Со&здание скриптов"), {}, {}, &MainWindow::N31Click);
  addCommand(help, "N30", QStringLiteral("&История"), {}, {}, &MainWindow::N30Click);
  addCommand(help, "About1", QStringLiteral("&О программе"), QStringLiteral("О программе Brindle"),
             {}, &MainWindow::About1Click);

  // The editor's context menu. Its items show the shortcuts of the main menu, which is where
  // those keys take effect.
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  PopupMenu2->installEventFilter(this);
  auto popupItem = [this](const char* name, const QString& text, const QString& hint,
                          const QKeySequence& shortcut, const std::function<void()>& run) {
    auto* action = new QAction(text, PopupMenu2);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(hint);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, run);
    PopupMenu2->addAction(action);
    return action;
  };
  N15p = popupItem("N15p", QStringLiteral("О&пределить"),
                   QStringLiteral("Определить значение выделеного слова"),
                   QKeySequence(QStringLiteral("Ctrl+A")), [this] { N15Click(); });
  PopupMenu2->addSeparator();
  popupItem("Undo2", QStringLiteral("От&менить"), {}, QKeySequence(QStringLiteral("Ctrl+Z")),
            [this] { Memo1->undo(); });
  PopupMenu2->addSeparator();
  popupItem("Cut2", QStringLiteral("Вы&резать"), {}, QKeySequence(QStringLiteral("Ctrl+X")),
            [this] { Memo1->cut(); });
  popupItem("Copy2", QStringLiteral("&Копировать"), {}, QKeySequence(QStringLiteral("Ctrl+C")),
            [this] { Memo1->copy(); });
  popupItem("Paste2", QStringLiteral("Вс&тавить"), {}, QKeySequence(QStringLiteral("Ctrl+V")),
            [this] { Memo1->paste(); });
  PopupMenu2->addSeparator();
  popupItem("SelectAll2", QStringLiteral("Выд&елить все"), QStringLiteral("Выделить все"), {},
            [this] { ToolButton14Click(); });
}

QToolButton* MainWindow::addToolButton(const char* name, const QIcon& icon, const QString& hint,
                                   const std::function<void()>& command) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(QString::fromLatin1(name));
  button->setIcon(icon);
  button->setIconSize(QSize(23, 23));
  button->setFixedSize(27, 27);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setStatusTip(hint);
  // Hints go to the status bar only, never into a pop-up tip.
  button->installEventFilter(this);
  connect(button, &QToolButton::clicked, this, command);
  ToolBar1->addWidget(button);
  return button;
}

void MainWindow::buildToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(23, 23));
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  addToolBar(Qt::TopToolBarArea, ToolBar1);
  using icons::Tool;
  addToolButton("ToolButton1", icons::tool(Tool::New), QStringLiteral("Новый Config (Ctrl+N)"),
                [this] { New1Click(); });
  addToolButton("ToolButton2", icons::tool(Tool::Open), QStringLiteral("Открыть файл (Ctrl+O)"),
                [this] { Open1Click(); });
  addToolButton("ToolButton3", icons::tool(Tool::Save),
                QStringLiteral("Сохранить файл (Ctrl+S)"), [this] { Save1Click(); });
  ToolBar1->addSeparator();
  addToolButton("ToolButton5", icons::tool(Tool::Cut),
                QStringLiteral("Вырезать в буфер обмена (Ctrl+X)"), [this] { editAction("cut"); });
  addToolButton("ToolButton6", icons::tool(Tool::Copy),
                QStringLiteral("Копировать в буфер обмена (Ctrl+C)"),
                [this] { editAction("copy"); });
  addToolButton("ToolButton7", icons::tool(Tool::Paste),
                QStringLiteral("Вставить из буфера обмена (Ctrl+V)"),
                [this] { editAction("paste"); });
  ToolBar1->addSeparator();
  addToolButton("ToolButton14", icons::tool(Tool::SelectAll), QStringLiteral("Выделить весь текст"),
                [this] { ToolButton14Click(); });
  addToolButton("ToolButton11", icons::tool(Tool::Find), QStringLiteral("Найти нужный текст (F3)"),
                [this] { toolbutton11click(); });
  ToolBar1->addSeparator();
  addToolButton("ToolButton10", icons::tool(Tool::Undo),
                QStringLiteral("Отменить последнее действие (Ctrl+Z)"),
                [this] { editAction("undo"); });
  ToolBar1->addSeparator();
  addToolButton("Fontname", icons::tool(Tool::Font), QStringLiteral("Шрифт (Ctrl+F)"),
                [this] { FontNameChange(); });
  addToolButton("ToolButton16", icons::tool(Tool::Color), QStringLiteral("Сменить цвет"),
                [this] { ColorNameFonClick(); });
  ToolBar1->addSeparator();
  addToolButton("ToolButton17", icons::tool(Tool::Libraries), QString(), [this] { N37Click(); });
  addToolButton("ToolButton21", icons::tool(Tool::Maps), QStringLiteral("Настройка смены карт"),
                [this] { N32Click(); });
  addToolButton("ToolButton19", icons::tool(Tool::MetaBinds), QStringLiteral("Вставка Metabinds"),
                [this] { MetaBinds1Click(); });
  ToolBar1->addSeparator();
  addToolButton("ToolButton13", icons::tool(Tool::Wizard),
                QStringLiteral("Мастер настройки конфига"), [this] { ToolButton13Click(); });
  auto* press = new QLabel(QStringLiteral("<<Нажми"), ToolBar1);
  press->setObjectName(QStringLiteral("Label5"));
  press->setContentsMargins(4, 0, 4, 0);
  ToolBar1->addWidget(press);
}

void MainWindow::buildStrip() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(30);
  Panel1->setAutoFillBackground(true);
  QPalette black = Panel1->palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  Panel1->setPalette(black);

  auto* row = new QHBoxLayout(Panel1);
  row->setContentsMargins(4, 0, 8, 0);
  row->setSpacing(18);
  Image1 = new QLabel(Panel1);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(icons::stripPicture());
  row->addWidget(Image1);

  QFont bold = Panel1->font();
  bold.setBold(true);
  auto makeLabel = [&](const char* name, const QString& caption, const QString& hint) {
    auto* label = new QLabel(caption, Panel1);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(bold);
    label->setStatusTip(hint);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    row->addWidget(label);
    return label;
  };
  Label1 = makeLabel("Label1", QStringLiteral("//"), QStringLiteral("Вставить комментарий"));
  Label2 = makeLabel("Label2", QStringLiteral("Enter"),
                     QStringLiteral("Перевод каретки на нижнюю строку"));
  Label3 = makeLabel("Label3", QStringLiteral("EndEnter"),
                     QStringLiteral("Перевод каретки без переноса слов"));
  Label4 = makeLabel("Label4", QStringLiteral("Очистка"),
                     QStringLiteral("Очистка конфига от ненужных символов"));
  row->addStretch();
}

void MainWindow::buildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(bar);
  const char* names[] = {"StatusPanel0", "StatusPanel1", "StatusPanel2"};
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QString::fromLatin1(names[i]));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setContentsMargins(3, 0, 3, 0);
    panels_[static_cast<std::size_t>(i)] = panel;
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
}

// ================================================================================ status bar

void MainWindow::setStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[static_cast<std::size_t>(panel)]->setText(text);
}

QString MainWindow::statusText(int panel) const {
  return panel >= 0 && panel < 3 ? panels_[static_cast<std::size_t>(panel)]->text() : QString();
}

QString MainWindow::valuePanelCaption() const {
  return windows_ && windows_->pani1 ? windows_->pani1->Label3->text() : QString();
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
      if (watched == PopupMenu2) {
        showHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
      }
      break;
    case QEvent::MouseButtonRelease: {
      const auto* m = static_cast<QMouseEvent*>(e);
      if (m->button() != Qt::LeftButton) break;
      if (watched == Label1) Button9Click();
      else if (watched == Label2) Button4Click();
      else if (watched == Label3) Button5Click();
      else if (watched == Label4) Button6Click();
      else break;
      return true;
    }
    case QEvent::KeyPress: {
      if (watched != Memo1) break;
      const auto* key = static_cast<QKeyEvent*>(e);
      // Memo1KeyPress: Ctrl+Y reaching the editor as the character 25 deletes the line, once.
      if (key->text() == QString(QChar(25))) {
        N21Click();
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

// ================================================================================ FormShow

void MainWindow::FormShow() {
  // The stored size is the outer frame's; the decoration is known once the window shows.
  waitUntilShown({this});
  setFrameRect(this, wantedFrame_);
  normalFrame_ = wantedFrame_;

  // The stored font reaches the whole text through the font command's silent first run.
  QFont font = Memo1->font();
  const std::string face = settings_.readString("Font", "NamePr");
  if (face != core::kAbsentText) font.setFamily(ui::toQ(face));
  font.setPointSize(settings_.readInt("Font", "SizePr", kDefaultFontSize));
  const QColor textColor = ui::colorFromBgr(settings_.readInt("Font", "ColorPr", 0));
  switch (settings_.readInt("Font", "StylePr")) {
    case 1: font.setBold(true); break;
    case 2: font.setItalic(true); break;
    case 3: font.setBold(true); font.setItalic(true); break;
    default: break;
  }
  applyEditorFont(font, textColor);
  FontNameChange();
  fontInitialised_ = true;

  // The tool windows' layout; placed once they are shown.
  const ToolLayout d = ToolWindows::defaultLayout();
  ToolLayout layout;
  layout.pani1.setHeight(settings_.readInt("Forms", "pani1H", d.pani1.height()));
  layout.pani1.setWidth(settings_.readInt("Forms", "pani1W", d.pani1.width()));
  layout.pani1.moveLeft(settings_.readInt("Forms", "pani1L", d.pani1.left()));
  layout.pani1.moveTop(settings_.readInt("Forms", "pani1T", d.pani1.top()));
  layout.ccd.setHeight(settings_.readInt("Forms", "ccdH", d.ccd.height()));
  layout.ccd.setWidth(settings_.readInt("Forms", "ccdW", d.ccd.width()));
  layout.ccd.moveLeft(settings_.readInt("Forms", "ccdL", d.ccd.left()));
  layout.ccd.moveTop(settings_.readInt("Forms", "ccdT", d.ccd.top()));
  layout.form6.setX(settings_.readInt("Forms", "f6L", d.form6.x()));
  layout.form6.setY(settings_.readInt("Forms", "f6T", d.form6.y()));
  tools_.setNormalLayout(layout);

  // The game directory: stored, or asked for at the first start.
  QString catalog;
  bool haveCatalog = false;
  if (confirmed_) {
    const std::string stored = settings_.readString("Game", "Catalog");
    if (stored != core::kAbsentText) {
      catalog = ui::fromUtf8(stored);
      haveCatalog = true;
    }
  } else if (windows_ && windows_->nachalo) {
    windows_->nachalo->exec();
  }
  if (haveCatalog) {
    if (windows_) windows_->wizardDirectory = catalog;
    if (windows_ && windows_->nachalo) windows_->nachalo->setDirectory(catalog);
    gameDirectoryFallback_ = catalog;
    startupGameDirectory_ = catalog;
  } else {
    if (windows_) windows_->wizardDirectory = ui::fromUtf8(programDir_);
    startupGameDirectory_.clear();
  }

  if (tools_.present()) {
    tools_.ccd()->show();
    tools_.pani1()->show();
    tools_.form6()->show();
    waitUntilShown({tools_.ccd(), tools_.pani1(), tools_.form6()});
    tools_.applyNormal();
  }
  activated_ = true;
  lastMainPos_ = frameGeometry().topLeft();
  activateWindow();
  Memo1->setFocus();
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
  if (e->type() == QEvent::WindowStateChange) placeToolWindows();
}

// Docked in the right-edge column while maximized, back at the normal layout when the window
// returns to the normal state; nothing while minimized.
void MainWindow::placeToolWindows() {
  if (!activated_) return;
  const Qt::WindowStates state = windowState();
  if (state & Qt::WindowMinimized) return;
  if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) tools_.dock(frameGeometry());
  else if (tools_.docked()) tools_.applyNormal();
}

// ================================================================================ close

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!FormCloseQ1()) {
    e->ignore();
    return;
  }
  e->accept();
  FormClose();
}

bool MainWindow::FormCloseQ1() {
  bool allow = true;
  if (currentFileName_ != QLatin1String(kUntitled)) {
    if (Memo1->modified()) {
      New1Click();
      if (saveOutcome_ == SaveOutcome::Cancelled) allow = false;
    }
  } else if (Memo1->modified()) {
    // An untitled document goes through Save As and the program closes whatever the user did
    // there, unless writing the file failed: then the text would be lost.
    saveFailed_ = false;
    FileSaveAs();
    if (saveFailed_) allow = false;
  }
  saveOutcome_ = SaveOutcome::None;
  return allow;
}

void MainWindow::FormClose() {
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
    tools_.ccd()->hide();
    tools_.pani1()->hide();
    tools_.form6()->hide();
  }
  FindDialog1->hide();
  Q_EMIT terminated();
}

void MainWindow::writeSettings() {
  settings_.writeInt("Color", "PrEdit", ui::colorToBgr(editorBackground()));
  const QFont f = Memo1->font();
  settings_.writeString("Font", "NamePr", ui::fromQ(f.family()));
  settings_.writeInt("Font", "SizePr", f.pointSize());
  settings_.writeInt("Font", "ColorPr", ui::colorToBgr(editorTextColor()));
  settings_.writeInt("Font", "StylePr", styleCode_);
  settings_.writeInt("MainForm", "Left", normalFrame_.left());
  settings_.writeInt("MainForm", "Top", normalFrame_.top());
  settings_.writeInt("MainForm", "Width", normalFrame_.width());
  settings_.writeInt("MainForm", "Height", normalFrame_.height());
  const ToolLayout l =
      tools_.present()
          ? ToolLayout{frameRect(tools_.ccd()), frameRect(tools_.pani1()),
                       frameRect(tools_.form6()).topLeft()}
          : tools_.normalLayout();
  settings_.writeInt("Forms", "pani1H", l.pani1.height());
  settings_.writeInt("Forms", "pani1W", l.pani1.width());
  settings_.writeInt("Forms", "pani1L", l.pani1.left());
  settings_.writeInt("Forms", "pani1T", l.pani1.top());
  settings_.writeInt("Forms", "ccdH", l.ccd.height());
  settings_.writeInt("Forms", "ccdW", l.ccd.width());
  settings_.writeInt("Forms", "ccdL", l.ccd.left());
  settings_.writeInt("Forms", "ccdT", l.ccd.top());
  settings_.writeInt("Forms", "f6L", l.form6.x());
  settings_.writeInt("Forms", "f6T", l.form6.y());
  settings_.writeInt("Game", "dadir", confirmed_ ? 1 : 0);
  if (confirmed_) settings_.writeString("Game", "Catalog", ui::toUtf8(gameDirectory()));
}

// ================================================================================ document

void MainWindow::setCurrentFileName(const QString& name) {
  currentFileName_ = name;
  setStatusText(2, name);
}

bool MainWindow::saveTo(const QString& path) {
  const core::WriteResult r = core::writeLinesAtomic(ui::toUtf8(path), core::splitLines(Memo1->getText()));
  if (!r.ok) {
    ui::showError(this, ui::fromUtf8(r.error));
    saveFailed_ = true;
    saveOutcome_ = SaveOutcome::Cancelled;
  }
  return r.ok;
}

bool MainWindow::loadFrom(const QString& path) {
  const core::ReadResult r = core::readFile(ui::toUtf8(path), core::kMaxDocumentBytes);
  if (!r.ok) {
    ui::showError(this, ui::fromUtf8(r.error));
    return false;
  }
  Memo1->loadText(r.data);
  return true;
}

void MainWindow::prbegin() {
  if (newMetaBindRequest_) {
    Memo1->loadText(kMetaBindTemplate);
    Memo1->setSelStart(0);
    Memo1->setModified(false);
    newMetaBindRequest_ = false;
    return;
  }
  if (!arguments_.isEmpty() && !commandLineConsumed_ &&
      core::pathExists(ui::toUtf8(arguments_.first()))) {
    commandLineConsumed_ = true;
    if (loadFrom(arguments_.first())) {
      Memo1->setModified(false);
      setCurrentFileName(arguments_.first());
      initialised_ = true;
      return;
    }
    // Unreadable: the template stays.
  }
  if (initialised_) Memo1->loadText(kConfigTemplate);
  Memo1->setSelStart(Memo1->textLength());
  Memo1->setModified(false);
  initialised_ = true;
}

void MainWindow::ResetDocument() {
  if (!openInProgress_) {
    setCurrentFileName(QString::fromLatin1(kUntitled));
    prbegin();
    saveOutcome_ = SaveOutcome::Reset;
  }
  openDecision_ = OpenDecision::Proceed;
}

void MainWindow::New1Click() {
  if (!Memo1->modified()) {
    ResetDocument();
    return;
  }
  switch (ui::askYesNoCancel(this, QStringLiteral("Сохранить файл?"))) {
    case ui::Answer::Yes:
      saveFailed_ = false;
      Save1Click();
      // A save that failed keeps the document; nothing may replace it now.
      openDecision_ = saveFailed_ ? OpenDecision::Cancelled : OpenDecision::Proceed;
      break;
    case ui::Answer::No:
      ResetDocument();
      break;
    default:
      openDecision_ = OpenDecision::Cancelled;
      saveOutcome_ = SaveOutcome::Cancelled;
      break;
  }
}

void MainWindow::MetaBind1Click() {
  newMetaBindRequest_ = true;
  New1Click();
  newMetaBindRequest_ = false;
}

void MainWindow::Open1Click() {
  openInProgress_ = true;
  if (Memo1->modified()) New1Click();
  else openDecision_ = OpenDecision::Proceed;
  setStatusText(1, QStringLiteral("Открываем..."));
  if (openDecision_ == OpenDecision::Proceed) {
    ui::FileDialogRequest request;
    request.filter = kOpenFilter;
    request.mustExist = true;
    const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
    if (chosen.accepted && loadFrom(chosen.path)) {
      setCurrentFileName(chosen.path);
      Memo1->setModified(false);
    }
  }
  openInProgress_ = false;
}

void MainWindow::Save1Click() {
  if (currentFileName_ == QLatin1String(kUntitled)) {
    saveDialogTitle_ = QStringLiteral("Сохранить");
    FileSaveAs();
    return;
  }
  if (!saveTo(currentFileName_)) return;
  Memo1->setModified(false);
  setStatusText(1, QStringLiteral("Сохранено..."));
  saveOutcome_ = SaveOutcome::Saved;
}

void MainWindow::SaveDialog1TypeChange(int filterIndex) {
  static const char* const extensions[] = {"", "cfg", "kav", "txt", "mtb"};
  defaultExt_ = filterIndex >= 1 && filterIndex <= 5
                    ? QString::fromLatin1(extensions[filterIndex - 1])
                    : QString();
}

void MainWindow::FileSaveAs() {
  setStatusText(1, QStringLiteral("Сохраняем..."));
  const bool beganUntitled = currentFileName_ == QLatin1String(kUntitled);
  if (beganUntitled) saveOutcome_ = SaveOutcome::Saved;
  bool failed = false;

  ui::FileDialogRequest request;
  request.save = true;
  request.title = saveDialogTitle_;
  request.filter = kSaveFilter;
  request.filterIndex = saveFilterIndex_;
  request.confirmCreate = true;
  request.targetFor = [this](const QString& name) {
    return defaultExt_.isEmpty() ? name : withExtension(name, defaultExt_);
  };
  // The type shown and the extension added go together: a dialog cancelled after a type
  // change opens next time at that type, whose extension is still the one to add.
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request, [this](int i) {
    saveFilterIndex_ = i;
    SaveDialog1TypeChange(i);
  });
  if (chosen.accepted) {
    const QString target =
        defaultExt_.isEmpty() ? chosen.path : withExtension(chosen.path, defaultExt_);
    if (core::fileExists(ui::toUtf8(target))) {
      const ui::Answer a = ui::askYesNo(
          this, target + QStringLiteral("\nЗаменить данный файл?"));
      if (a == ui::Answer::Yes) {
        if (saveTo(target)) {
          loadFrom(target);
          setCurrentFileName(target);
          Memo1->setModified(false);
        } else {
          failed = true;
        }
      }
    } else if (saveTo(target)) {
      setCurrentFileName(target);
      Memo1->setModified(false);
    } else {
      failed = true;
    }
    saveFilterIndex_ = 1;
    defaultExt_.clear();
  }
  // An untitled document counts as saved even when the dialog was cancelled; a failed write
  // never does.
  if (beganUntitled && !failed) Memo1->setModified(false);
  saveDialogTitle_ = QStringLiteral("Сохранить как");
  setStatusText(1, valuePanelCaption());
}

void MainWindow::Memo1Change() { Memo1->setModified(true); }

void MainWindow::Memo1Click() {
  const core::CaretPos p = Memo1->caretPos();
  caretColumn_ = p.column;
  caretLine_ = p.line;
  setStatusText(0, QStringLiteral("%1 : %2").arg(p.column + 1).arg(p.line + 1));
}

// ================================================================================ editing tools

void MainWindow::Button9Click() { editor::insertComment(*Memo1); }

void MainWindow::Button4Click() { editor::insertLineBreak(*Memo1); }

void MainWindow::Button5Click() { editor::openLineBelow(*Memo1, caretLine_); }

void MainWindow::Button6Click() { editor::cleanupBuffer(*Memo1); }

void MainWindow::N21Click() { editor::deleteCaretLine(*Memo1); }

void MainWindow::ToolButton14Click() { editor::toggleSelectAll(*Memo1); }

void MainWindow::PopupMenu2Popup() {
  const bool selected = Memo1->selLength() > 0;
  N15->setEnabled(selected);
  N15p->setEnabled(selected);
}

void MainWindow::toolbutton11click() { FindDialog1->showFor(Memo1); }

void MainWindow::N14Click() {
  if (N14->icon().isNull()) {
    N14->setIcon(icons::checkMark());
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  } else {
    N14->setIcon(QIcon());
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  }
}

bool MainWindow::wordWrap() const { return Memo1->lineWrapMode() != QPlainTextEdit::NoWrap; }

QColor MainWindow::editorBackground() const { return Memo1->palette().color(QPalette::Base); }

QColor MainWindow::editorTextColor() const { return Memo1->palette().color(QPalette::Text); }

void MainWindow::setEditorBackground(const QColor& color) {
  QPalette p = Memo1->palette();
  p.setColor(QPalette::Base, color);
  Memo1->setPalette(p);
}

void MainWindow::applyEditorFont(const QFont& font, const QColor& color) {
  Memo1->setFont(font);
  QPalette p = Memo1->palette();
  p.setColor(QPalette::Text, color);
  Memo1->setPalette(p);
}

void MainWindow::FontNameChange() {
  setStatusText(1, QStringLiteral("Выбор шрифта для окна ввода"));
  const ui::FontChoice current{Memo1->font(), editorTextColor()};
  if (!fontInitialised_) {
    applyEditorFont(current.font, current.color);
  } else if (const auto chosen = ui::chooseFont(this, current)) {
    applyEditorFont(chosen->font, chosen->color);
  }
  styleCode_ = styleCodeOf(Memo1->font());
  if (fontInitialised_) Memo1->setFocus();
  setStatusText(1, QString());
}

void MainWindow::ColorNameFonClick() {
  setStatusText(1, QStringLiteral("Выбор цвета для окна редактора"));
  if (const auto chosen = ui::chooseColor(this, editorBackground())) setEditorBackground(*chosen);
  setStatusText(1, QString());
}

void MainWindow::N33Click() {
  ui::printText(this, ui::toQ(Memo1->getText()), Memo1->font(), windowTitle());
}

void MainWindow::N15Click() {
  if (!windows_ || !windows_->pani1 || !windows_->form6) return;
  windows_->form6->hidePicture();
  const std::string text = windows_->pani1->ReadIni2("", Memo1->selText(), "q");
  windows_->form6->showExplanation(text);
}

// ================================================================================ game

QString MainWindow::gameDirectory() const {
  if (windows_ && windows_->nachalo) return windows_->nachalo->directory();
  return gameDirectoryFallback_;
}

void MainWindow::N38Click() {
  if (windows_ && windows_->nachalo) windows_->nachalo->exec();
}

void MainWindow::CS1Click() {
  if (currentFileName_ == QLatin1String(kUntitled)) {
    ui::showWarning(this, QStringLiteral("Для продолжения сохраните данный файл!"));
    return;
  }
  // Only files change here: the editor's text and modified flag stay as they are.
  const game::LaunchPreparation prepared =
      game::prepareGameLaunch(ui::toUtf8(gameDirectory()), ui::toUtf8(currentFileName_));
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
    const std::string path = core::resolveDataPath(core::withSeparator(ui::toUtf8(where)), candidate);
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

void MainWindow::N32Click() {
  // The map cycle editor is not part of the program yet.
}

void MainWindow::ToolButton13Click() {
  // The configuration wizard is not part of the program yet.
}

void MainWindow::MetaBinds1Click() {
  if (!windows_ || !windows_->metab) return;
  windows_->metab->setWizardTarget(nullptr);  // the editor buffer
  windows_->metab->exec();
}

void MainWindow::N37Click() {
  if (windows_ && windows_->form3) windows_->form3->N37Click(false);
}

void MainWindow::openHelp(const QString& page) { openHelpPage(programDir_, page); }

void MainWindow::N35Click() { openHelp(QStringLiteral("help.html")); }
void MainWindow::N29Click() { openHelp(QStringLiteral("faq.html")); }
void MainWindow::N31Click() { openHelp(QStringLiteral("lessons.html")); }
void MainWindow::N30Click() { openHelp(QStringLiteral("about.html")); }

void MainWindow::About1Click() { AboutWindow::showFresh(this); }

}  // namespace brindle::app
