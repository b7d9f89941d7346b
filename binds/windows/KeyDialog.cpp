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

  keyList_ = new KeyListBox(this);
  keyList_->setObjectName(QStringLiteral("ListBox1"));
  cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancelButton_->setObjectName(QStringLiteral("Button2"));
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("Button1"));
  for (QPushButton* b : {okButton_, cancelButton_}) b->setMinimumWidth(90);
  // Enter in the list means the key is chosen, never "Отмена".
  okButton_->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton_);
  buttons->addWidget(okButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(keyList_, 1);
  layout->addLayout(buttons);
  setFixedSize(300, 380);

  connect(okButton_, &QPushButton::clicked, this, &KeyDialog::confirm);
  connect(cancelButton_, &QPushButton::clicked, this, &KeyDialog::cancel);
}

void KeyDialog::attachSlotList(QListWidget* slotList, QAbstractButton* bindButton) {
  slotList_ = slotList;
  bindButton_ = bindButton;
}

QString KeyDialog::chosenKey() const { return keyList_->selectedKey(); }

void KeyDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepare();
}

void KeyDialog::prepare() {
  keyList_->fillKeys();
  keyList_->setFocus(Qt::OtherFocusReason);
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
