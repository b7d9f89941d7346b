#include "dictionary/windows/DictionaryWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "dictionary/logic/ListFiles.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "ui/ChoiceListBox.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"

namespace brindle::dictionary {
namespace {

constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 24;
constexpr int kCvarTab = 1;
constexpr int kLibraryTab = 2;

ui::ChoiceListBox* makeList(QWidget* page, const char* name, ListTab* tab) {
  auto* list = new ui::ChoiceListBox(page);
  list->setObjectName(QString::fromLatin1(name));
  QPalette tip = list->palette();
  tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
  list->setPalette(tip);
  if (tab)
    for (const auto& e : listTable(*tab))
      list->addItem(QString::fromUtf8(e.caption.data(), static_cast<qsizetype>(e.caption.size())));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list);
  return list;
}

QToolButton* makeButton(QWidget* panel, const char* name, const QString& text) {
  auto* b = new QToolButton(panel);
  b->setObjectName(QString::fromLatin1(name));
  b->setText(text);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  QFont f = b->font();
  f.setBold(true);
  f.setPixelSize(15);
  b->setFont(f);
  b->resize(kButtonWidth, kButtonHeight);
  return b;
}

}  // namespace

DictionaryWindow::DictionaryWindow(ui::EditorHost* host, DictionaryContext* context,
                                   QWidget* parent)
    : ui::ToolWindow(Frame::Titled, parent), host_(host), context_(context) {
  setObjectName(QStringLiteral("Tccd"));
  // Small enough for the stored default (135 x 315) and the docked column (157 x 194).
  setMinimumSize(100, 120);
  resize(180, 360);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("PC1"));
  QFont bold = tabs_->tabBar()->font();
  bold.setBold(true);
  tabs_->tabBar()->setFont(bold);
  // The three tabs stay in one row even in a narrow window: tight padding, no scroll arrows,
  // and the texts shortened only when nothing else helps.
  tabs_->tabBar()->setExpanding(false);
  tabs_->tabBar()->setUsesScrollButtons(false);
  tabs_->tabBar()->setElideMode(Qt::ElideRight);
  tabs_->tabBar()->setStyleSheet(QStringLiteral(
      "QTabBar::tab { padding: 3px 4px; margin-right: 0px; border: 1px solid #9a9a9a;"
      " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
      " background: #dcdcdc; }"
      "QTabBar::tab:selected { background: palette(window); }"
      "QTabBar::tab:!selected { margin-top: 2px; color: #404040; }"));
  // A click on a tab takes the focus, so the page that had it loses it (and its selection).
  tabs_->tabBar()->setFocusPolicy(Qt::StrongFocus);

  commandPage_ = new QWidget;
  commandPage_->setObjectName(QStringLiteral("TabSheet1"));
  variablePage_ = new QWidget;
  variablePage_->setObjectName(QStringLiteral("TabSheet2"));
  libraryPage_ = new QWidget;
  libraryPage_->setObjectName(QStringLiteral("TabSheet3"));
  ListTab cmd = ListTab::Cmd;
  ListTab cvar = ListTab::Cvar;
  commandLists_ = makeList(commandPage_, "ListBox1", &cmd);
  variableLists_ = makeList(variablePage_, "ListBox2", &cvar);
  libraryList_ = makeList(libraryPage_, "ListBox3", nullptr);
  tabs_->addTab(commandPage_, QStringLiteral("CMD"));
  tabs_->addTab(variablePage_, QStringLiteral("CVAR"));
  tabs_->addTab(libraryPage_, QStringLiteral("DLZ"));
  layout->addWidget(tabs_, 1);

  buttonPanel_ = new QFrame(this);
  buttonPanel_->setObjectName(QStringLiteral("Panel1"));
  buttonPanel_->setFrameShape(QFrame::StyledPanel);
  buttonPanel_->setFixedHeight(3 * kButtonHeight + 8);
  setinfoButton_ = makeButton(buttonPanel_, "SBut10", QStringLiteral("SetInfo"));
  bindButton_ = makeButton(buttonPanel_, "SBut7", QStringLiteral("Bind"));
  aliasButton_ = makeButton(buttonPanel_, "SBut8", QStringLiteral("Alias"));
  buttonPanel_->installEventFilter(this);
  layout->addWidget(buttonPanel_);

  variableLists_->installEventFilter(this);

  connect(commandLists_, &ui::ChoiceListBox::userClicked, this,
          &DictionaryWindow::commandListChosen);
  connect(variableLists_, &ui::ChoiceListBox::userClicked, this,
          &DictionaryWindow::variableListChosen);
  connect(libraryList_, &ui::ChoiceListBox::userClicked, this, &DictionaryWindow::libraryChosen);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    tabChanged();
    if (index == kLibraryTab) libraryTabShown();
  });
  connect(setinfoButton_, &QToolButton::clicked, this, [this] {
    Q_EMIT insertDialogRequested(0, QStringLiteral("SetInfo - выберите из списка"));
  });
  connect(bindButton_, &QToolButton::clicked, this, [this] {
    Q_EMIT insertDialogRequested(1, QStringLiteral("Bind - выберите клавишу для присвоения"));
  });
  connect(aliasButton_, &QToolButton::clicked, this, [this] {
    Q_EMIT insertDialogRequested(2, QStringLiteral("Alias - наберите имя команды"));
  });
  connect(qApp, &QApplication::focusChanged, this, &DictionaryWindow::focusChanged);

  centreButtons();
  if (context_) context_->dictionaryWindow = this;
}

