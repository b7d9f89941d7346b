#include "wizard/windows/BuyControls.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "ui/Codec.h"
#include "ui/JpegImage.h"
#include "ui/MessageBoxes.h"
#include "ui/SoundPlayer.h"

namespace brindle::wizard {

namespace {

constexpr int kPictureWidth = 205;
constexpr int kPictureHeight = 65;

template <std::size_t N>
void fill(QComboBox* box, const std::array<BuyItem, N>& items) {
  for (const BuyItem& item : items)
    box->addItem(
        QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size())));
  box->setCurrentIndex(0);
}

QString utf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QLabel* label(const char* text, QWidget* parent) {
  return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

BuyControls::BuyControls(std::string programDir, core::Settings* settings,
                         std::function<std::string()> soundDirectory, QWidget* parent)
    : QWidget(parent),
      programDir_(std::move(programDir)),
      settings_(settings),
      soundDirectory_(std::move(soundDirectory)),
      player_(new ui::SoundPlayer(this)) {
  setObjectName(QStringLiteral("BuyControls"));

  // ---- weapons
  auto* weaponsGroup = new QGroupBox(QStringLiteral("Оружие"), this);
  weaponsGroup->setObjectName(QStringLiteral("GroupBox32"));
  primaryWeapon_ = new QComboBox(weaponsGroup);
  primaryWeapon_->setObjectName(QStringLiteral("ComboBox3"));
  fill(primaryWeapon_, kPrimaryWeapons);
  pistol_ = new QComboBox(weaponsGroup);
  pistol_->setObjectName(QStringLiteral("ComboBox4"));
  fill(pistol_, kPistols);
  ammunition_ = new QComboBox(weaponsGroup);
  ammunition_->setObjectName(QStringLiteral("ComboBox5"));
  fill(ammunition_, kAmmunition);
  equipment_ = new QListWidget(weaponsGroup);
  equipment_->setObjectName(QStringLiteral("CheckListBox1"));
  for (const BuyItem& item : kEquipment) {
    auto* entry = new QListWidgetItem(utf8(item.caption), equipment_);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  equipment_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  equipment_->ensurePolished();
  equipment_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  equipment_->setFixedHeight(equipment_->sizeHintForRow(0) * static_cast<int>(kEquipmentCount) +
                             2 * equipment_->frameWidth() + 4);
  pictureFrame_ = new QFrame(this);
  pictureFrame_->setObjectName(QStringLiteral("Bevel2"));
  pictureFrame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  pictureFrame_->setFixedSize(kPictureWidth + 2 * pictureFrame_->frameWidth() + 4,
                              kPictureHeight + 2 * pictureFrame_->frameWidth() + 4);
  picture_ = new QLabel(pictureFrame_);
  picture_->setObjectName(QStringLiteral("Image2"));
  picture_->setFixedSize(kPictureWidth, kPictureHeight);
  picture_->setAlignment(Qt::AlignCenter);
  auto* bevelLayout = new QHBoxLayout(pictureFrame_);
  bevelLayout->setContentsMargins(2, 2, 2, 2);
  bevelLayout->addWidget(picture_, 0, Qt::AlignCenter);

  auto* modes = new QWidget(weaponsGroup);
  menusMode_ = new QRadioButton(QStringLiteral("Игра CS 1.5"), modes);
  menusMode_->setObjectName(QStringLiteral("BuyMenus15"));
  commandsMode_ = new QRadioButton(QStringLiteral("Игра CS 1.6"), modes);
  commandsMode_->setObjectName(QStringLiteral("BuyCommands16"));
  menusMode_->setToolTip(QStringLiteral(
      "Скрипт проходит по меню покупки CS 1.5 (buy, menuselect); настройки руки, авто-помощи и "
      "меню пишутся как lefthand, ah, vgui_menus"));
  commandsMode_->setToolTip(QStringLiteral(
      "Скрипт покупает прямыми командами CS 1.6 (ak47, vesthelm, primammo ...); рука - "
      "cl_righthand, авто-помощь и меню - setinfo \"_ah\", setinfo \"_vgui_menus\""));
  auto* modeLayout = new QVBoxLayout(modes);
  modeLayout->setContentsMargins(0, 0, 0, 0);
  modeLayout->addWidget(menusMode_);
  modeLayout->addWidget(commandsMode_);
  const GameVersion stored = settings_ ? loadGameVersion(*settings_) : kDefaultGameVersion;
  (stored == GameVersion::Cs15 ? menusMode_ : commandsMode_)->setChecked(true);

  auto* weapons = new QGridLayout(weaponsGroup);
  weapons->addWidget(label("Автоматы и ружья", weaponsGroup), 0, 0);
  weapons->addWidget(primaryWeapon_, 0, 1);
  weapons->addWidget(label("Пистолеты", weaponsGroup), 1, 0);
  weapons->addWidget(pistol_, 1, 1);
  weapons->addWidget(label("Боекомплект", weaponsGroup), 2, 0);
  weapons->addWidget(ammunition_, 2, 1);
  weapons->addWidget(equipment_, 3, 0, 1, 2);
  weapons->addWidget(modes, 4, 0, 1, 2);
  weapons->setColumnStretch(1, 1);

  // ---- radio and message
  auto* messagesGroup = new QGroupBox(QStringLiteral("Сообщения"), this);
  messagesGroup->setObjectName(QStringLiteral("GroupBox33"));
  radioPhrase_ = new QComboBox(messagesGroup);
  radioPhrase_->setObjectName(QStringLiteral("ComboBox8"));
  fill(radioPhrase_, kRadioPhrases);
  radioPhrase_->setMaxVisibleItems(static_cast<int>(kRadioCount));
  radioPhrase_->installEventFilter(this);

  auto* playerButtons = new QWidget(messagesGroup);
  playerButtons->setObjectName(QStringLiteral("mp_radio"));
  playButton_ = new QToolButton(playerButtons);
  playButton_->setObjectName(QStringLiteral("mp_radioPlay"));
  playButton_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  playButton_->setToolTip(QStringLiteral("Прослушать"));
  stopButton_ = new QToolButton(playerButtons);
  stopButton_->setObjectName(QStringLiteral("mp_radioStop"));
  stopButton_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  stopButton_->setToolTip(QStringLiteral("Остановить"));
  auto* playerLayout = new QHBoxLayout(playerButtons);
  playerLayout->setContentsMargins(0, 0, 0, 0);
  playerLayout->setSpacing(2);
  playerLayout->addWidget(playButton_);
  playerLayout->addWidget(stopButton_);
  setPlayerButtons(false);
  soundStatus_ = new QLabel(messagesGroup);
  soundStatus_->setObjectName(QStringLiteral("mp_radioStatus"));
  soundStatus_->setWordWrap(true);
  QPalette statusPalette = soundStatus_->palette();
  statusPalette.setColor(QPalette::WindowText, Qt::darkRed);
  soundStatus_->setPalette(statusPalette);

  message_ = new QLineEdit(messagesGroup);
  message_->setObjectName(QStringLiteral("Edit3"));
  auto* audience = new QWidget(messagesGroup);
  teamAudience_ = new QRadioButton(QStringLiteral("Команда"), audience);
  teamAudience_->setObjectName(QStringLiteral("RadioButton49"));
  allAudience_ = new QRadioButton(QStringLiteral("Все"), audience);
  allAudience_->setObjectName(QStringLiteral("RadioButton50"));
  auto* audienceLayout = new QHBoxLayout(audience);
  audienceLayout->setContentsMargins(0, 0, 0, 0);
  audienceLayout->addWidget(teamAudience_);
  audienceLayout->addWidget(allAudience_);
  audienceLayout->addStretch();
  enableMessage(false);

  auto* messages = new QGridLayout(messagesGroup);
  messages->addWidget(label("Радио:", messagesGroup), 0, 0);
  messages->addWidget(radioPhrase_, 0, 1);
  messages->addWidget(playerButtons, 0, 2);
  messages->addWidget(soundStatus_, 1, 1, 1, 2);
  messages->addWidget(label("Свое сообщение:", messagesGroup), 2, 0);
  messages->addWidget(message_, 2, 1, 1, 2);
  messages->addWidget(label("Для кого:", messagesGroup), 3, 0);
  messages->addWidget(audience, 3, 1, 1, 2);
  messages->setColumnStretch(1, 1);
  soundStatus_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(weaponsGroup);
  layout->addWidget(messagesGroup);
  layout->addStretch();

  connect(primaryWeapon_, qOverload<int>(&QComboBox::activated), this, &BuyControls::primaryChosen);
  connect(pistol_, qOverload<int>(&QComboBox::activated), this, &BuyControls::pistolChosen);
  connect(equipment_, &QListWidget::itemChanged, this, &BuyControls::equipmentChecked);
  connect(radioPhrase_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &BuyControls::radioPhraseChosen);
  connect(playButton_, &QToolButton::clicked, this, &BuyControls::playRadio);
  connect(stopButton_, &QToolButton::clicked, this, &BuyControls::stopRadio);
  connect(teamAudience_, &QRadioButton::clicked, this, &BuyControls::teamChosen);
  connect(allAudience_, &QRadioButton::clicked, this, &BuyControls::allChosen);
  connect(player_, &ui::SoundPlayer::failed, this, &BuyControls::onSoundFailed);
  connect(menusMode_, &QRadioButton::toggled, this, [this](bool on) {
    if (settings_) saveGameVersion(*settings_, on ? GameVersion::Cs15 : GameVersion::Cs16);
  });
}

BuyChoice BuyControls::choice() const {
  BuyChoice c;
  c.primary = static_cast<std::size_t>(std::max(0, primaryWeapon_->currentIndex()));
  c.pistol = static_cast<std::size_t>(std::max(0, pistol_->currentIndex()));
  c.ammo = static_cast<std::size_t>(std::max(0, ammunition_->currentIndex()));
  for (int i = 0; i < equipment_->count(); ++i)
    c.equipment[static_cast<std::size_t>(i)] = equipment_->item(i)->checkState() == Qt::Checked;
  c.radio = static_cast<std::size_t>(std::max(0, radioPhrase_->currentIndex()));
  c.audience = teamAudience_->isChecked()  ? Audience::Team
               : allAudience_->isChecked() ? Audience::All
                                           : Audience::None;
  c.message = ui::fromQ(message_->text());
  return c;
}

GameVersion BuyControls::mode() const {
  return menusMode_->isChecked() ? GameVersion::Cs15 : GameVersion::Cs16;
}

void BuyControls::reset() {
  primaryWeapon_->setCurrentIndex(0);
  pistol_->setCurrentIndex(0);
  ammunition_->setCurrentIndex(0);
  radioPhrase_->setCurrentIndex(0);
  ticking_ = true;
  for (int i = 0; i < equipment_->count(); ++i) equipment_->item(i)->setCheckState(Qt::Unchecked);
  ticking_ = false;
  equipment_->setCurrentRow(-1);
  clearAudience();
  hidePicture();
}

void BuyControls::clearAudience() {
  for (QRadioButton* b : {teamAudience_, allAudience_}) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  message_->clear();
  enableMessage(false);
}

void BuyControls::primaryChosen(int index) {
  if (index <= 0 || static_cast<std::size_t>(index) >= kPrimaryCount)
    hidePicture();
  else
    showItemPicture(std::string(kPrimaryWeapons[static_cast<std::size_t>(index)].name));
}

void BuyControls::pistolChosen(int index) {
  if (index <= 0 || static_cast<std::size_t>(index) >= kPistolCount)
    hidePicture();
  else
    showItemPicture(std::string(kPistols[static_cast<std::size_t>(index)].name));
}

void BuyControls::equipmentChecked(QListWidgetItem* item) {
  if (ticking_ || item == nullptr) return;
  const int row = equipment_->row(item);
  equipment_->setCurrentRow(row);
  // At most one armour: the helmet includes the vest.
  ticking_ = true;
  if (row == 0) equipment_->item(1)->setCheckState(Qt::Unchecked);
  if (row == 1) equipment_->item(0)->setCheckState(Qt::Unchecked);
  ticking_ = false;
  if (row >= 0 && static_cast<std::size_t>(row) < kEquipmentCount)
    showItemPicture(std::string(kEquipment[static_cast<std::size_t>(row)].name));
}

void BuyControls::showItemPicture(const std::string& pictureName) {
  const std::string file = "weapon_" + pictureName;
  const std::string path = core::DataLayout(programDir_).picture(file).value_or(std::string());
  if (!core::fileExists(path)) {
    hidePicture();
    ui::showError(window(), QStringLiteral("Ненайден файл соответствующий значению!"));
    return;
  }
  const ui::JpegResult picture = ui::loadJpegFile(path);
  if (!picture.ok()) {
    hidePicture();
    ui::showError(window(), QStringLiteral("Картинка повреждена и не может быть показана: ") +
                                ui::fromUtf8(file + ".jpg"));
    return;
  }
  picture_->setPixmap(QPixmap::fromImage(picture.image.scaled(
      kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  picture_->show();
}

void BuyControls::hidePicture() {
  picture_->clear();
  picture_->hide();
}

void BuyControls::setPlayerButtons(bool enabled) {
  playButton_->setEnabled(enabled);
  stopButton_->setEnabled(enabled);
}

void BuyControls::radioPhraseChosen(int index) {
  player_->close();
  setPlayerButtons(false);
  showSoundStatus({});
  if (index < 0 || static_cast<std::size_t>(index) >= kRadioCount) return;
  const BuyItem& phrase = kRadioPhrases[static_cast<std::size_t>(index)];
  if (phrase.name.empty()) return;
  const std::string relative = "sound\\radio\\" + std::string(phrase.name) + ".wav";
  soundName_ = ui::fromUtf8(relative);
  const std::string dir = soundDirectory_ ? soundDirectory_() : std::string();
  const std::string path = core::resolveDataPath(core::withSeparator(dir), relative);
  if (dir.empty() || !core::fileExists(path)) {
    showSoundStatus(QStringLiteral("Нет файла ") + soundName_);
    return;
  }
  if (!player_->open(path)) {
    showSoundStatus(soundName_ + QStringLiteral(": ") + player_->error());
    return;
  }
  setPlayerButtons(true);
}

void BuyControls::onSoundFailed(const QString& error) {
  setPlayerButtons(false);
  showSoundStatus(soundName_ + QStringLiteral(": ") + error);
}

void BuyControls::showSoundStatus(const QString& text) {
  soundStatus_->setText(text);
  soundStatus_->setVisible(!text.isEmpty());
}

void BuyControls::playOnEnter() {
  const int index = radioPhrase_->currentIndex();
  if (index <= 0 || static_cast<std::size_t>(index) >= kRadioCount) return;
  if (kRadioPhrases[static_cast<std::size_t>(index)].name.empty()) return;
  if (playButton_->isEnabled() || stopButton_->isEnabled()) player_->play();
}

bool BuyControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == radioPhrase_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      playOnEnter();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void BuyControls::playRadio() { player_->play(); }

void BuyControls::stopRadio() { player_->stop(); }

void BuyControls::enableMessage(bool enabled) {
  message_->setEnabled(enabled);
  QPalette p = message_->palette();
  p.setColor(QPalette::Base,
             enabled ? palette().color(QPalette::ToolTipBase) : palette().color(QPalette::Button));
  message_->setPalette(p);
}

void BuyControls::teamChosen() { enableMessage(true); }

void BuyControls::allChosen() { enableMessage(true); }

}  // namespace brindle::wizard
