// The main window's start and end: the first document, the settings read at creation and at
// first show and written at close, the first-start game-directory dialog, and the tool windows
// that follow the main window and dock beside it while it is maximized.
#include <QtTest>

#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/ValuePanel.h"
#include "maps/windows/MapCycleWindow.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "windows/app/AppFixture.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using brindle::app::MainWindow;
using brindle::test::AppFixture;

namespace {

constexpr std::string_view kTemplate =
    "//Unknown's configuration file\r\n\r\nunbindall\r\nclear\r\n\r\n";

struct Frames {
  QRect dictionaryWindow, valuePanel, explanationWindow;
};

Frames framesOf(const AppFixture& f) {
  return {f.app->dictionaryWindow->frameGeometry(), f.app->valuePanel->frameGeometry(),
          f.app->explanationWindow->frameGeometry()};
}

// A frame as the window can take it: never smaller than the window's minimum size.
QRect fit(const QWidget* w, const QRect& frame) {
  const QSize decoration = w->frameGeometry().size() - w->size();
  return QRect(frame.topLeft(), frame.size().expandedTo(w->minimumSize() + decoration));
}

void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

class TestMainStart : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void firstStartWithoutSettings() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.create();
    MainWindow* w = f.main();
    const std::string game = f.dir.file("cstrike");
    std::filesystem::create_directories(game);