bool DictionaryWindow::libraryTabActive() const { return tabs_->currentIndex() == kLibraryTab; }

std::string DictionaryWindow::selectedLibrary() const {
  const auto name = libraryList_->selectedText();
  return name ? ui::toUtf8(*name) : std::string();
}

std::vector<std::string> DictionaryWindow::libraryNames() const {
  std::vector<std::string> out;
  for (const auto& t : libraryList_->texts()) out.push_back(ui::toUtf8(t));
  return out;
}

void DictionaryWindow::addLibrary(const std::string& name) {
  libraryList_->addSorted(ui::fromUtf8(name));
}

void DictionaryWindow::setLibraries(const std::vector<std::string>& names) {
  // The library chosen before stays chosen if it is still listed.
  const auto chosen = libraryList_->selectedText();
  libraryList_->clear();
  for (const auto& n : names) libraryList_->addSorted(ui::fromUtf8(n));
  if (chosen) {
    const auto found = libraryList_->findItems(*chosen, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) libraryList_->selectRow(libraryList_->row(found.first()));
  }
}

void DictionaryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_) {
    shown_ = true;
    prepareLists();
  }
  if (libraryTabActive()) libraryTabShown();
}

void DictionaryWindow::prepareLists() {
  tabs_->setCurrentIndex(0);
  commandLists_->selectRow(0);
  commandListChosen();
}

void DictionaryWindow::commandListChosen() {
  const auto chosen = commandLists_->selectedText();
  if (!chosen) return;
  const std::string entry = ui::toUtf8(*chosen);
  context_->listKind = core::ListKind::Command;
  host_->setStatusText(1, QStringLiteral("Выбрано: (CMD) ") + *chosen);
  if (context_->valuePanel)
    context_->valuePanel->setCaption(QStringLiteral("Выбор: (CMD) ") + *chosen);
  context_->picturesMode = entry == "Weapons";
  if (!context_->picturesMode && context_->explanationWindow)
    context_->explanationWindow->hidePicture();
  const auto path = listPath(host_->programDir(), ListTab::Cmd, entry);
  if (!path) return;
  context_->currentListPath = *path;
  if (context_->valuePanel && context_->valuePanel->loadCurrentList())
    context_->panelLibrary.clear();
}

