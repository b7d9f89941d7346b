#include "wizard/windows/SettingsPages.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/Codec.h"
#include "ui/FontColorPrint.h"
#include "ui/SpinField.h"

namespace brindle::wizard {
namespace {

// The connection list (item texts as the page shows them; the rates are in the logic).
const std::array<const char*, 9> kConnectionTexts = {"Никакое",
                                                     "14.4 kb. модем ------> 1500",
                                                     "28.8 kb. модем ------> 2500",
                                                     "33.6 kb. модем ------> 3400",
                                                     "56 kb. модем    ------> 4200",
                                                     "ISDN                  ------> 5000",
                                                     "Кабельное соед. ---> 6000",
                                                     "xDSL/T1 и выше ---> 9000",
                                                     "LAN                  ------> 20000"};

// The net graph position list: item text and the net_graphpos value it writes.
const std::array<std::pair<const char*, char>, 3> kGraphPositions = {{
    {"Снизу, по центру", '2'},
    {"Снизу, с левой стороны", '0'},
    {"Снизу, с правой стороны", '1'},
}};

QString u8(const char* text) { return QString::fromUtf8(text); }

QColor colourOf(std::string_view value) {
  const auto rgb = parseColour(value);
  return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor(Qt::black);
}

QLabel* label(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return l;
}

QVBoxLayout* pageLayout(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(8);
  return layout;
}

// Free text without a double quote, which would end the value inside the config line.
void refuseQuotes(QLineEdit* edit) {
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), edit));
}

}  // namespace

SettingsPages::SettingsPages(const std::array<QWidget*, 7>& pages, QObject* parent)
    : QObject(parent), customColour_(colourOf(kDefaultConsoleColour)) {
  buildMainPage(pages[0]);
  buildVideoPage(pages[1]);
  buildClientPage(pages[2]);
  buildTimePage(pages[3]);
  buildTeamPage(pages[4]);
  buildServerPage(pages[5]);
  buildConnectionPage(pages[6]);
  netGraphPositionOff();
}

// ================================================================================ building

QWidget* SettingsPages::question(const QString& text, Field field,
                                 std::initializer_list<std::tuple<int, QString, char>> buttons) {
  auto* frame = new QFrame;
  frame->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(8, 4, 8, 4);
  layout->setSpacing(2);
  layout->addWidget(label(text, frame));
  auto* row = new QHBoxLayout;
  row->setSpacing(16);
  SwitchRow sw{field, new QButtonGroup(frame), {}, new QLabel(frame)};
  for (const auto& [number, caption, value] : buttons) {
    auto* b = new QRadioButton(caption, frame);
    b->setObjectName(QStringLiteral("RadioButton%1").arg(number));
    sw.group->addButton(b);
    sw.buttons.emplace_back(value, b);
    row->addWidget(b);
  }
  sw.fileValue->setObjectName(QStringLiteral("FileValue_%1").arg(ui::toQ(fieldInfo(field).name)));
  sw.fileValue->setEnabled(false);
  sw.fileValue->hide();
  row->addWidget(sw.fileValue);
  row->addStretch();
  layout->addLayout(row);
  switches_.push_back(std::move(sw));
  return frame;
}

ui::SpinField* SettingsPages::spinField(int number, Field field, int start) {
  const FieldInfo& info = fieldInfo(field);
  auto* s = new ui::SpinField(static_cast<int>(info.minimum), static_cast<int>(info.maximum));
  s->setObjectName(QStringLiteral("SpinEdit%1").arg(number));
  s->setText(QString::number(start));
  // Any number may be typed; one the row cannot hold (a fraction where the game takes whole
  // numbers) is refused with a message when applied, never altered while typed.
  s->setFractions(true);
  numberFields_.emplace_back(field, s);
  return s;
}

