#include "maps/windows/MapCycleWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "ui/Codec.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

// Resources of a static library are linked only when something names them; registered once.
static void initMapCycleGlyphs() { Q_INIT_RESOURCE(map_cycle_glyphs); }
static void initMapCycleGlyphsOnce() {
  static const bool registered = (initMapCycleGlyphs(), true);
  (void)registered;
}

namespace brindle::maps {
namespace {

// The window's image list: 0 arrow down, 1 arrow up, 2 plus, 3 minus.
enum Glyph { kArrowDown, kArrowUp, kPlus, kMinus };
const std::array<const char*, 4> kGlyphFiles = {
    ":/maps/glyphs/arrow-down.svg", ":/maps/glyphs/arrow-up.svg", ":/maps/glyphs/plus.svg",
    ":/maps/glyphs/minus.svg"};

QToolButton* flatButton(QWidget* parent, const char* objectName, Glyph glyph, const QString& hint) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(objectName));
  b->setAutoRaise(true);
  b->setIcon(QIcon(QString::fromLatin1(kGlyphFiles[glyph])));
  b->setIconSize(QSize(16, 16));
  b->setFixedSize(24, 24);
  b->setToolTip(hint);
  b->setFocusPolicy(Qt::NoFocus);  // the lists keep the keyboard
  return b;
}

QLabel* caption(QWidget* parent, const char* objectName, const QString& text, QWidget* buddy) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(objectName));
  l->setBuddy(buddy);
  return l;
}

// A message of the logic library (UTF-8).
QString message(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The row of the selected item, -1 when no item is selected (the current row of a list is not
// necessarily selected).
int selectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> items = list->selectedItems();
  return items.isEmpty() ? -1 : list->row(items.front());
}

}  // namespace