    // The first document is the template, caret at its end, untitled and not modified.
    QCOMPARE(f.text(), std::string(kTemplate));
    QCOMPARE(f.memo()->selStart(), static_cast<brindle::core::Offset>(kTemplate.size()));
    QCOMPARE(f.memo()->selLength(), 0);
    QVERIFY(!f.memo()->modified());
    QCOMPARE(f.panelLabel(2), QStringLiteral("Untitled"));
    QCOMPARE(f.panelLabel(0), QStringLiteral("1 : 6"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Brindle for Counter-Strike (версия 2.3)"));

    // The game-directory dialog comes before the tool windows, and only ОК leaves it.
    bool toolWindowsHiddenDuringDialog = false;
    bool refusedClose = false;
    brindle::test::whenModal<brindle::game::GameDirectoryDialog>(
        [&](brindle::game::GameDirectoryDialog* dialog) {
          toolWindowsHiddenDuringDialog =
              !f.app->dictionaryWindow->isVisible() && !f.app->valuePanel->isVisible();
          dialog->reject();
          dialog->close();
          refusedClose = dialog->isVisible();
          dialog->setDirectory(QString::fromStdString(game));
          dialog->confirm();
        });
    f.app->start();
    QTRY_VERIFY(w->placed());
    QVERIFY(toolWindowsHiddenDuringDialog);
    QVERIFY(refusedClose);
    QVERIFY(w->confirmed());

    // Built-in placement and colours.
    QCOMPARE(w->frameGeometry(), QRect(10, 10, 560, 450));
    QCOMPARE(brindle::ui::colorToBgr(w->editorBackground()), 0x00E8A800);
    QCOMPARE(w->editorBackground(), QColor(0, 168, 232));
    QCOMPARE(w->editorTextColor(), QColor(Qt::black));
    QCOMPARE(f.memo()->font().pointSize(), 10);
    QVERIFY(!f.memo()->font().bold() && !f.memo()->font().italic());
    QCOMPARE(w->styleCode(), 0);

    // The wizard and the map cycle editor work in the directory just chosen; the program
    // directory gets no cycle file.
    QCOMPARE(f.app->wizardDirectory, QString::fromStdString(game));
    QVERIFY(w->startupGameDirectory().isEmpty());
    brindle::test::whenModal<brindle::maps::MapCycleWindow>(
        [](brindle::maps::MapCycleWindow* maps) { maps->reject(); });
    w->openMapCycle();
    QVERIFY(std::filesystem::exists(game + "/mapcycle.txt"));
    QVERIFY(!std::filesystem::exists(f.dir.file("mapcycle.txt")));

    // The tool windows stand at the built-in layout.
    QVERIFY(f.app->dictionaryWindow->isVisible() && f.app->valuePanel->isVisible() &&
            f.app->explanationWindow->isVisible());
    const Frames t = framesOf(f);
    QCOMPARE(t.dictionaryWindow, fit(f.app->dictionaryWindow, QRect(160, 15, 135, 315)));
    QCOMPARE(t.valuePanel, fit(f.app->valuePanel, QRect(575, 10, 150, 385)));
    QCOMPARE(t.explanationWindow.topLeft(), QPoint(575, 10));

    // Closing writes every setting, the chosen game directory among them.
    QVERIFY(w->close());
    QCOMPARE(f.setting("Game", "dadir"), std::string("1"));
    QCOMPARE(f.setting("Game", "Catalog"), game);
    QCOMPARE(f.setting("MainForm", "Left"), std::string("10"));
    QCOMPARE(f.setting("MainForm", "Width"), std::string("560"));
    QCOMPARE(f.setting("Color", "PrEdit"), std::string("15247360"));
    QCOMPARE(f.setting("Forms", "ccdL"), std::string("160"));
    QCOMPARE(f.setting("Forms", "ccdW"), std::to_string(t.dictionaryWindow.width()));
    QCOMPARE(f.setting("Forms", "pani1H"), std::string("385"));
    QCOMPARE(f.setting("Forms", "f6T"), std::string("10"));
    QCOMPARE(f.setting("Font", "SizePr"), std::string("10"));
    QCOMPARE(f.setting("Font", "StylePr"), std::string("0"));
  }

  void storedSettingsAreApplied() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.settings({{"Color/PrEdit", "255"},  // red
                {"MainForm/Left", "-1"},  // -1 is the same as absent
                {"MainForm/Top", "40"},
                {"MainForm/Width", "600"},
                {"MainForm/Height", "notanumber"},
                {"Font/NamePr", "DejaVu Sans Mono"},
                {"Font/SizePr", "14"},
                {"Font/ColorPr", "65280"},  // green
                {"Font/StylePr", "3"},
                {"Forms/ccdL", "300"},
                {"Forms/ccdT", "20"},
                {"Forms/ccdW", "150"},
                {"Forms/ccdH", "330"},
                {"Forms/pani1L", "700"},
                {"Forms/f6T", "200"}});
    f.start();
    MainWindow* w = f.main();
    QCOMPARE(w->frameGeometry(), QRect(10, 40, 600, 450));
    QCOMPARE(w->editorBackground(), QColor(255, 0, 0));
    QCOMPARE(w->editorTextColor(), QColor(0, 255, 0));
    QCOMPARE(f.memo()->font().family(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(f.memo()->font().pointSize(), 14);
    QVERIFY(f.memo()->font().bold() && f.memo()->font().italic());
    QCOMPARE(w->styleCode(), 3);
    const Frames t = framesOf(f);
    QCOMPARE(t.dictionaryWindow, fit(f.app->dictionaryWindow, QRect(300, 20, 150, 330)));
    QCOMPARE(t.valuePanel, fit(f.app->valuePanel, QRect(700, 10, 150, 385)));
    QCOMPARE(t.explanationWindow.topLeft(), QPoint(575, 200));
    // No question at start when the game directory is known.
    QVERIFY(answers.boxes().empty());
    QCOMPARE(w->startupGameDirectory(), QString::fromStdString(f.dir.path()));
    QCOMPARE(f.app->wizardDirectory, QString::fromStdString(f.dir.path()));
    QCOMPARE(w->gameDirectory(), QString::fromStdString(f.dir.path()));
  }

  void unknownStyleCodeLeavesTheFontRegular() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.settings({{"Font/StylePr", "5"}});
    f.start();
    QVERIFY(!f.memo()->font().bold() && !f.memo()->font().italic());
    QCOMPARE(f.main()->styleCode(), 0);
  }

  void boldUnderlinedFontIsStoredAsRegular() {
    brindle::ui::ScriptedAnswers answers;
    brindle::ui::ScriptedCommonDialogs dialogs;
    {
      AppFixture f;
      f.knownGameDirectory(f.dir.path());
      f.start();
      QFont chosen = f.memo()->font();
      chosen.setBold(true);
      chosen.setUnderline(true);
      dialogs.answerFont(brindle::ui::FontChoice{chosen, QColor(0, 0, 128)});
      f.main()->chooseFont();
      QVERIFY(f.memo()->font().bold() && f.memo()->font().underline());
      QCOMPARE(f.main()->styleCode(), 0);
      QVERIFY(f.main()->close());
      QCOMPARE(f.setting("Font", "StylePr"), std::string("0"));
      QCOMPARE(f.setting("Font", "ColorPr"), std::to_string(128 << 16));

      // The next start reads it back: regular, the stored colour.
      f.app.reset();
      f.start();
      QVERIFY(!f.memo()->font().bold() && !f.memo()->font().underline());
      QCOMPARE(f.main()->editorTextColor(), QColor(0, 0, 128));
    }
  }

  void confirmedWithoutCatalog() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.settings({{"Game/dadir", "1"}});
    f.start();
    QVERIFY(answers.boxes().empty());
    QCOMPARE(f.app->wizardDirectory, QString::fromStdString(f.programDir()));
    QVERIFY(f.main()->startupGameDirectory().isEmpty());
    // The dialog's list shows the working directory, which becomes the stored game directory.
    QVERIFY(f.main()->close());
    QCOMPARE(QString::fromStdString(f.setting("Game", "Catalog")), QDir::currentPath());
  }

