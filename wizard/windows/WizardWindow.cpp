#include "wizard/windows/WizardWindow.h"

#include <QComboBox>
#include <QFileInfo>
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

#include "game/windows/GameRunning.h"
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

  pageStack_ = new QStackedWidget(this);
  pageStack_->setObjectName(QStringLiteral("PgC1"));
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = new QWidget(pageStack_);
    pages_[i]->setObjectName(QStringLiteral("TbS%1").arg(i + 1));
    pageStack_->addWidget(pages_[i]);
  }
  buildFirstPage(pages_[0]);
  settings_ = new SettingsPages(
      {pages_[1], pages_[2], pages_[3], pages_[4], pages_[5], pages_[6], pages_[7]}, this);

  sectionLabel_ = new QLabel(u8("Настройки клиента:"), this);
  sectionLabel_->setObjectName(QStringLiteral("Label3"));
  QFont strong = sectionLabel_->font();
  strong.setBold(true);
  sectionLabel_->setFont(strong);
  stepLabel_ = new QLabel(this);
  stepLabel_->setObjectName(QStringLiteral("Label32"));
  backButton_ = new QPushButton(u8("<< Назад"), this);
  backButton_->setObjectName(QStringLiteral("Button3"));
  nextButton_ = new QPushButton(u8("Далее >>"), this);
  nextButton_->setObjectName(QStringLiteral("Button2"));
  nextButton_->setDefault(true);
  for (QPushButton* b : {nextButton_, backButton_}) {
    b->setMinimumWidth(110);
    b->setEnabled(false);
  }

  auto* captions = new QVBoxLayout;
  captions->setSpacing(2);
  captions->addWidget(sectionLabel_);
  captions->addWidget(stepLabel_);
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(captions, 1);
  bottom->addWidget(backButton_);
  bottom->addWidget(nextButton_);
  auto* right = new QVBoxLayout;
  right->addWidget(pageStack_, 1);
  right->addLayout(bottom);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildLeftPanel());
  layout->addLayout(right, 1);
  // A dialog frame of fixed size with a close button only, like the program's other dialogs.
  setFixedSize(860, 620);

  connect(nextButton_, &QPushButton::clicked, this, &WizardWindow::nextPage);
  connect(backButton_, &QPushButton::clicked, this, &WizardWindow::previousPage);
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
  masterLabel_ = new QLabel(panel);
  masterLabel_->setObjectName(QStringLiteral("Label6"));
  QFont big = masterLabel_->font();
  big.setPointSize(20);
  big.setBold(true);
  masterLabel_->setFont(big);
  masterLabel_->setAlignment(Qt::AlignHCenter);
  cfgLabel_ = new QLabel(panel);
  cfgLabel_->setObjectName(QStringLiteral("Label7"));
  cfgLabel_->setFont(big);
  cfgLabel_->setAlignment(Qt::AlignHCenter);
  QPalette red = cfgLabel_->palette();
  red.setColor(QPalette::WindowText, QColor(200, 0, 0));
  cfgLabel_->setPalette(red);
  auto* layout = new QVBoxLayout(panel);
  layout->addWidget(image);
  layout->addSpacing(8);
  layout->addWidget(masterLabel_);
  layout->addSpacing(8);
  layout->addWidget(cfgLabel_);
  layout->addStretch();
  return panel;
}

void WizardWindow::buildFirstPage(QWidget* page) {
  auto* directoryLabel = new QLabel(u8("Выберите каталог с конфигами"), page);
  auto* driveList = new ui::DriveComboBox(page);
  driveList->setObjectName(QStringLiteral("DriveComboBox1"));
  directoryList_ = new ui::DirectoryListBox(page);
  directoryList_->setObjectName(QStringLiteral("DirectoryListBox1"));
  driveList->bind(directoryList_);
  directoryLabel->setBuddy(directoryList_);

  auto* fileLabel = new QLabel(u8("Выберите конфиг который будете настраивать"), page);
  auto* createButton = new QPushButton(u8("Создать"), page);
  createButton->setObjectName(QStringLiteral("Button1"));
  fileList_ = new ui::FileListBox(page);
  fileList_->setObjectName(QStringLiteral("FileBox1"));
  fileList_->setMask(QStringLiteral("*.cfg;*.kav;*.txt"));
  fileList_->setFixedWidth(190);
  fileLabel->setBuddy(fileList_);
  workingText_ = new ui::CfgEdit(page);
  workingText_->setObjectName(QStringLiteral("mem1"));
  workingText_->setReadOnly(true);
  workingText_->setLineWrapMode(QPlainTextEdit::NoWrap);
  autoexecText_ = new ui::CfgEdit(page);
  autoexecText_->setObjectName(QStringLiteral("mem2"));
  autoexecText_->setReadOnly(true);
  autoexecText_->hide();

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel, 1);
  fileRow->addWidget(createButton);
  auto* lists = new QHBoxLayout;
  lists->addWidget(fileList_);
  lists->addWidget(workingText_, 1);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(directoryLabel);
  layout->addWidget(driveList);
  layout->addWidget(directoryList_, 2);
  layout->addLayout(fileRow);
  layout->addLayout(lists, 3);

  connect(directoryList_, &ui::DirectoryListBox::directoryChanged, fileList_,
          &ui::FileListBox::setDirectory);
  connect(fileList_, &ui::FileListBox::userClicked, this, &WizardWindow::fileChosen);
  connect(createButton, &QPushButton::clicked, this, &WizardWindow::createConfig);
}

