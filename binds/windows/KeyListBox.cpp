#include "binds/windows/KeyListBox.h"

#include <QScrollBar>

#include "binds/logic/KeyNames.h"
#include "ui/Codec.h"

namespace brindle::binds {

KeyListBox::KeyListBox(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // The bar is always there, so the number of rows does not change when it appears.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fillKeys();
}

void KeyListBox::fillKeys() {
  clear();
  for (const auto name : kKeyNames) addItem(ui::toQ(name));
  setCurrentRow(-1);
  clearSelection();
  horizontalScrollBar()->setValue(0);
}

QString KeyListBox::selectedKey() const {
  const auto items = selectedItems();
  return items.isEmpty() ? QString() : items.front()->text();
}

void KeyListBox::chooseKey(const QString& key) {
  fillKeys();
  QListWidgetItem* found = nullptr;
  for (int i = 0; i < count() && found == nullptr; ++i)
    if (item(i)->text() == key) found = item(i);
  for (int i = 0; i < count() && found == nullptr; ++i)
    if (item(i)->text().compare(key, Qt::CaseInsensitive) == 0) found = item(i);
  if (found == nullptr) {
    addItem(key);
    found = item(count() - 1);
  }
  setCurrentItem(found);
  found->setSelected(true);
  scrollToItem(found);
}

void KeyListBox::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  updateColumns();
}

void KeyListBox::updateColumns() {
  const int width = qMax(1, viewport()->width() / 2);
  const int height = fontMetrics().height() + 2;
  if (gridSize() != QSize(width, height)) setGridSize(QSize(width, height));
}

}  // namespace brindle::binds
