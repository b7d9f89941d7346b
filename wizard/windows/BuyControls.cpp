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
  GroupBox32 = new QGroupBox(QStringLiteral("Оружие"), this);
  GroupBox32->setObjectName(QStringLiteral("GroupBox32"));
  ComboBox3 = new QComboBox(GroupBox32);
  ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
  fill(ComboBox3, kPrimaryWeapons);
  ComboBox4 = new QComboBox(GroupBox32);
  ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
  fill(ComboBox4, kPistols);
  ComboBox5 = new QComboBox(GroupBox32);
  ComboBox5->setObjectName(QStringLiteral("ComboBox5"));
  fill(ComboBox5, kAmmunition);
  CheckListBox1 = new QListWidget(GroupBox32);
  CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
  for (const BuyItem& item : kEquipment) {
    auto* entry = new QListWidgetItem(utf8(item.caption), CheckListBox1);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  CheckListBox1->ensurePolished();
  CheckListBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  CheckListBox1->setFixedHeight(CheckListBox1->sizeHintForRow(0) *
                                    static_cast<int>(kEquipmentCount) +
                                2 * CheckListBox1->frameWidth() + 4);
  Bevel2 = new QFrame(this);
  Bevel2->setObjectName(QStringLiteral("Bevel2"));
  Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel2->setFixedSize(kPictureWidth + 2 * Bevel2->frameWidth() + 4,
                       kPictureHeight + 2 * Bevel2->frameWidth() + 4);
  Image2 = new QLabel(Bevel2);
  Image2->setObjectName(QStringLiteral("Image2"));
  Image2->setFixedSize(kPictureWidth, kPictureHeight);
  Image2->setAlignment(Qt::AlignCenter);
  auto* bevelLayout = new QHBoxLayout(Bevel2);
  bevelLayout->setContentsMargins(2, 2, 2, 2);
  bevelLayout->addWidget(Image2, 0, Qt::AlignCenter);

  auto* modes = new QWidget(GroupBox32);
  BuyMenus15 = new QRadioButton(QStringLiteral("Меню покупки CS 1.5"), modes);
  BuyMenus15->setObjectName(QStringLiteral("BuyMenus15"));
  BuyCommands16 = new QRadioButton(QStringLiteral("Команды покупки CS 1.6"), modes);
  BuyCommands16->setObjectName(QStringLiteral("BuyCommands16"));
  BuyMenus15->setToolTip(
      QStringLiteral("Скрипт проходит по меню покупки CS 1.5 (buy, menuselect)"));
  BuyCommands16->setToolTip(
      QStringLiteral("Скрипт покупает прямыми командами CS 1.6 (ak47, vesthelm, primammo ...)"));
  auto* modeLayout = new QVBoxLayout(modes);
  modeLayout->setContentsMargins(0, 0, 0, 0);
  modeLayout->addWidget(BuyMenus15);
  modeLayout->addWidget(BuyCommands16);
  const BuyMode stored = settings_ ? loadBuyMode(*settings_) : kDefaultBuyMode;
  (stored == BuyMode::Menus15 ? BuyMenus15 : BuyCommands16)->setChecked(true);

  auto* weapons = new QGridLayout(GroupBox32);
  weapons->addWidget(label("Автоматы и ружья", GroupBox32), 0, 0);
  weapons->addWidget(ComboBox3, 0, 1);
  weapons->addWidget(label("Пистолеты", GroupBox32), 1, 0);
  weapons->addWidget(ComboBox4, 1, 1);
  weapons->addWidget(label("Боекомплект", GroupBox32), 2, 0);
  weapons->addWidget(ComboBox5, 2, 1);
  weapons->addWidget(CheckListBox1, 3, 0, 1, 2);
  weapons->addWidget(modes, 4, 0, 1, 2);
  weapons->setColumnStretch(1, 1);

  // ---- radio and message
  GroupBox33 = new QGroupBox(QStringLiteral("Сообщения"), this);
  GroupBox33->setObjectName(QStringLiteral("GroupBox33"));
  ComboBox8 = new QComboBox(GroupBox33);
  ComboBox8->setObjectName(QStringLiteral("ComboBox8"));
  fill(ComboBox8, kRadioPhrases);
  ComboBox8->setMaxVisibleItems(static_cast<int>(kRadioCount));
  ComboBox8->installEventFilter(this);

  mp_radio = new QWidget(GroupBox33);
  mp_radio->setObjectName(QStringLiteral("mp_radio"));
  mp_radioPlay = new QToolButton(mp_radio);
  mp_radioPlay->setObjectName(QStringLiteral("mp_radioPlay"));
  mp_radioPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
  mp_radioPlay->setToolTip(QStringLiteral("Прослушать"));
  mp_radioStop = new QToolButton(mp_radio);
  mp_radioStop->setObjectName(QStringLiteral("mp_radioStop"));
  mp_radioStop->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
  mp_radioStop->setToolTip(QStringLiteral("Остановить"));
  auto* playerLayout = new QHBoxLayout(mp_radio);
  playerLayout->setContentsMargins(0, 0, 0, 0);
  playerLayout->setSpacing(2);
  playerLayout->addWidget(mp_radioPlay);
  playerLayout->addWidget(mp_radioStop);
  setPlayerButtons(false);
  mp_radioStatus = new QLabel(GroupBox33);
  mp_radioStatus->setObjectName(QStringLiteral("mp_radioStatus"));
  mp_radioStatus->setWordWrap(true);
  QPalette statusPalette = mp_radioStatus->palette();
  statusPalette.setColor(QPalette::WindowText, Qt::darkRed);
  mp_radioStatus->setPalette(statusPalette);

  Edit3 = new QLineEdit(GroupBox33);
  Edit3->setObjectName(QStringLiteral("Edit3"));
  auto* audience = new QWidget(GroupBox33);
  RadioButton49 = new QRadioButton(QStringLiteral("Команда"), audience);
  RadioButton49->setObjectName(QStringLiteral("RadioButton49"));
  RadioButton50 = new QRadioButton(QStringLiteral("Все"), audience);
  RadioButton50->setObjectName(QStringLiteral("RadioButton50"));
  auto* audienceLayout = new QHBoxLayout(audience);
  audienceLayout->setContentsMargins(0, 0, 0, 0);
  audienceLayout->addWidget(RadioButton49);
  audienceLayout->addWidget(RadioButton50);
  audienceLayout->addStretch();
  enableMessage(false);

  auto* messages = new QGridLayout(GroupBox33);
  messages->addWidget(label("Радио:", GroupBox33), 0, 0);
  messages->addWidget(ComboBox8, 0, 1);
  messages->addWidget(mp_radio, 0, 2);
  messages->addWidget(mp_radioStatus, 1, 1, 1, 2);
  messages->addWidget(label("Свое сообщение:", GroupBox33), 2, 0);
  messages->addWidget(Edit3, 2, 1, 1, 2);
  messages->addWidget(label("Для кого:", GroupBox33), 3, 0);
  messages->addWidget(audience, 3, 1, 1, 2);
  messages->setColumnStretch(1, 1);
  mp_radioStatus->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(GroupBox32);
  layout->addWidget(GroupBox33);
  layout->addStretch();

  connect(ComboBox3, qOverload<int>(&QComboBox::activated), this, &BuyControls::primaryChosen);
  connect(ComboBox4, qOverload<int>(&QComboBox::activated), this, &BuyControls::pistolChosen);
  connect(CheckListBox1, &QListWidget::itemChanged, this, &BuyControls::equipmentChecked);
  connect(ComboBox8, qOverload<int>(&QComboBox::currentIndexChanged), this,
          &BuyControls::radioPhraseChosen);
  connect(mp_radioPlay, &QToolButton::clicked, this, &BuyControls::playRadio);
  connect(mp_radioStop, &QToolButton::clicked, this, &BuyControls::stopRadio);
  connect(RadioButton49, &QRadioButton::clicked, this, &BuyControls::teamChosen);
  connect(RadioButton50, &QRadioButton::clicked, this, &BuyControls::allChosen);
  connect(player_, &ui::SoundPlayer::failed, this, &BuyControls::onSoundFailed);
  connect(BuyMenus15, &QRadioButton::toggled, this, [this](bool on) {
    if (settings_) saveBuyMode(*settings_, on ? BuyMode::Menus15 : BuyMode::Commands16);
  });
}