void SettingsPages::buildMainPage(QWidget* page) {
  auto* layout = pageLayout(page);
  auto* top = new QGridLayout;
  auto* nameLabel = new QLabel(u8("Ваше имя или ник"), page);
  nameEdit_ = new QLineEdit(page);
  nameEdit_->setObjectName(QStringLiteral("Edit1"));
  QFont bold = nameEdit_->font();
  bold.setBold(true);
  nameEdit_->setFont(bold);
  refuseQuotes(nameEdit_);
  nameLabel->setBuddy(nameEdit_);
  auto* colourLabel = new QLabel(u8("Цвет текста консоли"), page);
  consoleColour_ = new QComboBox(page);
  consoleColour_->setObjectName(QStringLiteral("ColorBox1"));
  for (const ColourItem& item : kColourItems)
    consoleColour_->addItem(ui::swatch(item.value.empty() ? customColour_ : colourOf(item.value)),
                            ui::toQ(item.entry));
  colourLabel->setBuddy(consoleColour_);
  top->addWidget(nameLabel, 0, 0);
  top->addWidget(nameEdit_, 1, 0);
  top->addWidget(colourLabel, 0, 1);
  top->addWidget(consoleColour_, 1, 1);
  top->setColumnStretch(0, 1);
  top->setColumnStretch(1, 1);
  top->setHorizontalSpacing(16);
  layout->addLayout(top);

  auto* grid = new QGridLayout;
  grid->setSpacing(6);
  const QString yes = u8("Да"), no = u8("Нет");
  grid->addWidget(question(u8("Какую руку использовать для стрельбы?"), Field::Lefthand,
                           {{1, u8("Правую"), '0'}, {2, u8("Левую"), '1'}}),
                  0, 0);
  grid->addWidget(
      question(u8("Использовать авто-помощь?"), Field::AutoHelp, {{3, yes, '1'}, {4, no, '0'}}), 0,
      1);
  grid->addWidget(question(u8("Какие меню использовать?"), Field::VguiMenus,
                           {{5, u8("Графические"), '1'}, {6, u8("Текстовые"), '0'}}),
                  1, 0);
  grid->addWidget(question(u8("Показывать описание карты?"), Field::MapDescription,
                           {{9, yes, '1'}, {10, no, '0'}}),
                  1, 1);
  grid->addWidget(
      question(u8("Показывать оружие?"), Field::DrawViewModel, {{7, yes, '1'}, {8, no, '0'}}), 2,
      0);
  grid->addWidget(question(u8("Показывать радар?"), Field::Radar, {{13, yes, '1'}, {14, no, '0'}}),
                  2, 1);
  grid->addWidget(
      question(u8("Где отображать информацию об игроке, при наведении на него?"), Field::CenterId,
               {{11, u8("По центру"), '1'}, {12, u8("В нижнем левом углу"), '0'}}),
      3, 0);
  grid->addWidget(question(u8("Какой прицел использовать?"), Field::SpriteBlend,
                           {{15, u8("Жирный"), '0'}, {16, u8("Нормальный"), '1'}}),
                  3, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);
  layout->addStretch();

  connect(consoleColour_, &QComboBox::activated, this, &SettingsPages::consoleColorChosen);
}

void SettingsPages::buildVideoPage(QWidget* page) {
  auto* layout = pageLayout(page);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(4);
  struct Row {
    const char* caption;
    int number;
    Field field;
    int start;
    const char* note;
  };
  const Row rows[] = {
      {"Реализм дымовых спрайтов.", 2, Field::FastSprites, 1, "0 - отлично, 1 - норма, 2 - плохо"},
      {"Количество дымовых спрайтов за раз.", 3, Field::SmokePuffs, 300,
       "<300 - для слабых видюх,  >300 - для мощных"},
      {"Максимальное количество видимых патронов.", 1, Field::Shells, 300,
       "1 - минимум, 500 - максимум"},
      {"Следы от пуль, от крови и др.", 4, Field::Decals, 300,
       "<300 - для слабых видюх,  >300 - для мощных"},
  };
  int r = 0;
  for (const Row& row : rows) {
    auto* caption = label(u8(row.caption), page);
    ui::SpinField* field = spinField(row.number, row.field, row.start);
    caption->setBuddy(field);
    auto* note = new QLabel(u8(row.note), page);
    note->setEnabled(false);
    grid->addWidget(caption, r, 0, 1, 2);
    grid->addWidget(field, r + 1, 0);
    grid->addWidget(note, r + 1, 1);
    r += 2;
  }
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  QWidget* graph = question(u8("Показывать NetGraph, если да то где?"), Field::NetGraph,
                            {{40, u8("Нет"), '0'}, {39, u8("Да"), '1'}});
  netGraphPosition_ = new QComboBox(graph);
  netGraphPosition_->setObjectName(QStringLiteral("ComboBox2"));
  for (const auto& [text, value] : kGraphPositions) netGraphPosition_->addItem(u8(text));
  netGraphPosition_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  netGraphPosition_->setCurrentIndex(-1);
  auto* graphRow = qobject_cast<QHBoxLayout*>(graph->layout()->itemAt(1)->layout());
  graphRow->insertWidget(graphRow->count() - 1, netGraphPosition_);
  layout->addWidget(graph);
  layout->addWidget(question(u8("Включить равномерное освещение и выключить тени?"),
                             Field::MonoLights, {{41, u8("Да"), '1'}, {42, u8("Нет"), '0'}}));
  layout->addStretch();

  connect(button(Field::NetGraph, '1'), &QRadioButton::toggled, this, [this](bool on) {
    if (on) netGraphPositionOn();
  });
  connect(button(Field::NetGraph, '0'), &QRadioButton::toggled, this, [this](bool on) {
    if (on) netGraphPositionOff();
  });
}

