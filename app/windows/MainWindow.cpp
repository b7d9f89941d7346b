#include "app/windows/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/windows/Application.h"
#include "app/windows/Icons.h"
#include "core/Backups.h"
#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/Text.h"
#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/KnownWords.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/ValuePanel.h"
#include "editor/logic/Cleanup.h"
#include "editor/logic/EditTools.h"
#include "editor/windows/ConfigTools.h"
#include "game/windows/GameDirectoryDialog.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/FindDialog.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"

namespace brindle::app {
namespace {

const QString kCaption = QStringLiteral("Brindle for Counter-Strike (версия 2.3)");

// Built-in settings, used when a key is absent.
constexpr int kDefaultBackground = 15247360;  // 0x00E8A800
constexpr int kDefaultLeft = 10;
constexpr int kDefaultTop = 10;
constexpr int kDefaultWidth = 560;
constexpr int kDefaultHeight = 450;
constexpr int kDefaultFontSize = 10;
const QString kBuiltInFace = QStringLiteral("MS Sans Serif");

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
      backups_(core::installBackups(settings_)),
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

MainWindow::~MainWindow() { core::uninstallBackups(); }

// ================================================================================ building

namespace {

QString utf8(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

}  // namespace

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
  // The editor knows configs: the dictionary's words and the word base. They are read
  // once the window is up, so the start does not wait for the lists.
  const core::KnownWords words = dictionary::readKnownWords(programDir_);
  configTools_ = new editor::ConfigTools(
      memo_, words,
      [this](std::string_view word) {
        const std::string text = dictionary::lookUpExplanation(programDir_, "", word, "q", false);
        return text == dictionary::kNoExplanation ? std::string() : text;
      },
      this);
  configTools_->setPlaceLookup([this] {
    return editor::DocumentPlace{session_.untitled() ? std::string() : session_.fileName(),
                                 ui::toUtf8(gameDirectory())};
  });

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
  tools_.setNormalLayout(storedToolLayout());

  // The game directory: stored, or asked for at the first start.
  QString catalog;
  bool haveCatalog = false;
  if (confirmed_) {
    const std::string stored = settings_.readString(core::Setting::GameDirectory);
    if (stored != core::kAbsentText) {
      catalog = ui::fromUtf8(stored);
      haveCatalog = true;
    }
  } else if (windows_ && windows_->gameDirectoryDialog) {
    windows_->gameDirectoryDialog->exec();
  }
  if (haveCatalog) {
    if (windows_) windows_->wizardDirectory = catalog;
    if (windows_ && windows_->gameDirectoryDialog)
      windows_->gameDirectoryDialog->setDirectory(catalog);
    gameDirectoryFallback_ = catalog;
    startupGameDirectory_ = catalog;
  } else {
    if (windows_) windows_->wizardDirectory = ui::fromUtf8(programDir_);
    startupGameDirectory_.clear();
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
  hideOverviewWindows();
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
  // One write: a failure leaves the old file whole, and the user learns the settings are lost.
  const core::WriteResult written = settings_.write(batch);
  if (!written.ok)
    ui::showError(this, QStringLiteral("Настройки не сохранены:\n") + ui::fromUtf8(written.error));
}

void MainWindow::textEdited() {
  memo_->setModified(true);
  overviewChanged(true);
}

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

}  // namespace brindle::app
