#include "binds/windows/KeyDialog.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "binds/windows/KeyListBox.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

namespace brindle::binds {

KeyDialog::KeyDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tbinds"));
  setWindowTitle(QStringLiteral("Выбор клавиши"));
  setModal(true);
  // A dialog frame with a close button only, above the dictionary's tool windows, which stay
  // on top, like the window that opens it.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);

  ListBox1 = new KeyListBox(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  Button2 = new QPushButton(QStringLiteral("Отмена"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  for (QPushButton* b : {Button1, Button2}) b->setMinimumWidth(90);
  // Enter in the list means the key is chosen, never "Отмена".
  Button1->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button2);
  buttons->addWidget(Button1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox1, 1);
  layout->addLayout(buttons);
  setFixedSize(300, 380);

  connect(Button1, &QPushButton::clicked, this, &KeyDialog::confirm);
  connect(Button2, &QPushButton::clicked, this, &KeyDialog::cancel);
}

void KeyDialog::attachSlotList(QListWidget* slotList, QAbstractButton* bindButton) {
  slotList_ = slotList;
  bindButton_ = bindButton;
}

QString KeyDialog::chosenKey() const { return ListBox1->selectedKey(); }

void KeyDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepare();
}

void KeyDialog::prepare() {
  ListBox1->fillKeys();
  ListBox1->setFocus(Qt::OtherFocusReason);
}

void KeyDialog::confirm() {
  const QString key = chosenKey();
  if (key.isEmpty()) {
    ui::showPlain(this, QStringLiteral("Для продолжения выберите клавишу!"));
    return;
  }
  if (slotNumber_ >= 1) {
    // MetaBind mode: the key goes into its slot; once no slot still shows "Кнопка <<n>>", the
    // BIND button offers the insertion.
    if (slotList_) {
      if (QListWidgetItem* slot = slotList_->item(slotNumber_ - 1)) slot->setText(key);
      bool unassigned = false;
      for (int i = 0; i < slotList_->count(); ++i)
        unassigned = unassigned || slotList_->item(i)->text().startsWith(QStringLiteral("К"));
      if (!unassigned && bindButton_) bindButton_->setText(QStringLiteral("Вставить"));
    }
    keyAccepted_ = true;
    accept();
    return;
  }
  // Wizard mode.
  if (keyChoiceCheck && !keyChoiceCheck(ui::fromQ(key))) {
    keyAccepted_ = false;
    return;
  }
  keyAccepted_ = true;
  accept();
}

void KeyDialog::cancel() { reject(); }

void KeyDialog::done(int result) {
  // A slot number left standing would make the wizard's next use fill a MetaBind slot.
  slotNumber_ = 0;
  if (result == QDialog::Rejected) keyAccepted_ = false;
  QDialog::done(result);
}

}  // namespace brindle::binds
