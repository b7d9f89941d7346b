// The wizard's key pages driven through their controls: the pages' buttons, assignment through
// the key dialog with the reassignment question, the pages returning after each edit, the hints
// of the movement cross, "Применить настройки" and "MetaBinds".
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "KeyPagesRig.h"
#include "core/Cp1251.h"
#include "ui/MessageBoxes.h"
#include "wizard/windows/BuyControls.h"

using namespace brindle;
using brindle::test::control;
using brindle::test::KeyPagesRig;
using brindle::ui::Answer;
using brindle::ui::ScriptedAnswers;

namespace {

const QString kQuestion =
    QStringLiteral("Вы действительно хотите переназначить выбранную клавишу?");

QStringList items(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

QString caption(const QWidget& w, const char* button) {
  return control<QPushButton>(&w, button)->text();
}

QString hint(const QWidget& w, const char* button) {
  return control<QPushButton>(&w, button)->toolTip();
}

}  // namespace

class TestWizardKeys : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyActionButtonStandsOnItsPage() {
    KeyPagesRig rig;
    for (const auto& a : wizard::kKeyActions) {
      const QString name =
          QString::fromUtf8(a.button.data(), static_cast<qsizetype>(a.button.size()));
      auto* b = rig.stack->widget(a.page)->findChild<QPushButton*>(name);
      QVERIFY2(b != nullptr, qPrintable(name));
    }
    QWidget* p9 = rig.stack->widget(8);
    for (const char* name :
         {"ComboBox6", "ComboBox7", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox8"})
      QVERIFY2(p9->findChild<QComboBox*>(QString::fromUtf8(name)), name);
    for (const char* name : {"SpeedButton1", "SpeedButton2"}) {
      auto* b = p9->findChild<QToolButton*>(QString::fromUtf8(name));
      QVERIFY(b);
      QCOMPARE(b->text(), QStringLiteral("BIND"));
      QVERIFY(!b->isEnabled());
    }
    QCOMPARE(control<QGroupBox>(p9, "GroupBox32")->title(), QStringLiteral("Оружие"));
    QCOMPARE(control<QGroupBox>(p9, "GroupBox33")->title(), QStringLiteral("Сообщения"));
    QCOMPARE(control<QLabel>(p9, "Label42")->text(),
             QStringLiteral("Для конфигурации других клавиш\nвоспользуйтесь самой программой\n"
                            "Brindle for Counter-Strike"));
    QWidget* p11 = rig.stack->widget(10);
    QCOMPARE(control<QPushButton>(p11, "Button50")->text(), QStringLiteral("Применить настройки"));
    QCOMPARE(control<QPushButton>(p11, "Button49")->text(), QStringLiteral("MetaBinds"));
    QVERIFY(control<QLabel>(p11, "Label83")
                ->text()
                .contains(QStringLiteral("\"Применить настройки\"")));
    QCOMPARE(wizard::KeyPages::stepCaption(8),
             QStringLiteral("Клавиши движения, покупки и сообщений"));
    QCOMPARE(wizard::KeyPages::stepCaption(9), QStringLiteral("Клавиши других действий"));
    QCOMPARE(wizard::KeyPages::stepCaption(10), QStringLiteral("Клавиши радио и сообщений"));
  }

  void loadingFillsCaptionsAndLists() {
    KeyPagesRig rig;
    rig.load("unbindall\r\nbind \"UPARROW\" \"+forward\"\r\nbind \"MOUSE1\" \"+attack\"\r\n");
    QCOMPARE(caption(rig, "Button4"), QStringLiteral("UPARROW"));
    QCOMPARE(caption(rig, "Button9"), QStringLiteral("MOUSE1"));
    QCOMPARE(caption(rig, "Button11"), QString());
    auto* used = control<QComboBox>(&rig, "ComboBox7");
    auto* free = control<QComboBox>(&rig, "ComboBox6");
    QCOMPARE(items(used), (QStringList{QStringLiteral("UPARROW"), QStringLiteral("MOUSE1")}));
    QCOMPARE(free->count(), 100);
    QCOMPARE(free->currentIndex(), -1);
    // Choosing a key enables its BIND button.
    free->setCurrentIndex(0);
    QVERIFY(control<QToolButton>(&rig, "SpeedButton1")->isEnabled());
    used->setCurrentIndex(1);
    QVERIFY(control<QToolButton>(&rig, "SpeedButton2")->isEnabled());
    // A new loading pass disables both.
    rig.load("bind \"w\" \"+forward\"\r\n");
    QVERIFY(!control<QToolButton>(&rig, "SpeedButton1")->isEnabled());
    QVERIFY(!control<QToolButton>(&rig, "SpeedButton2")->isEnabled());
  }

  void assignmentReplacesTheBindLineAndThePageReturns() {
    KeyPagesRig rig;
    rig.load(
        "unbindall\r\nname \"x\"\r\nsensitivity \"3\"\r\nbind \"MOUSE1\" \"+attack\"\r\n"
        "bind \"UPARROW\" \"+forward\"\r\n");
    rig.showPage(9);
    rig.assign("Button9", QStringLiteral("MOUSE2"));
    QCOMPARE(rig.currentPage(), 9);
    QCOMPARE(caption(rig, "Button9"), QStringLiteral("MOUSE2"));
    QCOMPARE(rig.texts_.working.at(3), std::string("bind \"MOUSE2\" \"+attack\""));
    auto* free = control<QComboBox>(&rig, "ComboBox6");
    QCOMPARE(free->itemText(free->count() - 1), QStringLiteral("MOUSE1"));
    QVERIFY(items(control<QComboBox>(&rig, "ComboBox7")).contains(QStringLiteral("MOUSE2")));
    QVERIFY(rig.textChanges > 0);
    // Nothing is written to disk before "Применить настройки".
    QVERIFY(rig.saved().find("MOUSE2") == std::string::npos);

    rig.showPage(10);
    rig.assign("Button44", QStringLiteral("z"));
    QCOMPARE(rig.currentPage(), 10);
    QCOMPARE(rig.texts_.working.lines().back(), std::string("bind \"z\" \"radio1\""));
    control<QPushButton>(&rig, "Button50")->click();
    QCOMPARE(rig.saved(), rig.texts_.working.fileText());
  }

  void movementHintsFollowTheCaptions() {
    KeyPagesRig rig;
    rig.load("bind \"w\" \"+forward\"\r\nbind \"a\" \"+moveleft\"\r\n");
    rig.showPage(8);
    rig.pages->pageShown(8);
    QCOMPARE(hint(rig, "Button4"), QStringLiteral("w"));
    QCOMPARE(hint(rig, "Button5"), QStringLiteral("a"));
    QCOMPARE(hint(rig, "Button6"), QString());
    rig.assign("Button6", QStringLiteral("s"));
    QCOMPARE(rig.currentPage(), 8);
    for (const char* button : {"Button4", "Button5", "Button6", "Button7"})
      QCOMPARE(hint(rig, button), caption(rig, button));
    QCOMPARE(hint(rig, "Button6"), QStringLiteral("s"));
    // The first assignment on a text without "unbindall" inserted it as the first line.
    QCOMPARE(rig.texts_.working.at(0), std::string("unbindall"));
  }

  void aKeyInUseIsTakenOnlyAfterYes() {
    const std::string text =
        "unbindall\r\nbind \"MOUSE1\" \"+attack\"\r\nalias \"Kav-MOUSE1\" \"ak47;\"\r\n"
        "bind \"SPACE\" \"+jump\"\r\n";
    {
      KeyPagesRig rig;
      rig.load(text);
      rig.showPage(9);
      ScriptedAnswers answers;
      answers.answer(Answer::No);
      rig.assign("Button11", QStringLiteral("MOUSE1"));
      QCOMPARE(answers.boxes().size(), std::size_t{1});
      QCOMPARE(answers.boxes()[0].text, kQuestion);
      QCOMPARE(answers.boxes()[0].buttons, ui::Buttons::YesNo);
      QCOMPARE(rig.texts_.working.fileText(), text);
      QCOMPARE(caption(rig, "Button9"), QStringLiteral("MOUSE1"));
      QCOMPARE(caption(rig, "Button11"), QStringLiteral("SPACE"));
      QCOMPARE(rig.currentPage(), 9);
    }
    KeyPagesRig rig;
    rig.load(text);
    rig.showPage(9);
    ScriptedAnswers answers;
    answers.answer(Answer::Yes);
    rig.assign("Button11", QStringLiteral("MOUSE1"));
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(rig.texts_.working.fileText(),
             std::string("unbindall\r\nbind \"MOUSE1\" \"+jump\"\r\n"));
    QCOMPARE(caption(rig, "Button9"), QString());
    QCOMPARE(caption(rig, "Button11"), QStringLiteral("MOUSE1"));
    const QStringList used = items(control<QComboBox>(&rig, "ComboBox7"));
    QCOMPARE(used.count(QStringLiteral("MOUSE1")), 1);
    QVERIFY(!used.contains(QStringLiteral("SPACE")));
    QCOMPARE(rig.currentPage(), 9);
  }

  void cancelledOrEmptyKeyChoiceChangesNothing() {
    KeyPagesRig rig;
    const std::string text = "unbindall\r\nbind \"w\" \"+forward\"\r\n";
    rig.load(text);
    ScriptedAnswers answers;
    // OK without a key: the dialog says so and stays; the rig then cancels it.
    rig.assign("Button9", QString());
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].text, QStringLiteral("Для продолжения выберите клавишу!"));
    QCOMPARE(rig.texts_.working.fileText(), text);
    QCOMPARE(caption(rig, "Button9"), QString());
  }