void DictionaryWindow::variableListChosen() {
  const auto chosen = variableLists_->selectedText();
  if (!chosen) return;
  const std::string entry = ui::toUtf8(*chosen);
  context_->listKind = core::ListKind::Variable;
  if (entry == "Voice")
    cvarHint_ = QStringLiteral("Значения для голосового общения");
  else if (entry == "sk_(HalfLife)")
    cvarHint_ = QStringLiteral("В sk_(HalfLife) значения для HalfLife");
  else
    cvarHint_.clear();
  host_->setStatusText(1, QStringLiteral("Выбрано: (CVAR) ") + *chosen);
  if (context_->valuePanel)
    context_->valuePanel->setCaption(QStringLiteral("Выбор: (CVAR) ") + *chosen);
  // The new hint shows at once while the mouse rests on the list, as it would on entering it;
  // the user does not have to leave the list and come back to read it.
  if (!cvarHint_.isEmpty() && mouseOnCvarList_) host_->showHint(cvarHint_);
  const auto path = listPath(host_->programDir(), ListTab::Cvar, entry);
  if (!path) return;
  context_->currentListPath = *path;
  if (context_->valuePanel && context_->valuePanel->loadCurrentList())
    context_->panelLibrary.clear();
}

void DictionaryWindow::libraryChosen() {
  const auto chosen = libraryList_->selectedText();
  if (!chosen) return;
  if (context_->valuePanel)
    context_->valuePanel->setCaption(QStringLiteral("Выбор: (DLZ) ") + *chosen);
  host_->setStatusText(1, QStringLiteral("Выбрано: (DLZ) ") + *chosen);
  const std::string library = ui::toUtf8(*chosen);
  context_->currentListPath = libraryListPath(host_->programDir(), library);
  if (context_->valuePanel && context_->valuePanel->loadCurrentList())
    context_->panelLibrary = library;
}

void DictionaryWindow::tabChanged() {
  context_->picturesMode = false;
  if (context_->explanationWindow) context_->explanationWindow->hidePicture();
}

void DictionaryWindow::libraryTabShown() {
  if (context_->libraryManager) context_->libraryManager->run(true);
}

void DictionaryWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  centreButtons();
}

void DictionaryWindow::centreButtons() {
  const int left = (buttonPanel_->width() - kButtonWidth) / 2;
  int top = 4;
  for (QToolButton* b : {setinfoButton_, bindButton_, aliasButton_}) {
    b->setGeometry(left, top, kButtonWidth, kButtonHeight);
    top += kButtonHeight;
  }
}

bool DictionaryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buttonPanel_ && event->type() == QEvent::Resize) centreButtons();
  if (watched == variableLists_ && host_) {
    // The CVAR list's hint is shown in the main window's status bar while the mouse rests here.
    if (event->type() == QEvent::Enter) {
      mouseOnCvarList_ = true;
      host_->showHint(cvarHint_);
    } else if (event->type() == QEvent::Leave) {
      mouseOnCvarList_ = false;
      host_->showHint(QString());
    }
  }
  return QWidget::eventFilter(watched, event);
}

// A page that loses the keyboard focus to another control of this window loses its list's
// selection. Focus moving to another window (the value panel, the editor) keeps it: the chosen
// library must stay chosen while its entries are explained.
void DictionaryWindow::focusChanged(QWidget* old, QWidget* now) {
  if (!old || !now || now->window() != this) return;
  const std::pair<QWidget*, ui::ChoiceListBox*> pages[] = {
      {commandPage_, commandLists_}, {variablePage_, variableLists_}, {libraryPage_, libraryList_}};
  for (const auto& [page, list] : pages)
    if (page->isAncestorOf(old) && !page->isAncestorOf(now)) list->selectRow(-1);
}

DictionaryWindow::~DictionaryWindow() {
  // The children go after this destructor; their last signals (focus moving away from a
  // dying list, the tab widget emptying) must not reach a half-destroyed window.
  disconnect(qApp, nullptr, this, nullptr);
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

}  // namespace brindle::dictionary
