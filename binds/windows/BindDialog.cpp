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

  pg2 = new QStackedWidget(this);
  pg2->setObjectName(QStringLiteral("pg2"));

  // setinfo
  tb1 = new QWidget(pg2);
  tb1->setObjectName(QStringLiteral("tb1"));
  Label1 = new QLabel(QStringLiteral("Параметр:"), tb1);
  Label1->setObjectName(QStringLiteral("Label1"));
  ComboBox3 = makeNameBox(QStringLiteral("ComboBox3"), tb1);
  ComboBox3->addItems({QStringLiteral("lefthand"), QStringLiteral("vgui_menus"),
                       QStringLiteral("ghosts"), QStringLiteral("ah"), QStringLiteral("dm")});
  Label2 = new QLabel(QStringLiteral("Значение:"), tb1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Edi1 = new QLineEdit(tb1);
  Edi1->setObjectName(QStringLiteral("Edi1"));
  Button1 = makeButton(QStringLiteral("Button1"), QStringLiteral("ОК"), tb1);
  Button2 = makeButton(QStringLiteral("Button2"), QStringLiteral("Отмена"), tb1);
  Label1->setBuddy(ComboBox3);
  Label2->setBuddy(Edi1);
  {
    auto* form = new QGridLayout;
    form->addWidget(Label1, 0, 0);
    form->addWidget(ComboBox3, 0, 1);
    form->addWidget(Label2, 1, 0);
    form->addWidget(Edi1, 1, 1);
    form->setColumnStretch(1, 1);
    auto* page = new QVBoxLayout(tb1);
    page->addLayout(form);
    page->addStretch();
    page->addLayout(buttonRow(Button1, Button2));
  }

  // bind
  tb2 = new QWidget(pg2);
  tb2->setObjectName(QStringLiteral("tb2"));
  ListBox1 = new KeyListBox(tb2);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  Button3 = makeButton(QStringLiteral("Button3"), QStringLiteral("ОК"), tb2);
  Button4 = makeButton(QStringLiteral("Button4"), QStringLiteral("Отмена"), tb2);
  {
    auto* page = new QVBoxLayout(tb2);
    page->addWidget(ListBox1, 1);
    page->addLayout(buttonRow(Button3, Button4));
  }

  // alias
  tb3 = new QWidget(pg2);
  tb3->setObjectName(QStringLiteral("tb3"));
  Label3 = new QLabel(QStringLiteral("Имя команды:"), tb3);
  Label3->setObjectName(QStringLiteral("Label3"));
  ComboBox4 = makeNameBox(QStringLiteral("ComboBox4"), tb3);
  Button5 = makeButton(QStringLiteral("Button5"), QStringLiteral("ОК"), tb3);
  Button6 = makeButton(QStringLiteral("Button6"), QStringLiteral("Отмена"), tb3);
  Label3->setBuddy(ComboBox4);
  {
    auto* row = new QHBoxLayout;
    row->addWidget(Label3);
    row->addWidget(ComboBox4, 1);
    auto* page = new QVBoxLayout(tb3);
    page->addLayout(row);
    page->addStretch();
    page->addLayout(buttonRow(Button5, Button6));
  }

  pg2->addWidget(tb1);
  pg2->addWidget(tb2);
  pg2->addWidget(tb3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(pg2);

  connect(Button1, &QPushButton::clicked, this, &BindDialog::insertSetinfo);
  connect(Edi1, &QLineEdit::returnPressed, this, &BindDialog::insertSetinfo);
  connect(Button3, &QPushButton::clicked, this, &BindDialog::insertBind);
  connect(Button5, &QPushButton::clicked, this, &BindDialog::insertAlias);
  // Enter in the name box is "ОК", as Enter in the setinfo value box is.
  connect(ComboBox4->lineEdit(), &QLineEdit::returnPressed, this, &BindDialog::insertAlias);
  for (QPushButton* cancel : {Button2, Button4, Button6})
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  fitToPage();
}

void BindDialog::openPage(int page, const QString& caption) {
  setWindowTitle(caption);
  pg2->setCurrentIndex(qBound(0, page, pg2->count() - 1));
  fitToPage();
  show();
  raise();
  activateWindow();
  prepare();
}

// Not sizeable; each page gets the height its controls need (the key list the most), all the
// width the longest caption ("Bind - выберите клавишу для присвоения") needs.
void BindDialog::fitToPage() {
  const int page = pg2->currentIndex();
  const int height = page == BindPage ? 380 : page == SetinfoPage ? 140 : 110;
  setFixedSize(400, height);
}

void BindDialog::prepare() {
  switch (pg2->currentIndex()) {
    case SetinfoPage:
      ComboBox3->setEditText(QString());
      ComboBox3->setFocus(Qt::OtherFocusReason);
      break;
    case BindPage:
      ListBox1->setFocus(Qt::OtherFocusReason);
      break;
    case AliasPage:
      ComboBox4->setEditText(QString());
      ComboBox4->setFocus(Qt::OtherFocusReason);
      break;
  }
}

void BindDialog::insertSetinfo() {
  const QString parameter = ComboBox3->currentText();
  host_->insertLine(core::InsertKind::Setinfo, ui::fromQ(parameter), ui::fromQ(Edi1->text()));
  remember(ComboBox3, parameter);
  host_->endEnter();
  close();
}

void BindDialog::insertBind() {
  const QString key = ListBox1->selectedKey();
  if (key.isEmpty()) {
    ui::showPlain(this, QStringLiteral("Для продолжения выберите клавишу!"));
    return;
  }
  host_->insertLine(core::InsertKind::Bind, ui::fromQ(key), {});
  close();
}

void BindDialog::insertAlias() {
  const QString name = ComboBox4->currentText();
  host_->insertLine(core::InsertKind::Alias, ui::fromQ(name), {});
  remember(ComboBox4, name);
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
