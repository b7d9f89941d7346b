// The key dialog: a fresh list at every showing, the missing key message, the slot protocol
// with the MetaBind window's slot list and the wizard's key choice check.
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "binds/logic/KeyNames.h"
#include "binds/windows/KeyDialog.h"
#include "binds/windows/KeyListBox.h"
#include "support/Controls.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::binds;

using brindle::binds::KeyDialog;
using brindle::test::control;
using KeyList = brindle::binds::KeyListBox;

namespace {

void selectKey(brindle::binds::KeyListBox* list, const QString& key) {
  const auto found = list->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
  QCOMPARE(found.size(), 1);
  list->setCurrentItem(found.front(), QItemSelectionModel::ClearAndSelect);
}

// Shows the dialog (as exec() would, without blocking), picks `key` and presses "OK".
void pick(KeyDialog& dialog, const QString& key) {
  dialog.show();
  selectKey(control<KeyList>(&dialog, "ListBox1"), key);
  QTest::mouseClick(control<QPushButton>(&dialog, "Button1"), Qt::LeftButton);
}

QStringList texts(const QListWidget& list) {
  QStringList out;
  for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
  return out;
}

}  // namespace

class TestTbinds : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void freshListWithNoSelectionAtEveryShowing() {
    KeyDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("Tbinds"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Выбор клавиши"));
    QCOMPARE(control<QPushButton>(&dialog, "Button1")->text(), QStringLiteral("OK"));
    QCOMPARE(control<QPushButton>(&dialog, "Button2")->text(), QStringLiteral("Отмена"));
    QVERIFY(dialog.isModal());

    pick(dialog, QStringLiteral("F5"));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.chosenKey(), QStringLiteral("F5"));  // readable after the close

    dialog.show();
    QCOMPARE(control<KeyList>(&dialog, "ListBox1")->count(), int(brindle::binds::kKeyCount));
    QCOMPARE(control<KeyList>(&dialog, "ListBox1")->item(0)->text(), QStringLiteral("SHIFT"));
    QVERIFY(control<KeyList>(&dialog, "ListBox1")->selectedItems().isEmpty());
    QCOMPARE(dialog.chosenKey(), QString());
    QCOMPARE(dialog.focusWidget(), control<KeyList>(&dialog, "ListBox1"));
    dialog.reject();
  }

  void okWithoutAKeyAsksForOne() {
    KeyDialog dialog;
    dialog.show();
    brindle::ui::ScriptedAnswers script;
    QTest::mouseClick(control<QPushButton>(&dialog, "Button1"), Qt::LeftButton);
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Plain);
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Для продолжения выберите клавишу!"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.keyAccepted());
    dialog.reject();
  }

  void slotsFillUntilNoneIsLeftThenInsertIsOffered() {
    QListWidget slots;
    QPushButton bind(QStringLiteral("BIND"));
    slots.addItems({QStringLiteral("Кнопка <<1>>"), QStringLiteral("Кнопка <<2>>"),
                    QStringLiteral("Кнопка <<3>>")});
    KeyDialog dialog;
    dialog.attachSlotList(&slots, &bind);

    dialog.setSlotNumber(1);
    pick(dialog, QStringLiteral("SPACE"));
    QCOMPARE(dialog.slotNumber(), 0);
    dialog.setSlotNumber(3);
    pick(dialog, QStringLiteral("KP_5"));  // a key name that starts with a Latin K
    QCOMPARE(texts(slots), QStringList({"SPACE", "Кнопка <<2>>", "KP_5"}));
    QCOMPARE(bind.text(), QStringLiteral("BIND"));

    // Cancel leaves the slot alone and ends slot mode too.
    dialog.setSlotNumber(2);
    dialog.show();
    selectKey(control<KeyList>(&dialog, "ListBox1"), QStringLiteral("a"));
    QTest::mouseClick(control<QPushButton>(&dialog, "Button2"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.slotNumber(), 0);
    QVERIFY(!dialog.keyAccepted());
    QCOMPARE(slots.item(1)->text(), QStringLiteral("Кнопка <<2>>"));

    dialog.setSlotNumber(2);
    pick(dialog, QStringLiteral("ALT"));
    QCOMPARE(texts(slots), QStringList({"SPACE", "ALT", "KP_5"}));
    QCOMPARE(bind.text(), QStringLiteral("Вставить"));
    QCOMPARE(dialog.slotNumber(), 0);
  }

  void wizardModeRunsTheKeyChoiceCheck() {
    KeyDialog dialog;
    // Without a check every key is taken.
    pick(dialog, QStringLiteral("w"));
    QVERIFY(dialog.keyAccepted());
    QVERIFY(!dialog.isVisible());

    std::vector<std::string> asked;
    bool take = false;
    dialog.keyChoiceCheck = [&](const std::string& key) {
      asked.push_back(key);
      return take;
    };
    pick(dialog, QStringLiteral("\\"));
    QCOMPARE(asked, std::vector<std::string>({"\\"}));
    QVERIFY(!dialog.keyAccepted());
    QVERIFY(dialog.isVisible());  // refused: the user may choose another key

    take = true;
    selectKey(control<KeyList>(&dialog, "ListBox1"), QStringLiteral("MWHEELUP"));
    QTest::mouseClick(control<QPushButton>(&dialog, "Button1"), Qt::LeftButton);
    QCOMPARE(asked.back(), std::string("MWHEELUP"));
    QVERIFY(dialog.keyAccepted());
    QVERIFY(!dialog.isVisible());

    // No key: the message, and the check is not asked.
    dialog.show();
    {
      brindle::ui::ScriptedAnswers script;
      QTest::mouseClick(control<QPushButton>(&dialog, "Button1"), Qt::LeftButton);
      QCOMPARE(script.boxes().size(), std::size_t(1));
    }
    QCOMPARE(asked.size(), std::size_t(2));

    // Enter in the list takes the selected key.
    dialog.show();
    selectKey(control<KeyList>(&dialog, "ListBox1"), QStringLiteral("r"));
    QTest::keyClick(control<KeyList>(&dialog, "ListBox1"), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(asked.back(), std::string("r"));
    dialog.show();

    // "Отмена" and closing the window both clear the flag.
    QTest::mouseClick(control<QPushButton>(&dialog, "Button2"), Qt::LeftButton);
    QVERIFY(!dialog.keyAccepted());
    pick(dialog, QStringLiteral("e"));
    QVERIFY(dialog.keyAccepted());
    dialog.show();
    QTest::keyClick(control<KeyList>(&dialog, "ListBox1"), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!dialog.keyAccepted());
  }
};

QTEST_MAIN(TestTbinds)
#include "tst_key_dialog.moc"