// ================================================================================ directories

void WizardWindow::setGameDirectory(const QString& directory) {
  directoryList_->setDirectory(directory);
  fileList_->setDirectory(directoryList_->directory());
}

QString WizardWindow::directory() const { return directoryList_->directory(); }

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
  pageStack_->setCurrentIndex(index);
  pageShown(index);
  Q_EMIT pageChanged(index);
}

void WizardWindow::setStepCaption(const QString& caption) { stepLabel_->setText(caption); }

void WizardWindow::setNextCaption(const QString& caption) { nextButton_->setText(caption); }

void WizardWindow::setNextCaption(const QString& caption, bool bold) {
  nextButton_->setText(caption);
  QFont f = nextButton_->font();
  f.setBold(bold);
  nextButton_->setFont(f);
}

void WizardWindow::pageShown(int index) {
  pageIndex_ = index;
  switch (index) {
    case 0:  // "Каталог и файл"
      stepLabel_->setText(u8("Выбор конфига"));
      sectionLabel_->setText(u8("Настройки клиента:"));
      setNextCaption(u8("Далее>>"), false);
      if (usedKeysCleared_) usedKeysCleared_();
      break;
    case 1:  // "Главные настройки"
      stepLabel_->setText(u8("Стандартные настройки"));
      break;
    case 2:  // "Видео настройки"
      stepLabel_->setText(u8("Видео настройки"));
      settings_->netGraphPositionFollowsSwitch();
      break;
    case 3:  // "Другие настройки"
      stepLabel_->setText(u8("Другие настройки"));
      sectionLabel_->setText(u8("Настройки клиента:"));
      break;
    case 4:  // "Настройки времени"
      stepLabel_->setText(u8("Настройки времени"));
      sectionLabel_->setText(u8("Настройки сервера:"));
      break;
    case 5:  // "Команда и игроки"
      stepLabel_->setText(u8("Команда и игроки"));
      break;
    case 6:  // "Другие настройки"
      stepLabel_->setText(u8("Другие настройки"));
      sectionLabel_->setText(u8("Настройки сервера:"));
      setNextCaption(u8("Далее>>"), nextButton_->font().bold());
      break;
    case 7:  // "Соединение"
      stepLabel_->setText(u8("Соединение"));
      sectionLabel_->setText(u8("Настройки:"));
      setNextCaption(u8("Клавиши"), nextButton_->font().bold());
      break;
    default:  // the key pages set their own captions
      break;
  }
  backButton_->setEnabled(index > 0);
  // "Далее >>" stops at the last page there is.
  nextButton_->setEnabled(nextEnabled_ && index < lastPage_);
}

// ================================================================================ operations

void WizardWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) prepare();
}

void WizardWindow::prepare() {
  showPage(0);
  masterLabel_->setText(u8("М\nА\nС\nТ\nЕ\nР"));
  cfgLabel_->setText(QStringLiteral("C\nF\nG"));
}

void WizardWindow::done(int result) {
  if (!mayClose()) return;
  finish();
  QDialog::done(result);
}

void WizardWindow::finish() {
  settingsShown_ = false;
  texts_.working.load({});
  chosen_ = ChosenFile{};
  fileList_->selectRow(-1);
  refreshPreview();
}

void WizardWindow::createConfig() {
  if (!newConfig_) newConfig_ = new NewConfigDialog(this);
  newConfig_->execFor(directory());
  fileList_->refresh();
}

