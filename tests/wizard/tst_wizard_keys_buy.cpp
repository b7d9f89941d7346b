// The buy-script controls of the key page driven through their controls: BIND on free and used
// keys (saved at once, in autoexec mode into two files), the reset after BIND, the armour
// exclusivity, pictures and sounds present, missing and damaged, the message audience and the
// buy mode kept in the settings file.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "KeyPagesRig.h"
#include "core/Cp1251.h"
#include "ui/MessageBoxes.h"
#include "ui/SoundPlayer.h"
#include "wizard/windows/BuyControls.h"

using namespace brindle;
using brindle::test::control;
using brindle::test::KeyPagesRig;
using brindle::ui::Answer;
using brindle::ui::ScriptedAnswers;

namespace {

const std::string kRadioSounds = std::string(BRINDLE_SOURCE_DIR) + "/examples/cstrike";

void pick(QComboBox* box, const QString& text) {
  const int i = box->findText(text, Qt::MatchExactly);
  QVERIFY2(i >= 0, qPrintable(text));
  box->setCurrentIndex(i);
  Q_EMIT box->activated(i);
}

void tick(QListWidget* list, int row, bool on = true) {
  list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

QStringList ticked(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->text();
  return out;
}

// The buy, radio and message controls of the key page, reached by their names.
struct BuyPage {
  explicit BuyPage(const QWidget& rig)
      : controls(control<wizard::BuyControls>(&rig, "BuyControls")),
        primary(control<QComboBox>(controls, "ComboBox3")),
        pistol(control<QComboBox>(controls, "ComboBox4")),
        ammo(control<QComboBox>(controls, "ComboBox5")),
        equipment(control<QListWidget>(controls, "CheckListBox1")),
        picture(control<QLabel>(&rig, "Image2")),  // framed on the left of the page
        menus15(control<QRadioButton>(controls, "BuyMenus15")),
        commands16(control<QRadioButton>(controls, "BuyCommands16")),
        radio(control<QComboBox>(controls, "ComboBox8")),
        play(control<QToolButton>(controls, "mp_radioPlay")),
        stop(control<QToolButton>(controls, "mp_radioStop")),
        soundStatus(control<QLabel>(controls, "mp_radioStatus")),
        message(control<QLineEdit>(controls, "Edit3")),
        team(control<QRadioButton>(controls, "RadioButton49")),
        all(control<QRadioButton>(controls, "RadioButton50")),
        freeKeys(control<QComboBox>(&rig, "ComboBox6")),
        usedKeys(control<QComboBox>(&rig, "ComboBox7")),
        bindFree(control<QToolButton>(&rig, "SpeedButton1")),
        bindUsed(control<QToolButton>(&rig, "SpeedButton2")) {}

  wizard::BuyControls* controls;
  QComboBox* primary;
  QComboBox* pistol;
  QComboBox* ammo;
  QListWidget* equipment;
  QLabel* picture;
  QRadioButton* menus15;
  QRadioButton* commands16;
  QComboBox* radio;
  QToolButton* play;
  QToolButton* stop;
  QLabel* soundStatus;
  QLineEdit* message;
  QRadioButton* team;
  QRadioButton* all;
  QComboBox* freeKeys;
  QComboBox* usedKeys;
  QToolButton* bindFree;
  QToolButton* bindUsed;
};

}  // namespace

class TestWizardKeysBuy : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void listsHoldTheirItems() {
    KeyPagesRig rig;
    const BuyPage b(rig);
    QCOMPARE(b.primary->count(), 17);
    QCOMPARE(b.pistol->count(), 7);
    QCOMPARE(b.ammo->count(), 7);
    QCOMPARE(b.equipment->count(), 7);
    QCOMPARE(b.radio->count(), 24);
    QCOMPARE(b.ammo->itemText(0), QStringLiteral("No ammo"));
    QCOMPARE(b.radio->itemText(3), QStringLiteral("Go, go, go!"));
    for (int i : {0, 7, 17}) QVERIFY(b.radio->itemText(i).isEmpty());
    QCOMPARE(b.picture->size(), QSize(205, 65));
    QVERIFY(!b.play->isEnabled());
    QVERIFY(!b.stop->isEnabled());
    QVERIFY(!b.message->isEnabled());
    // Direct commands are the default.
    QVERIFY(b.commands16->isChecked());
  }

