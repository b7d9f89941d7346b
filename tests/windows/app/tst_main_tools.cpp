// The editing tools of the main window as a user reaches them: the text buttons of the black
// strip, Ctrl+Y, the select-all toggle, find, word wrap, font, colour, print, "define" and the
// hints in the status bar.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QtTest>

#include "dictionary/windows/ExplanationWindow.h"
#include "dictionary/windows/ValuePanel.h"
#include "support/Controls.h"
#include "ui/FindDialog.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "windows/app/AppFixture.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using brindle::core::Offset;
using brindle::test::AppFixture;
using brindle::test::control;

namespace {

std::string cp1251(const QString& s) { return brindle::ui::fromQ(s); }

}  // namespace

class TestMainTools : public QObject {
  Q_OBJECT

  std::unique_ptr<brindle::ui::ScriptedAnswers> answers_;
  std::unique_ptr<AppFixture> f_;

  brindle::app::MainWindow* w() { return f_->main(); }
  brindle::ui::CfgEdit* memo() { return f_->memo(); }

  void holds(std::string_view text, Offset caret) {
    memo()->loadText(text);
    memo()->setSelStart(caret);
  }
  void click(QWidget* label) { QTest::mouseClick(label, Qt::LeftButton); }

 private Q_SLOTS:
  void init() {
    answers_ = std::make_unique<brindle::ui::ScriptedAnswers>();
    f_ = std::make_unique<AppFixture>();
    f_->knownGameDirectory(f_->dir.path());
    f_->start();
  }
  void cleanup() {
    f_.reset();
    answers_.reset();
  }

  void stripButtons() {
    // "//" after the selected word, caret after the marker.
    holds("bind x\r\n", 0);
    memo()->setSelLength(4);
    click(w()->findChild<QLabel*>(QStringLiteral("Label1")));
    QCOMPARE(f_->text(), std::string("bind// x\r\n"));
    QCOMPARE(memo()->selStart(), 6);

    // "Enter" between a and b splits the line; "EndEnter" at the same place does not.
    holds("abc\r\nnext", 1);
    click(w()->findChild<QLabel*>(QStringLiteral("Label2")));
    QCOMPARE(f_->text(), std::string("a\r\nbc\r\nnext"));
    holds("abc\r\nnext", 1);
    click(w()->findChild<QLabel*>(QStringLiteral("Label3")));
    QCOMPARE(f_->text(), std::string("abc\r\n\r\nnext"));
    QCOMPARE(memo()->caretPos().line, 1);
    QCOMPARE(memo()->caretPos().column, 0);
  }

