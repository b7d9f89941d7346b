#include "binds/windows/MetaBindWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "binds/logic/Metabind.h"
#include "binds/windows/KeyDialog.h"
#include "ui/CfgEdit.h"
#include "ui/ChoiceListBox.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

namespace brindle::binds {
namespace {

const QString kBind = QStringLiteral("BIND");
const QString kInsert = QStringLiteral("Вставить");

QFont boldPixels(const QFont& base, int pixels) {
  QFont f = base;
  f.setBold(true);
  f.setPixelSize(pixels);
  return f;
}

}  // namespace

MetaBindWindow::MetaBindWindow(ui::EditorHost* host, KeyDialog* binds, QWidget* parent)
    : QDialog(parent), host_(host), binds_(binds) {
  setObjectName(QStringLiteral("TMetab"));
  setWindowTitle(QStringLiteral("Вставка МетаБиндов (MetaBinds)"));
  setModal(true);
  // A dialog frame with a close button only. The dictionary's tool windows stay on top; a modal
  // window beneath them would have its list and its buttons covered.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);

  listLabel_ = new QLabel(QStringLiteral("Выберите нужный MetaBind:"), this);
  listLabel_->setObjectName(QStringLiteral("Label1"));
  metaBindList_ = new ui::ChoiceListBox(this);
  metaBindList_->setObjectName(QStringLiteral("lx_MeB"));
  metaBindList_->setTextElideMode(Qt::ElideNone);
  metaBindList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  slotsLabel_ = new QLabel(QStringLiteral("Кнопки для назначения"), this);
  slotsLabel_->setObjectName(QStringLiteral("Label2"));
  slotList_ = new ui::ChoiceListBox(this);
  slotList_->setObjectName(QStringLiteral("lx_bind"));
  listLabel_->setBuddy(metaBindList_);
  slotsLabel_->setBuddy(slotList_);

  bindButton_ = new QPushButton(kBind, this);
  bindButton_->setObjectName(QStringLiteral("sb_bind"));
  bindButton_->setFlat(true);
  bindButton_->setFont(boldPixels(font(), 19));
  {
    QPalette p = bindButton_->palette();
    p.setColor(QPalette::Active, QPalette::ButtonText, QColor(128, 0, 0));
    p.setColor(QPalette::Inactive, QPalette::ButtonText, QColor(128, 0, 0));
    bindButton_->setPalette(p);
  }
  bindButton_->setMinimumSize(130, 40);
  bindButton_->setEnabled(false);
  bindButton_->setAutoDefault(false);

  exitButton_ = new QPushButton(QStringLiteral("Выход"), this);
  exitButton_->setObjectName(QStringLiteral("Button1"));
  exitButton_->setFont(boldPixels(font(), 19));
  exitButton_->setMinimumSize(130, 40);
  exitButton_->setAutoDefault(false);

  preview_ = new ui::CfgEdit(this);
  preview_->setObjectName(QStringLiteral("red_bind"));
  preview_->setReadOnly(true);

  auto* grid = new QGridLayout;
  grid->addWidget(listLabel_, 0, 0);
  grid->addWidget(metaBindList_, 1, 0, 2, 1);
  grid->addWidget(slotsLabel_, 0, 1);
  grid->addWidget(slotList_, 1, 1, 2, 1);
  grid->addWidget(bindButton_, 1, 2, Qt::AlignTop);
  grid->addWidget(exitButton_, 2, 2, Qt::AlignBottom);
  // Room for the longest names of the shipped MetaBinds; longer ones scroll sideways.
  grid->setColumnStretch(0, 5);
  grid->setColumnStretch(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 2);
  layout->addWidget(preview_, 3);
  setFixedSize(780, 480);

  connect(metaBindList_, &ui::ChoiceListBox::userClicked, this,
          [this] { showMetaBind(metaBindList_->selectedRow()); });
  connect(slotList_, &ui::ChoiceListBox::userClicked, this, &MetaBindWindow::slotChosen);
  connect(bindButton_, &QPushButton::clicked, this, &MetaBindWindow::bindOrInsert);
  connect(exitButton_, &QPushButton::clicked, this, &MetaBindWindow::leave);

  if (binds_) binds_->attachSlotList(slotList_, bindButton_);
}

void MetaBindWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) listMetaBinds();
}

void MetaBindWindow::listMetaBinds() {
  metaBindList_->clear();
  paths_.clear();
  for (auto& entry : listMetabinds(host_->programDir())) {
    metaBindList_->addItem(ui::toQ(entry.name));
    paths_.push_back(std::move(entry.path));
  }
}

void MetaBindWindow::resetBindButton() {
  bindButton_->setEnabled(false);
  bindButton_->setText(kBind);
}

void MetaBindWindow::showMetaBind(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= paths_.size()) return;
  slotList_->clear();
  resetBindButton();
  const Metabind m = loadMetabind(paths_[static_cast<std::size_t>(index)]);
  if (!m.ok) ui::showError(this, ui::fromUtf8(m.error));
  for (int n = 1; n <= m.slots; ++n)
    slotList_->addItem(QStringLiteral("Кнопка ") + ui::toQ(placeholder(n)));
  preview_->loadText(m.script);  // the caret goes to the start
  metaBindList_->setFocus(Qt::OtherFocusReason);
}

void MetaBindWindow::slotChosen() {
  const auto text = slotList_->selectedText();
  if (text && !text->isEmpty()) bindButton_->setEnabled(true);
}

void MetaBindWindow::bindOrInsert() {
  if (bindButton_->text() == kInsert) {
    insertMetabind();
    return;
  }
  const int slot = slotList_->selectedRow();
  if (slot < 0 || !binds_) return;
  binds_->setSlotNumber(slot + 1);
  binds_->exec();
}

void MetaBindWindow::insertMetabind() {
  std::vector<std::string> keys;
  for (int i = 0; i < slotList_->count(); ++i)
    keys.push_back(ui::fromQ(slotList_->item(i)->text()));
  const std::string script = fillPlaceholders(preview_->getText(), keys);
  preview_->loadText(script);
  slotList_->clear();
  resetBindButton();

  core::TextBuffer& target = target_ ? *target_ : *host_->memo();
  target.setText(target.getText() + "\r\n" + script);
}

void MetaBindWindow::leave() {
  metaBindList_->clear();
  paths_.clear();
  slotList_->clear();
  preview_->loadText({});
  // An insert button left standing would insert an empty preview at the next showing.
  resetBindButton();
  accept();
  ui::CfgEdit* memo = host_->memo();
  memo->setSelStart(memo->textLength());
}

}  // namespace brindle::binds