  void bindOnAFreeKeyWritesSavesAndResets() {
    KeyPagesRig rig;
    rig.load("unbindall\r\nname \"x\"\r\n");
    rig.showPage(8);
    const BuyPage b(rig);
    b.menus15->setChecked(true);
    pick(b.primary, QStringLiteral("Colt M4A1 Carbine Rifle"));
    pick(b.pistol, QStringLiteral("Desert Eagle .50"));
    pick(b.ammo, QStringLiteral("Full (для всего оружия)"));
    tick(b.equipment, 1);
    tick(b.equipment, 3);
    pick(b.radio, QStringLiteral("Go, go, go!"));
    b.team->click();
    b.message->setText(QStringLiteral("go"));
    pick(b.freeKeys, QStringLiteral("MOUSE3"));
    QVERIFY(b.bindFree->isEnabled());
    b.bindFree->click();

    const std::string expected =
        "unbindall\r\nname \"x\"\r\n"
        "alias \"Kav-MOUSE3_equip\" \"buy;wait;menuselect 8;wait;menuselect 2;wait;slot10;buy;wait;"
        "menuselect 8;wait;menuselect 4;wait;slot10;\"\r\n"
        "alias \"Kav-MOUSE3_mes\" \"radio2;wait;menuselect 1;wait;slot10;say_team go\"\r\n"
        "alias \"Kav-MOUSE3\" \"buy;wait;menuselect 4;wait;menuselect 3;wait;slot10;buy;wait;"
        "menuselect 1;wait;menuselect 3;wait;slot10;buy;wait;menuselect 6;wait;slot10;buy;wait;"
        "menuselect 7;wait;slot10;Kav-MOUSE3_equip;Kav-MOUSE3_mes\"\r\n"
        "bind \"mouse3\" \"Kav-MOUSE3\"\r\n";
    QCOMPARE(rig.saved(), expected);
    QCOMPARE(rig.texts_.working.fileText(), expected);
    // The key moved to the end of the used-keys list.
    QCOMPARE(b.usedKeys->itemText(b.usedKeys->count() - 1), QStringLiteral("MOUSE3"));
    QCOMPARE(b.freeKeys->findText(QStringLiteral("MOUSE3")), -1);
    // Controls back to their start.
    QCOMPARE(b.primary->currentIndex(), 0);
    QCOMPARE(b.pistol->currentIndex(), 0);
    QCOMPARE(b.ammo->currentIndex(), 0);
    QCOMPARE(b.radio->currentIndex(), 0);
    QVERIFY(ticked(b.equipment).isEmpty());
    QVERIFY(b.message->text().isEmpty());
    QVERIFY(!b.message->isEnabled());
    QVERIFY(!b.team->isChecked() && !b.all->isChecked());
    QVERIFY(b.picture->isHidden());
    QVERIFY(!b.bindFree->isEnabled());
    QVERIFY(!b.bindUsed->isEnabled());
    QCOMPARE(b.freeKeys->currentIndex(), -1);
    QCOMPARE(rig.currentPage(), 8);
  }

