// The buy-script controls of the key page driven through their controls: BIND on free and used
// keys (saved at once, in autoexec mode into two files), the reset after BIND, the armour
// exclusivity, pictures and sounds present, missing and damaged, the message audience and the
// buy mode kept in the settings file.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

}  // namespace

class TestWizardKeysBuy : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void listsHoldTheirItems() {
    KeyPagesRig rig;
    wizard::BuyControls* b = rig.pages->buy;
    QCOMPARE(b->ComboBox3->count(), 17);
    QCOMPARE(b->ComboBox4->count(), 7);
    QCOMPARE(b->ComboBox5->count(), 7);
    QCOMPARE(b->CheckListBox1->count(), 7);
    QCOMPARE(b->ComboBox8->count(), 24);
    QCOMPARE(b->ComboBox5->itemText(0), QStringLiteral("No ammo"));
    QCOMPARE(b->ComboBox8->itemText(3), QStringLiteral("Go, go, go!"));
    for (int i : {0, 7, 17}) QVERIFY(b->ComboBox8->itemText(i).isEmpty());
    QCOMPARE(b->Image2->size(), QSize(205, 65));
    QVERIFY(!b->mp_radioPlay->isEnabled());
    QVERIFY(!b->mp_radioStop->isEnabled());
    QVERIFY(!b->Edit3->isEnabled());
    // Direct commands are the default.
    QVERIFY(b->BuyCommands16->isChecked());
  }

  void bindOnAFreeKeyWritesSavesAndResets() {
    KeyPagesRig rig;
    rig.load("unbindall\r\nname \"x\"\r\n");
    rig.showPage(8);
    wizard::BuyControls* b = rig.pages->buy;
    b->BuyMenus15->setChecked(true);
    pick(b->ComboBox3, QStringLiteral("Colt M4A1 Carbine Rifle"));
    pick(b->ComboBox4, QStringLiteral("Desert Eagle .50"));
    pick(b->ComboBox5, QStringLiteral("Full (для всего оружия)"));
    tick(b->CheckListBox1, 1);
    tick(b->CheckListBox1, 3);
    pick(b->ComboBox8, QStringLiteral("Go, go, go!"));
    b->RadioButton49->click();
    b->Edit3->setText(QStringLiteral("go"));
    pick(rig.pages->ComboBox6, QStringLiteral("MOUSE3"));
    QVERIFY(rig.pages->SpeedButton1->isEnabled());
    rig.pages->SpeedButton1->click();

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
    QCOMPARE(rig.pages->ComboBox7->itemText(rig.pages->ComboBox7->count() - 1),
             QStringLiteral("MOUSE3"));
    QCOMPARE(rig.pages->ComboBox6->findText(QStringLiteral("MOUSE3")), -1);
    // Controls back to their start.
    QCOMPARE(b->ComboBox3->currentIndex(), 0);
    QCOMPARE(b->ComboBox4->currentIndex(), 0);
    QCOMPARE(b->ComboBox5->currentIndex(), 0);
    QCOMPARE(b->ComboBox8->currentIndex(), 0);
    QVERIFY(ticked(b->CheckListBox1).isEmpty());
    QVERIFY(b->Edit3->text().isEmpty());
    QVERIFY(!b->Edit3->isEnabled());
    QVERIFY(!b->RadioButton49->isChecked() && !b->RadioButton50->isChecked());
    QVERIFY(b->Image2->isHidden());
    QVERIFY(!rig.pages->SpeedButton1->isEnabled());
    QVERIFY(!rig.pages->SpeedButton2->isEnabled());
    QCOMPARE(rig.pages->ComboBox6->currentIndex(), -1);
    QCOMPARE(rig.currentPage(), 8);
  }

  void bindOnAUsedKeyAsksFirst() {
    const std::string text =
        "unbindall\r\nalias \"Kav-w\" \"awp;\"\r\nbind \"w\" \"+forward\"\r\nbind \"SPACE\" "
        "\"+jump\"\r\n";
    KeyPagesRig rig;
    rig.load(text);
    rig.showPage(8);
    wizard::BuyControls* b = rig.pages->buy;
    pick(b->ComboBox3, QStringLiteral("AK (Automat Kalashnikov)"));
    pick(rig.pages->ComboBox7, QStringLiteral("w"));
    {
      ScriptedAnswers answers;
      answers.answer(Answer::No);
      rig.pages->SpeedButton2->click();
      QCOMPARE(answers.boxes().size(), std::size_t{1});
      QCOMPARE(answers.boxes()[0].text,
               QStringLiteral("Вы действительно хотите переназначить выбранную клавишу?"));
      QCOMPARE(rig.texts_.working.fileText(), text);
      QCOMPARE(rig.saved(), text);
    }
    ScriptedAnswers answers;
    answers.answer(Answer::Yes);
    rig.pages->SpeedButton2->click();
    const std::string expected =
        "unbindall\r\nbind \"SPACE\" \"+jump\"\r\nalias \"Kav-w\" \"ak47;\"\r\nbind \"w\" "
        "\"Kav-w\"\r\n";
    QCOMPARE(rig.saved(), expected);
    // The forward action lost its key.
    QCOMPARE(rig.pages->actionButtons[0]->text(), QString());
    QCOMPARE(rig.pages->ComboBox7->findText(QStringLiteral("w")), 1);
    QCOMPARE(rig.currentPage(), 8);
  }

  void autoexecModeSavesBothFiles() {
    KeyPagesRig rig;
    rig.autoexec = true;
    rig.filePath = rig.dir.file("config.cfg");
    rig.load("bind \"MOUSE1\" \"+attack\"\r\n", "exec userconfig.cfg\r\n");
    wizard::BuyControls* b = rig.pages->buy;
    tick(b->CheckListBox1, 4);
    pick(rig.pages->ComboBox6, QStringLiteral("F5"));
    rig.pages->SpeedButton1->click();
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
    QListWidget* list = rig.pages->buy->CheckListBox1;
    tick(list, 0);
    tick(list, 3);
    tick(list, 1);
    QCOMPARE(ticked(list),
             (QStringList{QStringLiteral("Kevlar Vest & Helmet"), QStringLiteral("HE Grenade")}));
    tick(list, 0);
    QCOMPARE(ticked(list),
             (QStringList{QStringLiteral("Kevlar Vest"), QStringLiteral("HE Grenade")}));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(rig.pages->buy->Image2->pixmap().toImage().size() == QSize(205, 65));
  }

  void picturesShownHiddenAndReported() {
    KeyPagesRig rig;
    wizard::BuyControls* b = rig.pages->buy;
    {
      ScriptedAnswers answers;
      pick(b->ComboBox3, QStringLiteral("Magnum Sniper Rifle"));
      QVERIFY(!b->Image2->isHidden());
      QVERIFY(!b->Image2->pixmap().isNull());
      pick(b->ComboBox3, QString());
      QVERIFY(b->Image2->isHidden());
      pick(b->ComboBox4, QStringLiteral("Glock 18"));
      QVERIFY(!b->Image2->isHidden());
      QVERIFY(answers.boxes().empty());
    }
    // A program directory without the pictures, then with a damaged one.
    test::TempDir programDir;
    KeyPagesRig bare(programDir.path());
    wizard::BuyControls* c = bare.pages->buy;
    ScriptedAnswers answers;
    pick(c->ComboBox3, QStringLiteral("AUG Rifle"));
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].text, QStringLiteral("Ненайден файл соответствующий значению!"));
    QVERIFY(c->Image2->isHidden());
    QCOMPARE(c->ComboBox3->currentIndex(), 2);  // the choice stays

    const auto good =
        core::readFile(std::string(BRINDLE_DATA_DIR) + "/dlls/cvardll/guns/weapon_aug.jpg");
    QVERIFY(good.ok);
    programDir.write("DLLS/CvarDll/guns/weapon_aug.jpg", good.data.substr(0, good.data.size() / 2));
    pick(c->ComboBox3, QStringLiteral("AUG Rifle"));
    QCOMPARE(answers.boxes().size(), std::size_t{2});
    QVERIFY(answers.boxes()[1].text.contains(QStringLiteral("повреждена")));
    QVERIFY(answers.boxes()[1].text.contains(QStringLiteral("weapon_aug.jpg")));
    QVERIFY(c->Image2->isHidden());
  }

  void soundPreviewFollowsThePhrase() {
    KeyPagesRig rig;
    rig.wizardDir = kRadioSounds;
    wizard::BuyControls* b = rig.pages->buy;
    b->ComboBox8->setCurrentIndex(3);  // Go, go, go!
    QVERIFY(b->mp_radioPlay->isEnabled());
    QVERIFY(b->mp_radioStop->isEnabled());
    QVERIFY(b->mp_radioStatus->text().isEmpty());
    QVERIFY(b->player()->path().find("com_go.wav") != std::string::npos);
    b->mp_radioPlay->click();
    b->mp_radioStop->click();
    QVERIFY(!b->player()->isPlaying());
    // Enter on the list plays.
    QTest::keyClick(b->ComboBox8, Qt::Key_Return);
    QVERIFY(b->player()->isOpen());
    b->mp_radioStop->click();
    // A separator disables the player.
    b->ComboBox8->setCurrentIndex(7);
    QVERIFY(!b->mp_radioPlay->isEnabled());
    QVERIFY(!b->player()->isOpen());

    // A directory without sounds: missing and damaged files are told on the page.
    rig.wizardDir = rig.dir.path();
    b->ComboBox8->setCurrentIndex(18);  // Cover me
    QVERIFY(!b->mp_radioPlay->isEnabled());
    QCOMPARE(b->mp_radioStatus->text(), QStringLiteral("Нет файла sound\\radio\\ct_coverme.wav"));
    rig.dir.write("Sound/Radio/ct_coverme.wav", "RIFF....WAVEjunk");
    b->ComboBox8->setCurrentIndex(19);
    b->ComboBox8->setCurrentIndex(18);
    QVERIFY(!b->mp_radioPlay->isEnabled());
    QVERIFY(b->mp_radioStatus->text().startsWith(QStringLiteral("sound\\radio\\ct_coverme.wav: ")));
    // Another phrase whose file exists enables the player again.
    rig.wizardDir = kRadioSounds;
    b->ComboBox8->setCurrentIndex(19);
    QVERIFY(b->mp_radioPlay->isEnabled());
    QVERIFY(b->mp_radioStatus->text().isEmpty());
  }

  void audienceEnablesTheMessage() {
    KeyPagesRig rig;
    wizard::BuyControls* b = rig.pages->buy;
    const QColor grey = b->Edit3->palette().color(QPalette::Base);
    b->RadioButton50->click();
    QVERIFY(b->Edit3->isEnabled());
    QCOMPARE(b->Edit3->palette().color(QPalette::Base), b->palette().color(QPalette::ToolTipBase));
    b->Edit3->setText(QStringLiteral("всем"));
    const wizard::BuyChoice c = b->choice();
    QCOMPARE(c.audience, wizard::Audience::All);
    QCOMPARE(c.message, core::fromUtf8("всем"));
    // A new file clears the audience and the message.
    rig.load("unbindall\r\n");
    QVERIFY(!b->Edit3->isEnabled());
    QVERIFY(b->Edit3->text().isEmpty());
    QCOMPARE(b->Edit3->palette().color(QPalette::Base), grey);
    QVERIFY(!b->RadioButton49->isChecked() && !b->RadioButton50->isChecked());
  }

  void buyModeIsKeptInTheSettingsFile() {
    KeyPagesRig rig;
    rig.pages->buy->BuyMenus15->click();
    QCOMPARE(wizard::loadBuyMode(rig.settingsFile()), wizard::BuyMode::Menus15);
    rig.pages->buy->BuyCommands16->click();
    QCOMPARE(wizard::loadBuyMode(rig.settingsFile()), wizard::BuyMode::Commands16);
    rig.pages->buy->BuyMenus15->click();
    // The next wizard reads it back.
    wizard::BuyControls again(BRINDLE_DATA_DIR, &rig.settingsFile(), {});
    QVERIFY(again.BuyMenus15->isChecked());
  }
};

QTEST_MAIN(TestWizardKeysBuy)
#include "tst_wizard_keys_buy.moc"
