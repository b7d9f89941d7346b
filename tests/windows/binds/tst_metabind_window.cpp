// The MetaBind window: listing, choosing, the three states of the BIND button, insertion into
// the editor or the wizard's text, "Выход", and the shipped MetaBind library.
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "binds/logic/Metabind.h"
#include "binds/windows/KeyDialog.h"
#include "binds/windows/KeyListBox.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/Cp1251.h"
#include "core/TextBuffer.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/CfgEdit.h"
#include "ui/ChoiceListBox.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::binds;

using brindle::binds::KeyDialog;
using brindle::binds::MetaBindWindow;
using brindle::test::control;
using ChoiceList = brindle::ui::ChoiceListBox;
using KeyList = brindle::binds::KeyListBox;

namespace {

constexpr std::string_view kJump = "bind <<1>> +jump\r\n\r\n[MetaBind]\r\nname=J\r\nbut=1\r\n";

QStringList texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

class TestTMetab : public QObject {
  Q_OBJECT

  std::unique_ptr<brindle::test::TempDir> dir_;
  std::unique_ptr<brindle::test::TestHost> host_;
  std::unique_ptr<KeyDialog> binds_;
  std::unique_ptr<MetaBindWindow> metab_;

  brindle::ui::CfgEdit* memo() { return host_->memo(); }

  void write(const std::string& name, std::string_view text) {
    dir_->write("dlls/metabinds/" + name, text);
  }

  // Shows the window as exec() would, without blocking.
  void open() {
    metab_->show();
    QVERIFY(metab_->isVisible());
  }

  void choose(const QString& name) {
    const auto found = control<ChoiceList>(metab_, "lx_MeB")
                           ->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QCOMPARE(found.size(), 1);
    const int row = control<ChoiceList>(metab_, "lx_MeB")->row(found.front());
    control<ChoiceList>(metab_, "lx_MeB")->selectRow(row);
    metab_->showMetaBind(row);
  }