  void bindOnAUsedKeyAsksFirst() {
    const std::string text =
        "unbindall\r\nalias \"Kav-w\" \"awp;\"\r\nbind \"w\" \"+forward\"\r\nbind \"SPACE\" "
        "\"+jump\"\r\n";
    KeyPagesRig rig;
    rig.load(text);
    rig.showPage(8);
    const BuyPage b(rig);
    pick(b.primary, QStringLiteral("AK (Automat Kalashnikov)"));
    pick(b.usedKeys, QStringLiteral("w"));
    {
      ScriptedAnswers answers;
      answers.answer(Answer::No);
      b.bindUsed->click();
      QCOMPARE(answers.boxes().size(), std::size_t{1});
      QCOMPARE(answers.boxes()[0].text,
               QStringLiteral("Вы действительно хотите переназначить выбранную клавишу?"));
      QCOMPARE(rig.texts_.working.fileText(), text);
      QCOMPARE(rig.saved(), text);
    }
    ScriptedAnswers answers;
    answers.answer(Answer::Yes);
    b.bindUsed->click();
    const std::string expected =
        "unbindall\r\nbind \"SPACE\" \"+jump\"\r\nalias \"Kav-w\" \"ak47;\"\r\nbind \"w\" "
        "\"Kav-w\"\r\n";
    QCOMPARE(rig.saved(), expected);
    // The forward action lost its key.
    QCOMPARE(control<QPushButton>(&rig, "Button4")->text(), QString());
    QCOMPARE(b.usedKeys->findText(QStringLiteral("w")), 1);
    QCOMPARE(rig.currentPage(), 8);
  }

  void autoexecModeSavesBothFiles() {
    KeyPagesRig rig;
    rig.autoexec = true;
    rig.filePath = rig.dir.file("config.cfg");
    rig.load("bind \"MOUSE1\" \"+attack\"\r\n", "exec userconfig.cfg\r\n");
    const BuyPage b(rig);
    tick(b.equipment, 4);
    pick(b.freeKeys, QStringLiteral("F5"));
    b.bindFree->click();
    QCOMPARE(rig.saved(),
             std::string("unbindall\r\nbind \"MOUSE1\" \"+attack\"\r\nbind \"f5\" \"Kav-F5\"\r\n"));
    const auto autoexec = core::readFile(rig.dir.file("autoexec.cfg"));
    QVERIFY(autoexec.ok);
    QCOMPARE(autoexec.data,
             std::string("exec userconfig.cfg\r\nalias \"Kav-F5_equip\" \"sgren;\"\r\n"
                         "alias \"Kav-F5\" \"Kav-F5_equip\"\r\n"));
  }

  void onlyOneArmourIsTicked() {
    KeyPagesRig rig;
    const BuyPage b(rig);
    QListWidget* list = b.equipment;
    tick(list, 0);
    tick(list, 3);
    tick(list, 1);
    QCOMPARE(ticked(list),
             (QStringList{QStringLiteral("Kevlar Vest & Helmet"), QStringLiteral("HE Grenade")}));
    tick(list, 0);
    QCOMPARE(ticked(list),
             (QStringList{QStringLiteral("Kevlar Vest"), QStringLiteral("HE Grenade")}));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(b.picture->pixmap().toImage().size() == QSize(205, 65));
  }

