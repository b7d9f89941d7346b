#include "dictionary/windows/LibraryManager.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "dictionary/logic/Libraries.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "ui/ChoiceListBox.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

namespace brindle::dictionary {
namespace {

const QString kAddFilter =
    QStringLiteral("Библиотека значений (*.dlz)|*.dlz|MetaBinds (*.mtb)|*.mtb");

std::vector<std::string> entriesOf(const ui::ChoiceListBox* list) {
  std::vector<std::string> out;
  for (const auto& t : list->texts()) out.push_back(ui::toUtf8(t));
  return out;
}

// Takes an entry out; no other entry becomes selected in its place, so a second "Удалить"
// does not delete a neighbour.
void removeRow(ui::ChoiceListBox* list, int row) {
  delete list->takeItem(row);
  list->selectRow(-1);
}

// The manager's picture: a shelf with the two kinds of library it keeps.
QPixmap shelfPicture() {
  QPixmap pm(96, 96);
  pm.fill(QColor(216, 208, 200));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // Shelf board.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 86, 56));
  p.drawRect(6, 80, 84, 7);
  struct Book {
    int x, width, height;
    QColor colour;
    const char* label;
  };
  const Book books[] = {{12, 20, 62, QColor(60, 90, 140), "DLZ"},
                        {34, 16, 54, QColor(150, 60, 50), ""},
                        {52, 20, 66, QColor(70, 120, 70), "MTB"}};
  QFont f = p.font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  for (const Book& b : books) {
    const QRect spine(b.x, 80 - b.height, b.width, b.height);
    p.setPen(QPen(b.colour.darker(150), 1));
    p.setBrush(b.colour);
    p.drawRoundedRect(spine, 2, 2);
    p.setPen(QColor(235, 220, 170));
    p.drawLine(spine.left() + 3, spine.top() + 6, spine.right() - 3, spine.top() + 6);
    p.drawLine(spine.left() + 3, spine.bottom() - 6, spine.right() - 3, spine.bottom() - 6);
    if (*b.label) {
      p.save();
      p.translate(spine.center());
      p.rotate(-90);
      p.drawText(QRect(-b.height / 2, -b.width / 2, b.height, b.width), Qt::AlignCenter,
                 QString::fromLatin1(b.label));
      p.restore();
    }
  }
  // A book leaning on the others.
  p.save();
  p.translate(76, 80);
  p.rotate(-18);
  p.setPen(QPen(QColor(140, 110, 40).darker(150), 1));
  p.setBrush(QColor(190, 150, 60));
  p.drawRoundedRect(QRect(-14, -56, 14, 56), 2, 2);
  p.restore();
  return pm;
}

}  // namespace

LibraryManager::LibraryManager(ui::EditorHost* host, DictionaryContext* context, QWidget* parent)
    : QDialog(parent), host_(host), context_(context) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(QStringLiteral("Настройка библиотек DLZ и MetaBinds"));
  setModal(true);
  // A dialog frame with a close button only. The dictionary's tool windows stay on top; the
  // manager, modal, must not open beneath them.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, QColor(216, 208, 200));
  setPalette(background);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setHorizontalSpacing(10);

