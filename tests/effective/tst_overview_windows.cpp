// The effective configuration and keyboard windows as a user reaches them, on a copy of one
// golden game directory (binds through aliases, an alias run at start): the table's filter and
// a double click that opens the file at its line, a key's caption following an unsaved edit, a
// click and a drop that bind, the PNG export, and brindle-cli drawing the same picture.
#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>

#include "binds/windows/BindDialog.h"
#include "overview/picture/KeyboardPicture.h"
#include "overview/windows/EffectiveWindow.h"
#include "overview/windows/KeyboardWindow.h"
#include "support/Controls.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "windows/app/AppFixture.h"

using brindle::test::AppFixture;
using brindle::test::control;

class TestOverviewWindows : public QObject {
  Q_OBJECT

  std::unique_ptr<brindle::ui::ScriptedAnswers> answers_;
  std::unique_ptr<AppFixture> f_;
  std::string game_;

  brindle::app::MainWindow* w() { return f_->main(); }
  void trigger(const char* action) { control<QAction>(w(), action)->trigger(); }

  brindle::overview::KeyboardWindow* keyboard() {
    trigger("Keyboard1");
    auto* k = w()->keyboardWindow();
    [&] { QVERIFY(QTest::qWaitForWindowExposed(k)); }();
    return k;
  }
  QString caption(brindle::overview::KeyboardWindow* k, const char* key) {
    const auto found = k->faces().find(key);
    return found == k->faces().end() ? QString() : QString::fromStdString(found->second.caption);
  }

 private Q_SLOTS:
  void init() {
    answers_ = std::make_unique<brindle::ui::ScriptedAnswers>();
    f_ = std::make_unique<AppFixture>();
    game_ = f_->dir.file("cstrike");
    std::filesystem::copy(BRINDLE_EFFECTIVE_GOLDEN "/alias-bind/game", game_,
                          std::filesystem::copy_options::recursive);
    f_->knownGameDirectory(game_);
    f_->start({QString::fromStdString(game_ + "/config.cfg")});
  }
  void cleanup() {
    f_.reset();
    answers_.reset();
  }

  // Created on first use only; the filter narrows the rows; a double click on an overridden
  // line opens its file in the editor at that line.
  void tableFilterAndJump() {
    QVERIFY(w()->findChild<brindle::overview::EffectiveWindow*>() == nullptr);
    trigger("EffectiveConfig1");
    auto* window = w()->effectiveWindow();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->objectName(), QStringLiteral("EffectiveWindow"));
    auto* table = control<QTreeWidget>(window, "VariableTable");
    QCOMPARE(table->topLevelItemCount(), 2);  // cl_righthand, volume

    control<QLineEdit>(window, "FilterEdit")->setText(QStringLiteral("RIGHT"));
    QTreeWidgetItem* row = table->topLevelItem(0);
    QCOMPARE(row->text(0), QStringLiteral("cl_righthand"));
    QVERIFY(!row->isHidden());
    QVERIFY(table->topLevelItem(1)->isHidden());
    QCOMPARE(row->text(1), QStringLiteral("1"));
    QCOMPARE(row->text(2), QStringLiteral("config.cfg:2"));
    QCOMPARE(row->childCount(), 1);
    // The window says the order it took, and what a key press changes has a column of its own.
    QVERIFY(control<QLabel>(window, "StartOrderLabel")
                ->text()
                .contains(QStringLiteral("autoexec.cfg → config.cfg")));
    QCOMPARE(table->headerItem()->text(4), QStringLiteral("Во время игры"));
    QVERIFY(!row->text(3).contains(QStringLiteral("во время игры")));

