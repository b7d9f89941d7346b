#include "binds/windows/MetaBindWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "binds/logic/Metabind.h"
#include "binds/windows/KeyDialog.h"
#include "ui/ChoiceListBox.h"
#include "ui/CfgEdit.h"
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

  Label1 = new QLabel(QStringLiteral("Выберите нужный MetaBind:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  lx_MeB = new ui::ChoiceListBox(this);
  lx_MeB->setObjectName(QStringLiteral("lx_MeB"));
  lx_MeB->setTextElideMode(Qt::ElideNone);
  lx_MeB->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Label2 = new QLabel(QStringLiteral("Кнопки для назначения"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  lx_bind = new ui::ChoiceListBox(this);
  lx_bind->setObjectName(QStringLiteral("lx_bind"));
  Label1->setBuddy(lx_MeB);
  Label2->setBuddy(lx_bind);

  sb_bind = new QPushButton(kBind, this);
  sb_bind->setObjectName(QStringLiteral("sb_bind"));
  sb_bind->setFlat(true);
  sb_bind->setFont(boldPixels(font(), 19));
  {
    QPalette p = sb_bind->palette();
    p.setColor(QPalette::Active, QPalette::ButtonText, QColor(128, 0, 0));
    p.setColor(QPalette::Inactive, QPalette::ButtonText, QColor(128, 0, 0));
    sb_bind->setPalette(p);
  }
  sb_bind->setMinimumSize(130, 40);
  sb_bind->setEnabled(false);
  sb_bind->setAutoDefault(false);

  Button1 = new QPushButton(QStringLiteral("Выход"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setFont(boldPixels(font(), 19));
  Button1->setMinimumSize(130, 40);
  Button1->setAutoDefault(false);

  red_bind = new ui::CfgEdit(this);
  red_bind->setObjectName(QStringLiteral("red_bind"));
  red_bind->setReadOnly(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(lx_MeB, 1, 0, 2, 1);
  grid->addWidget(Label2, 0, 1);
  grid->addWidget(lx_bind, 1, 1, 2, 1);
  grid->addWidget(sb_bind, 1, 2, Qt::AlignTop);
  grid->addWidget(Button1, 2, 2, Qt::AlignBottom);
  // Room for the longest names of the shipped MetaBinds; longer ones scroll sideways.
  grid->setColumnStretch(0, 5);
  grid->setColumnStretch(1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid, 2);
  layout->addWidget(red_bind, 3);
  setFixedSize(780, 480);

  connect(lx_MeB, &ui::ChoiceListBox::userClicked, this,
          [this] { lx_MeBClick(lx_MeB->selectedRow()); });
  connect(lx_bind, &ui::ChoiceListBox::userClicked, this, &MetaBindWindow::lx_bindClick);
  connect(sb_bind, &QPushButton::clicked, this, &MetaBindWindow::sb_bindClick);
  connect(Button1, &QPushButton::clicked, this, &MetaBindWindow::leave);

  if (binds_) binds_->attachSlotList(lx_bind, sb_bind);
}

void MetaBindWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) listMetaBinds();
}

void MetaBindWindow::listMetaBinds() {
  lx_MeB->clear();
  paths_.clear();
  for (auto& entry : listMetabinds(host_->programDir())) {
    lx_MeB->addItem(ui::toQ(entry.name));
    paths_.push_back(std::move(entry.path));
  }
}

void MetaBindWindow::resetBindButton() {
  sb_bind->setEnabled(false);
  sb_bind->setText(kBind);
}

void MetaBindWindow::lx_MeBClick(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= paths_.size()) return;
  lx_bind->clear();
  resetBindButton();
  const Metabind m = loadMetabind(paths_[static_cast<std::size_t>(index)]);
  if (!m.ok) ui::showError(this, ui::fromUtf8(m.error));
  for (int n = 1; n <= m.slots; ++n)
    lx_bind->addItem(QStringLiteral("Кнопка ") + ui::toQ(placeholder(n)));
  red_bind->loadText(m.script);  // the caret goes to the start
  lx_MeB->setFocus(Qt::OtherFocusReason);
}

void MetaBindWindow::lx_bindClick() {
  const auto text = lx_bind->selectedText();
  if (text && !text->isEmpty()) sb_bind->setEnabled(true);
}

void MetaBindWindow::sb_bindClick() {
  if (sb_bind->text() == kInsert) {
    insertMetabind();
    return;
  }
  const int slot = lx_bind->selectedRow();
  if (slot < 0 || !binds_) return;
  binds_->setSlotNumber(slot + 1);
  binds_->exec();
}

void MetaBindWindow::insertMetabind() {
  std::vector<std::string> keys;
  for (int i = 0; i < lx_bind->count(); ++i) keys.push_back(ui::fromQ(lx_bind->item(i)->text()));
  const std::string script = fillPlaceholders(red_bind->getText(), keys);
  red_bind->loadText(script);
  lx_bind->clear();
  resetBindButton();

  core::TextBuffer& target = target_ ? *target_ : *host_->memo();
  target.setText(target.getText() + "\r\n" + script);
}

void MetaBindWindow::leave() {
  lx_MeB->clear();
  paths_.clear();
  lx_bind->clear();
  red_bind->loadText({});
  // An insert button left standing would insert an empty preview at the next showing.
  resetBindButton();
  accept();
  ui::CfgEdit* memo = host_->memo();
  memo->setSelStart(memo->textLength());
}

}  // namespace brindle::binds
