#include "wizard/windows/WizardWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/DriveList.h"
#include "ui/FileListBox.h"
#include "ui/MessageBoxes.h"
#include "wizard/windows/NewConfigDialog.h"
#include "wizard/windows/SettingsPages.h"

namespace brindle::wizard {
namespace {

QString u8(const char* text) { return QString::fromUtf8(text); }

// The picture of the left panel: a sheet of config lines under a crosshair.
QPixmap panelPicture() {
  QPixmap pixmap(96, 96);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 96);
  sky.setColorAt(0, QColor(40, 70, 120));
  sky.setColorAt(1, QColor(15, 25, 50));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(2, 2, 92, 92), 10, 10);
  // The sheet.
  p.setBrush(QColor(245, 240, 225));
  p.drawRect(QRectF(18, 14, 52, 66));
  p.setPen(QPen(QColor(90, 90, 90), 2));
  for (int y = 24; y <= 70; y += 9) p.drawLine(24, y, y % 2 ? 52 : 62, y);
  // The crosshair.
  p.setPen(QPen(QColor(230, 40, 30), 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(62, 60), 16, 16);
  for (const QLineF& l : {QLineF(62, 38, 62, 50), QLineF(62, 70, 62, 82), QLineF(40, 60, 52, 60),
                          QLineF(72, 60, 84, 60)})
    p.drawLine(l);
  return pixmap;
}

}  // namespace

