#include "wizard/windows/KeyPages.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "binds/windows/KeyDialog.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"
#include "wizard/logic/ConfigFiles.h"
#include "wizard/logic/LoadingPass.h"
#include "wizard/logic/WizardText.h"
#include "wizard/windows/BuyControls.h"

namespace brindle::wizard {

namespace {

const QString kReassignQuestion =
    QStringLiteral("Вы действительно хотите переназначить выбранную клавишу?");

// Wide enough for the longest key name, "KP_RIGHTARROW".
constexpr int kActionButtonWidth = 112;

QString utf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::size_t indexOf(std::string_view button) {
  return static_cast<std::size_t>(findKeyAction(button) - kKeyActions.data());
}

// Refills a key list; the entry shown before stays shown when it is still listed.
void refill(QComboBox* box, const std::vector<std::string>& keys) {
  const QString shown = box->currentText();
  const QSignalBlocker quiet(box);
  box->clear();
  for (const std::string& k : keys) box->addItem(ui::toQ(k));
  box->setCurrentIndex(shown.isEmpty() ? -1 : box->findText(shown, Qt::MatchExactly));
}

}  // namespace

KeyPages::KeyPages(KeyPagesHost& host, QWidget* page9, QWidget* page10, QWidget* page11,
                   QObject* parent)
    : QObject(parent), host_(host) {
  setObjectName(QStringLiteral("KeyPages"));
  buildMovePage(page9);
  buildActionsPage(page10);
  buildRadioPage(page11);
  for (std::size_t i = 0; i < kKeyActionCount; ++i)
    connect(actionButtons_[i], &QPushButton::clicked, this, [this, i] { assignAction(i); });
}

QString KeyPages::stepCaption(int pageIndex) {
  switch (pageIndex) {
    case kMovePage:
      return QStringLiteral("Клавиши движения, покупки и сообщений");
    case kActionsPage:
      return QStringLiteral("Клавиши других действий");
    case kRadioPage:
      return QStringLiteral("Клавиши радио и сообщений");
    default:
      return {};
  }
}

QPushButton* KeyPages::makeActionButton(std::size_t action, QWidget* parent) {
  auto* b = new QPushButton(parent);
  b->setObjectName(utf8(kKeyActions[action].button));
  b->setFixedWidth(kActionButtonWidth);
  b->setAutoDefault(false);
  actionButtons_[action] = b;
  return b;
}

void KeyPages::buildMovePage(QWidget* page) {
  // The movement cross: forward above, left, back and right below.
  auto* moveGroup = new QGroupBox(QStringLiteral("Кнопки движения:"), page);
  moveGroup->setObjectName(QStringLiteral("GroupBox1"));
  auto* cross = new QGridLayout(moveGroup);
  cross->addWidget(makeActionButton(indexOf("Button4"), moveGroup), 0, 1);
  cross->addWidget(makeActionButton(indexOf("Button5"), moveGroup), 1, 0);
  cross->addWidget(makeActionButton(indexOf("Button6"), moveGroup), 1, 1);
  cross->addWidget(makeActionButton(indexOf("Button7"), moveGroup), 1, 2);

  auto* keys = new QGroupBox(QStringLiteral("Скрипт на одну клавишу"), page);
  keys->setObjectName(QStringLiteral("GroupBox34"));
  freeKeys_ = new QComboBox(keys);
  freeKeys_->setObjectName(QStringLiteral("ComboBox6"));
  bindFreeButton_ = new QToolButton(keys);
  bindFreeButton_->setObjectName(QStringLiteral("SpeedButton1"));
  usedKeys_ = new QComboBox(keys);
  usedKeys_->setObjectName(QStringLiteral("ComboBox7"));
  bindUsedButton_ = new QToolButton(keys);
  bindUsedButton_->setObjectName(QStringLiteral("SpeedButton2"));
  for (QToolButton* b : {bindFreeButton_, bindUsedButton_}) {
    b->setText(QStringLiteral("BIND"));
    b->setAutoRaise(true);
    b->setEnabled(false);
  }
  for (QComboBox* c : {freeKeys_, usedKeys_}) c->setMaxVisibleItems(20);
  auto* keyGrid = new QGridLayout(keys);
  keyGrid->addWidget(new QLabel(QStringLiteral("Выберите клавишу и нажмите <BIND>"), keys), 0, 0, 1,
                     2);
  keyGrid->addWidget(freeKeys_, 1, 0);
  keyGrid->addWidget(bindFreeButton_, 1, 1);
  keyGrid->addWidget(new QLabel(QStringLiteral("Использованные клавиши"), keys), 2, 0, 1, 2);
  keyGrid->addWidget(usedKeys_, 3, 0);
  keyGrid->addWidget(bindUsedButton_, 3, 1);
  keyGrid->setColumnStretch(0, 1);

  auto* otherKeysNote = new QLabel(page);
  otherKeysNote->setObjectName(QStringLiteral("Label42"));
  otherKeysNote->setWordWrap(true);
  otherKeysNote->setText(
      QStringLiteral("Для конфигурации других клавиш\nвоспользуйтесь самой программой\n"
                     "Brindle for Counter-Strike"));

  buy_ = new BuyControls(
      host_.programDir(), host_.settings(), [this] { return host_.wizardDirectory(); }, page);

  auto* left = new QVBoxLayout;
  left->addWidget(moveGroup);
  left->addWidget(keys);
  left->addWidget(buy_->pictureFrame(), 0, Qt::AlignHCenter);
  left->addWidget(otherKeysNote);
  left->addStretch();
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addWidget(buy_, 1);

  connect(freeKeys_, &QComboBox::currentTextChanged, this,
          [this](const QString& t) { bindFreeButton_->setEnabled(!t.isEmpty()); });
  connect(usedKeys_, &QComboBox::currentTextChanged, this,
          [this](const QString& t) { bindUsedButton_->setEnabled(!t.isEmpty()); });
  connect(bindFreeButton_, &QToolButton::clicked, this, &KeyPages::bindFreeKey);
  connect(bindUsedButton_, &QToolButton::clicked, this, &KeyPages::bindUsedKey);
}

void KeyPages::buildActionsPage(QWidget* page) {
  // Buttons with their labels, in columns; a group box gathers the rows of one group.
  auto* columns = new QHBoxLayout(page);
  QGridLayout* rows = nullptr;
  QGroupBox* group = nullptr;
  std::string_view groupName;
  int row = 0;
  int groupRow = 0;
  const auto newColumn = [&] {
    auto* column = new QVBoxLayout;
    columns->addLayout(column);
    rows = new QGridLayout;
    column->addLayout(rows);
    column->addStretch();
    group = nullptr;
    groupName = {};
    row = 0;
  };
  const auto place = [&](const char* button) {
    const std::size_t i = indexOf(button);
    const KeyAction& a = kKeyActions[i];
    QWidget* parent = page;
    QGridLayout* target = rows;
    if (!a.group.empty()) {
      if (group == nullptr || groupName != a.group) {
        group = new QGroupBox(utf8(a.group), page);
        groupName = a.group;
        group->setLayout(new QGridLayout);
        rows->addWidget(group, row++, 0, 1, 2);
        groupRow = 0;
      }
      parent = group;
      target = static_cast<QGridLayout*>(group->layout());
    } else {
      group = nullptr;
      groupName = {};
    }
    const int r = target == rows ? row++ : groupRow++;
    target->addWidget(new QLabel(utf8(a.label), parent), r, 0);
    target->addWidget(makeActionButton(i, parent), r, 1);
  };

  newColumn();
  for (const char* b : {"Button9", "Button10", "Button11", "Button12", "Button13", "Button14",
                        "Button15", "Button16", "Button31", "Button32", "Button33"})
    place(b);
  newColumn();
  for (const char* b : {"Button17", "Button18", "Button19", "Button20", "Button21", "Button22",
                        "Button23", "Button24", "Button25", "Button26", "Button34", "Button35"})
    place(b);
  newColumn();
  for (const char* b : {"Button27", "Button28", "Button29", "Button30", "Button41", "Button36",
                        "Button37", "Button38", "Button39", "Button40", "Button42", "Button43"})
    place(b);
}

void KeyPages::buildRadioPage(QWidget* page) {
  auto* radio = new QGroupBox(QStringLiteral("Радио и сообщения"), page);
  radio->setObjectName(QStringLiteral("GroupBox35"));
  auto* radioRows = new QGridLayout(radio);
  int r = 0;
  for (const char* b : {"Button44", "Button45", "Button46", "Button47", "Button48"}) {
    const std::size_t i = indexOf(b);
    radioRows->addWidget(new QLabel(utf8(kKeyActions[i].label), radio), r, 0);
    radioRows->addWidget(makeActionButton(i, radio), r++, 1);
  }

  auto* metabinds = new QGroupBox(QStringLiteral("Вставка МетаБиндов (MetaBinds)"), page);
  metabinds->setObjectName(QStringLiteral("GroupBox36"));
  auto* metaBindsButton = new QPushButton(QStringLiteral("MetaBinds"), metabinds);
  metaBindsButton->setObjectName(QStringLiteral("Button49"));
  auto* metaLayout = new QHBoxLayout(metabinds);
  metaLayout->addWidget(metaBindsButton);
  metaLayout->addStretch();

  auto* applyNote = new QLabel(page);
  applyNote->setObjectName(QStringLiteral("Label83"));
  applyNote->setText(
      QStringLiteral("Все изменения настройки клавиш и вставка МетаБиндов\n"
                     "вступят в действия после нажатия \"Применить настройки\""));
  auto* applyButton = new QPushButton(QStringLiteral("Применить настройки"), page);
  applyButton->setObjectName(QStringLiteral("Button50"));
  for (QPushButton* b : {metaBindsButton, applyButton}) b->setAutoDefault(false);

  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  top->addWidget(radio);
  top->addStretch();
  layout->addLayout(top);
  layout->addWidget(metabinds);
  layout->addStretch();
  layout->addWidget(applyNote);
  auto* apply = new QHBoxLayout;
  apply->addStretch();
  apply->addWidget(applyButton);
  layout->addLayout(apply);

  connect(metaBindsButton, &QPushButton::clicked, this, &KeyPages::openMetaBinds);
  connect(applyButton, &QPushButton::clicked, this, &KeyPages::applySettings);
}

void KeyPages::takeLoadingResult(const LoadingResult& result) {
  takeKeyLists(state_, result);
  showState();
  if (result.settingsRead) {
    bindFreeButton_->setEnabled(false);
    bindUsedButton_->setEnabled(false);
  }
}

void KeyPages::resetForNewFile() {
  clearAudience();
  clearUsedKeys();
}

void KeyPages::clearAudience() { buy_->clearAudience(); }

void KeyPages::clearUsedKeys() {
  state_.usedKeys.clear();
  refill(usedKeys_, state_.usedKeys);
  bindUsedButton_->setEnabled(false);
}

void KeyPages::pageShown(int pageIndex) {
  if (pageIndex == kMovePage) setMoveHints();
}

void KeyPages::setMoveHints() {
  for (const char* b : {"Button4", "Button5", "Button6", "Button7"}) {
    QPushButton* button = actionButtons_[indexOf(b)];
    button->setToolTip(button->text());
  }
}

void KeyPages::showState() {
  for (std::size_t i = 0; i < kKeyActionCount; ++i)
    actionButtons_[i]->setText(ui::toQ(state_.captions[i]));
  refill(freeKeys_, state_.freeKeys);
  refill(usedKeys_, state_.usedKeys);
  bindFreeButton_->setEnabled(!freeKeys_->currentText().isEmpty());
  bindUsedButton_->setEnabled(!usedKeys_->currentText().isEmpty());
}

void KeyPages::assignAction(std::size_t action) {
  binds::KeyDialog* dialog = host_.keyDialog();
  if (dialog == nullptr || action >= kKeyActionCount) return;
  const int page = host_.currentPage();
  dialog->setSlotNumber(0);
  dialog->keyChoiceCheck = [this, action, dialog](const std::string& key) {
    return checkKeyChoice(host_.texts(), state_, action, key, [dialog] {
      return ui::askYesNo(dialog, kReassignQuestion) == ui::Answer::Yes;
    });
  };
  dialog->exec();
  dialog->keyChoiceCheck = nullptr;
  if (dialog->keyAccepted())
    assignKey(host_.texts(), state_, action, ui::fromQ(dialog->chosenKey()));
  showState();
  setMoveHints();
  host_.workingTextChanged();
  host_.showPage(page);
}

void KeyPages::bindFreeKey() {
  if (freeKeys_->currentText().isEmpty()) return;
  bindBuyScript(false);
}

void KeyPages::bindUsedKey() {
  if (usedKeys_->currentText().isEmpty()) return;
  if (ui::askYesNo(host_.window(), kReassignQuestion) != ui::Answer::Yes) return;
  bindBuyScript(true);
}

bool KeyPages::mayWrite(bool withAutoexec) {
  if (host_.selectedFilePath().empty()) {
    ui::showWarning(host_.window(), QStringLiteral("Сначала выберите конфиг для настройки!"));
    return false;
  }
  QString problem = host_.fileProblem();
  if (problem.isEmpty() && withAutoexec && host_.autoexecMode()) problem = host_.autoexecProblem();
  if (!problem.isEmpty()) {
    ui::showError(host_.window(), problem);
    return false;
  }
  return true;
}

void KeyPages::bindBuyScript(bool usedKey) {
  // A file that could not be read is never written over: its text here is no copy of it.
  if (!mayWrite(true)) return;
  const int page = host_.currentPage();
  const std::string key = ui::fromQ((usedKey ? usedKeys_ : freeKeys_)->currentText());
  wizard::writeBuyScript(host_.texts(), state_, key, usedKey,
                         buildScriptParts(buy_->choice(), buy_->mode()), host_.autoexecMode());
  saveTexts();
  buy_->reset();
  for (QComboBox* c : {freeKeys_, usedKeys_}) c->setCurrentIndex(-1);
  showState();
  bindFreeButton_->setEnabled(false);
  bindUsedButton_->setEnabled(false);
  host_.workingTextChanged();
  host_.showPage(page);
}

bool KeyPages::saveTexts() {
  WizardTexts& texts = host_.texts();
  if (host_.autoexecMode()) {
    const std::string path =
        core::resolveDataPath(core::withSeparator(host_.wizardDirectory()), "autoexec.cfg");
    const core::WriteResult r = core::writeFileAtomic(path, texts.autoexec.fileText());
    if (!r.ok) {
      ui::showError(host_.window(), ui::fromUtf8(r.error));
      return false;
    }
  }
  const SaveResult saved = saveWorkingText(texts, host_.selectedFilePath());
  if (!saved.ok) {
    ui::showError(host_.window(), ui::fromUtf8(saved.error));
    return false;
  }
  return true;
}

void KeyPages::applySettings() {
  if (!mayWrite(false)) return;
  const SaveResult saved = saveWorkingText(host_.texts(), host_.selectedFilePath());
  if (!saved.ok) ui::showError(host_.window(), ui::fromUtf8(saved.error));
}

GameVersion KeyPages::gameVersion() const { return buy_->mode(); }

void KeyPages::openMetaBinds() {
  binds::MetaBindWindow* metabinds = host_.metaBindWindow();
  if (metabinds == nullptr) return;
  const int page = host_.currentPage();
  WizardTexts& texts = host_.texts();
  const std::size_t linesBefore = texts.working.size();
  metabinds->setWizardTarget(&texts.working);
  metabinds->exec();
  metabinds->setWizardTarget(nullptr);
  // The game's own config.cfg loses its aliases when the game quits: what the MetaBind defines
  // goes to autoexec.cfg, its binds stay in config.cfg, as with the buy scripts.
  if (host_.autoexecMode() && texts.working.modified() &&
      moveAliasesToAutoexec(texts, linesBefore > 0 ? linesBefore - 1 : 0) > 0 && mayWrite(true))
    saveTexts();
  // An inserted MetaBind may bind keys: the lists and captions follow the text.
  reloadKeyLists(host_.texts(), state_);
  showState();
  host_.workingTextChanged();
  host_.showPage(page);
}

}  // namespace brindle::wizard