void WizardWindow::fileChosen() {
  settingsShown_ = false;
  settings_->reset();
  if (controlsReset_) controlsReset_();
  if (usedKeysCleared_) usedKeysCleared_();
  unbindallPresent_ = true;
  const QString name = fileList_->fileName();
  if (name.isEmpty()) return;
  nextEnabled_ = true;
  nextButton_->setEnabled(pageIndex_ < lastPage_);
  chosen_ = chooseFile(texts_, ui::toUtf8(fileList_->directory()), ui::toUtf8(name),
                       ui::toUtf8(startupGameDirectory_));
  refreshPreview();
}

void WizardWindow::nextPage() {
  if (fileList_->fileName().isEmpty()) {
    ui::showPlain(this, u8("Сначала выберите конфиг для настройки!"));
    texts_.working.load({});
    chosen_ = ChosenFile{};
    refreshPreview();
    return;
  }
  if (pageIndex_ == 0)
    runPass(PassRequest{PassMode::Loading, false, actionCommands_, {}, {}, false, gameVersion()});
  if (pageIndex_ < lastPage_) showPage(pageIndex_ + 1);
}

void WizardWindow::previousPage() {
  if (pageIndex_ > 0) showPage(pageIndex_ - 1);
}

bool WizardWindow::mayClose() {
  if (chosen_.path.empty() || !chosen_.readable) return true;
  const bool changed =
      texts_.working.modified() || (settingsShown_ && settings_->values() != loaded_);
  if (!changed) return true;
  switch (ui::askYesNoCancel(
      this, u8("Сохранить изменения в файле %1?").arg(ui::fromUtf8(chosen_.path)))) {
    case ui::Answer::Yes:
      return applySettings();
    case ui::Answer::No:
      return true;
    default:
      return false;
  }
}

bool WizardWindow::applySettings() {
  if (chosen_.path.empty()) {
    ui::showPlain(this, u8("Сначала выберите конфиг для настройки!"));
    return false;
  }
  if (!chosen_.readable) {
    ui::showError(this, u8("Файл \"%1\" не удалось прочитать, поэтому настройки в него не "
                           "записаны. Файл остался без изменений.")
                            .arg(ui::fromUtf8(chosen_.path)));
    return false;
  }
  const SettingsValues chosen = settings_->values();
  // Every choice is written or refused: a refused one is named on the page of its row.
  if (const std::optional<Refusal> refused = refusalOf(loaded_, chosen)) {
    showPage(refused->page);
    ui::showError(this, ui::fromUtf8(refused->message));
    return false;
  }
  // The game writes its config.cfg when it quits: while it runs, the changed settings may go to
  // userconfig.cfg, which the game runs after config.cfg. The question is asked for whatever
  // game directory the file lies in, whether or not the program started with it.
  const std::optional<std::string> target = game::confirmGameConfigWrite(
      this, chosen_.path, ui::toUtf8(QFileInfo(ui::fromUtf8(chosen_.path)).absolutePath()));
  if (!target) return false;
  if (*target != chosen_.path) {
    const SaveResult other = applyToOtherFile(loaded_, chosen, *target, gameVersion());
    if (!other.ok) {
      ui::showError(this, ui::fromUtf8(other.error));
      return false;
    }
    loaded_ = chosen;
    ui::showPlain(this, u8("Настройки записаны в %1.").arg(ui::fromUtf8(*target)));
    refreshPreview();
    return true;
  }
  const SaveResult saved = applyAndSave(texts_, loaded_, chosen, chosen_.path, gameVersion());
  if (saved.ok) {
    loaded_ = chosen;
  } else {
    ui::showError(this, ui::fromUtf8(saved.error));
  }
  refreshPreview();
  showPage(7);
  return saved.ok;
}

// ================================================================================ texts

LoadingResult WizardWindow::runPass(const PassRequest& request) {
  const LoadingResult r = wizard::runPass(texts_, request);
  if (request.mode == PassMode::Loading) {
    if (keysLoaded_) keysLoaded_(r);
    if (r.settingsRead) {
      unbindallPresent_ = r.unbindallPresent;
      // Every pass shows the file afresh: what the user changed without applying goes.
      settings_->reset();
      settings_->show(r.settings.values, r.settings.fileValues);
      loaded_ = settings_->values();
      settingsShown_ = true;
      for (const std::string& warning : r.settings.warnings)
        ui::showError(this, ui::fromUtf8(warning));
    }
  }
  refreshPreview();
  return r;
}

void WizardWindow::refreshPreview() {
  workingText_->loadText(texts_.working.getText());
  autoexecText_->loadText(texts_.autoexec.getText());
}

}  // namespace brindle::wizard