void SettingsPages::buildClientPage(QWidget* page) {
  auto* layout = pageLayout(page);
  auto* grid = new QGridLayout;
  grid->setSpacing(6);
  const QString yes = u8("Да"), no = u8("Нет");
  grid->addWidget(question(u8("Показывать прицел в режиме Observer (наблюдатель)?"),
                           Field::ObserverCrosshair, {{19, yes, '1'}, {20, no, '0'}}),
                  0, 0);
  grid->addWidget(question(u8("Видеть убитых игроков в режиме Observer (наблюдатель)?"),
                           Field::Ghosts, {{21, yes, '1'}, {22, no, '0'}}),
                  0, 1);
  grid->addWidget(question(u8("Менять цвет прицела при новой игре?"), Field::AdjustCrosshair,
                           {{25, yes, '1'}, {26, no, '0'}}),
                  1, 0);
  grid->addWidget(
      question(u8("Покачиваться при движении?"), Field::Bob, {{27, yes, '1'}, {28, no, '0'}}), 1,
      1);
  grid->addWidget(question(u8("Использовать быструю смену оружия?"), Field::FastSwitch,
                           {{29, yes, '1'}, {30, no, '0'}}),
                  2, 0);
  grid->addWidget(question(u8("Усилить звуковые эффекты воды?"), Field::WaterAmp,
                           {{43, yes, '1'}, {44, no, '0'}}),
                  2, 1);
  grid->addWidget(question(u8("Сглаживать движения мыши?"), Field::MouseFilter,
                           {{23, yes, '1'}, {24, no, '0'}}),
                  3, 0);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  auto* numbers = new QGridLayout;
  numbers->setHorizontalSpacing(8);
  auto* mouse = new QLabel(u8("Чувствительность мышки и оптики:"), page);
  ui::SpinField* sensitivity = spinField(6, Field::Sensitivity, 5);
  mouse->setBuddy(sensitivity);
  numbers->addWidget(mouse, 0, 0);
  numbers->addWidget(sensitivity, 0, 1);
  numbers->addWidget(spinField(7, Field::ZoomSensitivity, 2), 0, 2);
  auto* console = new QLabel(u8("Скорость выпадания консоли:"), page);
  ui::SpinField* speed = spinField(8, Field::ConsoleSpeed, 600);
  console->setBuddy(speed);
  numbers->addWidget(console, 1, 0);
  numbers->addWidget(speed, 1, 1);
  numbers->setColumnStretch(3, 1);
  layout->addLayout(numbers);
  layout->addStretch();
}

