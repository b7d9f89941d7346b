// The game directory and the game launch (F9), the game-directory dialog with its drive list
// and directory tree, and the new-config dialog.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/windows/AboutWindow.h"
#include "binds/windows/BindDialog.h"
#include "binds/windows/KeyDialog.h"
#include "binds/windows/MetaBindWindow.h"
#include "dictionary/windows/DictionaryWindow.h"
#include "dictionary/windows/LibraryManager.h"
#include "dictionary/windows/ValuePanel.h"
#include "maps/windows/MapCycleWindow.h"
#include "support/Controls.h"
#include "ui/DriveList.h"
#include "ui/FindDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/ToolWindow.h"
#include "windows/app/AppFixture.h"
#include "wizard/windows/NewConfigDialog.h"
#include "wizard/windows/WizardWindow.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;
using namespace brindle::app;

using brindle::test::AppFixture;
using brindle::test::control;
using brindle::ui::BoxKind;
using brindle::ui::ScriptedAnswers;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

struct StartCall {
  QString program;
  QStringList args;
  QString dir;
};

}  // namespace

class TestGame : public QObject {
  Q_OBJECT

  std::unique_ptr<ScriptedAnswers> answers_;
  std::unique_ptr<AppFixture> f_;
  std::string gameDir_;  // <temp>/Half-Life/cstrike
  std::vector<StartCall> starts_;

  brindle::app::MainWindow* w() { return f_->main(); }

  void recordStarts(bool succeed) {
    w()->setGameStarter([this, succeed](const QString& p, const QStringList& a, const QString& d) {
      starts_.push_back({p, a, d});
      return succeed;
    });
  }

 private Q_SLOTS:
  void init() {
    answers_ = std::make_unique<ScriptedAnswers>();
    f_ = std::make_unique<AppFixture>();
    gameDir_ = f_->dir.path() + "/Half-Life/cstrike";
    std::filesystem::create_directories(gameDir_);
    f_->knownGameDirectory(gameDir_);
    starts_.clear();
  }
  void cleanup() {
    f_.reset();
    answers_.reset();
  }

