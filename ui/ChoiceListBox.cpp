#include "ui/ChoiceListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace brindle::ui {

ChoiceListBox::ChoiceListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
}

int ChoiceListBox::selectedRow() const {
  const auto items = selectedItems();
  return items.isEmpty() ? -1 : row(items.first());
}

std::optional<QString> ChoiceListBox::selectedText() const {
  const auto items = selectedItems();
  if (items.isEmpty()) return std::nullopt;
  return items.first()->text();
}

void ChoiceListBox::selectRow(int r) {
  const QSignalBlocker quiet(this);
  if (r < 0 || r >= count()) {
    clearSelection();
    setCurrentRow(-1);
    return;
  }
  setCurrentRow(r, QItemSelectionModel::ClearAndSelect);
}

QStringList ChoiceListBox::texts() const {
  QStringList out;
  out.reserve(count());
  for (int i = 0; i < count(); ++i) out.push_back(item(i)->text());
  return out;
}

int ChoiceListBox::addSorted(const QString& text) {
  auto before = [](const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
  };
  int r = 0;
  while (r < count() && before(item(r)->text(), text)) ++r;
  if (r < count() && item(r)->text() == text) return r;
  insertItem(r, text);
  return r;
}

void ChoiceListBox::mousePressEvent(QMouseEvent* event) {
  pressedOnItem_ = itemAt(event->position().toPoint()) != nullptr;
  QListWidget::mousePressEvent(event);
}

void ChoiceListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const bool second = doubleClick_;
  doubleClick_ = false;
  if (second || !pressedOnItem_ || event->button() != Qt::LeftButton) return;
  pressedOnItem_ = false;
  if (itemAt(event->position().toPoint()) && selectedRow() >= 0) Q_EMIT userClicked();
}

void ChoiceListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  doubleClick_ = true;
  pressedOnItem_ = false;
  if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()) &&
      selectedRow() >= 0)
    Q_EMIT userDoubleClicked();
}

void ChoiceListBox::keyPressEvent(QKeyEvent* event) {
  const int before = selectedRow();
  QListWidget::keyPressEvent(event);
  const int after = selectedRow();
  if (after >= 0 && after != before) Q_EMIT userClicked();
}

}  // namespace brindle::ui
