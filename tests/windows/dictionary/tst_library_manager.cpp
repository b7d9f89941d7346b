// The library manager: the refresh, adding and deleting libraries and MetaBind files, and the
// copy of its list to the dictionary window when it closes.
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "DictionaryRig.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/ChoiceListBox.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using namespace brindle::dictionary;
using brindle::test::control;
using brindle::test::TempDir;
using brindle::test::TestHost;
using brindle::ui::ScriptedAnswers;
using ChoiceList = brindle::ui::ChoiceListBox;
namespace fs = std::filesystem;

namespace {

struct Rig : brindle::test::DictionaryRig {
  Rig() {
    dir.write("dlls/Stcmd.dll", "+attack\r\n");
    dir.write("dlls/dlz/Net.dlz", "rate 25000\r\n");
    dir.write("dlls/dlz/Net.pro", "[rate 25000]\r\nq=x\r\n");
    dir.write("dlls/dlz/Aim.dlz", "x\r\n");
    dir.write("dlls/metabinds/jump.mtb", "x\r\n");
    dir.write("src/Sound.dlz", "volume 0.5\r\n");
    dir.write("src/duck.mtb", "+duck\r\n");
    dir.write("src/Net.mtb", "bind\r\n");
    createWindows(true);
    dictionaryWindow->show();
  }

  // Opens the manager as the menu does and runs `inside` while it is shown, then "OK".
  void openManager(const std::function<void()>& inside = {}) {
    bool ran = false;
    QTimer::singleShot(0, libraryManager.get(), [&] {
      QVERIFY(libraryManager->isVisible());
      if (inside) inside();
      ran = true;
      control<QPushButton>(libraryManager, "Button3")->click();
    });
    libraryManager->run(false);
    QVERIFY(ran);
    QVERIFY(!libraryManager->isVisible());
  }

