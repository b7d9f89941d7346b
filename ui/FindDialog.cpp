#include "ui/FindDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Codec.h"

namespace brindle::ui {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog1"));
  setWindowTitle(QStringLiteral("Найти"));
  setModal(false);

  auto* label = new QLabel(QStringLiteral("Ч&то:"), this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("FindText"));
  edit_->setMinimumWidth(220);
  label->setBuddy(edit_);

  next_ = new QPushButton(QStringLiteral("Найти &далее"), this);
  next_->setObjectName(QStringLiteral("FindNext"));
  next_->setDefault(true);
  next_->setEnabled(false);

  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(edit_, 1);
  row->addWidget(next_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(edit_, &QLineEdit::textChanged, this,
          [this](const QString& t) { next_->setEnabled(!t.isEmpty()); });
  connect(next_, &QPushButton::clicked, this, [this] { findNext(); });
}

QString FindDialog::searchText() const { return edit_->text(); }

void FindDialog::setSearchText(const QString& text) { edit_->setText(text); }

core::Offset FindDialog::findNext() {
  if (target_ == nullptr) return -1;
  const core::Offset at = core::findStep(*target_, fromQ(edit_->text()));
  if (at < 0) return -1;
  found_ = at;
  // The match is shown in the target's own window: bring it forward, the dialog stays above it.
  if (auto* w = dynamic_cast<QWidget*>(target_)) w->window()->activateWindow();
  Q_EMIT matchFound(at);
  return at;
}

void FindDialog::showFor(core::TextBuffer* target) {
  setTarget(target);
  setSearchText(QString());
  show();
  raise();
  activateWindow();
  edit_->setFocus();
}

}  // namespace brindle::ui