  void commandLineOpensOnlyTheFirstExistingFile() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    const std::string first = f.dir.write("cfg/a.cfg", "bind \"x\" \"+jump\"\r\n");
    const std::string second = f.dir.write("cfg/b.cfg", "second\r\n");
    f.start({QString::fromStdString(first), QString::fromStdString(second)});
    QCOMPARE(f.text(), std::string("bind \"x\" \"+jump\"\r\n"));
    QCOMPARE(f.panelLabel(2), QString::fromStdString(first));
    QCOMPARE(f.main()->currentFileName(), QString::fromStdString(first));
    QVERIFY(!f.memo()->modified());
  }

  void commandLineWithoutAFileKeepsTheTemplate() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.start({QString::fromStdString(f.dir.file("missing.cfg"))});
    QCOMPARE(f.text(), std::string(kTemplate));
    QCOMPARE(f.panelLabel(2), QStringLiteral("Untitled"));
    QVERIFY(answers.boxes().empty());
  }

  void commandLineWithAnUnreadablePathReportsIt() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.start({QString::fromStdString(f.dir.path() + "/dlls")});  // a directory
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QCOMPARE(answers.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QVERIFY(!answers.boxes()[0].text.isEmpty());
    QCOMPARE(f.text(), std::string(kTemplate));
    QCOMPARE(f.panelLabel(2), QStringLiteral("Untitled"));
  }

  void placementWaitsForTheWindowSystem() {
    // A frame placed before the window system shows a window would be taken as its client
    // area (the decoration is not known yet), and the windows would grow at every start.
    QWidget first;
    QWidget second;
    int runs = 0;
    first.show();
    brindle::app::whenExposed({&first, &second}, &first, [&] { ++runs; });
    QCoreApplication::processEvents();
    QCOMPARE(runs, 0);  // the second window is not shown yet
    second.show();
    QTRY_COMPARE(runs, 1);
    QVERIFY(second.windowHandle()->isExposed());
    // Windows that are shown already: at once.
    brindle::app::whenExposed({&first}, &first, [&] { ++runs; });
    QCOMPARE(runs, 2);
  }

  void toolWindowsFollowTheMainWindow() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.settings({{"MainForm/Left", "100"},
                {"MainForm/Top", "100"},
                {"Forms/ccdT", "120"},
                {"Forms/pani1T", "130"},
                {"Forms/f6T", "140"}});
    f.start();
    MainWindow* w = f.main();
    const Frames before = framesOf(f);
    w->move(w->frameGeometry().topLeft() + QPoint(40, -25));
    settle();
    const Frames after = framesOf(f);
    QCOMPARE(after.dictionaryWindow, before.dictionaryWindow.translated(40, -25));
    QCOMPARE(after.valuePanel, before.valuePanel.translated(40, -25));
    QCOMPARE(after.explanationWindow, before.explanationWindow.translated(40, -25));

    // A tool window moved by the user keeps its new place when the main window moves.
    f.app->dictionaryWindow->move(f.app->dictionaryWindow->frameGeometry().topLeft() +
                                  QPoint(100, 0));
    const QRect ccdMoved = f.app->dictionaryWindow->frameGeometry();
    w->move(w->frameGeometry().topLeft() + QPoint(5, 5));
    settle();
    QCOMPARE(f.app->dictionaryWindow->frameGeometry(), ccdMoved.translated(5, 5));
  }

  void toolWindowsDockWhileMaximized() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.start();
    MainWindow* w = f.main();
    const Frames normal = framesOf(f);

    w->showMaximized();
    settle();
    QVERIFY(w->isMaximized());
    const QRect main = w->frameGeometry();
    const Frames docked = framesOf(f);
    const int right = main.left() + main.width() - 15;
    QCOMPARE(docked.dictionaryWindow,
             fit(f.app->dictionaryWindow, QRect(right - 157, main.top() + 72, 157, 194)));
    QCOMPARE(docked.valuePanel,
             fit(f.app->valuePanel, QRect(right - 157, main.top() + 266, 157, 200)));
    QCOMPARE(docked.explanationWindow.topLeft(),
             QPoint(right - docked.explanationWindow.width(), main.top() + main.height() - 142));

    w->showNormal();
    settle();
    const Frames back = framesOf(f);
    QCOMPARE(back.dictionaryWindow, normal.dictionaryWindow);
    QCOMPARE(back.valuePanel, normal.valuePanel);
    QCOMPARE(back.explanationWindow.topLeft(), normal.explanationWindow.topLeft());

    // Maximize, minimize, back to maximized, then normal: still the places before.
    w->showMaximized();
    settle();
    w->showMinimized();
    settle();
    w->showMaximized();
    settle();
    w->showNormal();
    settle();
    const Frames again = framesOf(f);
    QCOMPARE(again.dictionaryWindow, normal.dictionaryWindow);
    QCOMPARE(again.valuePanel, normal.valuePanel);
    QCOMPARE(again.explanationWindow.topLeft(), normal.explanationWindow.topLeft());
  }

  void toolWindowsGoDownAndComeBackWithTheMainWindow() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.start();
    MainWindow* w = f.main();
    const Frames normal = framesOf(f);
    const QList<QWidget*> tools{f.app->dictionaryWindow, f.app->valuePanel,
                                f.app->explanationWindow};
    // The program hides the explanation window; it must stay hidden when the others return.
    f.app->explanationWindow->hide();

    w->showMinimized();
    settle();
    for (QWidget* tool : tools) QVERIFY(!tool->isVisible());
    // A window manager that minimises transient windows with their owner marks them so.
    f.app->dictionaryWindow->setWindowState(Qt::WindowMinimized);
    w->showNormal();
    settle();
    QVERIFY(f.app->dictionaryWindow->isVisible() && f.app->valuePanel->isVisible());
    QVERIFY(!f.app->explanationWindow->isVisible());
    QVERIFY(!(f.app->dictionaryWindow->windowState() & Qt::WindowMinimized));
    QCOMPARE(f.app->dictionaryWindow->frameGeometry(), normal.dictionaryWindow);
    QCOMPARE(f.app->valuePanel->frameGeometry(), normal.valuePanel);
  }

  void closingMaximizedStoresTheNormalGeometry() {
    brindle::ui::ScriptedAnswers answers;
    AppFixture f;
    f.knownGameDirectory(f.dir.path());
    f.settings({{"MainForm/Left", "30"},
                {"MainForm/Top", "20"},
                {"MainForm/Width", "640"},
                {"MainForm/Height", "480"}});
    f.start();
    MainWindow* w = f.main();
    const Frames normal = framesOf(f);
    w->showMaximized();
    settle();
    QVERIFY(w->close());
    QCOMPARE(f.setting("MainForm", "Left"), std::string("30"));
    QCOMPARE(f.setting("MainForm", "Top"), std::string("20"));
    QCOMPARE(f.setting("MainForm", "Width"), std::string("640"));
    QCOMPARE(f.setting("MainForm", "Height"), std::string("480"));
    QCOMPARE(f.setting("Forms", "ccdL"), std::to_string(normal.dictionaryWindow.left()));
    QCOMPARE(f.setting("Forms", "ccdH"), std::to_string(normal.dictionaryWindow.height()));
    QCOMPARE(f.setting("Forms", "pani1W"), std::to_string(normal.valuePanel.width()));
    QCOMPARE(f.setting("Forms", "f6L"), std::to_string(normal.explanationWindow.left()));
  }
};

QTEST_MAIN(TestMainStart)
#include "tst_main_start.moc"
