#include "binds/windows/BindDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "binds/windows/KeyListBox.h"
#include "ui/Codec.h"
#include "ui/EditorHost.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"

namespace brindle::binds {
namespace {

QPushButton* makeButton(const QString& name, const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setMinimumWidth(90);
  return b;
}

QComboBox* makeNameBox(const QString& name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  // The lists grow by the dialog's own rule, not by Enter in the box.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxVisibleItems(15);
  return box;
}

QHBoxLayout* buttonRow(QPushButton* ok, QPushButton* cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

// Adds `text` at the end of the box's list unless it is empty or listed already (with case).
void remember(QComboBox* box, const QString& text) {
  if (text.isEmpty()) return;
  for (int i = 0; i < box->count(); ++i)
    if (box->itemText(i) == text) return;
  box->addItem(text);
}

}  // namespace

BindDialog::BindDialog(ui::EditorHost* host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName(QStringLiteral("Tsetbal"));
  setModal(false);
  // A dialog frame with a close button only. Opened from the dictionary window, which stays on
  // top: without the on-top layer the dialog would come up beneath it, its list and buttons
  // hidden.
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close, Qt::WindowStaysOnTopHint);

  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("pg2"));

  // setinfo
  setinfoPage_ = new QWidget(pages_);
  setinfoPage_->setObjectName(QStringLiteral("tb1"));
  parameterLabel_ = new QLabel(QStringLiteral("Параметр:"), setinfoPage_);
  parameterLabel_->setObjectName(QStringLiteral("Label1"));
  parameterBox_ = makeNameBox(QStringLiteral("ComboBox3"), setinfoPage_);
  parameterBox_->addItems({QStringLiteral("lefthand"), QStringLiteral("vgui_menus"),
                           QStringLiteral("ghosts"), QStringLiteral("ah"), QStringLiteral("dm")});
  valueLabel_ = new QLabel(QStringLiteral("Значение:"), setinfoPage_);
  valueLabel_->setObjectName(QStringLiteral("Label2"));
  valueEdit_ = new QLineEdit(setinfoPage_);
  valueEdit_->setObjectName(QStringLiteral("Edi1"));
  setinfoOk_ = makeButton(QStringLiteral("Button1"), QStringLiteral("ОК"), setinfoPage_);
  setinfoCancel_ = makeButton(QStringLiteral("Button2"), QStringLiteral("Отмена"), setinfoPage_);
  parameterLabel_->setBuddy(parameterBox_);
  valueLabel_->setBuddy(valueEdit_);
  {
    auto* form = new QGridLayout;
    form->addWidget(parameterLabel_, 0, 0);
    form->addWidget(parameterBox_, 0, 1);
    form->addWidget(valueLabel_, 1, 0);
    form->addWidget(valueEdit_, 1, 1);
    form->setColumnStretch(1, 1);
    auto* page = new QVBoxLayout(setinfoPage_);
    page->addLayout(form);
    page->addStretch();
    page->addLayout(buttonRow(setinfoOk_, setinfoCancel_));
  }

  // bind
  bindPage_ = new QWidget(pages_);
  bindPage_->setObjectName(QStringLiteral("tb2"));
  keyList_ = new KeyListBox(bindPage_);
  keyList_->setObjectName(QStringLiteral("ListBox1"));
  bindOk_ = makeButton(QStringLiteral("Button3"), QStringLiteral("ОК"), bindPage_);
  bindCancel_ = makeButton(QStringLiteral("Button4"), QStringLiteral("Отмена"), bindPage_);
  {
    auto* page = new QVBoxLayout(bindPage_);
    page->addWidget(keyList_, 1);
    page->addLayout(buttonRow(bindOk_, bindCancel_));
  }

