#include "ui/FindDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/Codec.h"
#include "ui/ToolWindow.h"

namespace brindle::ui {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FindDialog1"));
  setWindowTitle(QStringLiteral("Найти"));
  setModal(false);
  setTitledFrame(this, Qt::Dialog, TitleButtons::Close);

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
  // The find step made the target the focus of its own window; the keyboard stays here, so a
  // further Enter finds the next match instead of typing over this one.
  if (isVisible()) {
    showSelectionWhileInactive();
    activateWindow();
    edit_->setFocus();
  }
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
  showSelectionWhileInactive();
}

void FindDialog::hideEvent(QHideEvent* e) {
  restoreInactiveColours();
  QDialog::hideEvent(e);
}

void FindDialog::showSelectionWhileInactive() {
  auto* w = dynamic_cast<QWidget*>(target_);
  if (w == highlighted_) return;
  restoreInactiveColours();
  if (w == nullptr) return;
  // Only the two inactive roles change, so colours the user sets meanwhile (background, text)
  // are kept.
  QPalette p = w->palette();
  inactiveHighlight_ = p.color(QPalette::Inactive, QPalette::Highlight);
  inactiveHighlightedText_ = p.color(QPalette::Inactive, QPalette::HighlightedText);
  p.setColor(QPalette::Inactive, QPalette::Highlight,
             p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  w->setPalette(p);
  highlighted_ = w;
}

void FindDialog::restoreInactiveColours() {
  if (highlighted_ == nullptr) return;
  QPalette p = highlighted_->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, inactiveHighlight_);
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, inactiveHighlightedText_);
  highlighted_->setPalette(p);
  highlighted_ = nullptr;
}

}  // namespace brindle::ui
