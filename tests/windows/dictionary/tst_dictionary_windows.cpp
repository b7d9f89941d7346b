// The dictionary window, the value panel and the explanation window working together on a
// small program directory: choosing lists, explaining, inserting, pictures and the messages.
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "DictionaryRig.h"
#include "JpegFixture.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/CfgEdit.h"
#include "ui/ChoiceListBox.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using namespace brindle::dictionary;
using brindle::core::Offset;
using brindle::test::control;
using brindle::test::TempDir;
using brindle::test::TestHost;
using brindle::ui::ScriptedAnswers;
using ChoiceList = brindle::ui::ChoiceListBox;

namespace {

std::string cp(const char* utf8) { return brindle::core::fromUtf8(utf8); }

// The windows as the application creates them, on a fixture program directory.
struct Rig : brindle::test::DictionaryRig {
  Rig() {
    dir.write("dlls/Stcmd.dll", "+attack\r\n+jump\r\n");
    dir.write("dlls/Otcmd.dll", "quit\r\n");
    dir.write("dlls/Pushki.dll", "weapon_ak47\r\nweapon_none\r\nweapon_broken\r\n");
    dir.write("dlls/cvardll/guns/weapon_broken.jpg", "not a picture");
    dir.write("dlls/cvardll/guns/weapon_ak47.jpg", brindle::test::makeJpeg(205, 65));
    dir.write("dlls/cvardll/VCCVR.DLL", "voice_scale\r\n");  // letter case differs
    dir.write("dlls/cvardll/Stcvr.dll", "sensitivity\r\nname \r\n");
    dir.write("dlls/dlz/Net.dlz", "rate 25000\r\nexplained elsewhere\r\n\r\n");
    dir.write("dlls/dlz/Net.pro", cp("[rate 25000]\r\nq=Быстрая сеть\r\n"));
    dir.write("dlls/ans1.pro", cp("[+attack]\r\nq=Атака основным оружием\r\n"
                                  "[explained elsewhere]\r\nq=from ans1\r\n"));
    dir.write("dlls/ans2.pro", "[+attack]\r\nq=ans2 is for libraries only\r\n");
    createWindows();
    host->show();
    valuePanel->show();
    dictionaryWindow->show();
    explanationWindow->show();
  }