BuyChoice BuyControls::choice() const {
  BuyChoice c;
  c.primary = static_cast<std::size_t>(std::max(0, ComboBox3->currentIndex()));
  c.pistol = static_cast<std::size_t>(std::max(0, ComboBox4->currentIndex()));
  c.ammo = static_cast<std::size_t>(std::max(0, ComboBox5->currentIndex()));
  for (int i = 0; i < CheckListBox1->count(); ++i)
    c.equipment[static_cast<std::size_t>(i)] = CheckListBox1->item(i)->checkState() == Qt::Checked;
  c.radio = static_cast<std::size_t>(std::max(0, ComboBox8->currentIndex()));
  c.audience = RadioButton49->isChecked()   ? Audience::Team
               : RadioButton50->isChecked() ? Audience::All
                                            : Audience::None;
  c.message = ui::fromQ(Edit3->text());
  return c;
}

BuyMode BuyControls::mode() const {
  return BuyMenus15->isChecked() ? BuyMode::Menus15 : BuyMode::Commands16;
}

void BuyControls::reset() {
  ComboBox3->setCurrentIndex(0);
  ComboBox4->setCurrentIndex(0);
  ComboBox5->setCurrentIndex(0);
  ComboBox8->setCurrentIndex(0);
  ticking_ = true;
  for (int i = 0; i < CheckListBox1->count(); ++i)
    CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
  ticking_ = false;
  CheckListBox1->setCurrentRow(-1);
  clearAudience();
  hidePicture();
}