  // Clicks slot `row` and gives it `key` through the key dialog, as the user would.
  void assign(int row, const QString& key) {
    const QRect r = control<ChoiceList>(metab_, "lx_bind")
                        ->visualItemRect(control<ChoiceList>(metab_, "lx_bind")->item(row));
    QTest::mouseClick(control<ChoiceList>(metab_, "lx_bind")->viewport(), Qt::LeftButton, {},
                      r.center());
    QVERIFY(control<QPushButton>(metab_, "sb_bind")->isEnabled());
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
      auto* dialog = qobject_cast<KeyDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->slotNumber(), row + 1);
      const auto items = control<KeyList>(dialog, "ListBox1")
                             ->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
      QCOMPARE(items.size(), 1);
      control<KeyList>(dialog, "ListBox1")
          ->setCurrentItem(items.front(), QItemSelectionModel::ClearAndSelect);
      seen = true;
      QTest::mouseClick(control<QPushButton>(dialog, "Button1"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY(!binds_->isVisible());
  }

 private Q_SLOTS:
  void init() {
    dir_ = std::make_unique<brindle::test::TempDir>();
    host_ = std::make_unique<brindle::test::TestHost>(dir_->path());
    binds_ = std::make_unique<KeyDialog>(host_.get());
    metab_ = std::make_unique<MetaBindWindow>(host_.get(), binds_.get(), host_.get());
  }

  void cleanup() {
    metab_.reset();
    binds_.reset();
    host_.reset();
    dir_.reset();
  }

  void listsNamedMetabindsOfTheFolder() {
    write("a.mtb", kJump);
    write("b.mtb", "x\r\n\r\n[MetaBind]\r\nname=error\r\nbut=1\r\n");
    write("c.mtb", "x\r\n\r\n[MetaBind]\r\nname=\r\nbut=1\r\n");
    write("d.mtb", brindle::core::fromUtf8("x\r\n[metabind]\r\nname=Прыжок\r\nbut=1\r\n"));
    write("e.mtb", "x\r\n\r\n[MetaBind]\r\nbut=1\r\n");
    open();
    QCOMPARE(metab_->objectName(), QStringLiteral("TMetab"));
    QCOMPARE(metab_->windowTitle(), QStringLiteral("Вставка МетаБиндов (MetaBinds)"));
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_MeB")), QStringList({"J", "", "Прыжок"}));
    QCOMPARE(metab_->paths().size(), std::size_t(3));
    QCOMPARE(QString::fromStdString(metab_->paths()[2]),
             QString::fromStdString(dir_->file("dlls/metabinds/d.mtb")));
    QVERIFY(!control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));
    QVERIFY(control<brindle::ui::CfgEdit>(metab_, "red_bind")->isReadOnly());
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->lineWrapMode(),
             QPlainTextEdit::NoWrap);
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->horizontalScrollBarPolicy(),
             Qt::ScrollBarAlwaysOn);
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->verticalScrollBarPolicy(),
             Qt::ScrollBarAlwaysOn);
  }

  void theExampleGoesThroughTheThreeStatesIntoTheEditor() {
    write("jump.mtb", kJump);
    memo()->loadText("echo start");
    open();
    choose(QStringLiteral("J"));
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_bind")), QStringList({"Кнопка <<1>>"}));
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("bind <<1>> +jump\r\n"));
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->selStart(),
             brindle::core::Offset(0));
    // State 1: disabled "BIND".
    QVERIFY(!control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));

    assign(0, QStringLiteral("SPACE"));  // state 2 (enabled "BIND") is checked on the way
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_bind")), QStringList({"SPACE"}));
    // State 3: "Вставить".
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("Вставить"));
    QVERIFY(control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(memo()->getText(), std::string("echo start"));

    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("echo start\r\nbind SPACE +jump\r\n"));
    QVERIFY(memo()->modified());
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("bind SPACE +jump\r\n"));
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 0);
    QVERIFY(!control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));
    QVERIFY(metab_->isVisible());  // the window stays open for the next one

    // Chosen again, it inserts again.
    choose(QStringLiteral("J"));
    assign(0, QStringLiteral("MOUSE2"));
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(memo()->getText(),
             std::string("echo start\r\nbind SPACE +jump\r\n\r\nbind MOUSE2 +jump\r\n"));
  }

  void everySlotMustBeFilledBeforeInsertion() {
    write("three.mtb",
          "bind <<1>> a\r\nbind <<2>> b\r\nbind <<3>> c; bind <<1>> d\r\n\r\n[MetaBind]\r\n"
          "name=Three\r\nbut=3\r\n");
    open();
    choose(QStringLiteral("Three"));
    assign(0, QStringLiteral("q"));
    assign(2, QStringLiteral("e"));
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));
    assign(1, QStringLiteral("\\"));
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("Вставить"));
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("\r\nbind q a\r\nbind \\ b\r\nbind e c; bind q d\r\n"));
  }

  void choosingAnotherMetabindStartsOver() {
    write("jump.mtb", kJump);
    write("two.mtb", "<<1>> <<2>>\r\n[MetaBind]\r\nname=Two\r\nbut=2\r\n");
    open();
    choose(QStringLiteral("J"));
    assign(0, QStringLiteral("SPACE"));
    choose(QStringLiteral("Two"));
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_bind")),
             QStringList({"Кнопка <<1>>", "Кнопка <<2>>"}));
    QVERIFY(!control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("<<1>> <<2>>"));
  }

  void aDamagedKeyCountGivesTheSlotsTheScriptUses() {
    write("bad.mtb", "bind <<1>> a\r\nbind <<2>> b\r\n\r\n[MetaBind]\r\nname=Bad\r\nbut=abc\r\n");
    write("none.mtb", "bind <<1>> a\r\n\r\n[MetaBind]\r\nname=None\r\n");
    write("big.mtb", "bind <<1>> a\r\n\r\n[MetaBind]\r\nname=Big\r\nbut=257\r\n");
    open();
    choose(QStringLiteral("Bad"));
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 2);
    choose(QStringLiteral("None"));
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 1);
    choose(QStringLiteral("Big"));
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 1);
  }

  void otherHeaderSpellingsStayInThePreviewAndTheInsertion() {
    write("first.mtb", "[MetaBind]\r\nname=First\r\nbut=1\r\nbind <<1>> +duck\r\n");
    write("mixed.mtb", "bind <<1>> +jump\r\n[METAbind]\r\nname=Mixed\r\nbut=1\r\n");
    open();
    choose(QStringLiteral("First"));
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("[MetaBind]\r\nname=First\r\nbut=1\r\nbind <<1>> +duck\r\n"));
    choose(QStringLiteral("Mixed"));
    assign(0, QStringLiteral("CTRL"));
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(memo()->getText(),
             std::string("\r\nbind CTRL +jump\r\n[METAbind]\r\nname=Mixed\r\nbut=1\r\n"));
  }

  void theWizardTargetLeavesTheEditorAlone() {
    write("jump.mtb", kJump);
    memo()->loadText("editor text");
    brindle::core::MemoryBuffer working("unbindall");
    metab_->setWizardTarget(&working);
    open();
    choose(QStringLiteral("J"));
    assign(0, QStringLiteral("SPACE"));
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(working.getText(), std::string("unbindall\r\nbind SPACE +jump\r\n"));
    QCOMPARE(memo()->getText(), std::string("editor text"));
    QVERIFY(!memo()->modified());

    metab_->setWizardTarget(nullptr);
    choose(QStringLiteral("J"));
    assign(0, QStringLiteral("ALT"));
    QTest::mouseClick(control<QPushButton>(metab_, "sb_bind"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("editor text\r\nbind ALT +jump\r\n"));
    QCOMPARE(working.getText(), std::string("unbindall\r\nbind SPACE +jump\r\n"));
  }

  void exitEmptiesEverythingAndPutsTheCaretAtTheEnd() {
    write("jump.mtb", kJump);
    memo()->loadText("line one\r\nline two");
    open();
    choose(QStringLiteral("J"));
    assign(0, QStringLiteral("SPACE"));
    QTest::mouseClick(control<QPushButton>(metab_, "Button1"), Qt::LeftButton);
    QVERIFY(!metab_->isVisible());
    QCOMPARE(control<ChoiceList>(metab_, "lx_MeB")->count(), 0);
    QVERIFY(metab_->paths().empty());
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 0);
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(), std::string());
    QCOMPARE(memo()->selStart(), memo()->textLength());
    QCOMPARE(memo()->getText(), std::string("line one\r\nline two"));
    // Nothing is left to insert at the next showing.
    open();
    QVERIFY(!control<QPushButton>(metab_, "sb_bind")->isEnabled());
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("BIND"));
    QCOMPARE(control<QPushButton>(metab_, "Button1")->text(), QStringLiteral("Выход"));
  }

  void closedByTheTitleBarItKeepsItsStateAndListsAfresh() {
    write("b.mtb", "bind <<1>> b\r\n\r\n[MetaBind]\r\nname=B\r\nbut=1\r\n");
    write("c.mtb", "bind <<1>> c\r\n\r\n[MetaBind]\r\nname=C\r\nbut=1\r\n");
    open();
    choose(QStringLiteral("C"));
    assign(0, QStringLiteral("F1"));
    metab_->close();
    write("a.mtb", "bind <<1>> a\r\n\r\n[MetaBind]\r\nname=A\r\nbut=1\r\n");
    open();
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_MeB")), QStringList({"A", "B", "C"}));
    QCOMPARE(texts(control<ChoiceList>(metab_, "lx_bind")), QStringList({"F1"}));
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("bind <<1>> c\r\n"));
    QCOMPARE(control<QPushButton>(metab_, "sb_bind")->text(), QStringLiteral("Вставить"));
    // Entry i still shows the file of entry i.
    control<ChoiceList>(metab_, "lx_MeB")->selectRow(1);
    metab_->showMetaBind(1);
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("bind <<1>> b\r\n"));
    // A click on the list chooses, as the user does it.
    const QRect r = control<ChoiceList>(metab_, "lx_MeB")
                        ->visualItemRect(control<ChoiceList>(metab_, "lx_MeB")->item(0));
    QTest::mouseClick(control<ChoiceList>(metab_, "lx_MeB")->viewport(), Qt::LeftButton, {},
                      r.center());
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(),
             std::string("bind <<1>> a\r\n"));
  }

  void aFileGoneSinceTheListingIsReported() {
    write("gone.mtb", kJump);
    open();
    std::filesystem::remove(dir_->file("dlls/metabinds/gone.mtb"));
    brindle::ui::ScriptedAnswers script;
    choose(QStringLiteral("J"));
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QCOMPARE(control<ChoiceList>(metab_, "lx_bind")->count(), 0);
    QCOMPARE(control<brindle::ui::CfgEdit>(metab_, "red_bind")->getText(), std::string());
  }

  void everyShippedMetabindFillsAndInserts() {
    auto host = std::make_unique<brindle::test::TestHost>(BRINDLE_DATA_DIR);
    KeyDialog binds(host.get());
    MetaBindWindow metaBindWindow(host.get(), &binds, host.get());
    metaBindWindow.show();
    QVERIFY(control<ChoiceList>(&metaBindWindow, "lx_MeB")->count() >= 12);
    for (int i = 0; i < control<ChoiceList>(&metaBindWindow, "lx_MeB")->count(); ++i) {
      const std::string path = metaBindWindow.paths()[static_cast<std::size_t>(i)];
      host->memo()->loadText("");
      control<ChoiceList>(&metaBindWindow, "lx_MeB")->selectRow(i);
      metaBindWindow.showMetaBind(i);
      const int slots = control<ChoiceList>(&metaBindWindow, "lx_bind")->count();
      QVERIFY2(slots >= 1, path.c_str());
      for (int s = 0; s < slots; ++s) {
        binds.setSlotNumber(s + 1);
        binds.show();
        control<KeyList>(&binds, "ListBox1")
            ->setCurrentRow(s + 20, QItemSelectionModel::ClearAndSelect);  // digits on
        binds.confirm();
      }
      QCOMPARE(control<QPushButton>(&metaBindWindow, "sb_bind")->text(),
               QStringLiteral("Вставить"));
      metaBindWindow.bindOrInsert();
      const std::string text = host->memo()->getText();
      QVERIFY2(text.size() > 2, path.c_str());
      QVERIFY2(text.find("<<") == std::string::npos, (path + ": " + text).c_str());
      QVERIFY2(text.find("[MetaBind]") == std::string::npos, path.c_str());
    }
  }
};

QTEST_MAIN(TestTMetab)
#include "tst_metabind_window.moc"
