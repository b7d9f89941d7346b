#include "dictionary/windows/ValuePanel.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "core/Cp1251.h"
#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "dictionary/logic/Explanations.h"
#include "dictionary/logic/ListFiles.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "ui/CfgEdit.h"
#include "ui/ChoiceListBox.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"
#include "ui/MessageBoxes.h"

namespace brindle::dictionary {
namespace {

const QString kListHint = QStringLiteral("Список значений");
constexpr int kButtonHeight = 26;

}  // namespace

ValuePanel::ValuePanel(ui::EditorHost* host, DictionaryContext* context, QWidget* parent)
    : ui::ToolWindow(Frame::Titled, parent), host_(host), context_(context) {
  setObjectName(QStringLiteral("TPani1"));
  setMinimumSize(120, 150);
  resize(180, 400);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  captionPanel_ = new QFrame(this);
  captionPanel_->setObjectName(QStringLiteral("Panel1"));
  captionPanel_->setFrameShape(QFrame::StyledPanel);
  auto* top = new QHBoxLayout(captionPanel_);
  top->setContentsMargins(4, 3, 4, 3);
  caption_ = new QLabel(QStringLiteral("Выбор: "), captionPanel_);
  caption_->setObjectName(QStringLiteral("Label3"));
  top->addWidget(caption_);
  layout->addWidget(captionPanel_);

  QFont bold = font();
  bold.setBold(true);
  entries_ = new ui::ChoiceListBox(this);
  entries_->setObjectName(QStringLiteral("ListBox1"));
  entries_->setFont(bold);
  // Entries are inserted exactly as written, so they are shown whole: a long library line
  // scrolls sideways instead of ending in "...".
  entries_->setTextElideMode(Qt::ElideNone);
  entries_->setUniformItemSizes(false);
  QPalette tip = entries_->palette();
  tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
  tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
  entries_->setPalette(tip);
  // An entry can be dragged onto a key of the keyboard window, which binds it there.
  entries_->setDragEnabled(true);
  entries_->setDragDropMode(QAbstractItemView::DragOnly);
  // The hint goes to the main window's status bar, not into a tooltip.
  entries_->installEventFilter(this);
  layout->addWidget(entries_, 1);

  addPanel_ = new QFrame(this);
  addPanel_->setObjectName(QStringLiteral("Panel2"));
  addPanel_->setFrameShape(QFrame::StyledPanel);
  addPanel_->setFixedHeight(kButtonHeight + 4);
  addButton_ = new QToolButton(addPanel_);
  addButton_->setObjectName(QStringLiteral("Button1"));
  addButton_->setText(QStringLiteral("Добавить"));
  addButton_->setAutoRaise(true);
  addButton_->setFocusPolicy(Qt::NoFocus);
  QFont buttonFont = font();
  buttonFont.setBold(true);
  buttonFont.setPixelSize(15);
  addButton_->setFont(buttonFont);
  addButton_->setEnabled(false);
  layout->addWidget(addPanel_);

  connect(entries_, &ui::ChoiceListBox::userClicked, this, &ValuePanel::entryChosen);
  connect(entries_, &ui::ChoiceListBox::userDoubleClicked, this, &ValuePanel::entryDoubleClicked);
  connect(addButton_, &QToolButton::clicked, this, &ValuePanel::entryDoubleClicked);

  if (context_) context_->valuePanel = this;
}

void ValuePanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  addButton_->setGeometry(1, 2, width() - 2, kButtonHeight);
}

bool ValuePanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entries_ && host_) {
    if (event->type() == QEvent::Enter)
      host_->showHint(kListHint);
    else if (event->type() == QEvent::Leave)
      host_->showHint(QString());
  }
  return QWidget::eventFilter(watched, event);
}

QString ValuePanel::caption() const { return caption_->text(); }

void ValuePanel::setCaption(const QString& caption) { caption_->setText(caption); }