  void launchNeedsASavedDocument() {
    f_->start();
    recordStarts(true);
    w()->launchGame();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->boxes()[0].kind, BoxKind::Warning);
    QCOMPARE(answers_->boxes()[0].text, QStringLiteral("Для продолжения сохраните данный файл!"));
    QVERIFY(starts_.empty());
    QVERIFY(!brindle::core::pathExists(gameDir_ + "/config.cfg"));
  }

  void launchWritesTheLoaderAndStartsTheGame() {
    f_->dir.write("Half-Life/cstrike/config.cfg", "sensitivity \"2\"\r\n");
    const std::string doc = f_->dir.write("Half-Life/cstrike/my.cfg", "cl_bob 0\r\n");
    f_->start({q(doc)});
    recordStarts(true);
    // A modified document is not saved first, and stays modified with its text.
    QTest::keyClicks(f_->memo(), QStringLiteral("x"));
    const std::string text = f_->text();
    QTest::keyClick(f_->memo(), Qt::Key_F9);
    QVERIFY(answers_->boxes().empty());
    QCOMPARE(f_->dir.read("Half-Life/cstrike/config"), std::string("sensitivity \"2\"\r\n"));
    QCOMPARE(f_->dir.read("Half-Life/cstrike/config.cfg"),
             std::string("exec my.cfg\r\nexec config\r\nexec my.cfg\r\n"));
    QCOMPARE(f_->dir.read("Half-Life/cstrike/my.cfg"), std::string("cl_bob 0\r\n"));
    QCOMPARE(f_->text(), text);
    QVERIFY(f_->memo()->modified());
    QCOMPARE(starts_.size(), std::size_t(1));
    QCOMPARE(starts_[0].args, QStringList({"-game", "cstrike", "-console"}));
    QCOMPARE(starts_[0].dir, q(f_->dir.path() + "/Half-Life"));

    // A second launch before the game ran keeps the user's configuration.
    w()->launchGame();
    QCOMPARE(f_->dir.read("Half-Life/cstrike/config"), std::string("sensitivity \"2\"\r\n"));
  }

  void gameNotFoundIsReported() {
    const std::string doc = f_->dir.write("my.cfg", "x\r\n");
    f_->start({q(doc)});
    // The real starter: no game program anywhere.
    w()->launchGame();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->boxes()[0].kind, BoxKind::Error);
    QCOMPARE(answers_->boxes()[0].text, QStringLiteral("Неправильно задан путь к каталогу игры!"));
    // The loader was written all the same; the document outside the game directory runs from
    // its copy there.
    QCOMPARE(f_->dir.read("Half-Life/cstrike/config.cfg"),
             std::string("exec brindle_run.cfg\r\nexec config\r\nexec brindle_run.cfg\r\n"));
    QCOMPARE(f_->dir.read("Half-Life/cstrike/brindle_run.cfg"), std::string("x\r\n"));
  }

  void theGameProgramRunsInTheGameRoot() {
    // A stand-in game: a start script that notes where and how it was started.
    const std::string note = f_->dir.file("started.txt");
    const std::string script =
        f_->dir.write("Half-Life/HL.SH", "#!/bin/sh\necho \"$(pwd) $*\" > '" + note + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const std::string doc = f_->dir.write("my.cfg", "x\r\n");
    f_->start({q(doc)});
    w()->launchGame();
    QVERIFY(answers_->boxes().empty());
    QTRY_VERIFY_WITH_TIMEOUT(!f_->dir.read("started.txt").empty(), 10000);
    QCOMPARE(f_->dir.read("started.txt"),
             std::filesystem::canonical(f_->dir.path() + "/Half-Life").string() +
                 " -game cstrike -console\n");
  }

  void anUnwritableGameDirectoryStopsTheLaunch() {
    f_->knownGameDirectory(f_->dir.path() + "/no/such/cstrike");
    const std::string doc = f_->dir.write("my.cfg", "x\r\n");
    f_->start({q(doc)});
    recordStarts(true);
    w()->launchGame();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->boxes()[0].kind, BoxKind::Error);
    QVERIFY(!answers_->boxes()[0].text.isEmpty());
    QVERIFY(starts_.empty());
    QVERIFY(!f_->memo()->modified());
  }

  void gameDirectoryDialog() {
    f_->start();
    brindle::game::GameDirectoryDialog* dialog = f_->app->gameDirectoryDialog;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Выберите каталог с игрой"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    // The stored game directory is selected.
    QCOMPARE(dialog->directory(), q(gameDir_));
    QCOMPARE(w()->gameDirectory(), q(gameDir_));

    // Opened again, it can be closed without ОК after the first ОК of a run only.
    const std::string other = f_->dir.path() + "/other";
    std::filesystem::create_directories(other);
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
      dialog->setDirectory(q(other));
      dialog->reject();
      stayedOpen = dialog->isVisible();
      dialog->confirm();
    });
    w()->changeGameDirectory();
    QVERIFY(stayedOpen);
    QCOMPARE(f_->app->wizardDirectory, q(other));
    QCOMPARE(w()->gameDirectory(), q(other));

    // Now closing keeps the directory selected at that moment; the wizard's stays.
    QTimer::singleShot(0, [&] {
      dialog->setDirectory(q(gameDir_));
      dialog->reject();
    });
    w()->changeGameDirectory();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(w()->gameDirectory(), q(gameDir_));
    QCOMPARE(f_->app->wizardDirectory, q(other));
    QVERIFY(w()->close());
    QCOMPARE(f_->setting("Game", "Catalog"), gameDir_);
  }

  void foundGameDirectoriesAreOffered() {
    const std::string steam = f_->dir.path() + "/steam/cstrike";
    const std::string wine = f_->dir.path() + "/wine/cstrike";
    std::filesystem::create_directories(steam);
    std::filesystem::create_directories(wine);
    brindle::game::GameDirectoryDialog dialog;
    std::vector<brindle::game::FoundGameDirectory> found{{steam, "Steam"},
                                                         {wine, "Wine (~/.wine)"}};
    dialog.setSearch([&found] { return found; });
    auto* box = control<QComboBox>(&dialog, "FoundGameDirectories");
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->itemText(0), QStringLiteral("Найденные каталоги игры (2):"));
    QCOMPARE(box->itemText(2), q(wine) + QStringLiteral(" — Wine (~/.wine)"));
    // Picking one selects it; the first line selects nothing.
    const QString before = dialog.directory();
    QVERIFY(QMetaObject::invokeMethod(box, "activated", Q_ARG(int, 0)));
    QCOMPARE(dialog.directory(), before);
    QVERIFY(QMetaObject::invokeMethod(box, "activated", Q_ARG(int, 2)));
    QCOMPARE(dialog.directory(), q(wine));
    // The search runs again each time the dialog is shown.
    found.clear();
    dialog.refreshFound();
    QCOMPARE(box->count(), 1);
    QVERIFY(!box->isEnabled());
    QVERIFY(box->itemText(0).contains(QStringLiteral("не найден")));
    // The only directory found is selected, so OK confirms it; a directory set stays.
    brindle::game::GameDirectoryDialog first;
    first.setSearch([&steam] {
      return std::vector<brindle::game::FoundGameDirectory>{{steam, "Steam"}};
    });
    QCOMPARE(first.directory(), q(steam));
    QCOMPARE(control<QComboBox>(&first, "FoundGameDirectories")->currentIndex(), 1);
    brindle::game::GameDirectoryDialog stored;
    stored.setDirectory(q(wine));
    stored.setSearch([&steam] {
      return std::vector<brindle::game::FoundGameDirectory>{{steam, "Steam"}};
    });
    QCOMPARE(stored.directory(), q(wine));
  }

  void secondaryWindowsCannotBeMinimisedOrMaximised() {
    f_->start();
    const auto titledWithout = [](const QWidget* w, Qt::WindowFlags buttons) {
      const Qt::WindowFlags flags = w->windowFlags();
      return (flags & Qt::CustomizeWindowHint) && (flags & Qt::WindowTitleHint) &&
             !(flags & Qt::WindowMinMaxButtonsHint) &&
             (flags & Qt::WindowCloseButtonHint) == (buttons & Qt::WindowCloseButtonHint) &&
             brindle::ui::asksForToolBarType(w);
    };
    // The tool windows, shown: no buttons at all.
    for (QWidget* tool :
         std::initializer_list<QWidget*>{f_->app->dictionaryWindow, f_->app->valuePanel}) {
      QVERIFY2(titledWithout(tool, {}), qPrintable(tool->objectName()));
      QVERIFY(tool->testAttribute(Qt::WA_X11NetWmWindowTypeToolBar));
    }
    // The dialogs: a close button only.
    brindle::app::AboutWindow about(w());
    for (QWidget* dialog : std::initializer_list<QWidget*>{
             f_->app->libraryManager, f_->app->bindDialog, f_->app->keyDialog,
             f_->app->mapCycleWindow, f_->app->metaBindWindow, f_->app->newConfigDialog, &about,
             w()->findDialog()})
      QVERIFY2(titledWithout(dialog, Qt::WindowCloseButtonHint), qPrintable(dialog->objectName()));

    // The game-directory dialog, until its first "ОК", has no window-manager frame (whose
    // close button would do nothing) and draws its own caption; then a title without buttons.
    brindle::game::GameDirectoryDialog* dialog = f_->app->gameDirectoryDialog;
    QVERIFY(dialog->ownFrame());
    QVERIFY(!(dialog->windowFlags() & (Qt::WindowTitleHint | Qt::WindowCloseButtonHint)));
    bool captionShown = false;
    brindle::test::whenModal<brindle::game::GameDirectoryDialog>([&](auto* d) {
      captionShown = d->template findChild<QLabel*>(QStringLiteral("Caption"))->isVisible();
      d->confirm();
    });
    w()->changeGameDirectory();
    QVERIFY(captionShown);
    QVERIFY(!dialog->ownFrame());
    QVERIFY(titledWithout(dialog, {}));
    QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("Caption"))->isVisibleTo(dialog));
  }

  void missingStoredDirectoryIsKept() {
    // A game directory on a volume that is not there now is not lost.
    const std::string gone = "/media/nothing-here/Half-Life/cstrike";
    f_->knownGameDirectory(gone);
    f_->start();
    QCOMPARE(w()->gameDirectory(), q(gone));
    QVERIFY(w()->close());
    QCOMPARE(f_->setting("Game", "Catalog"), gone);
  }

  void directoryTreeAndDriveList() {
    const QStringList volumes = brindle::ui::mountedVolumes();
    QVERIFY(volumes.contains(QStringLiteral("/")));
    QCOMPARE(brindle::ui::volumeOf(QStringLiteral("/mnt/usb/x"), {"/", "/mnt/usb"}),
             QStringLiteral("/mnt/usb"));
    QCOMPARE(brindle::ui::volumeOf(QStringLiteral("/mnt/usbx"), {"/", "/mnt/usb"}),
             QStringLiteral("/"));

    std::filesystem::create_directories(f_->dir.path() + "/a/b/c");
    std::filesystem::create_directories(f_->dir.path() + "/a/.hidden");
    brindle::ui::DirectoryListBox tree;
    tree.show();
    brindle::ui::DriveComboBox drives;
    drives.bind(&tree);
    tree.setDirectory(q(f_->dir.path() + "/a/b/"));
    QCOMPARE(tree.directory(), q(f_->dir.path() + "/a/b"));
    QCOMPARE(tree.currentItem()->childCount(), 1);            // c, loaded when needed
    QCOMPARE(tree.currentItem()->parent()->childCount(), 2);  // .hidden and b
    QCOMPARE(drives.drive(), brindle::ui::volumeOf(tree.directory(), volumes));
    // Picking another directory in the tree.
    tree.setCurrentItem(tree.currentItem()->child(0));
    QCOMPARE(tree.directory(), q(f_->dir.path() + "/a/b/c"));
    // Choosing a drive shows its root.
    Q_EMIT drives.driveChosen(QStringLiteral("/"));
    QCOMPARE(tree.directory(), QStringLiteral("/"));
  }

  void aHiddenTreeReadsTheDiskOnlyWhenShown() {
    std::filesystem::create_directories(f_->dir.path() + "/h/x");
    brindle::ui::DirectoryListBox tree;
    QSignalSpy changed(&tree, &brindle::ui::DirectoryListBox::directoryChanged);
    tree.setDirectory(q(f_->dir.path() + "/h"));
    QCOMPARE(tree.topLevelItemCount(), 0);  // nothing read yet
    QCOMPARE(tree.directory(), q(f_->dir.path() + "/h"));
    QCOMPARE(changed.size(), 1);
    tree.show();
    QVERIFY(tree.currentItem() != nullptr);
    QCOMPARE(tree.currentItem()->childCount(), 1);
    QCOMPARE(tree.directory(), q(f_->dir.path() + "/h"));
  }

  void directoryTreeFollowsTheDisk() {
    const std::string base = f_->dir.path() + "/t";
    std::filesystem::create_directories(base + "/b/c");
    std::filesystem::create_directories(base + "/d");
    brindle::ui::DirectoryListBox tree;
    tree.show();
    tree.setDirectory(q(base + "/b"));
    QTreeWidgetItem* b = tree.currentItem();
    QTreeWidgetItem* t = b->parent();
    const auto names = [](const QTreeWidgetItem* item) {
      QStringList n;
      for (int i = 0; i < item->childCount(); ++i) n << item->child(i)->text(0);
      return n;
    };
    // Folders made while the tree is shown appear in their sorted places.
    std::filesystem::create_directories(base + "/a");
    std::filesystem::create_directories(base + "/b/new");
    QTRY_COMPARE(names(t),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("d")}));
    QTRY_COMPARE(names(b), (QStringList{QStringLiteral("c"), QStringLiteral("new")}));
    // A folder that goes disappears; the selection stays.
    std::filesystem::remove(base + "/d");
    QTRY_COMPARE(names(t), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(tree.directory(), q(base + "/b"));
    // The selected folder going moves the selection up to its parent.
    tree.setCurrentItem(b->child(1));
    QCOMPARE(tree.directory(), q(base + "/b/new"));
    std::filesystem::remove(base + "/b/new");
    QTRY_COMPARE(tree.directory(), q(base + "/b"));
    // A folder is read afresh when it is opened.
    tree.collapseItem(b);
    std::filesystem::create_directories(base + "/b/x");
    tree.expandItem(b);
    QCOMPARE(names(b), (QStringList{QStringLiteral("c"), QStringLiteral("x")}));
  }

  void dialogsStandAboveTheToolWindows() {
    // The tool windows stay on top; a dialog shown beside them must not be covered by them.
    f_->start();
    QVERIFY(f_->app->dictionaryWindow->windowFlags() & Qt::WindowStaysOnTopHint);
    bool above = false;
    brindle::test::whenModal<brindle::wizard::NewConfigDialog>(
        [&](brindle::wizard::NewConfigDialog* dialog) {
          above = dialog->windowHandle()->flags() & Qt::WindowStaysOnTopHint;
          dialog->reject();
        });
    f_->app->newConfigDialog->execFor(q(f_->dir.path()));
    QVERIFY(above);
    // Also a dialog that is no window of ours, such as a message box or a file dialog.
    QDialog other(w());
    other.show();
    QVERIFY(other.windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  }

  void newConfigDialog() {
    f_->start();
    brindle::wizard::NewConfigDialog* dialog = f_->app->newConfigDialog;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Создать новый конфиг"));
    const QString dir = q(f_->dir.path());
    f_->dir.write("taken.cfg", "keep\r\n");
    auto runWith = [&](const QString& name) {
      QTimer::singleShot(0, [&, name] {
        control<QLineEdit>(dialog, "Edit1")->setText(name);
        dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
      });
      dialog->execFor(dir);
    };

    runWith(QString());
    QCOMPARE(answers_->boxes().back().text, QStringLiteral("Файл не создан!"));
    QCOMPARE(answers_->boxes().back().kind, BoxKind::Plain);

    runWith(QStringLiteral("taken.cfg"));
    QCOMPARE(answers_->boxes().back().text, QStringLiteral("Такой файл уже существует!"));
    QCOMPARE(f_->dir.read("taken.cfg"), std::string("keep\r\n"));

    // The name as typed: no extension added.
    runWith(QStringLiteral("Мой конфиг"));
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
    QVERIFY(brindle::core::fileExists(f_->dir.path() + "/Мой конфиг"));
    QCOMPARE(std::filesystem::file_size(f_->dir.path() + "/Мой конфиг"), std::uintmax_t(0));
    QVERIFY(control<QLineEdit>(dialog, "Edit1")->text().isEmpty());
    QVERIFY(!dialog->isVisible());
  }

  void mapCycleCommandOpensTheEditorOnTheGameDirectory() {
    std::filesystem::create_directories(gameDir_ + "/maps");
    for (const char* map : {"de_dust2.bsp", "cs_office.bsp"})
      std::ofstream(gameDir_ + "/maps/" + map) << "x";
    f_->start();
    QStringList listed;
    brindle::test::whenModal<brindle::maps::MapCycleWindow>(
        [&](brindle::maps::MapCycleWindow* window) {
          auto* maps = window->findChild<QListWidget*>(QStringLiteral("LB2"));
          for (int i = 0; maps && i < maps->count(); ++i) listed << maps->item(i)->text();
          window->reject();
        });
    w()->findChild<QAction*>(QStringLiteral("N32"))->trigger();
    QCOMPARE(listed, (QStringList{QStringLiteral("cs_office"), QStringLiteral("de_dust2")}));
    // Opening the editor creates the empty cycle file it edits.
    QVERIFY(brindle::core::fileExists(gameDir_ + "/mapcycle.txt"));
  }

  void wizardCommandOpensTheWizardOnTheGameDirectory() {
    brindle::test::TempDir unused;
    f_->dir.write("Half-Life/cstrike/my.cfg", "fps_max \"100\"\r\n");
    f_->start();
    QString caption;
    QStringList files;
    brindle::test::whenModal<brindle::wizard::WizardWindow>([&](brindle::wizard::WizardWindow* w) {
      caption = w->windowTitle();
      if (auto* list = w->findChild<QListWidget*>(QStringLiteral("FileBox1")))
        for (int i = 0; i < list->count(); ++i) files << list->item(i)->text();
      w->reject();
    });
    w()->findChild<QAction*>(QStringLiteral("Master1"))->trigger();
    QCOMPARE(caption, QStringLiteral("Конкретный конфигуратор (Master CFG)"));
    QVERIFY(files.contains(QStringLiteral("my.cfg")));
  }
};

QTEST_MAIN(TestGame)
#include "tst_game.moc"
