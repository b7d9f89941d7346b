#include "wizard/windows/NewConfigDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"
#include "wizard/logic/ConfigFiles.h"

namespace brindle::wizard {

NewConfigDialog::NewConfigDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tsozdat"));
  setWindowTitle(QStringLiteral("Создать новый конфиг"));
  ui::setTitledFrame(this, Qt::Dialog, ui::TitleButtons::Close);

  auto* label =
      new QLabel(QStringLiteral("Введите имя конфига (не забудьте про расширение)"), this);
  label->setObjectName(QStringLiteral("Label1"));
  nameEdit_ = new QLineEdit(this);
  nameEdit_->setObjectName(QStringLiteral("Edit1"));
  label->setBuddy(nameEdit_);

  auto* ok = new QPushButton(QStringLiteral("ОК"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
  cancel->setObjectName(QStringLiteral("Button2"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(nameEdit_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ok, &QPushButton::clicked, this, &NewConfigDialog::createFile);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int NewConfigDialog::execFor(const QString& directory) {
  directory_ = directory;
  // Centred on the window that opens it.
  if (QWidget* owner = parentWidget()) {
    adjustSize();
    move(owner->window()->frameGeometry().center() - rect().center());
  }
  nameEdit_->setFocus();
  return exec();
}

void NewConfigDialog::createFile() {
  const QString name = nameEdit_->text();
  if (name.isEmpty()) {
    ui::showPlain(this, QStringLiteral("Файл не создан!"));
  } else if (const auto problem = newConfigNameProblem(ui::toUtf8(name))) {
    // The file is made in the directory shown, never elsewhere.
    ui::showError(this, ui::fromUtf8(*problem));
  } else {
    // The name is taken as typed: no extension is added.
    const std::string path = core::withSeparator(ui::toUtf8(directory_)) + ui::toUtf8(name);
    if (core::pathExists(path)) {
      ui::showPlain(this, QStringLiteral("Такой файл уже существует!"));
    } else {
      const core::WriteResult created = core::createEmptyFile(path);
      if (!created.ok) ui::showError(this, ui::fromUtf8(created.error));
    }
  }
  nameEdit_->clear();
  accept();
}

}  // namespace brindle::wizard