  void cleanupIsOneUndoStep() {
    const std::string dirty = "bind  \"x\"   \"+attack \"\r\nx;;\r\nalias a \"b; c;\"\r\n";
    holds(dirty, 12);
    click(w()->findChild<QLabel*>(QStringLiteral("Label4")));
    QCOMPARE(f_->text(), std::string("bind \"x\" \"+attack\"\r\nx\r\nalias a \"b;c\"\r\n"));
    QCOMPARE(memo()->selStart(), 12);
    QVERIFY(memo()->modified());
    memo()->undo();
    QCOMPARE(f_->text(), dirty);
    // The menu's undo reaches the document with the focus in a list of the value panel too.
    click(w()->findChild<QLabel*>(QStringLiteral("Label4")));
    QListWidget* list = f_->app->valuePanel->findChild<QListWidget*>();
    QVERIFY(list != nullptr);
    f_->app->valuePanel->show();
    f_->app->valuePanel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f_->app->valuePanel));
    list->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(list));
    control<QAction>(w(), "Undo1")->trigger();
    QCOMPARE(f_->text(), dirty);
  }

  void ctrlYDeletesOneLine() {
    holds("one\r\ntwo\r\nthree", 6);
    QTest::keyClick(memo(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f_->text(), std::string("one\r\nthree"));
    // On the last line.
    memo()->setSelStart(memo()->textLength());
    QTest::keyClick(memo(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f_->text(), std::string("one"));
    // The character 25 reaching the editor deletes the line too, once.
    holds("a\r\nb\r\nc", 0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::ControlModifier, QString(QChar(25)));
    QApplication::sendEvent(memo(), &press);
    QCOMPARE(f_->text(), std::string("b\r\nc"));
  }

  void selectAllToggles() {
    holds("abcdef", 2);
    memo()->setSelLength(1);  // one character counts as nothing selected
    QTest::mouseClick(w()->findChild<QToolButton*>(QStringLiteral("ToolButton14")), Qt::LeftButton);
    QCOMPARE(memo()->selStart(), 0);
    QCOMPARE(memo()->selLength(), 6);
    w()->toggleSelectAll();
    QCOMPARE(memo()->selStart(), 0);
    QCOMPARE(memo()->selLength(), 0);
  }

  void defineIsEnabledOnlyWithASelection() {
    holds("cl_bob 0", 0);
    w()->updateDefineCommand();
    QVERIFY(!w()->findChild<QAction*>(QStringLiteral("N15"))->isEnabled() &&
            !w()->findChild<QAction*>(QStringLiteral("N15p"))->isEnabled());
    memo()->setSelLength(6);
    w()->updateDefineCommand();
    QVERIFY(w()->findChild<QAction*>(QStringLiteral("N15"))->isEnabled() &&
            w()->findChild<QAction*>(QStringLiteral("N15p"))->isEnabled());
  }

  void ctrlADefinesTheSelectionAndNeverSelectsAll() {
    // The menus were last opened with nothing selected...
    holds("cl_bob 0", 0);
    w()->updateDefineCommand();
    QTest::keyClick(memo(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(memo()->selLength(), 0);  // nothing to define, and no select-all either
    // ... then a word is selected: Ctrl+A defines it.
    memo()->setSelLength(6);
    QTest::keyClick(memo(), Qt::Key_A, Qt::ControlModifier);
    QVERIFY(control<QLabel>(f_->app->explanationWindow, "lbl")
                ->text()
                .startsWith(QStringLiteral(" Амплитуда покачивания")));
    QCOMPARE(memo()->selLength(), 6);
    // The selection gone, the command is disabled again without opening a menu.
    memo()->setSelStart(0);
    QVERIFY(!w()->findChild<QAction*>(QStringLiteral("N15"))->isEnabled() &&
            !w()->findChild<QAction*>(QStringLiteral("N15p"))->isEnabled());
  }

  void defineShowsTheExplanation() {
    holds("cl_bob 0", 0);
    memo()->setSelLength(6);
    w()->defineSelection();
    QVERIFY(!control<QLabel>(f_->app->explanationWindow, "Image1")->isVisible());
    QVERIFY(control<QLabel>(f_->app->explanationWindow, "lbl")
                ->text()
                .startsWith(QStringLiteral(" Амплитуда покачивания")));
  }

  void findStepsThroughMatches() {
    holds("xabcabc", 0);
    w()->find();
    brindle::ui::FindDialog* find = w()->findChild<brindle::ui::FindDialog*>();
    QVERIFY(find->isVisible());
    QVERIFY(find->searchText().isEmpty());
    QCOMPARE(find->target(), static_cast<brindle::core::TextBuffer*>(memo()));
    find->findChild<QLineEdit*>(QStringLiteral("FindText"))->setText(QStringLiteral("abc"));
    auto* next = find->findChild<QPushButton*>(QStringLiteral("FindNext"));
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(memo()->selStart(), 1);
    QCOMPARE(memo()->selLength(), 3);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(memo()->selStart(), 4);
    QTest::mouseClick(next, Qt::LeftButton);  // no further match: nothing changes
    QCOMPARE(memo()->selStart(), 4);
    QCOMPARE(memo()->selLength(), 3);
    QVERIFY(answers_->boxes().empty());
    // Case matters.
    holds("ABC abc", 0);
    find->setSearchText(QStringLiteral("abc"));
    QCOMPARE(find->findNext(), 4);
  }

  void enterInTheFindDialogFindsAgainAndNeverTypes() {
    holds("abc abc abc", 0);
    const std::string before = f_->text();
    // Many platform themes paint the selection of an inactive window grey or not at all.
    QPalette grey = memo()->palette();
    grey.setColor(QPalette::Inactive, QPalette::Highlight, Qt::lightGray);
    memo()->setPalette(grey);
    const QPalette plain = memo()->palette();
    w()->find();
    auto* find = w()->findChild<brindle::ui::FindDialog*>();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(find));
    auto* edit = find->findChild<QLineEdit*>(QStringLiteral("FindText"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
    QTest::keyClicks(edit, QStringLiteral("abc"));
    // Each Enter goes where the keyboard is, as a user's would: it stays in the dialog.
    for (Offset expected : {0, 4, 8, 8}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCoreApplication::processEvents();  // window activation arrives as an event
      QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(find));
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
      QCOMPARE(memo()->selStart(), expected);
      QCOMPARE(memo()->selLength(), 3);
    }
    QCOMPARE(f_->text(), before);
    QVERIFY(!memo()->modified());
    // The match is painted selected in the inactive main window, and the editor has the focus
    // of its window for when the user goes back to it.
    const QPalette shown = memo()->palette();
    QCOMPARE(shown.color(QPalette::Inactive, QPalette::Highlight),
             plain.color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(w()->focusWidget(), static_cast<QWidget*>(memo()));
    // Closing the dialog gives the editor its own inactive colours back, and keeps colours the
    // user chose meanwhile.
    QPalette yellow = memo()->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    memo()->setPalette(yellow);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QCOMPARE(memo()->palette().color(QPalette::Inactive, QPalette::Highlight),
             QColor(Qt::lightGray));
    QCOMPARE(memo()->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(f_->text(), before);
  }

  void wordWrapCarriesTheCheckMark() {
    QVERIFY(!w()->wordWrap());
    QVERIFY(w()->findChild<QAction*>(QStringLiteral("N14"))->icon().isNull());
    w()->findChild<QAction*>(QStringLiteral("N14"))->trigger();
    QVERIFY(w()->wordWrap());
    QVERIFY(!w()->findChild<QAction*>(QStringLiteral("N14"))->icon().isNull());
    w()->findChild<QAction*>(QStringLiteral("N14"))->trigger();
    QVERIFY(!w()->wordWrap());
    QVERIFY(w()->findChild<QAction*>(QStringLiteral("N14"))->icon().isNull());
  }

  void fontColourAndPrintDialogs() {
    brindle::ui::ScriptedCommonDialogs dialogs;
    // Font: the dialog opens with the editor's font; cancelling changes nothing.
    const QFont before = memo()->font();
    w()->chooseFont();
    QCOMPARE(dialogs.fontRequests().size(), std::size_t(1));
    QCOMPARE(dialogs.fontRequests()[0].font, before);
    QCOMPARE(memo()->font(), before);
    QVERIFY(f_->panelLabel(1).isEmpty());
    QFont italic = before;
    italic.setItalic(true);
    dialogs.answerFont(brindle::ui::FontChoice{italic, QColor(128, 0, 0)});
    w()->chooseFont();
    QVERIFY(memo()->font().italic());
    QCOMPARE(w()->styleCode(), 2);
    QCOMPARE(w()->editorTextColor(), QColor(128, 0, 0));

    // Colour: opened on the current background.
    dialogs.answerColor(QColor(10, 20, 30));
    w()->chooseBackground();
    QCOMPARE(dialogs.colorRequests()[0], QColor(0, 168, 232));
    QCOMPARE(w()->editorBackground(), QColor(10, 20, 30));
    QVERIFY(f_->panelLabel(1).isEmpty());
    w()->chooseBackground();  // cancelled
    QCOMPARE(w()->editorBackground(), QColor(10, 20, 30));

    // Print: the text as one job titled with the window caption.
    holds("bind \"w\" \"+forward\"\r\n", 0);
    const QString pdf = QString::fromStdString(f_->dir.file("out.pdf"));
    dialogs.answerPrint(pdf);
    w()->print();
    QCOMPARE(dialogs.printRequests().size(), std::size_t(1));
    QCOMPARE(dialogs.printRequests()[0].title, w()->windowTitle());
    QCOMPARE(cp1251(dialogs.printRequests()[0].text), f_->text());
    QVERIFY(f_->dir.read("out.pdf").rfind("%PDF", 0) == 0);
  }

  void hintsGoToStatusPanelOne() {
    auto* open = w()->findChild<QToolButton*>(QStringLiteral("ToolButton2"));
    QStatusTipEvent tip(open->statusTip());
    QApplication::sendEvent(open, &tip);
    QCOMPARE(f_->panelLabel(1), QStringLiteral("Открыть файл (Ctrl+O)"));
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(open, &none);
    QCOMPARE(f_->panelLabel(1), control<QLabel>(f_->app->valuePanel, "Label3")->text());
    // The strip's labels have hints too.
    QCOMPARE(w()->findChild<QLabel*>(QStringLiteral("Label4"))->statusTip(),
             QStringLiteral("Очистка конфига от ненужных символов"));
  }
};

QTEST_MAIN(TestMainTools)
#include "tst_main_tools.moc"