  // alias
  aliasPage_ = new QWidget(pages_);
  aliasPage_->setObjectName(QStringLiteral("tb3"));
  nameLabel_ = new QLabel(QStringLiteral("Имя команды:"), aliasPage_);
  nameLabel_->setObjectName(QStringLiteral("Label3"));
  nameBox_ = makeNameBox(QStringLiteral("ComboBox4"), aliasPage_);
  aliasOk_ = makeButton(QStringLiteral("Button5"), QStringLiteral("ОК"), aliasPage_);
  aliasCancel_ = makeButton(QStringLiteral("Button6"), QStringLiteral("Отмена"), aliasPage_);
  nameLabel_->setBuddy(nameBox_);
  {
    auto* row = new QHBoxLayout;
    row->addWidget(nameLabel_);
    row->addWidget(nameBox_, 1);
    auto* page = new QVBoxLayout(aliasPage_);
    page->addLayout(row);
    page->addStretch();
    page->addLayout(buttonRow(aliasOk_, aliasCancel_));
  }

  pages_->addWidget(setinfoPage_);
  pages_->addWidget(bindPage_);
  pages_->addWidget(aliasPage_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(pages_);

  connect(setinfoOk_, &QPushButton::clicked, this, &BindDialog::insertSetinfo);
  connect(valueEdit_, &QLineEdit::returnPressed, this, &BindDialog::insertSetinfo);
  connect(bindOk_, &QPushButton::clicked, this, &BindDialog::insertBind);
  connect(aliasOk_, &QPushButton::clicked, this, &BindDialog::insertAlias);
  // Enter in the name box is "ОК", as Enter in the setinfo value box is.
  connect(nameBox_->lineEdit(), &QLineEdit::returnPressed, this, &BindDialog::insertAlias);
  for (QPushButton* cancel : {setinfoCancel_, bindCancel_, aliasCancel_})
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  fitToPage();
}

void BindDialog::openPage(int page, const QString& caption) {
  setWindowTitle(caption);
  pages_->setCurrentIndex(qBound(0, page, pages_->count() - 1));
  fitToPage();
  show();
  raise();
  activateWindow();
  prepare();
}

void BindDialog::openKey(const QString& key) {
  openPage(BindPage, QStringLiteral("Bind - выберите клавишу для присвоения"));
  keyList_->chooseKey(key);
}

// Not sizeable; each page gets the height its controls need (the key list the most), all the
// width the longest caption ("Bind - выберите клавишу для присвоения") needs.
void BindDialog::fitToPage() {
  const int page = pages_->currentIndex();
  const int height = page == BindPage ? 380 : page == SetinfoPage ? 140 : 110;
  setFixedSize(400, height);
}

void BindDialog::prepare() {
  switch (pages_->currentIndex()) {
    case SetinfoPage:
      parameterBox_->setEditText(QString());
      parameterBox_->setFocus(Qt::OtherFocusReason);
      break;
    case BindPage:
      keyList_->setFocus(Qt::OtherFocusReason);
      break;
    case AliasPage:
      nameBox_->setEditText(QString());
      nameBox_->setFocus(Qt::OtherFocusReason);
      break;
  }
}

void BindDialog::insertSetinfo() {
  const QString parameter = parameterBox_->currentText();
  host_->insertLine(core::InsertKind::Setinfo, ui::fromQ(parameter), ui::fromQ(valueEdit_->text()));
  remember(parameterBox_, parameter);
  host_->endEnter();
  close();
}

void BindDialog::insertBind() {
  const QString key = keyList_->selectedKey();
  if (key.isEmpty()) {
    ui::showPlain(this, QStringLiteral("Для продолжения выберите клавишу!"));
    return;
  }
  host_->insertLine(core::InsertKind::Bind, ui::fromQ(key), {});
  close();
}

void BindDialog::insertAlias() {
  const QString name = nameBox_->currentText();
  host_->insertLine(core::InsertKind::Alias, ui::fromQ(name), {});
  remember(nameBox_, name);
  close();
}

void BindDialog::keyPressEvent(QKeyEvent* event) {
  // Enter acts in the setinfo value box and the alias name box (their own signals) and on a
  // focused button (which handles it itself); anywhere else it does nothing rather than
  // pressing some default button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape closes
}

}  // namespace brindle::binds
