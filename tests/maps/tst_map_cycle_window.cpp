// The map cycle editor window, driven by its controls' names: loading a game directory, the
// four buttons, keys and double clicks with their messages, descriptions, "Применить" and
// "Отмена", and the game directories it cannot work in.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "core/Cp1251.h"
#include "maps/windows/MapCycleWindow.h"
#include "support/TempDir.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"

using brindle::maps::MapCycleWindow;
using brindle::test::TempDir;
using brindle::ui::BoxKind;
using brindle::ui::ScriptedAnswers;

namespace {

const QString kNoDescription = QStringLiteral("Нет файла описания для данной карты!");

// A copy of the demo game directory, which the tests may change.
QString demoCopy(const TempDir& dir) {
  const std::filesystem::path target = dir.file("cstrike");
  std::filesystem::copy(std::string(BRINDLE_SOURCE_DIR) + "/examples/cstrike", target,
                        std::filesystem::copy_options::recursive);
  return QString::fromStdString(target.string());
}

template <typename T>
T* child(const QWidget& w, const char* name) {
  T* c = w.findChild<T*>(QString::fromLatin1(name));
  if (!c) qFatal("no control %s", name);
  return c;
}

QStringList texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

int rowOf(const QListWidget* list, const char* text) {
  const auto found = list->findItems(QString::fromUtf8(text), Qt::MatchExactly);
  if (found.size() != 1) qFatal("%s is listed %d times", text, int(found.size()));
  return list->row(found.front());
}

void select(QListWidget* list, int row) {
  list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void doubleClick(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList boxTexts(const ScriptedAnswers& script) {
  QStringList out;
  for (const auto& b : script.boxes()) out << b.text;
  return out;
}

}  // namespace

class TestTmaps : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void controlsCaptionsAndGlyphs() {
    MapCycleWindow w(nullptr);
    QCOMPARE(w.objectName(), QStringLiteral("Tmaps"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Настройка смены карт (mapcycle.txt)"));
    QVERIFY(w.isModal());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(child<QLabel>(w, "Label1")->text(), QStringLiteral("Список выбранных вами карт:"));
    QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("Список всех карт:"));
    QCOMPARE(child<QLabel>(w, "Label3")->text(), QStringLiteral("Описание карты:"));
    QCOMPARE(child<QPushButton>(w, "Button8")->text(), QStringLiteral("Применить"));
    QCOMPARE(child<QPushButton>(w, "Button1")->text(), QStringLiteral("Отмена"));
    auto* description = child<QPlainTextEdit>(w, "Ric1");
    QVERIFY(description->isReadOnly());
    QCOMPARE(description->lineWrapMode(), QPlainTextEdit::NoWrap);

    // Blue 16 x 16 glyphs (the SVG files render), top to bottom: plus, minus, up, down.
    QList<QImage> glyphs;
    for (const char* name : {"Spee1", "Spee2", "Spee3", "Spee4"}) {
      auto* b = child<QToolButton>(w, name);
      QVERIFY(b->autoRaise());
      glyphs << b->icon().pixmap(16, 16).toImage();
      QVERIFY2(glyphs.back().size() == QSize(16, 16), name);
      const QColor middle = glyphs.back().pixelColor(8, 8);
      QVERIFY2(middle.alpha() > 128 && middle.blue() > middle.red() + 60, name);
    }
    // Plus is wide at the middle row, minus is not tall; the arrow heads point their way.
    QVERIFY(glyphs[0].pixelColor(8, 3).alpha() > 128 && glyphs[0].pixelColor(3, 8).alpha() > 128);
    QVERIFY(glyphs[1].pixelColor(8, 3).alpha() == 0 && glyphs[1].pixelColor(3, 8).alpha() > 128);
    QVERIFY(glyphs[2].pixelColor(3, 7).alpha() > 128 && glyphs[2].pixelColor(3, 9).alpha() == 0);
    QVERIFY(glyphs[3].pixelColor(3, 8).alpha() > 128 && glyphs[3].pixelColor(3, 6).alpha() == 0);

    w.show();
    QCOMPARE(w.minimumSize(), w.maximumSize());  // fixed size
  }

  void loadsTheMapsSortedAndTheCycleInFileOrder() {
    TempDir dir;
    const QString game = demoCopy(dir);
    dir.write("cstrike/maps/de_rats.BSP", "x");
    dir.write("cstrike/mapcycle.txt", "de_nuke\r\n\r\nde_dust2\r\nde_nuke\r\n");
    MapCycleWindow w(nullptr);
    QVERIFY(w.load(game));
    w.show();
    auto* cycle = child<QListWidget>(w, "LB1");
    auto* all = child<QListWidget>(w, "LB2");
    QCOMPARE(texts(cycle), QStringList({"de_nuke", "", "de_dust2", "de_nuke"}));
    QCOMPARE(all->count(), 26);
    QCOMPARE(all->item(0)->text(), QStringLiteral("as_oilrig"));
    QCOMPARE(all->item(20)->text(), QStringLiteral("de_rats"));
    QCOMPARE(w.focusWidget(), cycle);
    QVERIFY(cycle->selectedItems().isEmpty());
    QVERIFY(all->selectedItems().isEmpty());
    QVERIFY(child<QPlainTextEdit>(w, "Ric1")->toPlainText().isEmpty());

    // Every showing starts from the folder and the file again.
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    dir.write("cstrike/mapcycle.txt", "cs_office\r\n");
    QVERIFY(w.load(game));
    QCOMPARE(texts(cycle), QStringList({"cs_office"}));
  }

  void missingCycleFileIsCreatedEvenWhenCancelled() {
    TempDir dir;
    dir.write("game/maps/de_dust.bsp", "x");
    MapCycleWindow w(nullptr);
    ScriptedAnswers script;
    QVERIFY(w.load(QString::fromStdString(dir.file("game"))));
    w.show();
    QCOMPARE(child<QListWidget>(w, "LB1")->count(), 0);
    QCOMPARE(texts(child<QListWidget>(w, "LB2")), QStringList({"de_dust"}));
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(std::filesystem::is_regular_file(dir.file("game/mapcycle.txt")));
    QCOMPARE(QString::fromStdString(dir.read("game/mapcycle.txt")), QString());
    QVERIFY(script.boxes().empty());
  }

  void unusableGameDirectoryIsReportedAndNotShown() {
    TempDir dir;
    MapCycleWindow w(nullptr);
    {
      ScriptedAnswers script;
      QCOMPARE(w.execFor(QString::fromStdString(dir.file("nowhere"))), int(QDialog::Rejected));
      QVERIFY(!w.isVisible());
      QCOMPARE(script.boxes().size(), std::size_t(1));
      QCOMPARE(script.boxes()[0].kind, BoxKind::Error);
      QVERIFY(script.boxes()[0].text.contains(QStringLiteral("mapcycle.txt")));
      QVERIFY(script.boxes()[0].text.contains(QStringLiteral("nowhere")));
      QVERIFY(!std::filesystem::exists(dir.file("nowhere")));
    }
    // A directory in place of mapcycle.txt, after a good directory was shown: nothing of the
    // earlier one stays behind.
    const QString game = demoCopy(dir);
    QVERIFY(w.load(game));
    std::filesystem::remove(dir.file("cstrike/mapcycle.txt"));
    std::filesystem::create_directories(dir.file("cstrike/mapcycle.txt"));
    ScriptedAnswers script;
    QCOMPARE(w.execFor(game), int(QDialog::Rejected));
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, BoxKind::Error);
    QCOMPARE(child<QListWidget>(w, "LB1")->count(), 0);
    QCOMPARE(child<QListWidget>(w, "LB2")->count(), 0);
  }

  void addRemoveAndMoveThroughButtonsKeysAndDoubleClicks() {
    TempDir dir;
    const QString game = demoCopy(dir);
    dir.write("cstrike/mapcycle.txt", "de_dust2\r\nde_nuke\r\ncs_italy\r\n");
    MapCycleWindow w(nullptr);
    QVERIFY(w.load(game));
    w.show();
    auto* cycle = child<QListWidget>(w, "LB1");
    auto* all = child<QListWidget>(w, "LB2");
    auto* add = child<QToolButton>(w, "Spee1");
    auto* remove = child<QToolButton>(w, "Spee2");
    auto* up = child<QToolButton>(w, "Spee3");
    auto* down = child<QToolButton>(w, "Spee4");
    const int aztec = rowOf(all, "de_aztec");
    const int train = rowOf(all, "de_train");

    ScriptedAnswers script;
    // Nothing selected: each button says what to select and changes nothing.
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseClick(remove, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(boxTexts(script),
             QStringList({"Для добавления, выберите карту из списка всех карт!",
                          "Для удаления, выберите карту из первого списка!",
                          "Выберите карту для перемещения!", "Выберите карту для перемещения!"}));
    for (const auto& b : script.boxes()) QCOMPARE(b.kind, BoxKind::Plain);
    QCOMPARE(texts(cycle), QStringList({"de_dust2", "de_nuke", "cs_italy"}));
    script.clear();

    // Add: the plus button, Enter in the all-maps list, a double click; repeats allowed.
    select(all, aztec);
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::keyClick(all, Qt::Key_Return);
    QTest::keyClick(all, Qt::Key_Enter, Qt::KeypadModifier);
    doubleClick(all, train);
    QCOMPARE(texts(cycle), QStringList({"de_dust2", "de_nuke", "cs_italy", "de_aztec", "de_aztec",
                                        "de_aztec", "de_train"}));
    QVERIFY(w.isVisible());  // Enter adds; it does not press a button

    // Remove: the minus button, Backspace, a double click; afterwards nothing is selected.
    select(cycle, 4);
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(cycle->selectedItems().isEmpty());
    select(cycle, 3);
    QTest::keyClick(cycle, Qt::Key_Backspace);
    doubleClick(cycle, 0);
    QCOMPARE(texts(cycle), QStringList({"de_nuke", "cs_italy", "de_aztec", "de_train"}));
    QTest::keyClick(cycle, Qt::Key_Backspace);
    QCOMPARE(boxTexts(script), QStringList({"Для удаления, выберите карту из первого списка!"}));
    script.clear();

    // Move: the selection follows the entry; the ends stay put without a message.
    select(cycle, 0);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(texts(cycle), QStringList({"de_nuke", "cs_italy", "de_aztec", "de_train"}));
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(texts(cycle), QStringList({"cs_italy", "de_aztec", "de_nuke", "de_train"}));
    QCOMPARE(cycle->currentRow(), 2);
    QVERIFY(cycle->item(2)->isSelected());
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(texts(cycle), QStringList({"cs_italy", "de_aztec", "de_train", "de_nuke"}));
    QCOMPARE(cycle->currentRow(), 3);
    QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(texts(cycle), QStringList({"cs_italy", "de_aztec", "de_nuke", "de_train"}));
    QVERIFY(script.boxes().empty());

    // Enter in the cycle list presses no button either.
    QTest::keyClick(cycle, Qt::Key_Return);
    QVERIFY(w.isVisible());
    QCOMPARE(QString::fromStdString(dir.read("cstrike/mapcycle.txt")),
             QStringLiteral("de_dust2\r\nde_nuke\r\ncs_italy\r\n"));
  }

  void applyWritesTheCycleAndCancelDoesNot() {
    TempDir dir;
    const QString game = demoCopy(dir);
    dir.write("cstrike/mapcycle.txt", "de_dust2\n\nde_nuke");
    MapCycleWindow w(nullptr);
    auto* cycle = child<QListWidget>(w, "LB1");
    auto* all = child<QListWidget>(w, "LB2");

    QVERIFY(w.load(game));
    w.show();
    select(all, rowOf(all, "de_dust2"));
    QTest::mouseClick(child<QToolButton>(w, "Spee1"), Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(QString::fromStdString(dir.read("cstrike/mapcycle.txt")),
             QStringLiteral("de_dust2\n\nde_nuke"));

    QVERIFY(w.load(game));
    w.show();
    select(all, rowOf(all, "de_dust2"));
    QTest::mouseClick(child<QToolButton>(w, "Spee1"), Qt::LeftButton);
    QVERIFY(!child<QPlainTextEdit>(w, "Ric1")->toPlainText().isEmpty());
    QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(child<QPlainTextEdit>(w, "Ric1")->toPlainText().isEmpty());
    // The empty line stays; every entry ends with CR LF, repeats included.
    QCOMPARE(QString::fromStdString(dir.read("cstrike/mapcycle.txt")),
             QStringLiteral("de_dust2\r\n\r\nde_nuke\r\nde_dust2\r\n"));

    QVERIFY(w.load(game));
    w.show();
    while (cycle->count() > 0) {
      select(cycle, 0);
      QTest::keyClick(cycle, Qt::Key_Backspace);
    }
    QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(dir.read("cstrike/mapcycle.txt")), QString());
  }

  void failedSaveIsReportedAndTheWindowStays() {
    TempDir dir;
    const QString game = demoCopy(dir);
    MapCycleWindow w(nullptr);
    QVERIFY(w.load(game));
    w.show();
    const QStringList before = texts(child<QListWidget>(w, "LB1"));
    std::filesystem::remove(dir.file("cstrike/mapcycle.txt"));
    std::filesystem::create_directories(dir.file("cstrike/mapcycle.txt"));
    ScriptedAnswers script;
    QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, BoxKind::Error);
    QVERIFY(script.boxes()[0].text.contains(QStringLiteral("mapcycle.txt")));
    QVERIFY(w.isVisible());
    QCOMPARE(texts(child<QListWidget>(w, "LB1")), before);

    // Once the obstacle is gone, "Применить" writes.
    std::filesystem::remove(dir.file("cstrike/mapcycle.txt"));
    QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(QString::fromStdString(dir.read("cstrike/mapcycle.txt")),
             before.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
  }

  void descriptionsOfTheClickedMap() {
    TempDir dir;
    const QString game = demoCopy(dir);
    dir.write("cstrike/mapcycle.txt", "de_dust2\r\nde_storm\r\nde_gone\r\n");
    MapCycleWindow w(nullptr);
    QVERIFY(w.load(game));
    w.show();
    auto* cycle = child<QListWidget>(w, "LB1");
    auto* all = child<QListWidget>(w, "LB2");
    auto* description = child<QPlainTextEdit>(w, "Ric1");
    const QString dust2 = brindle::ui::toQ(dir.read("cstrike/maps/de_dust2.txt"));

    QTest::mouseClick(cycle->viewport(), Qt::LeftButton, {},
                      cycle->visualItemRect(cycle->item(0)).center());
    QVERIFY(dust2.endsWith(QStringLiteral("\r\n")));
    QCOMPARE(description->toPlainText() + QStringLiteral("\n"),
             QString(dust2).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(description->toPlainText().contains(QStringLiteral("Пыль 2")));
    QTest::keyClick(cycle, Qt::Key_Down);  // the keyboard shows descriptions too
    QCOMPARE(description->toPlainText(), kNoDescription);
    QTest::keyClick(cycle, Qt::Key_Down);
    QCOMPARE(description->toPlainText(), kNoDescription);

    const int office = rowOf(all, "cs_office");
    QTest::mouseClick(all->viewport(), Qt::LeftButton, {},
                      all->visualItemRect(all->item(office)).center());
    QVERIFY(description->toPlainText().startsWith(QStringLiteral("cs_office")));
    // Clicking the entry already selected in the other list shows its description again.
    QTest::mouseClick(cycle->viewport(), Qt::LeftButton, {},
                      cycle->visualItemRect(cycle->item(2)).center());
    QCOMPARE(description->toPlainText(), kNoDescription);

    // Removing the described entry empties the box; removing another keeps the text.
    select(cycle, 0);
    QVERIFY(description->toPlainText().contains(QStringLiteral("Пыль 2")));
    QTest::mouseClick(child<QToolButton>(w, "Spee2"), Qt::LeftButton);
    QVERIFY(description->toPlainText().isEmpty());
    select(cycle, 0);
    QTest::mouseClick(all->viewport(), Qt::LeftButton, {},
                      all->visualItemRect(all->item(office)).center());
    QTest::mouseClick(child<QToolButton>(w, "Spee2"), Qt::LeftButton);
    QVERIFY(description->toPlainText().startsWith(QStringLiteral("cs_office")));

    w.reject();
    QVERIFY(description->toPlainText().isEmpty());
  }

  void theProgramDirectoryGetsNoCycleFile() {
    TempDir dir;
    dir.write("maps/de_dust.bsp", "x");
    MapCycleWindow w(nullptr);
    w.setProgramDirectory(QString::fromStdString(dir.path() + "/"));
    ScriptedAnswers script;
    QVERIFY(w.load(QString::fromStdString(dir.path())));
    w.show();
    QCOMPARE(texts(child<QListWidget>(w, "LB2")), QStringList({"de_dust"}));
    QVERIFY(!std::filesystem::exists(dir.file("mapcycle.txt")));
    select(child<QListWidget>(w, "LB2"), 0);
    QTest::mouseClick(child<QToolButton>(w, "Spee1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(script.boxes().size(), std::size_t(1));
    QCOMPARE(script.boxes()[0].kind, BoxKind::Error);
    QVERIFY(script.boxes()[0].text.contains(QStringLiteral("Ctrl+K")));
    QVERIFY(!std::filesystem::exists(dir.file("mapcycle.txt")));
    w.reject();
  }

  void execForRunsModallyAndReturnsAcceptedOnApply() {
    TempDir dir;
    const QString game = demoCopy(dir);
    QWidget main;
    main.resize(800, 600);
    main.show();
    MapCycleWindow w(&main);
    bool wasModal = false;
    QTimer::singleShot(0, &w, [&] {
      wasModal = QApplication::activeModalWidget() == &w;
      auto* all = child<QListWidget>(w, "LB2");
      select(all, rowOf(all, "as_oilrig"));
      QTest::keyClick(all, Qt::Key_Return);
      QTest::mouseClick(child<QPushButton>(w, "Button8"), Qt::LeftButton);
    });
    QCOMPARE(w.execFor(game), int(QDialog::Accepted));
    QVERIFY(wasModal);
    QVERIFY(QString::fromStdString(dir.read("cstrike/mapcycle.txt"))
                .endsWith(QStringLiteral("cs_assault\r\nas_oilrig\r\n")));
  }
};

QTEST_MAIN(TestTmaps)
#include "tst_map_cycle_window.moc"