WizardWindow::WizardWindow(std::string programDir, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(u8("Конкретный конфигуратор (Master CFG)"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  PgC1 = new QStackedWidget(this);
  PgC1->setObjectName(QStringLiteral("PgC1"));
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = new QWidget(PgC1);
    pages_[i]->setObjectName(QStringLiteral("TbS%1").arg(i + 1));
    PgC1->addWidget(pages_[i]);
  }
  buildFirstPage(pages_[0]);
  settings_ = new SettingsPages(
      {pages_[1], pages_[2], pages_[3], pages_[4], pages_[5], pages_[6], pages_[7]}, this);

  Label3 = new QLabel(u8("Настройки клиента:"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  QFont strong = Label3->font();
  strong.setBold(true);
  Label3->setFont(strong);
  Label32 = new QLabel(this);
  Label32->setObjectName(QStringLiteral("Label32"));
  Button3 = new QPushButton(u8("<< Назад"), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button2 = new QPushButton(u8("Далее >>"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setDefault(true);
  for (QPushButton* b : {Button2, Button3}) {
    b->setMinimumWidth(110);
    b->setEnabled(false);
  }

  auto* captions = new QVBoxLayout;
  captions->setSpacing(2);
  captions->addWidget(Label3);
  captions->addWidget(Label32);
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(captions, 1);
  bottom->addWidget(Button3);
  bottom->addWidget(Button2);
  auto* right = new QVBoxLayout;
  right->addWidget(PgC1, 1);
  right->addLayout(bottom);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildLeftPanel());
  layout->addLayout(right, 1);
  // A dialog frame of fixed size with a close button only, like the program's other dialogs.
  setFixedSize(860, 620);

  connect(Button2, &QPushButton::clicked, this, &WizardWindow::nextPage);
  connect(Button3, &QPushButton::clicked, this, &WizardWindow::previousPage);
  connect(settings_, &SettingsPages::applyRequested, this, &WizardWindow::applySettings);

  setGameDirectory(ui::fromUtf8(programDir_));
}

WizardWindow::~WizardWindow() = default;

QWidget* WizardWindow::buildLeftPanel() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFixedWidth(118);
  auto* image = new QLabel(panel);
  image->setObjectName(QStringLiteral("Image1"));
  image->setPixmap(panelPicture());
  image->setAlignment(Qt::AlignCenter);
  Label6 = new QLabel(panel);
  Label6->setObjectName(QStringLiteral("Label6"));
  QFont big = Label6->font();
  big.setPointSize(20);
  big.setBold(true);
  Label6->setFont(big);
  Label6->setAlignment(Qt::AlignHCenter);
  Label7 = new QLabel(panel);
  Label7->setObjectName(QStringLiteral("Label7"));
  Label7->setFont(big);
  Label7->setAlignment(Qt::AlignHCenter);
  QPalette red = Label7->palette();
  red.setColor(QPalette::WindowText, QColor(200, 0, 0));
  Label7->setPalette(red);
  auto* layout = new QVBoxLayout(panel);
  layout->addWidget(image);
  layout->addSpacing(8);
  layout->addWidget(Label6);
  layout->addSpacing(8);
  layout->addWidget(Label7);
  layout->addStretch();
  return panel;
}

void WizardWindow::buildFirstPage(QWidget* page) {
  auto* directoryLabel = new QLabel(u8("Выберите каталог с конфигами"), page);
  DriveComboBox1 = new ui::DriveComboBox(page);
  DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
  DirectoryListBox1 = new ui::DirectoryListBox(page);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DriveComboBox1->bind(DirectoryListBox1);
  directoryLabel->setBuddy(DirectoryListBox1);

  auto* fileLabel = new QLabel(u8("Выберите конфиг который будете настраивать"), page);
  Button1 = new QPushButton(u8("Создать"), page);
  Button1->setObjectName(QStringLiteral("Button1"));
  FileBox1 = new ui::FileListBox(page);
  FileBox1->setObjectName(QStringLiteral("FileBox1"));
  FileBox1->setMask(QStringLiteral("*.cfg;*.kav;*.txt"));
  FileBox1->setFixedWidth(190);
  fileLabel->setBuddy(FileBox1);
  mem1 = new ui::CfgEdit(page);
  mem1->setObjectName(QStringLiteral("mem1"));
  mem1->setReadOnly(true);
  mem1->setLineWrapMode(QPlainTextEdit::NoWrap);
  mem2 = new ui::CfgEdit(page);
  mem2->setObjectName(QStringLiteral("mem2"));
  mem2->setReadOnly(true);
  mem2->hide();

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel, 1);
  fileRow->addWidget(Button1);
  auto* lists = new QHBoxLayout;
  lists->addWidget(FileBox1);
  lists->addWidget(mem1, 1);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(directoryLabel);
  layout->addWidget(DriveComboBox1);
  layout->addWidget(DirectoryListBox1, 2);
  layout->addLayout(fileRow);
  layout->addLayout(lists, 3);

  connect(DirectoryListBox1, &ui::DirectoryListBox::directoryChanged, FileBox1,
          &ui::FileListBox::setDirectory);
  connect(FileBox1, &ui::FileListBox::userClicked, this, &WizardWindow::fileChosen);
  connect(Button1, &QPushButton::clicked, this, &WizardWindow::createConfig);
}

// ================================================================================ directories

void WizardWindow::setGameDirectory(const QString& directory) {
  DirectoryListBox1->setDirectory(directory);
  FileBox1->setDirectory(DirectoryListBox1->directory());
}

QString WizardWindow::directory() const { return DirectoryListBox1->directory(); }

void WizardWindow::setStartupGameDirectory(const QString& directory) {
  startupGameDirectory_ = directory;
  while (startupGameDirectory_.size() > 1 && startupGameDirectory_.endsWith(QLatin1Char('/')))
    startupGameDirectory_.chop(1);
}

// ================================================================================ pages

QWidget* WizardWindow::page(int index) const {
  return index >= 0 && index < static_cast<int>(pages_.size())
             ? pages_[static_cast<std::size_t>(index)]
             : nullptr;
}

void WizardWindow::setLastPage(int index) {
  lastPage_ = std::clamp(index, 0, static_cast<int>(pages_.size()) - 1);
  pageShown(pageIndex_);
}

void WizardWindow::showPage(int index) {
  if (!page(index)) return;
  PgC1->setCurrentIndex(index);
  pageShown(index);
  Q_EMIT pageChanged(index);
}

void WizardWindow::setNextCaption(const QString& caption, bool bold) {
  Button2->setText(caption);
  QFont f = Button2->font();
  f.setBold(bold);
  Button2->setFont(f);
}

void WizardWindow::pageShown(int index) {
  pageIndex_ = index;
  switch (index) {
    case 0:  // "Каталог и файл"
      Label32->setText(u8("Выбор конфига"));
      Label3->setText(u8("Настройки клиента:"));
      setNextCaption(u8("Далее>>"), false);
      if (!pageSwitch && usedKeysCleared) usedKeysCleared();
      break;
    case 1:  // "Главные настройки"
      Label32->setText(u8("Стандартные настройки"));
      break;
    case 2:  // "Видео настройки"
      Label32->setText(u8("Видео настройки"));
      settings_->ComboBox2->setEnabled(settings_->radio[39]->isChecked());
      break;
    case 3:  // "Другие настройки"
      Label32->setText(u8("Другие настройки"));
      Label3->setText(u8("Настройки клиента:"));
      break;
    case 4:  // "Настройки времени"
      Label32->setText(u8("Настройки времени"));
      Label3->setText(u8("Настройки сервера:"));
      break;
    case 5:  // "Команда и игроки"
      Label32->setText(u8("Команда и игроки"));
      break;
    case 6:  // "Другие настройки"
      Label32->setText(u8("Другие настройки"));
      Label3->setText(u8("Настройки сервера:"));
      setNextCaption(u8("Далее>>"), Button2->font().bold());
      break;
    case 7:  // "Соединение"
      Label32->setText(u8("Соединение"));
      Label3->setText(u8("Настройки:"));
      setNextCaption(u8("Клавиши"), Button2->font().bold());
      break;
    default:  // the key pages set their own captions
      break;
  }
  Button3->setEnabled(index > 0);
  // "Далее >>" stops at the last page there is.
  Button2->setEnabled(nextEnabled_ && index < lastPage_);
}

// ================================================================================ operations

void WizardWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepare();
}

void WizardWindow::prepare() {
  showPage(0);
  Label6->setText(u8("М\nА\nС\nТ\nЕ\nР"));
  Label7->setText(QStringLiteral("C\nF\nG"));
}

void WizardWindow::done(int result) {
  finish();
  QDialog::done(result);
}

void WizardWindow::finish() {
  texts_.working.load({});
  chosen_ = ChosenFile{};
  FileBox1->selectRow(-1);
  refreshPreview();
}

void WizardWindow::createConfig() {
  if (!newConfig_) newConfig_ = new NewConfigDialog(this);
  newConfig_->execFor(directory());
  FileBox1->refresh();
}

void WizardWindow::fileChosen() {
  settings_->reset();
  if (controlsReset) controlsReset();
  if (usedKeysCleared) usedKeysCleared();
  unbindallPresent_ = true;
  const QString name = FileBox1->fileName();
  if (name.isEmpty()) return;
  nextEnabled_ = true;
  Button2->setEnabled(pageIndex_ < lastPage_);
  chosen_ = chooseFile(texts_, ui::toUtf8(FileBox1->directory()), ui::toUtf8(name),
                       ui::toUtf8(startupGameDirectory_));
  refreshPreview();
}

void WizardWindow::nextPage() {
  if (FileBox1->fileName().isEmpty()) {
    ui::showPlain(this, u8("Сначала выберите конфиг для настройки!"));
    texts_.working.load({});
    chosen_ = ChosenFile{};
    refreshPreview();
    return;
  }
  if (pageIndex_ == 0)
    runPass(PassRequest{PassMode::Loading, false, actionCommands, {}, {}, false});
  if (pageIndex_ < lastPage_) showPage(pageIndex_ + 1);
}

void WizardWindow::previousPage() {
  if (pageIndex_ > 0) showPage(pageIndex_ - 1);
}

void WizardWindow::applySettings() {
  if (chosen_.path.empty()) {
    ui::showPlain(this, u8("Сначала выберите конфиг для настройки!"));
    return;
  }
  if (!chosen_.readable) {
    ui::showError(this, u8("Файл \"%1\" не удалось прочитать, поэтому настройки в него не "
                           "записаны. Файл остался без изменений.")
                            .arg(ui::fromUtf8(chosen_.path)));
    return;
  }
  const SettingsValues chosen = settings_->values();
  const SaveResult saved = applyAndSave(texts_, loaded_, chosen, chosen_.path);
  if (saved.ok) {
    loaded_ = chosen;
  } else {
    ui::showError(this, QStringLiteral("Cannot create file %1\n%2")
                            .arg(ui::fromUtf8(chosen_.path), ui::fromUtf8(saved.error)));
  }
  refreshPreview();
  showPage(7);
}

// ================================================================================ texts

LoadingResult WizardWindow::runPass(const PassRequest& request) {
  const LoadingResult r = wizard::runPass(texts_, request);
  if (request.mode == PassMode::Loading) {
    if (keysLoaded) keysLoaded(r);
    if (r.settingsRead) {
      unbindallPresent_ = r.unbindallPresent;
      // Every pass shows the file afresh: what the user changed without applying goes.
      settings_->reset();
      settings_->show(r.settings.values);
      loaded_ = settings_->values();
      for (const std::string& warning : r.settings.warnings) ui::showError(this, ui::toQ(warning));
    }
  }
  refreshPreview();
  return r;
}

void WizardWindow::refreshPreview() {
  mem1->loadText(texts_.working.getText());
  mem2->loadText(texts_.autoexec.getText());
}

}  // namespace brindle::wizard