  auto* buttons = new QVBoxLayout;
  addButton_ = new QPushButton(QStringLiteral("Добавить"), this);
  addButton_->setObjectName(QStringLiteral("Button1"));
  removeButton_ = new QPushButton(QStringLiteral("Удалить"), this);
  removeButton_->setObjectName(QStringLiteral("Button2"));
  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setPixmap(shelfPicture());
  picture_->setAlignment(Qt::AlignCenter);
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("Button3"));
  okButton_->setDefault(true);
  buttons->addWidget(addButton_);
  buttons->addWidget(removeButton_);
  buttons->addSpacing(8);
  buttons->addWidget(picture_);
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  grid->addLayout(buttons, 0, 0, 2, 1);

  librariesLabel_ = new QLabel(QStringLiteral("Библиотеки DLZ"), this);
  librariesLabel_->setObjectName(QStringLiteral("Label1"));
  metaBindsLabel_ = new QLabel(QStringLiteral("MetaBinds (MTB)"), this);
  metaBindsLabel_->setObjectName(QStringLiteral("Label2"));
  libraryList_ = new ui::ChoiceListBox(this);
  libraryList_->setObjectName(QStringLiteral("ListBox1"));
  metaBindList_ = new ui::ChoiceListBox(this);
  metaBindList_->setObjectName(QStringLiteral("ListBox2"));
  grid->addWidget(librariesLabel_, 0, 1);
  grid->addWidget(metaBindsLabel_, 0, 2);
  grid->addWidget(libraryList_, 1, 1);
  grid->addWidget(metaBindList_, 1, 2);
  grid->setRowStretch(1, 1);

  setFixedSize(470, 300);

  // At most one entry of the two lists is selected.
  connect(libraryList_, &QListWidget::itemSelectionChanged, this, [this] {
    if (libraryList_->selectedRow() >= 0) metaBindList_->selectRow(-1);
  });
  connect(metaBindList_, &QListWidget::itemSelectionChanged, this, [this] {
    if (metaBindList_->selectedRow() >= 0) libraryList_->selectRow(-1);
  });
  connect(addButton_, &QPushButton::clicked, this, &LibraryManager::addLibrary);
  connect(removeButton_, &QPushButton::clicked, this, &LibraryManager::removeSelected);
  connect(okButton_, &QPushButton::clicked, this, &LibraryManager::confirm);

  if (context_) context_->libraryManager = this;
}

void LibraryManager::run(bool refreshOnly) {
  for (const auto& name : librariesToAdd(host_->programDir(), entriesOf(libraryList_))) {
    libraryList_->addSorted(ui::fromUtf8(name));
    if (context_ && context_->dictionaryWindow) context_->dictionaryWindow->addLibrary(name);
  }
  if (!refreshOnly) exec();
}

void LibraryManager::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  listNewMetaBinds();
}

void LibraryManager::listNewMetaBinds() {
  for (const auto& file : metaBindsToAdd(host_->programDir(), entriesOf(metaBindList_)))
    metaBindList_->addSorted(ui::fromUtf8(file));
}

void LibraryManager::addLibrary() {
  ui::FileDialogRequest request;
  request.title = QStringLiteral("Добавить");
  request.filter = kAddFilter;
  request.filterIndex = 1;
  request.mustExist = true;
  const ui::FileDialogResult chosen = ui::runFileDialog(this, request);
  if (!chosen.accepted) return;

  const AddPlan plan = planAdd(host_->programDir(), ui::toUtf8(chosen.path), chosen.filterIndex);
  // Only a file that is in place gets listed: a refused or failed copy is reported instead.
  const AddResult added = performAdd(plan);
  if (!added.ok) {
    ui::showError(this, ui::fromUtf8(added.error));
    return;
  }
  ui::ChoiceListBox* list = plan.kind == LibraryKind::ValueLibrary ? libraryList_ : metaBindList_;
  list->addSorted(ui::fromUtf8(plan.listEntry));
}

void LibraryManager::removeSelected() {
  const std::string dir = host_->programDir();
  ui::ChoiceListBox* list = nullptr;
  RemoveResult removed;
  if (const auto name = libraryList_->selectedText()) {
    list = libraryList_;
    removed = removeValueLibrary(dir, ui::toUtf8(*name));
  } else if (const auto file = metaBindList_->selectedText()) {
    list = metaBindList_;
    removed = removeMetaBind(dir, ui::toUtf8(*file));
  } else {
    return;
  }
  if (!removed.removeEntry) {
    ui::showError(this, ui::fromUtf8(removed.error));
    return;
  }
  removeRow(list, list->selectedRow());
}

void LibraryManager::confirm() { accept(); }

void LibraryManager::done(int result) {
  copyListToDictionary();
  QDialog::done(result);
}

void LibraryManager::copyListToDictionary() {
  if (context_ && context_->dictionaryWindow)
    context_->dictionaryWindow->setLibraries(entriesOf(libraryList_));
}

LibraryManager::~LibraryManager() {
  // The lists go after this destructor; their last selection signals must not reach it.
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

}  // namespace brindle::dictionary