  void picturesShownHiddenAndReported() {
    KeyPagesRig rig;
    const BuyPage b(rig);
    {
      ScriptedAnswers answers;
      pick(b.primary, QStringLiteral("Magnum Sniper Rifle"));
      QVERIFY(!b.picture->isHidden());
      QVERIFY(!b.picture->pixmap().isNull());
      pick(b.primary, QString());
      QVERIFY(b.picture->isHidden());
      pick(b.pistol, QStringLiteral("Glock 18"));
      QVERIFY(!b.picture->isHidden());
      QVERIFY(answers.boxes().empty());
    }
    // A program directory without the pictures, then with a damaged one.
    test::TempDir programDir;
    KeyPagesRig bare(programDir.path());
    const BuyPage c(bare);
    ScriptedAnswers answers;
    pick(c.primary, QStringLiteral("AUG Rifle"));
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].text, QStringLiteral("Ненайден файл соответствующий значению!"));
    QVERIFY(c.picture->isHidden());
    QCOMPARE(c.primary->currentIndex(), 2);  // the choice stays

    const auto good =
        core::readFile(std::string(BRINDLE_DATA_DIR) + "/dlls/cvardll/guns/weapon_aug.jpg");
    QVERIFY(good.ok);
    programDir.write("DLLS/CvarDll/guns/weapon_aug.jpg", good.data.substr(0, good.data.size() / 2));
    pick(c.primary, QStringLiteral("AUG Rifle"));
    QCOMPARE(answers.boxes().size(), std::size_t{2});
    QVERIFY(answers.boxes()[1].text.contains(QStringLiteral("повреждена")));
    QVERIFY(answers.boxes()[1].text.contains(QStringLiteral("weapon_aug.jpg")));
    QVERIFY(c.picture->isHidden());
  }

  void soundPreviewFollowsThePhrase() {
    KeyPagesRig rig;
    rig.wizardDir = kRadioSounds;
    const BuyPage b(rig);
    b.radio->setCurrentIndex(3);  // Go, go, go!
    QVERIFY(b.play->isEnabled());
    QVERIFY(b.stop->isEnabled());
    QVERIFY(b.soundStatus->text().isEmpty());
    QVERIFY(b.controls->player()->path().find("com_go.wav") != std::string::npos);
    b.play->click();
    b.stop->click();
    QVERIFY(!b.controls->player()->isPlaying());
    // Enter on the list plays.
    QTest::keyClick(b.radio, Qt::Key_Return);
    QVERIFY(b.controls->player()->isOpen());
    b.stop->click();
    // A separator disables the player.
    b.radio->setCurrentIndex(7);
    QVERIFY(!b.play->isEnabled());
    QVERIFY(!b.controls->player()->isOpen());

    // A directory without sounds: missing and damaged files are told on the page.
    rig.wizardDir = rig.dir.path();
    b.radio->setCurrentIndex(18);  // Cover me
    QVERIFY(!b.play->isEnabled());
    QCOMPARE(b.soundStatus->text(), QStringLiteral("Нет файла sound\\radio\\ct_coverme.wav"));
    rig.dir.write("Sound/Radio/ct_coverme.wav", "RIFF....WAVEjunk");
    b.radio->setCurrentIndex(19);
    b.radio->setCurrentIndex(18);
    QVERIFY(!b.play->isEnabled());
    QVERIFY(b.soundStatus->text().startsWith(QStringLiteral("sound\\radio\\ct_coverme.wav: ")));
    // Another phrase whose file exists enables the player again.
    rig.wizardDir = kRadioSounds;
    b.radio->setCurrentIndex(19);
    QVERIFY(b.play->isEnabled());
    QVERIFY(b.soundStatus->text().isEmpty());
  }

  void audienceEnablesTheMessage() {
    KeyPagesRig rig;
    const BuyPage b(rig);
    const QColor grey = b.message->palette().color(QPalette::Base);
    b.all->click();
    QVERIFY(b.message->isEnabled());
    QCOMPARE(b.message->palette().color(QPalette::Base),
             b.controls->palette().color(QPalette::ToolTipBase));
    b.message->setText(QStringLiteral("всем"));
    const wizard::BuyChoice c = b.controls->choice();
    QCOMPARE(c.audience, wizard::Audience::All);
    QCOMPARE(c.message, core::fromUtf8("всем"));
    // A new file clears the audience and the message.
    rig.load("unbindall\r\n");
    QVERIFY(!b.message->isEnabled());
    QVERIFY(b.message->text().isEmpty());
    QCOMPARE(b.message->palette().color(QPalette::Base), grey);
    QVERIFY(!b.team->isChecked() && !b.all->isChecked());
  }

  void buyModeIsKeptInTheSettingsFile() {
    KeyPagesRig rig;
    const BuyPage b(rig);
    b.menus15->click();
    QCOMPARE(wizard::loadGameVersion(rig.settingsFile()), wizard::GameVersion::Cs15);
    b.commands16->click();
    QCOMPARE(wizard::loadGameVersion(rig.settingsFile()), wizard::GameVersion::Cs16);
    b.menus15->click();
    // The next wizard reads it back.
    wizard::BuyControls again(BRINDLE_DATA_DIR, &rig.settingsFile(), {});
    QVERIFY(control<QRadioButton>(&again, "BuyMenus15")->isChecked());
  }
};

QTEST_MAIN(TestWizardKeysBuy)
#include "tst_wizard_keys_buy.moc"