  void choose(const std::string& file, int filter) {
    script.chooseFile({true, QString::fromStdString(dir.file(file)), filter});
  }
};

void select(ui::ChoiceListBox* list, const QString& text) {
  const auto found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(!found.isEmpty(), qPrintable(text));
  const QRect r = list->visualItemRect(found.first());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestLibraryManager : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void captionsAndAFixedSize() {
    Rig rig;
    QCOMPARE(rig.libraryManager->windowTitle(),
             QStringLiteral("Настройка библиотек DLZ и MetaBinds"));
    QCOMPARE(control<QLabel>(rig.libraryManager, "Label1")->text(),
             QStringLiteral("Библиотеки DLZ"));
    QCOMPARE(control<QLabel>(rig.libraryManager, "Label2")->text(),
             QStringLiteral("MetaBinds (MTB)"));
    QCOMPARE(control<QPushButton>(rig.libraryManager, "Button1")->text(),
             QStringLiteral("Добавить"));
    QCOMPARE(control<QPushButton>(rig.libraryManager, "Button2")->text(),
             QStringLiteral("Удалить"));
    QCOMPARE(control<QPushButton>(rig.libraryManager, "Button3")->text(), QStringLiteral("OK"));
    QVERIFY(!control<QLabel>(rig.libraryManager, "Image1")->pixmap().isNull());
    QVERIFY(rig.libraryManager->minimumSize() == rig.libraryManager->maximumSize());
  }

  void openingTwiceListsEverythingOnce() {
    Rig rig;
    rig.openManager();
    rig.openManager();
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "Net"}));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox2")->texts(), QStringList{"jump.mtb"});
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "Net"}));
  }

  void addingCopiesAndListsByTheChosenFilter() {
    Rig rig;
    rig.choose("src/Sound.dlz", 1);
    rig.choose("src/duck.mtb", 2);
    rig.choose("src/Net.mtb", 2);   // same base name as a library: listed as a MetaBind anyway
    rig.choose("src/duck.mtb", 1);  // the filter decides: a value library "duck"
    rig.openManager([&] {
      for (int i = 0; i < 4; ++i) control<QPushButton>(rig.libraryManager, "Button1")->click();
    });
    QCOMPARE(rig.script.fileDialogs().size(), std::size_t(4));
    const auto& request = rig.script.fileDialogs()[0];
    QCOMPARE(request.title, QStringLiteral("Добавить"));
    QCOMPARE(request.filter,
             QStringLiteral("Библиотека значений (*.dlz)|*.dlz|MetaBinds (*.mtb)|*.mtb"));
    QVERIFY(request.mustExist);
    QVERIFY(!request.save);

    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "duck", "Net", "Sound"}));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox2")->texts(),
             (QStringList{"duck.mtb", "jump.mtb", "Net.mtb"}));
    QCOMPARE(rig.dir.read("dlls/dlz/Sound.dlz"), std::string("volume 0.5\r\n"));
    QCOMPARE(rig.dir.read("dlls/metabinds/duck.mtb"), std::string("+duck\r\n"));
    QVERIFY(fs::exists(rig.dir.file("dlls/dlz/duck.mtb")));
    QVERIFY(rig.script.boxes().empty());
    // Closing hands the list to the dictionary's DLZ tab.
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "duck", "Net", "Sound"}));
  }

  void addingAgainReplacesTheFileWithoutASecondEntry() {
    Rig rig;
    rig.dir.write("src/new/Net.dlz", "rate 100000\r\n");
    rig.choose("src/new/Net.dlz", 1);
    rig.openManager([&] { control<QPushButton>(rig.libraryManager, "Button1")->click(); });
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "Net"}));
    QCOMPARE(rig.dir.read("dlls/dlz/Net.dlz"), std::string("rate 100000\r\n"));
  }

  void refusedAndFailedCopiesAreReportedAndListNothing() {
    Rig rig;
    const std::string longName = "src/" + std::string(220, 'x') + ".dlz";
    rig.dir.write(longName, "x\r\n");
    rig.choose(longName, 1);
    fs::remove_all(rig.dir.file("dlls/metabinds"));
    rig.choose("src/duck.mtb", 2);
    rig.script.cancelFile();
    rig.openManager([&] {
      for (int i = 0; i < 3; ++i) control<QPushButton>(rig.libraryManager, "Button1")->click();
    });
    QCOMPARE(rig.script.boxes().size(), std::size_t(2));
    QCOMPARE(rig.script.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QVERIFY(rig.script.boxes()[0].text.contains(QStringLiteral("200")));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "Net"}));
    QVERIFY(control<ChoiceList>(rig.libraryManager, "ListBox2")->texts().isEmpty());
    QCOMPARE(fs::directory_entry(rig.dir.file("dlls/dlz")).exists(), true);
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(rig.dir.file("dlls/dlz"))) ++files;
    QCOMPARE(files, 3);  // Net.dlz, Net.pro, Aim.dlz: nothing copied
  }

  void deletingRemovesTheFileAndTheEntry() {
    Rig rig;
    rig.openManager([&] {
      select(control<ChoiceList>(rig.libraryManager, "ListBox1"), "Net");
      select(control<ChoiceList>(rig.libraryManager, "ListBox2"),
             "jump.mtb");  // selecting here clears the other list
      QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->selectedRow(), -1);
      select(control<ChoiceList>(rig.libraryManager, "ListBox1"), "Net");
      QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox2")->selectedRow(), -1);
      control<QPushButton>(rig.libraryManager, "Button2")->click();
    });
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(), QStringList{"Aim"});
    QVERIFY(!fs::exists(rig.dir.file("dlls/dlz/Net.dlz")));
    QVERIFY(fs::exists(rig.dir.file("dlls/dlz/Net.pro")));  // the explanations stay
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(), QStringList{"Aim"});

    rig.openManager([&] {
      control<QPushButton>(rig.libraryManager, "Button2")
          ->click();  // nothing selected: nothing happens
      select(control<ChoiceList>(rig.libraryManager, "ListBox2"), "jump.mtb");
      control<QPushButton>(rig.libraryManager, "Button2")->click();
    });
    QVERIFY(control<ChoiceList>(rig.libraryManager, "ListBox2")->texts().isEmpty());
    QVERIFY(!fs::exists(rig.dir.file("dlls/metabinds/jump.mtb")));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(), QStringList{"Aim"});
    QVERIFY(rig.script.boxes().empty());
  }

  void aLibraryThatCannotBeDeletedStaysListed() {
    Rig rig;
    fs::remove(rig.dir.file("dlls/dlz/Aim.dlz"));
    fs::create_directories(rig.dir.file("dlls/dlz/Aim.dlz/inside"));  // no file to unlink
    rig.dir.write("dlls/dlz/Aim.DLZ", "x\r\n");
    rig.openManager([&] {
      select(control<ChoiceList>(rig.libraryManager, "ListBox1"), "Aim");
      control<QPushButton>(rig.libraryManager, "Button2")->click();
    });
    QCOMPARE(rig.script.boxes().size(), std::size_t(1));
    QCOMPARE(control<ChoiceList>(rig.libraryManager, "ListBox1")->texts(),
             (QStringList{"Aim", "Net"}));
  }

  void closingByAnyMeansCopiesTheList() {
    Rig rig;
    rig.libraryManager->run(true);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "Net"}));
    control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->addItem(QStringLiteral("stray"));
    QTimer::singleShot(0, rig.libraryManager.get(),
                       [&] { rig.libraryManager->reject(); });  // Escape, title bar close
    rig.libraryManager->run(false);
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "Net"}));
  }

  void theChosenLibraryStaysChosenWhileItIsListed() {
    Rig rig;
    control<QTabWidget>(rig.dictionaryWindow, "PC1")->setCurrentIndex(2);
    select(control<ChoiceList>(rig.dictionaryWindow, "ListBox3"), "Net");
    rig.openManager();
    QCOMPARE(rig.dictionaryWindow->selectedLibrary(), std::string("Net"));
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(),
             (QStringList{"Aim", "Net"}));

    rig.openManager([&] {
      select(control<ChoiceList>(rig.libraryManager, "ListBox1"), "Net");
      control<QPushButton>(rig.libraryManager, "Button2")->click();
    });
    QCOMPARE(control<ChoiceList>(rig.dictionaryWindow, "ListBox3")->texts(), QStringList{"Aim"});
    QCOMPARE(rig.dictionaryWindow->selectedLibrary(),
             std::string());  // gone with its entry, no neighbour
  }
};

QTEST_MAIN(TestLibraryManager)
#include "tst_library_manager.moc"