void SettingsPages::buildTimePage(QWidget* page) {
  auto* layout = pageLayout(page);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(10);
  struct Row {
    const char* caption;
    int number;  // 0: the buy time edit
    Field field;
    int start;
    const char* unit;
  };
  const Row rows[] = {
      {"Время одного раунда:", 9, Field::RoundTime, 5, "мин."},
      {"Время до взрыва C4:", 10, Field::C4Timer, 1, "сек."},
      {"Начальное время остолбенения:", 11, Field::FreezeTime, 1, "сек."},
      {"Время между сменой карты:", 12, Field::TimeLimit, 0, "мин."},
      {"Время на покупку оружия:", 0, Field::BuyTime, 0, "мин."},
      {"Время до рестарта игры:", 14, Field::RestartRound, 0, "сек."},
      {"Кол-во побед для смены карты:", 15, Field::WinLimit, 0, "побед."},
  };
  int r = 0;
  for (const Row& row : rows) {
    auto* caption = new QLabel(u8(row.caption), page);
    QWidget* field = nullptr;
    if (row.number == 0) {
      buyTimeEdit_ = new QLineEdit(QStringLiteral("1.5"), page);
      buyTimeEdit_->setObjectName(QStringLiteral("Edit2"));
      buyTimeEdit_->setFixedWidth(numberFields_.front().second->sizeHint().width());
      refuseQuotes(buyTimeEdit_);
      field = buyTimeEdit_;
    } else {
      field = spinField(row.number, row.field, row.start);
      if (row.field == Field::TimeLimit) mapTime_ = static_cast<ui::SpinField*>(field);
    }
    caption->setBuddy(field);
    grid->addWidget(caption, r, 0);
    grid->addWidget(field, r, 1);
    grid->addWidget(new QLabel(u8(row.unit), page), r, 2);
    if (row.field == Field::TimeLimit) {
      auto* rounds = new QHBoxLayout;
      rounds->setSpacing(8);
      rounds->addWidget(new QLabel(u8("или"), page));
      mapRounds_ = spinField(13, Field::MaxRounds, 0);
      rounds->addWidget(mapRounds_);
      rounds->addWidget(new QLabel(u8("раундов."), page));
      rounds->addStretch();
      grid->addLayout(rounds, r, 3);
    }
    ++r;
  }
  grid->setColumnStretch(3, 1);
  layout->addLayout(grid);
  layout->addStretch();

  connect(mapTime_, &ui::SpinField::userChanged, this, &SettingsPages::mapTimeChanged);
  connect(mapRounds_, &ui::SpinField::userChanged, this, &SettingsPages::mapRoundsChanged);
}

void SettingsPages::buildTeamPage(QWidget* page) {
  auto* layout = pageLayout(page);
  const QString yes = u8("Да"), no = u8("Нет");
  layout->addWidget(question(u8("Разрешить стрельбу по своим?"), Field::FriendlyFire,
                             {{31, yes, '1'}, {32, no, '0'}}));
  layout->addWidget(question(u8("Разрешить автовыкидывание убийц своих друзей по команде?"),
                             Field::AutoKick, {{33, yes, '1'}, {34, no, '0'}}));
  struct Row {
    const char* caption;
    int number;
    Field field;
    const char* unit;
  };
  const Row rows[] = {
      {"Допустимая разница в кол-ве игроков между обеими командами.", 16, Field::LimitTeams,
       "игроков."},
      {"Макс. кол-во убитых заложников, после чего игрок будет выкинут.", 17, Field::HostagePenalty,
       "заложников."},
  };
  for (const Row& row : rows) {
    auto* frame = new QFrame(page);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(frame);
    v->setContentsMargins(8, 4, 8, 4);
    auto* caption = label(u8(row.caption), frame);
    ui::SpinField* field = spinField(row.number, row.field, 0);
    caption->setBuddy(field);
    auto* h = new QHBoxLayout;
    h->addWidget(field);
    h->addWidget(new QLabel(u8(row.unit), frame));
    h->addStretch();
    v->addWidget(caption);
    v->addLayout(h);
    layout->addWidget(frame);
  }
  layout->addWidget(question(
      u8("Разрешить следить, в режиме Observer, только за своими игроками?"), Field::ForceChaseCam,
      {{35, yes, '1'}, {36, u8("За всеми"), '0'}, {51, u8("Ни за кем"), '2'}}));
  layout->addStretch();
}

void SettingsPages::buildServerPage(QWidget* page) {
  auto* layout = pageLayout(page);
  const QString yes = u8("Да"), no = u8("Нет");
  layout->addWidget(question(u8("Включать черный экран после смерти игрока?"), Field::FadeToBlack,
                             {{37, yes, '1'}, {38, no, '0'}}));
  layout->addWidget(
      question(u8("Использовать фонарики?"), Field::Flashlight, {{45, yes, '1'}, {46, no, '0'}}));
  layout->addWidget(question(u8("Хотите ли Вы слышать звук шагов?"), Field::Footsteps,
                             {{47, yes, '1'}, {48, no, '0'}}));
  auto* money = new QFrame(page);
  money->setFrameShape(QFrame::StyledPanel);
  auto* v = new QVBoxLayout(money);
  v->setContentsMargins(8, 4, 8, 4);
  auto* caption = label(u8("Начальное кол-во денег, в новом раунде."), money);
  ui::SpinField* field = spinField(18, Field::StartMoney, 800);
  caption->setBuddy(field);
  auto* h = new QHBoxLayout;
  h->addWidget(field);
  h->addStretch();
  v->addWidget(caption);
  v->addLayout(h);
  layout->addWidget(money);
  layout->addStretch();
}