  QStringList panelEntries() const { return control<ChoiceList>(valuePanel, "ListBox1")->texts(); }
  brindle::ui::CfgEdit* memo() const { return host->memo(); }
};

int rowOf(const ui::ChoiceListBox* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  return found.isEmpty() ? -1 : list->row(found.first());
}

// A mouse click on an entry, as the user makes it.
void click(ui::ChoiceListBox* list, const QString& text) {
  const int row = rowOf(list, text);
  QVERIFY2(row >= 0, qPrintable(text));
  list->scrollToItem(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

void doubleClick(ui::ChoiceListBox* list, const QString& text) {
  const int row = rowOf(list, text);
  QVERIFY2(row >= 0, qPrintable(text));
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The text a tooltip shows, whatever markup carries it, blanks collapsed as markup does.
QString tooltipText(const QWidget* w) {
  return QTextDocumentFragment::fromHtml(w->toolTip()).toPlainText().simplified();
}

}  // namespace

class TestDictionaryWindows : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsWithTheStandardCommandList() {
    Rig rig;
    QCOMPARE(control<QLabel>(rig.valuePanel, "Label3")->text(),
             QStringLiteral("Выбор: (CMD) Standart"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("Выбрано: (CMD) Standart"));
    QCOMPARE(rig.panelEntries(), (QStringList{"+attack", "+jump"}));
    QCOMPARE(control<ChoiceList>(rig.valuePanel, "ListBox1")->selectedRow(), -1);
    QVERIFY(!control<QToolButton>(rig.valuePanel, "Button1")->isEnabled());
    QCOMPARE(control<QTabWidget>(rig.dictionaryWindow, "PC1")->currentIndex(), 0);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox1")->selectedText(),
             std::optional<QString>(QStringLiteral("Standart")));
    QCOMPARE(control<QTabWidget>(rig.dictionaryWindow, "PC1")->tabText(2), QStringLiteral("DLZ"));
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox2")->count(), 11);
    // The DLZ tab is filled by the library-list refresh, not at start.
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->count(), 0);
    QVERIFY(control<QLabel>(rig.explanationWindow, "Image1")->isHidden());
  }

  void aClickExplainsAndEnablesAdding() {
    Rig rig;
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "+attack");
    QVERIFY(control<QToolButton>(rig.valuePanel, "Button1")->isEnabled());
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral(" Атака основным оружием"));
    QCOMPARE(rig.context->explanation, cp(" Атака основным оружием"));
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "+jump");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" ????"));

    // A new list: nothing selected, the button stays enabled.
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox2"), "Voice");
    QCOMPARE(rig.panelEntries(), (QStringList{"voice_scale"}));
    QCOMPARE(control<ChoiceList>(rig.valuePanel, "ListBox1")->selectedRow(), -1);
    QVERIFY(control<QToolButton>(rig.valuePanel, "Button1")->isEnabled());
    QCOMPARE(control<QLabel>(rig.valuePanel, "Label3")->text(),
             QStringLiteral("Выбор: (CVAR) Voice"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("Выбрано: (CVAR) Voice"));
  }

  void theCvarHintShowsAtOnceWhileTheMouseRestsOnTheList() {
    Rig rig;
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(1);
    ui::ChoiceListBox* list = control<ChoiceList>(rig.dictionaryWindow, "ListBox2");
    const auto at = [&](const char* text) {
      return list->visualItemRect(list->item(rowOf(list, text))).center();
    };
    QEnterEvent enter(at("Voice"), list->mapToGlobal(at("Voice")), list->mapToGlobal(at("Voice")));
    QApplication::sendEvent(list, &enter);  // the mouse comes to rest on the list
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at("Voice"));
    QCOMPARE(control<QLabel>(rig.valuePanel, "Label3")->text(),
             QStringLiteral("Выбор: (CVAR) Voice"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("Значения для голосового общения"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at("sk_(HalfLife)"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("В sk_(HalfLife) значения для HalfLife"));
    // An entry without a hint leaves its "Выбрано" text in place.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at("Standart"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("Выбрано: (CVAR) Standart"));
  }

  void libraryEntriesAreExplainedByTheLibraryFirst() {
    Rig rig;
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(), QStringList{"Net"});
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    QCOMPARE(control<QLabel>(rig.valuePanel, "Label3")->text(), QStringLiteral("Выбор: (DLZ) Net"));
    QCOMPARE(rig.host->statusText(1), QStringLiteral("Выбрано: (DLZ) Net"));
    QCOMPARE(rig.panelEntries(), (QStringList{"rate 25000", "explained elsewhere", ""}));
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "rate 25000");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral(" Быстрая сеть"));
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "explained elsewhere");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" from ans1"));
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" ????"));
    // The explanation of the selected text with the DLZ tab active also asks ans2.
    QCOMPARE(rig.valuePanel->explanation("", "+attack"),
             std::string(" ans2 is for libraries only"));
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(0);
    QCOMPARE(rig.valuePanel->explanation("", "+attack"), cp(" Атака основным оружием"));
  }

  void theShownLibraryExplainsItsEntriesWhenItsNameLosesTheSelection() {
    Rig rig;
    rig.dictionaryWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dictionaryWindow.get()));
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->setFocus();
    QTRY_VERIFY(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->hasFocus());
    // A click on the DLZ tab itself takes the focus off the list, and with it the selection.
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->tabBar()->setFocus();
    QTRY_VERIFY(control<QTabWidget>(rig.dictionaryWindow, "PC1")->tabBar()->hasFocus());
    QCOMPARE(rig.dictionaryWindow->selectedLibrary(), std::string());
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "rate 25000");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral(" Быстрая сеть"));

    // A CMD list in the panel: no library is meant, even on the DLZ tab.
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(0);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Standart");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "+attack");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral(" ans2 is for libraries only"));
  }

  void longEntriesAreShownWhole() {
    Rig rig;
    rig.dir.write("dlls/dlz/Long.dlz",
                  "rate 25000;cl_updaterate 101;cl_cmdrate 101;ex_interp 0.01\r\nx\r\n");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Long");
    QTRY_VERIFY(control<ChoiceList>(rig.valuePanel, "ListBox1")->horizontalScrollBar()->maximum() >
                0);  // scrolls sideways
  }

  void libraryEntriesInsertLikeTheLastCmdOrCvarList() {
    Rig rig;
    // CVAR "Voice", then the library: a variable entry with quotes at column 0.
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox2"), "Voice");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    doubleClick(control<ChoiceList>(rig.valuePanel, "ListBox1"), "rate 25000");
    QCOMPARE(rig.memo()->getText(), std::string("rate 25000 \"\""));
    QCOMPARE(rig.memo()->selStart(), Offset(12));  // between the quotes
    QCOMPARE(rig.memo()->selLength(), Offset(0));

    // CMD "Other", then the same library: a command entry, the caret after it.
    rig.memo()->loadText("");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(0);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Other");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "rate 25000");
    control<QToolButton>(rig.valuePanel, "Button1")->click();
    QCOMPARE(rig.memo()->getText(), std::string("rate 25000 ;"));
    QCOMPARE(rig.memo()->selStart(), Offset(12));
  }

  void variableEntriesAtColumns7And8() {
    Rig rig;
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox2"), "Standart");
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "sensitivity");

    rig.memo()->loadText("abc\r\n1234567");
    rig.memo()->setSelStart(12);  // line 1, column 7
    QCOMPARE(rig.memo()->caretPos().column, Offset(7));
    rig.valuePanel->entryDoubleClicked();
    QCOMPARE(rig.memo()->getText(), std::string("abc\r\n1234567sensitivity \"\""));
    QCOMPARE(rig.memo()->selStart(), Offset(5 + 7 + 13));

    rig.memo()->loadText("12345678");
    rig.memo()->setSelStart(8);
    rig.valuePanel->entryDoubleClicked();
    QCOMPARE(rig.memo()->getText(), std::string("12345678sensitivity ;"));
    QCOMPARE(rig.memo()->selStart(), Offset(8 + 12));  // before the ";"

    // An entry with a trailing blank goes in with it; a selection is replaced.
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "name ");
    rig.memo()->loadText("old");
    rig.memo()->select(0, 3);
    rig.valuePanel->entryDoubleClicked();
    QCOMPARE(rig.memo()->getText(), std::string("name  \"\""));
    QVERIFY(rig.memo()->modified());
  }

  void bindSetinfoAndAliasLines() {
    Rig rig;
    rig.valuePanel->insertLine(InsertKind::Bind, "MOUSE1");
    QCOMPARE(rig.memo()->getText(), std::string("bind \"MOUSE1\" \"\""));
    QCOMPARE(rig.memo()->selStart(), Offset(15));

    rig.memo()->loadText("");
    rig.valuePanel->insertLine(InsertKind::Setinfo, "lefthand", "0");
    QCOMPARE(rig.memo()->getText(), std::string("setinfo \"lefthand\" \"0\""));
    QCOMPARE(rig.memo()->selStart(), Offset(22));  // after the text

    rig.memo()->loadText("0123456789");
    rig.memo()->setSelStart(10);
    rig.valuePanel->insertLine(InsertKind::Setinfo, "lefthand", "0");
    QCOMPARE(rig.memo()->getText(), std::string("0123456789setinfo lefthand 0;"));

    rig.memo()->loadText("01234567");
    rig.memo()->setSelStart(8);
    rig.valuePanel->insertLine(InsertKind::Alias, "go");
    QCOMPARE(rig.memo()->getText(), std::string("01234567alias go ;"));
    QCOMPARE(rig.memo()->selStart(), Offset(17));
    QCOMPARE(rig.context->insertKind, InsertKind::Alias);
  }

  void anUnreadableExplanationFileIsReported() {
    Rig rig;
    const brindle::core::FileFault denied(brindle::core::FileOperation::Read,
                                          rig.dir.file("dlls/ans1.pro"),
                                          std::errc::permission_denied);
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "+attack");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" ????"));
    QCOMPARE(rig.script.boxes().size(), std::size_t(1));
    QCOMPARE(rig.script.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QVERIFY2(rig.script.boxes()[0].text.contains(QStringLiteral("ans1.pro")),
             qPrintable(rig.script.boxes()[0].text));
  }

  void addingWithNothingSelectedTellsTheUser() {
    Rig rig;
    const ScriptedAnswers& script = rig.script;
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "+jump");
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"),
          "Other");  // a new list: no entry selected, button enabled
    control<QToolButton>(rig.valuePanel, "Button1")->click();
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Information);
    QCOMPARE(rig.memo()->getText(), std::string());
  }

  void picturesModeShowsPicturesUntilTheTabChanges() {
    Rig rig;
    const ScriptedAnswers& script = rig.script;
    control<QLabel>(rig.explanationWindow, "lbl")->setText(QStringLiteral("before"));
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Weapons");
    QVERIFY(rig.context->picturesMode);
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "weapon_ak47");
    QVERIFY(!control<QLabel>(rig.explanationWindow, "Image1")->isHidden());
    QCOMPARE(control<QLabel>(rig.explanationWindow, "Image1")->pixmap().size(), QSize(205, 65));
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral("before"));  // the text stays
    QVERIFY(script.boxes().empty());

    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "weapon_none");
    QVERIFY(control<QLabel>(rig.explanationWindow, "Image1")->isHidden());
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QCOMPARE(script.boxes()[0].text,
             QStringLiteral("Ненайден файл соответствующий значению weapon_none"));
    // A picture that is there but damaged says so.
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "weapon_broken");
    QCOMPARE(script.boxes().size(), std::size_t(2));
    QVERIFY(script.boxes()[1].text.startsWith(QStringLiteral("Файл картинки повреждён: ")));

    // Pictures mode ends with the tab change, before any CVAR list is chosen.
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "weapon_ak47");
    QVERIFY(!control<QLabel>(rig.explanationWindow, "Image1")->isHidden());
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(1);
    QVERIFY(!rig.context->picturesMode);
    QVERIFY(control<QLabel>(rig.explanationWindow, "Image1")->isHidden());
    QCOMPARE(rig.panelEntries(), (QStringList{"weapon_ak47", "weapon_none", "weapon_broken"}));
    click(control<ChoiceList>(rig.valuePanel, "ListBox1"), "weapon_ak47");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" ????"));
    QVERIFY(control<QLabel>(rig.explanationWindow, "Image1")->isHidden());

    // Another CMD entry ends it too.
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(0);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Weapons");
    QVERIFY(rig.context->picturesMode);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Standart");
    QVERIFY(!rig.context->picturesMode);
  }

  void aMissingListIsReportedAndTheEntriesStay() {
    Rig rig;
    const ScriptedAnswers& script = rig.script;
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox1"), "Record");
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Ненайден файл ") +
                                         QString::fromStdString(rig.dir.path()) +
                                         QStringLiteral("/dlls/Reccmd.dll"));
    QCOMPARE(rig.panelEntries(), (QStringList{"+attack", "+jump"}));
    QCOMPARE(control<QLabel>(rig.valuePanel, "Label3")->text(),
             QStringLiteral("Выбор: (CMD) Record"));
  }

  void theLibraryTabListsNewLibrariesWhenItShows() {
    Rig rig;
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(), QStringList{"Net"});
    QVERIFY(!rig.libraryManager->isVisible());  // refreshed without showing the manager
    rig.dir.write("dlls/dlz/Aim.dlz", "x\r\n");
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(0);
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "Net"}));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "Net"}));
  }

  void aPageLosingTheFocusLosesItsSelection() {
    Rig rig;
    rig.dictionaryWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.dictionaryWindow.get()));
    control<ChoiceList>(rig.dictionaryWindow, "ListBox1")->setFocus();
    QTRY_VERIFY(control<ChoiceList>(rig.dictionaryWindow, "ListBox1")->hasFocus());
    QVERIFY(control<ChoiceList>(rig.dictionaryWindow, "ListBox1")->selectedRow() >= 0);
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->tabBar()->setFocus();
    QTRY_VERIFY(control<QTabWidget>(rig.dictionaryWindow, "PC1")->tabBar()->hasFocus());
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox1")->selectedRow(), -1);

    // Focus going to another window keeps the chosen library chosen.
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    click(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->setFocus();
    QTRY_VERIFY(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->hasFocus());
    rig.valuePanel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.valuePanel.get()));
    control<ChoiceList>(rig.valuePanel, "ListBox1")->setFocus();
    QTRY_VERIFY(control<ChoiceList>(rig.valuePanel, "ListBox1")->hasFocus());
    QCOMPARE(rig.dictionaryWindow->selectedLibrary(), std::string("Net"));
  }

  void theButtonsAskForTheInsertDialog() {
    Rig rig;
    QSignalSpy spy(rig.dictionaryWindow.get(), &DictionaryWindow::insertDialogRequested);
    control<QToolButton>(rig.dictionaryWindow, "SBut10")->click();
    control<QToolButton>(rig.dictionaryWindow, "SBut7")->click();
    control<QToolButton>(rig.dictionaryWindow, "SBut8")->click();
    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy[0], (QVariantList{0, QStringLiteral("SetInfo - выберите из списка")}));
    QCOMPARE(spy[1], (QVariantList{1, QStringLiteral("Bind - выберите клавишу для присвоения")}));
    QCOMPARE(spy[2], (QVariantList{2, QStringLiteral("Alias - наберите имя команды")}));
  }

  void toolWindowFrames() {
    Rig rig;
    QVERIFY(!(rig.dictionaryWindow->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(rig.dictionaryWindow->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(rig.explanationWindow->windowFlags() & Qt::FramelessWindowHint);
  }

  void longExplanationsAreSetSmallerAndCutWithTheWholeTextAsTooltip() {
    Rig rig;
    rig.explanationWindow->showExplanation(" short");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), QStringLiteral(" short"));
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->font().pixelSize(), 15);
    QVERIFY(control<QLabel>(rig.explanationWindow, "lbl")->font().bold());
    QVERIFY(control<QLabel>(rig.explanationWindow, "lbl")->toolTip().isEmpty());

    std::string medium = " ";
    for (int i = 0; i < 12; ++i) medium += cp("слово ");
    rig.explanationWindow->showExplanation(medium);
    const QString mediumText = QString::fromStdString(brindle::core::toUtf8(medium));
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(), mediumText);
    QVERIFY(control<QLabel>(rig.explanationWindow, "lbl")->font().pixelSize() < 15);
    QVERIFY(control<QLabel>(rig.explanationWindow, "lbl")->font().pixelSize() >= 10);
    QCOMPARE(tooltipText(control<QLabel>(rig.explanationWindow, "lbl")),
             mediumText.simplified());  // smaller type: the tooltip has it too

    std::string longText = " ";
    for (int i = 0; i < 100; ++i) longText += cp("пояснение ");
    rig.explanationWindow->showExplanation(longText);
    const QString whole = QString::fromStdString(brindle::core::toUtf8(longText));
    QVERIFY(control<QLabel>(rig.explanationWindow, "lbl")->text().endsWith(QStringLiteral("…")));
    QVERIFY(whole.startsWith(control<QLabel>(rig.explanationWindow, "lbl")->text().chopped(2)));
    // Cut text is set in regular type no smaller than 10 pixels: bold letters that small run
    // together.
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->font().pixelSize(), 10);
    QVERIFY(!control<QLabel>(rig.explanationWindow, "lbl")->font().bold());
    QCOMPARE(tooltipText(control<QLabel>(rig.explanationWindow, "lbl")), whole.simplified());
    // The tooltip wraps (rich text) instead of running off the screen in one line.
    QVERIFY(Qt::mightBeRichText(control<QLabel>(rig.explanationWindow, "lbl")->toolTip()));
    QCOMPARE(rig.explanationWindow->size(), QSize(225, 85));  // the window keeps its size

    // The explanation is read while the value panel or the editor is the active window.
    QVERIFY(rig.explanationWindow->testAttribute(Qt::WA_AlwaysShowToolTips));

    // Text that looks like markup is shown as written, in the label and in the tooltip.
    std::string markup = " <b>";
    for (int i = 0; i < 40; ++i) markup += "x & y ";
    markup += "</b>";
    rig.explanationWindow->showExplanation(markup);
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->textFormat(), Qt::PlainText);
    QCOMPARE(tooltipText(control<QLabel>(rig.explanationWindow, "lbl")),
             QString::fromStdString(markup).simplified());
    rig.explanationWindow->showExplanation(" <b>short</b>");
    QCOMPARE(control<QLabel>(rig.explanationWindow, "lbl")->text(),
             QStringLiteral(" <b>short</b>"));
  }

  void theExplanationWindowIsDraggedFromAnywhere() {
    Rig rig;
    rig.explanationWindow->move(300, 300);
    const QPoint start = rig.explanationWindow->pos();
    QTest::mousePress(control<QLabel>(rig.explanationWindow, "lbl"), Qt::LeftButton, {},
                      QPoint(50, 30));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 30),
                     control<QLabel>(rig.explanationWindow, "lbl")->mapToGlobal(QPointF(90, 50)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control<QLabel>(rig.explanationWindow, "lbl"), &move);
    QTest::mouseRelease(control<QLabel>(rig.explanationWindow, "lbl"), Qt::LeftButton, {},
                        QPoint(90, 50));
    QCOMPARE(rig.explanationWindow->pos(), start + QPoint(40, 20));
  }
};

QTEST_MAIN(TestDictionaryWindows)
#include "tst_dictionary_windows.moc"