void BuyControls::clearAudience() {
  for (QRadioButton* b : {RadioButton49, RadioButton50}) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  Edit3->clear();
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
  const int row = CheckListBox1->row(item);
  CheckListBox1->setCurrentRow(row);
  // At most one armour: the helmet includes the vest.
  ticking_ = true;
  if (row == 0) CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
  if (row == 1) CheckListBox1->item(0)->setCheckState(Qt::Unchecked);
  ticking_ = false;
  if (row >= 0 && static_cast<std::size_t>(row) < kEquipmentCount)
    showItemPicture(std::string(kEquipment[static_cast<std::size_t>(row)].name));
}

void BuyControls::showItemPicture(const std::string& pictureName) {
  const std::string file = "weapon_" + pictureName + ".jpg";
  const std::string path = core::resolveDataPath(programDir_, "dlls\\cvardll\\guns\\" + file);
  if (!core::fileExists(path)) {
    hidePicture();
    ui::showError(window(), QStringLiteral("Ненайден файл соответствующий значению!"));
    return;
  }
  const ui::JpegResult picture = ui::loadJpegFile(path);
  if (!picture.ok()) {
    hidePicture();
    ui::showError(window(), QStringLiteral("Картинка повреждена и не может быть показана: ") +
                                ui::fromUtf8(file));
    return;
  }
  Image2->setPixmap(QPixmap::fromImage(picture.image.scaled(
      kPictureWidth, kPictureHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  Image2->show();
}

void BuyControls::hidePicture() {
  Image2->clear();
  Image2->hide();
}

void BuyControls::setPlayerButtons(bool enabled) {
  mp_radioPlay->setEnabled(enabled);
  mp_radioStop->setEnabled(enabled);
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
  mp_radioStatus->setText(text);
  mp_radioStatus->setVisible(!text.isEmpty());
}

void BuyControls::playOnEnter() {
  const int index = ComboBox8->currentIndex();
  if (index <= 0 || static_cast<std::size_t>(index) >= kRadioCount) return;
  if (kRadioPhrases[static_cast<std::size_t>(index)].name.empty()) return;
  if (mp_radioPlay->isEnabled() || mp_radioStop->isEnabled()) player_->play();
}

bool BuyControls::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ComboBox8 && event->type() == QEvent::KeyPress) {
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
  Edit3->setEnabled(enabled);
  QPalette p = Edit3->palette();
  p.setColor(QPalette::Base,
             enabled ? palette().color(QPalette::ToolTipBase) : palette().color(QPalette::Button));
  Edit3->setPalette(p);
}

void BuyControls::teamChosen() { enableMessage(true); }

void BuyControls::allChosen() { enableMessage(true); }

}  // namespace brindle::wizard