void SettingsPages::buildConnectionPage(QWidget* page) {
  auto* layout = pageLayout(page);
  auto* frame = new QFrame(page);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(8, 6, 8, 8);
  grid->addWidget(label(u8("Какое соединение вы используете?"), frame), 0, 0, 1, 3);
  auto* group = new QButtonGroup(frame);
  presetConnection_ = new QRadioButton(frame);
  presetConnection_->setObjectName(QStringLiteral("RadioButton17"));
  ownConnection_ = new QRadioButton(frame);
  ownConnection_->setObjectName(QStringLiteral("RadioButton18"));
  group->addButton(presetConnection_);
  group->addButton(ownConnection_);
  connection_ = new QComboBox(frame);
  connection_->setObjectName(QStringLiteral("ComboBox1"));
  for (const char* text : kConnectionTexts) connection_->addItem(u8(text));
  connection_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connection_->setCurrentIndex(0);
  ownRate_ = new ui::SpinField(static_cast<int>(fieldInfo(Field::Rate).minimum),
                               static_cast<int>(fieldInfo(Field::Rate).maximum), 100, frame);
  ownRate_->setObjectName(QStringLiteral("SpinEdit5"));
  ownRate_->setText(QStringLiteral("0"));
  ownRate_->setFractions(true);
  grid->addWidget(presetConnection_, 1, 0);
  grid->addWidget(connection_, 1, 1);
  grid->addWidget(ownConnection_, 2, 0);
  grid->addWidget(ownRate_, 2, 1, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  layout->addWidget(frame);
  layout->addStretch();

  auto* applyButton = new QPushButton(u8("Применить настройки"), page);
  applyButton->setObjectName(QStringLiteral("Button8"));
  QFont bold = applyButton->font();
  bold.setBold(true);
  applyButton->setFont(bold);
  applyButton->setMinimumWidth(applyButton->sizeHint().width() + 24);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(applyButton);
  layout->addLayout(buttons);

  presetConnection_->setChecked(true);
  presetConnectionChosen();
  connect(presetConnection_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) presetConnectionChosen();
  });
  connect(ownConnection_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) ownRateChosen();
  });
  connect(applyButton, &QPushButton::clicked, this, &SettingsPages::applyRequested);
}

// ================================================================================ handlers

void SettingsPages::netGraphPositionOn() { netGraphPosition_->setEnabled(true); }
void SettingsPages::netGraphPositionOff() { netGraphPosition_->setEnabled(false); }
void SettingsPages::netGraphPositionFollowsSwitch() {
  netGraphPosition_->setEnabled(button(Field::NetGraph, '1')->isChecked());
}

QRadioButton* SettingsPages::button(Field field, char value) const {
  for (const SwitchRow& row : switches_)
    if (row.field == field)
      for (const auto& [choice, b] : row.buttons)
        if (choice == value) return b;
  return nullptr;
}

void SettingsPages::presetConnectionChosen() {
  ownRate_->setEnabled(false);
  connection_->setEnabled(true);
}

void SettingsPages::ownRateChosen() {
  ownRate_->setEnabled(true);
  connection_->setEnabled(false);
}

void SettingsPages::mapTimeChanged() { mapRounds_->setText(QStringLiteral("0")); }
void SettingsPages::mapRoundsChanged() { mapTime_->setText(QStringLiteral("0")); }

void SettingsPages::consoleColorChosen(int index) {
  if (index != 0) return;
  // "Custom...": the colour dialog; cancelled, the custom colour stays as it was.
  if (const auto chosen = ui::chooseColor(consoleColour_->window(), customColour_))
    setCustomColour(*chosen);
}

void SettingsPages::setCustomColour(const QColor& colour) {
  customColour_ = colour;
  consoleColour_->setItemIcon(0, ui::swatch(colour));
}

// ================================================================================ state

