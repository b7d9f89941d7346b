// The main window and the user's files: the warning before config.cfg is saved while the game
// runs, and "Восстановить…" with its list of backups, the difference and the restore.
#include <QAction>
#include <QListWidget>
#include <QtTest>
#include <filesystem>

#include "core/Backups.h"
#include "core/ProcessScan.h"
#include "editor/windows/RestoreWindow.h"
#include "game/windows/GameRunning.h"
#include "ui/MessageBoxes.h"
#include "windows/app/AppFixture.h"

using namespace brindle;
using brindle::test::AppFixture;
using brindle::ui::Answer;
using brindle::ui::ScriptedAnswers;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// One game process, hl_linux running cstrike from `root`.
class FakeGame : public core::ProcessSource {
 public:
  explicit FakeGame(std::string root) : root_(std::move(root)) {}
  std::vector<core::ProcessInfo> processes() const override {
    return {
        core::ProcessInfo{42, root_ + "/hl_linux", {"./hl_linux", "-game", "cstrike"}, root_, {}}};
  }

 private:
  std::string root_;
};

}  // namespace

class TestBackupsWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<AppFixture> f_;
  std::unique_ptr<ScriptedAnswers> answers_;
  std::string config_;

  app::MainWindow* w() { return f_->main(); }

  // The game's config.cfg as the document, with a line added.
  void editConfig() {
    f_->start({q(config_)});
    f_->memo()->setSelStart(f_->memo()->textLength());
    QTest::keyClicks(f_->memo(), QStringLiteral("rate 25000"));
  }

 private Q_SLOTS:
  void init() {
    answers_ = std::make_unique<ScriptedAnswers>();
    f_ = std::make_unique<AppFixture>();
    config_ = f_->dir.write("hl/cstrike/config.cfg", "name \"a\"\r\n");
    f_->knownGameDirectory(f_->dir.file("hl/cstrike"));
  }
  void cleanup() {
    f_.reset();
    answers_.reset();
  }

  void savingConfigWhileTheGameRunsOffersUserconfig() {
    const FakeGame game(f_->dir.file("hl"));
    const core::ProcessSourceOverride running(game);
    f_->dir.write("hl/cstrike/userconfig.cfg", "alias mine \"say hi\"\r\nbind k mine");
    editConfig();
    // Lines that would clear or loop are never carried.
    QTest::keyClick(f_->memo(), Qt::Key_Return);
    QTest::keyClicks(f_->memo(), QStringLiteral("unbindall"));
    QTest::keyClick(f_->memo(), Qt::Key_Return);
    QTest::keyClicks(f_->memo(), QStringLiteral("exec userconfig.cfg"));
    answers_->answer(Answer::Yes);  // to userconfig.cfg
    w()->save();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QVERIFY(answers_->boxes()[0].text.startsWith(QString::fromUtf8(game::kGameRunningText)));
    QCOMPARE(answers_->boxes()[0].buttons, ui::Buttons::YesNoCancel);
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\n"));
    // Only the changed setting goes there; the player's own lines stay as they were.
    QCOMPARE(f_->dir.read("hl/cstrike/userconfig.cfg"),
             std::string("alias mine \"say hi\"\r\nbind k mine\r\nrate 25000\r\n"));
    QCOMPARE(w()->currentFileName(), q(f_->dir.file("hl/cstrike/userconfig.cfg")));
    QVERIFY(!f_->memo()->modified());
    // userconfig.cfg is no config.cfg: saved without a question.
    w()->save();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
  }

  void savingConfigWhileTheGameRunsMayGoAheadOrStop() {
    const FakeGame game(f_->dir.file("hl"));
    const core::ProcessSourceOverride running(game);
    editConfig();
    answers_->answer(Answer::Cancel);
    w()->save();
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\n"));
    QVERIFY(f_->memo()->modified());
    answers_->answer(Answer::No);  // config.cfg all the same
    w()->save();
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\nrate 25000\r\n"));
    QVERIFY(!f_->memo()->modified());
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
  }

  void noQuestionWithoutTheGame() {
    const FakeGame elsewhere(f_->dir.file("other"));
    const core::ProcessSourceOverride running(elsewhere);
    editConfig();
    w()->save();
    QVERIFY(answers_->boxes().empty());
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\nrate 25000\r\n"));
  }

  void restoreListsShowsTheDifferenceAndRestoresAfterAsking() {
    const FakeGame elsewhere(f_->dir.file("other"));
    const core::ProcessSourceOverride none(elsewhere);
    editConfig();
    w()->save();  // the first version is kept
    QTest::keyClicks(f_->memo(), QStringLiteral("x"));
    w()->save();  // and the second
    QVERIFY(w()->findChild<QAction*>(QStringLiteral("Restore1")) != nullptr);

    editor::RestoreWindow* restore = w()->restoreWindow();
    restore->prepare(config_);
    QCOMPARE(restore->backups().size(), std::size_t(2));
    QCOMPARE(restore->findChild<QListWidget*>(QStringLiteral("BackupList"))->count(), 2);
    restore->selectBackup(1);  // the oldest: the file as it was
    QCOMPARE(restore->diffText(), QStringLiteral("  name \"a\"\n- rate 25000x"));

    answers_->answer(Answer::No);
    QVERIFY(!restore->restoreChosen());
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\nrate 25000x\r\n"));

    answers_->answer(Answer::Yes);
    QVERIFY(restore->restoreChosen());
    QVERIFY(answers_->boxes().back().text.contains(q(core::backupPathOf(config_))));
    QCOMPARE(f_->dir.read("hl/cstrike/config.cfg"), std::string("name \"a\"\r\n"));
    // The editor shows the restored file, and the restore can itself be undone.
    QCOMPARE(f_->text(), std::string("name \"a\"\r\n"));
    QVERIFY(!f_->memo()->modified());
    QCOMPARE(restore->backups().size(), std::size_t(3));
    QCOMPARE(restore->diffText(), QStringLiteral("  name \"a\"\n+ rate 25000x"));

    // Another file, chosen in the open dialog: one without backups says so.
    const std::string other = f_->dir.write("other.cfg", "x\r\n");
    answers_->chooseFile({true, q(other), std::nullopt});
    restore->chooseOtherFile();
    QCOMPARE(restore->shownFile(), core::backupPathOf(other));
    QVERIFY(restore->backups().empty());
  }
};

QTEST_MAIN(TestBackupsWindow)
#include "tst_backups_window.moc"