    // The overridden line: "cl_righthand 0" run by the alias setup, autoexec.cfg line 11.
    QTreeWidgetItem* overridden = row->child(0);
    QCOMPARE(overridden->text(2), QStringLiteral("autoexec.cfg:11 (алиас setup)"));
    const QRect at = table->visualItemRect(overridden);
    // A press before the double click, as a real double click brings.
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, at.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at.center());
    QTRY_COMPARE(f_->panel(2), QString::fromStdString(game_ + "/autoexec.cfg"));
    QCOMPARE(f_->memo()->caretPos().line, 10);
    QCOMPARE(f_->memo()->line(10), std::string("setup"));

    // The tab of files lists the chain and the unknown key.
    auto* files = control<QTreeWidget>(window, "ChainTable");
    QCOMPARE(files->topLevelItem(0)->text(0), QStringLiteral("autoexec.cfg"));
    QCOMPARE(files->topLevelItem(2)->text(0), QStringLiteral("NOSUCHKEY"));
  }

  // The open document counts with its unsaved text, in both views of the keyboard.
  void keyCaptionFollowsAnEdit() {
    auto* k = keyboard();
    QCOMPARE(caption(k, "x"), QStringLiteral("+use"));
    QCOMPARE(caption(k, "MOUSE4"), QStringLiteral("+jd\n+jump"));
    f_->memo()->setSelStart(f_->memo()->textLength());
    f_->memo()->setFocus();
    QTest::keyClicks(f_->memo(), QStringLiteral("bind x +reload"));
    QTRY_COMPARE(caption(k, "x"), QStringLiteral("+reload"));
    QVERIFY(f_->memo()->modified());
    // The document alone knows no alias +jd: it binds only what config.cfg binds.
    control<QCheckBox>(k, "DocumentOnlyBox")->setChecked(true);
    QCOMPARE(caption(k, "x"), QStringLiteral("+reload"));
    QCOMPARE(caption(k, "MOUSE4"), QString());
    QVERIFY(k->keyDetails("x").contains(QStringLiteral("config.cfg:4")));
  }

  // Captions break at blanks and after ';' only; a word too wide for the key ends in "…".
  void captionsBreakBetweenWords() {
    const QFontMetricsF fm(QFont(QStringLiteral("DejaVu Sans"), 9));
    const qreal width = std::max(fm.horizontalAdvance(QStringLiteral("+forward;")),
                                 fm.horizontalAdvance(QStringLiteral("echo 4092"))) +
                        1;
    const QStringList lines = brindle::overview::captionLines(
        QStringLiteral("+forward; echo 4092 +moveleftandright"), fm, width, 3);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("+forward;"));
    QCOMPARE(lines[1], QStringLiteral("echo 4092"));
    QVERIFY(lines[2].endsWith(QChar(0x2026)));
    QVERIFY(QStringLiteral("+moveleftandright").startsWith(lines[2].chopped(1)));
    // More lines than the key holds: the last one shown ends in "…".
    const QStringList two = brindle::overview::captionLines(
        QStringLiteral("a; b; c; d"), fm, fm.horizontalAdvance(QStringLiteral("a;")) + 1, 2);
    QCOMPARE(two.size(), 2);
    QVERIFY(two[1].endsWith(QChar(0x2026)));
  }

  // A click opens the bind dialog with the key chosen; its "ОК" writes the bind line.
  void clickBinds() {
    auto* k = keyboard();
    auto* view = k->view();
    QTest::mouseClick(view, Qt::LeftButton, {}, view->keyRect("MOUSE5").center());
    auto* dialog = f_->app->bindDialog;
    QTRY_VERIFY(dialog->isVisible());
    auto* keys = control<QListWidget>(dialog, "ListBox1");
    QCOMPARE(keys->selectedItems().size(), 1);
    QCOMPARE(keys->selectedItems().front()->text(), QStringLiteral("MOUSE5"));
    f_->memo()->loadText("");
    control<QPushButton>(dialog, "Button3")->click();
    QCOMPARE(f_->memo()->getText(), std::string("bind \"MOUSE5\" \"\""));
  }

  // A command dropped from the dictionary binds it, in one undo step.
  void dropBinds() {
    auto* k = keyboard();
    auto* view = k->view();
    f_->memo()->loadText("echo hi\r\n");
    f_->memo()->setSelStart(f_->memo()->textLength());
    QMimeData data;
    data.setText(QStringLiteral("+attack2"));
    const QPointF at = view->keyRect("g").center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(view, &drop);
    QCOMPARE(f_->memo()->getText(), std::string("echo hi\r\nbind \"g\" \"+attack2\""));
    QTRY_COMPARE(caption(k, "g"), QStringLiteral("+attack2"));
    f_->memo()->undo();
    QCOMPARE(f_->memo()->getText(), std::string("echo hi\r\n"));

    // The key's own bind is replaced, that command alone, wherever the caret stands; a line
    // with no break at its end gets one first.
    f_->memo()->loadText("cl_dynamiccrosshair \"0\"\r\nbind g +jump; echo x\r\nname a");
    f_->memo()->setSelStart(24);  // the end of the first line
    const auto dropAgain = [&] {
      QDragEnterEvent enterAgain(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
      QCoreApplication::sendEvent(view, &enterAgain);
      QDropEvent another(at, Qt::CopyAction, &data, Qt::LeftButton, {});
      QCoreApplication::sendEvent(view, &another);
    };
    dropAgain();
    QCOMPARE(
        QString::fromStdString(f_->memo()->getText()),
        QStringLiteral("cl_dynamiccrosshair \"0\"\r\nbind \"g\" \"+attack2\"; echo x\r\nname a"));
    f_->memo()->loadText("cl_dynamiccrosshair \"0\"");
    dropAgain();
    QCOMPARE(f_->memo()->getText(),
             std::string("cl_dynamiccrosshair \"0\"\r\nbind \"g\" \"+attack2\""));
  }

  // The picture saved as PNG and printed; brindle-cli draws it from the same directory too.
  void pngExportAndPrint() {
    auto* k = keyboard();
    const QString path = QString::fromStdString(f_->dir.file("binds"));
    answers_->chooseFile({true, path, std::nullopt});
    control<QPushButton>(k, "ExportButton")->click();
    QImage saved(path + QStringLiteral(".png"));
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.width(), 1600);

    brindle::ui::ScriptedCommonDialogs dialogs;
    const QString pdf = QString::fromStdString(f_->dir.file("binds.pdf"));
    dialogs.answerPrint(pdf);
    control<QPushButton>(k, "PrintButton")->click();
    QCOMPARE(dialogs.printRequests().size(), 1u);
    QVERIFY(QFileInfo(pdf).size() > 1000);

    const QString cliPng = QString::fromStdString(f_->dir.file("cli.png"));
    QProcess cli;
    cli.start(QStringLiteral(BRINDLE_CLI),
              {QStringLiteral("keyboard"), QString::fromStdString(game_), QStringLiteral("--png"),
               cliPng});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 0);
    const QImage drawn(cliPng);
    QCOMPARE(drawn.size(), saved.size());
  }
};

QTEST_MAIN(TestOverviewWindows)
#include "tst_overview_windows.moc"