void SettingsPages::reset() {
  nameEdit_->clear();
  loadedName_.clear();
  buyTimeEdit_->clear();
  for (const auto& [field, spin] : numberFields_) {
    spin->setText({});
    spin->setToolTip({});
  }
  ownRate_->setText(QStringLiteral("0"));
  for (SwitchRow& row : switches_) {
    // A checked button of an exclusive group cannot be unchecked on its own.
    row.group->setExclusive(false);
    for (auto& [value, b] : row.buttons) b->setChecked(false);
    row.group->setExclusive(true);
    row.fileValue->clear();
    row.fileValue->hide();
  }
  presetConnection_->setChecked(true);
  connection_->setCurrentIndex(0);
  netGraphPosition_->setCurrentIndex(-1);
  consoleColour_->setCurrentIndex(0);
  setCustomColour(colourOf(kDefaultConsoleColour));
}

void SettingsPages::show(const SettingsValues& v,
                         const std::array<std::string, kFieldCount>& fileValues) {
  loadedName_ = v[Field::Name];
  nameEdit_->setText(ui::fromUtf8(nameForDisplay(v[Field::Name])));
  buyTimeEdit_->setText(ui::toQ(v[Field::BuyTime]));
  for (const auto& [field, spin] : numberFields_) {
    spin->setText(ui::toQ(v[field]));
    const std::string& inFile = fileValues[static_cast<std::size_t>(field)];
    spin->setToolTip(inFile.empty() ? QString() : ui::fromUtf8(fileValueHint(inFile)));
  }
  for (const SwitchRow& row : switches_) {
    const std::string& value = v[row.field];
    for (const auto& [choice, b] : row.buttons)
      if (value.size() == 1 && value[0] == choice) b->setChecked(true);
    const std::string& inFile = fileValues[static_cast<std::size_t>(row.field)];
    if (value.empty() && !inFile.empty()) {
      row.fileValue->setText(ui::fromUtf8(fileValueHint(inFile)));
      row.fileValue->show();
    }
  }
  const std::string& position = v[Field::NetGraphPosition];
  for (std::size_t i = 0; i < kGraphPositions.size(); ++i)
    if (position.size() == 1 && position[0] == kGraphPositions[i].second)
      netGraphPosition_->setCurrentIndex(static_cast<int>(i));

  const std::string& colour = v[Field::ConsoleColor];
  if (!colour.empty()) {
    const int item = colourItemOf(colour);
    consoleColour_->setCurrentIndex(item);
    if (item == 0) setCustomColour(colourOf(colour));
  }

  const std::string& rate = v[Field::Rate];
  const int item = connectionItemOf(rate);
  if (rate.empty() || item > 0) {
    presetConnection_->setChecked(true);
    connection_->setCurrentIndex(std::max(item, 0));
  } else {
    ownRate_->setText(ui::toQ(rate));
    ownConnection_->setChecked(true);
  }
}

SettingsValues SettingsPages::values() const {
  SettingsValues v;
  // An untouched name keeps its bytes; an edited one is written in the name's own encoding.
  const std::string name = ui::toUtf8(nameEdit_->text());
  v[Field::Name] =
      name == nameForDisplay(loadedName_) ? loadedName_ : nameForFile(name, loadedName_);
  v[Field::BuyTime] = ui::fromQ(buyTimeEdit_->text());
  for (const auto& [field, spin] : numberFields_) v[field] = ui::fromQ(spin->text());
  for (const SwitchRow& row : switches_)
    for (const auto& [choice, b] : row.buttons)
      if (b->isChecked()) v[row.field] = std::string(1, choice);
  const int position = netGraphPosition_->currentIndex();
  if (position >= 0)
    v[Field::NetGraphPosition] =
        std::string(1, kGraphPositions[static_cast<std::size_t>(position)].second);

  const int colour = consoleColour_->currentIndex();
  v[Field::ConsoleColor] =
      colour > 0 ? std::string(kColourItems[static_cast<std::size_t>(colour)].value)
                 : formatColour({customColour_.red(), customColour_.green(), customColour_.blue()});

  if (ownConnection_->isChecked())
    v[Field::Rate] = ui::fromQ(ownRate_->text());
  else
    v[Field::Rate] =
        kConnectionRates[static_cast<std::size_t>(std::max(connection_->currentIndex(), 0))];
  return v;
}

}  // namespace brindle::wizard