  void metabindsGoIntoTheWorkingText() {
    KeyPagesRig rig;
    rig.load("unbindall\r\n");
    rig.showPage(10);
    bool targeted = false;
    QTimer::singleShot(0, &rig, [&] {
      targeted = rig.metabinds().wizardTarget() == &rig.texts_.working;
      rig.metabinds().leave();
    });
    control<QPushButton>(&rig, "Button49")->click();
    QVERIFY(targeted);
    QCOMPARE(rig.metabinds().wizardTarget(), nullptr);
    QCOMPARE(rig.currentPage(), 10);
  }

  void applyWithoutAChosenFileWarns() {
    KeyPagesRig rig;
    rig.load("unbindall\r\n");
    rig.filePath.clear();
    ScriptedAnswers answers;
    control<QPushButton>(&rig, "Button50")->click();
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].text, QStringLiteral("Сначала выберите конфиг для настройки!"));
  }

  void aFailedSaveIsReported() {
    KeyPagesRig rig;
    rig.load("unbindall\r\n");
    rig.assign("Button4", QStringLiteral("w"));
    // A directory where the file should be.
    rig.filePath = rig.dir.file("folder.cfg");
    std::filesystem::create_directory(rig.filePath);
    ScriptedAnswers answers;
    control<QPushButton>(&rig, "Button50")->click();
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].kind, ui::BoxKind::Error);
  }
};

QTEST_MAIN(TestWizardKeys)
#include "tst_wizard_keys.moc"