bool ValuePanel::loadCurrentList() {
  const ListReadResult list = readListFile(context_->currentListPath);
  if (!list.ok) {
    ui::showError(this, QStringLiteral("Ненайден файл ") + ui::fromUtf8(context_->currentListPath));
    return false;
  }
  entries_->clear();
  for (const auto& entry : list.entries) entries_->addItem(ui::toQ(entry));
  entries_->selectRow(-1);
  return true;
}

std::string ValuePanel::explanation(std::string_view library, std::string_view word,
                                    std::string_view key) {
  const bool libraryTab =
      context_->dictionaryWindow && context_->dictionaryWindow->libraryTabActive();
  std::vector<std::string> problems;
  context_->explanation =
      dictionary::lookUpExplanation(host_->programDir(), library, word, key, libraryTab, &problems);
  // An explanation file that is there but unreadable would otherwise look like a word that
  // simply has no explanation.
  if (!problems.empty()) ui::showError(this, ui::fromUtf8(problems.front()));
  return context_->explanation;
}

void ValuePanel::entryChosen() {
  addButton_->setEnabled(true);
  const auto chosen = entries_->selectedText();
  if (!chosen) return;
  const std::string entry = ui::fromQ(*chosen);
  ExplanationWindow* explanationWindow = context_->explanationWindow;

  if (context_->picturesMode) {
    const std::string path =
        core::DataLayout(host_->programDir()).picture(core::toUtf8(entry)).value_or("");
    if (explanationWindow && explanationWindow->showPicture(path)) return;
    if (explanationWindow) explanationWindow->hidePicture();
    // A file that is there but cannot be decoded is damaged, not missing.
    if (!path.empty() && core::fileExists(path))
      ui::showError(this, QStringLiteral("Файл картинки повреждён: ") + ui::fromUtf8(path));
    else
      ui::showError(this, QStringLiteral("Ненайден файл соответствующий значению ") + *chosen);
    return;
  }

  // The library is the one selected on the DLZ tab. The DLZ list loses its selection while
  // the panel still shows that library's entries (a click on the DLZ tab itself moves the focus
  // off the list; the library manager's closing refills the list): then the shown library is
  // meant, not none, or its own explanations would be missed.
  const bool libraryTab =
      context_->dictionaryWindow && context_->dictionaryWindow->libraryTabActive();
  std::string library;
  if (libraryTab) {
    library = context_->dictionaryWindow->selectedLibrary();
    if (library.empty()) library = context_->panelLibrary;
  }
  const std::string text = explanation(library, entry, kExplanationKey);
  if (explanationWindow) explanationWindow->showExplanation(text);
}

void ValuePanel::entryDoubleClicked() {
  context_->insertKind = core::insertKindOf(context_->listKind);
  insertSelected();
}

void ValuePanel::insertLine(core::InsertKind kind, const std::string& first,
                            const std::string& second) {
  context_->insertKind = kind;
  first_ = first;
  second_ = second;
  insertSelected();
}

void ValuePanel::insertSelected() {
  const core::InsertKind kind = context_->insertKind;
  std::string first = first_;
  std::string second = second_;
  if (kind == core::InsertKind::Command || kind == core::InsertKind::Variable) {
    const auto chosen = entries_->selectedText();
    if (!chosen) {
      // The button stays enabled after a new list is loaded, when nothing is selected.
      ui::showInformation(this, QStringLiteral("Выберите значение в списке"));
      return;
    }
    first = ui::fromQ(*chosen);
    second.clear();
  }

  ui::CfgEdit* memo = host_->memo();
  const core::Insertion insertion =
      core::insertionFor(kind, static_cast<long>(memo->caretPos().column), first, second);
  memo->replaceSel(insertion.text);
  if (QWidget* main = host_->hostWindow()) main->activateWindow();
  memo->setFocus();
  if (insertion.caretBack) memo->setSelStart(memo->selStart() - 1);
}

}  // namespace brindle::dictionary