MapCycleWindow::MapCycleWindow(QWidget* parent) : QDialog(parent) {
  initMapCycleGlyphsOnce();
  setObjectName(QStringLiteral("Tmaps"));
  setWindowTitle(QStringLiteral("Настройка смены карт (mapcycle.txt)"));
  setModal(true);
  // A fixed dialog frame with a close button only, above the dictionary's tool windows, which
  // stay on top.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);

  cycleList_ = new QListWidget(this);
  cycleList_->setObjectName(QStringLiteral("LB1"));
  allMaps_ = new QListWidget(this);
  allMaps_->setObjectName(QStringLiteral("LB2"));
  for (QListWidget* list : {cycleList_, allMaps_}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFixedSize(230, 230);
    list->installEventFilter(this);
  }
  description_ = new QPlainTextEdit(this);
  description_->setObjectName(QStringLiteral("Ric1"));
  description_->setReadOnly(true);
  description_->setLineWrapMode(QPlainTextEdit::NoWrap);
  description_->setFixedHeight(150);

  addButton_ = flatButton(this, "Spee1", kPlus, QStringLiteral("Добавить карту в список смены"));
  removeButton_ = flatButton(this, "Spee2", kMinus, QStringLiteral("Убрать карту из списка смены"));
  upButton_ = flatButton(this, "Spee3", kArrowUp, QStringLiteral("Переместить карту выше"));
  downButton_ = flatButton(this, "Spee4", kArrowDown, QStringLiteral("Переместить карту ниже"));

  applyButton_ = new QPushButton(QStringLiteral("Применить"), this);
  applyButton_->setObjectName(QStringLiteral("Button8"));
  cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton_->setObjectName(QStringLiteral("Button1"));
  // No default button: Enter in the all-maps list adds a map and must not close the window.
  for (QPushButton* b : {applyButton_, cancelButton_}) {
    b->setAutoDefault(false);
    b->setMinimumWidth(90);
  }

  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->setSpacing(2);
  buttonColumn->addStretch();
  for (QToolButton* b : {addButton_, removeButton_, upButton_, downButton_})
    buttonColumn->addWidget(b);
  buttonColumn->addStretch();

  auto* lists = new QGridLayout;
  lists->setHorizontalSpacing(4);
  lists->setVerticalSpacing(2);
  lists->addWidget(
      caption(this, "Label1", QStringLiteral("Список выбранных вами карт:"), cycleList_), 0, 0);
  lists->addWidget(caption(this, "Label2", QStringLiteral("Список всех карт:"), allMaps_), 0, 2);
  lists->addWidget(cycleList_, 1, 0);
  lists->addLayout(buttonColumn, 1, 1);
  lists->addWidget(allMaps_, 1, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(applyButton_);
  buttons->addWidget(cancelButton_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(4);
  layout->addLayout(lists);
  layout->addSpacing(4);
  layout->addWidget(caption(this, "Label3", QStringLiteral("Описание карты:"), description_));
  layout->addWidget(description_);
  layout->addSpacing(4);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(addButton_, &QToolButton::clicked, this, &MapCycleWindow::addSelectedMap);
  connect(removeButton_, &QToolButton::clicked, this, &MapCycleWindow::removeSelectedEntry);
  connect(upButton_, &QToolButton::clicked, this, &MapCycleWindow::moveSelectedUp);
  connect(downButton_, &QToolButton::clicked, this, &MapCycleWindow::moveSelectedDown);
  connect(applyButton_, &QPushButton::clicked, this, &MapCycleWindow::apply);
  connect(cancelButton_, &QPushButton::clicked, this, &MapCycleWindow::reject);

  connect(allMaps_, &QListWidget::itemDoubleClicked, this, &MapCycleWindow::addSelectedMap);
  connect(cycleList_, &QListWidget::itemDoubleClicked, this, &MapCycleWindow::removeSelectedEntry);
  // A click shows the clicked map's description, and so does choosing it with the keyboard.
  connect(cycleList_, &QListWidget::itemSelectionChanged, this, [this] {
    cycle_.select(selectedRow(cycleList_));
    showDescriptionOf(cycleList_);
  });
  connect(allMaps_, &QListWidget::itemSelectionChanged, this,
          [this] { showDescriptionOf(allMaps_); });
  connect(cycleList_, &QListWidget::itemClicked, this, [this] { showDescriptionOf(cycleList_); });
  connect(allMaps_, &QListWidget::itemClicked, this, [this] { showDescriptionOf(allMaps_); });
}

void MapCycleWindow::setProgramDirectory(const QString& directory) {
  programDir_ = ui::toUtf8(directory);
}

int MapCycleWindow::execFor(const QString& gameDirectory) {
  if (!load(gameDirectory)) return QDialog::Rejected;
  return exec();
}

bool MapCycleWindow::load(const QString& gameDirectory) {
  gameDir_ = ui::toUtf8(gameDirectory);
  inProgramDir_ = !programDir_.empty() && sameDirectory(gameDir_, programDir_);
  description_->clear();
  described_ = Described::Nothing;
  allMaps_->clear();
  maps_.clear();
  cycle_ = MapCycle();
  showCycle();

  const CycleFile file = inProgramDir_ ? readMapCycle(gameDir_) : openMapCycle(gameDir_);
  if (!file.ok) {
    // The window is not shown, so the message stands over the window that opened it.
    ui::showError(isVisible() || !parentWidget() ? this : parentWidget(),
                  message(openFailureMessage(file)));
    return false;
  }
  maps_ = listMaps(gameDir_);
  for (const std::string& map : maps_) allMaps_->addItem(ui::toQ(map));
  cycle_ = MapCycle(file.entries);
  showCycle();
  return true;
}

void MapCycleWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  cycleList_->setFocus(Qt::OtherFocusReason);
}

void MapCycleWindow::refuse(Refusal refusal) {
  if (refusal != Refusal::None) ui::showPlain(this, message(refusalMessage(refusal)));
}

void MapCycleWindow::addSelectedMap() {
  const int row = selectedRow(allMaps_);
  std::optional<std::string> map;
  if (row >= 0 && row < static_cast<int>(maps_.size())) map = maps_[static_cast<std::size_t>(row)];
  const Refusal r = cycle_.add(map);
  refuse(r);
  if (r != Refusal::None) return;
  showCycle();
  cycleList_->scrollToItem(cycleList_->item(cycleList_->count() - 1));
}

void MapCycleWindow::removeSelectedEntry() {
  const Refusal r = cycle_.removeSelected();
  refuse(r);
  // The box would go on describing a map that is no longer in the cycle.
  if (r == Refusal::None && described_ == Described::CycleEntry) {
    description_->clear();
    described_ = Described::Nothing;
  }
  showCycle();
}

void MapCycleWindow::moveSelectedUp() {
  refuse(cycle_.moveSelectedUp());
  showCycle();
}

void MapCycleWindow::moveSelectedDown() {
  refuse(cycle_.moveSelectedDown());
  showCycle();
}

void MapCycleWindow::apply() {
  if (inProgramDir_) {
    ui::showError(this, message(kNoGameDirectoryText));
    return;
  }
  const core::WriteResult written = saveMapCycle(gameDir_, cycle_.entries());
  if (!written.ok) {
    // The old file is whole (the write is atomic); the cycle stays here to retry or cancel.
    ui::showError(this, ui::fromUtf8(written.error));
    return;
  }
  accept();
}

void MapCycleWindow::done(int result) {
  description_->clear();
  described_ = Described::Nothing;
  QDialog::done(result);
}

void MapCycleWindow::showCycle() {
  const QSignalBlocker blocker(cycleList_);
  const auto& entries = cycle_.entries();
  const int count = static_cast<int>(entries.size());
  while (cycleList_->count() > count) delete cycleList_->takeItem(cycleList_->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString text = ui::toQ(entries[static_cast<std::size_t>(i)]);
    if (i < cycleList_->count()) {
      if (cycleList_->item(i)->text() != text) cycleList_->item(i)->setText(text);
    } else {
      cycleList_->addItem(text);
    }
  }
  if (cycle_.selected() >= 0) {
    cycleList_->setCurrentRow(cycle_.selected(), QItemSelectionModel::ClearAndSelect);
    cycleList_->scrollToItem(cycleList_->currentItem());
  } else {
    cycleList_->clearSelection();
  }
}

void MapCycleWindow::showDescriptionOf(const QListWidget* list) {
  const int row = selectedRow(list);
  if (row < 0) return;
  if (list == allMaps_) {
    if (row >= static_cast<int>(maps_.size())) return;
    showDescription(maps_[static_cast<std::size_t>(row)]);
    described_ = Described::AllMapsEntry;
  } else if (row < cycle_.size()) {
    showDescription(cycle_.entries()[static_cast<std::size_t>(row)]);
    described_ = Described::CycleEntry;
  }
}

void MapCycleWindow::showDescription(const std::string& map) {
  const std::optional<std::string> text = readDescription(gameDir_, map);
  if (!text) {
    description_->setPlainText(message(kNoDescriptionText));
    return;
  }
  // The break that ends the last line opens no empty line of its own.
  QString shown = ui::toQ(*text);
  if (shown.endsWith(u'\n')) shown.chop(1);
  if (shown.endsWith(u'\r')) shown.chop(1);
  description_->setPlainText(shown);
}

bool MapCycleWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (watched == allMaps_ && plain &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      addSelectedMap();
      return true;
    }
    if (watched == cycleList_ && plain && key->key() == Qt::Key_Backspace) {
      removeSelectedEntry();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace brindle::maps
