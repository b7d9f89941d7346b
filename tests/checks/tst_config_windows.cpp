// The editor's knowledge of configs through its windows: highlighting formats and colours,
// the problem window and jumping to a problem, the live check, completion and the hover
// explanation; and that none of it touches the text, its undo history or its offsets.
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>
#include <QtTest>

#include "core/Cp1251.h"
#include "editor/windows/CompletionPopup.h"
#include "editor/windows/ConfigHighlighter.h"
#include "editor/windows/ConfigTools.h"
#include "editor/windows/ProblemWindow.h"
#include "support/TempDir.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"

using namespace brindle;
using brindle::core::Offset;
using brindle::core::TokenKind;
using brindle::editor::ConfigHighlighter;
using brindle::editor::ConfigTools;
using brindle::ui::CfgEdit;

namespace {

core::KnownWords testWords() {
  core::KnownWords w;
  w.commands = {"bind",    "unbind",  "alias", "setinfo", "wait",  "echo",  "quit",
                "+attack", "-attack", "+jump", "-jump",   "+duck", "-duck", "say"};
  w.variables = {"sensitivity", "cl_bob", "cl_bobcycle", "name"};
  w.keyNames = {"MOUSE1", "MOUSE2", "SPACE", "CTRL", "a", "b", "F1"};
  w.base = {{"hud_fastswitch", false, true, "client", core::WordSide::Client,
             core::ValueRule::parse("0..1")},
            {"sv_gravity", false, true, "engine", core::WordSide::Server, {}},
            {"mp_round_infinite", false, true, "regamedll", core::WordSide::Server,
             core::ValueRule::parse("0..1")}};
  return w;
}

// The display format at a position of the document, as the highlighter left it.
QTextCharFormat formatAt(const CfgEdit& e, int position) {
  const QTextBlock block = e.document()->findBlock(position);
  const int inBlock = position - block.position();
  QTextCharFormat found;
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    if (inBlock >= r.start && inBlock < r.start + r.length) found = r.format;
  return found;
}

int positionOf(const CfgEdit& e, const QString& what, int from = 0) {
  return static_cast<int>(e.toPlainText().indexOf(what, from));
}

// An editor on screen with the config tools, and a problem window parent.
struct Rig {
  QWidget window;
  CfgEdit* edit;
  ConfigTools* tools;
  std::vector<std::string> looked;

  explicit Rig(const std::string& text) {
    window.resize(700, 500);
    edit = new CfgEdit(&window);
    edit->setObjectName(QStringLiteral("Memo1"));
    edit->resize(700, 500);
    edit->loadText(text);
    tools = new ConfigTools(
        edit, testWords(),
        [this](std::string_view word) -> std::string {
          looked.emplace_back(word);
          if (core::sameName(word, "cl_bob"))
            return core::fromUtf8("Амплитуда покачивания оружия.");
          return {};
        },
        &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    tools->checkNow();
    tools->highlighter()->highlightVisibleNow();
    QCoreApplication::processEvents();
  }
};

void typeText(QWidget* w, const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

}  // namespace

class TestConfigWindows : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void formatsFollowTheKindOfEachWord() {
    Rig r(
        "// comment\r\nbind \"MOUSE1\" \"+attack\"\r\nsensitivity \"2.5\"\r\n"
        "alias +jd \"+jump; +duck\"\r\nalias -jd \"-jump; -duck\"\r\nbind SPACE +jd\r\n"
        "sensitivty 3\r\nbind MOUSE9 quit\r\n");
    ConfigHighlighter* h = r.tools->highlighter();
    const CfgEdit& e = *r.edit;
    auto foreground = [&](const QString& what, int from = 0) {
      return formatAt(e, positionOf(e, what, from)).foreground().color();
    };
    QCOMPARE(foreground(QStringLiteral("comment")),
             h->tokenFormat(TokenKind::Comment).foreground().color());
    QVERIFY(formatAt(e, positionOf(e, QStringLiteral("comment"))).fontItalic());
    QCOMPARE(foreground(QStringLiteral("bind")),
             h->tokenFormat(TokenKind::Command).foreground().color());
    QCOMPARE(formatAt(e, positionOf(e, QStringLiteral("bind"))).fontWeight(), int(QFont::Bold));
    QCOMPARE(foreground(QStringLiteral("MOUSE1")),
             h->tokenFormat(TokenKind::KeyName).foreground().color());
    // A bind's value is a script: its command is an action, its quotes a value.
    QCOMPARE(foreground(QStringLiteral("+attack")),
             h->tokenFormat(TokenKind::Action).foreground().color());
    QCOMPARE(foreground(QStringLiteral("\"+attack")),
             h->tokenFormat(TokenKind::Value).foreground().color());
    QCOMPARE(foreground(QStringLiteral("sensitivity")),
             h->tokenFormat(TokenKind::Variable).foreground().color());
    QCOMPARE(foreground(QStringLiteral("\"2.5\"")),
             h->tokenFormat(TokenKind::Value).foreground().color());
    // Aliases of the file, where they are defined and where they are used.
    QCOMPARE(foreground(QStringLiteral("+jd")),
             h->tokenFormat(TokenKind::AliasName).foreground().color());
    QCOMPARE(foreground(QStringLiteral("+jd"), positionOf(e, QStringLiteral("SPACE"))),
             h->tokenFormat(TokenKind::AliasName).foreground().color());
    // Unknown words and bad key names: a wavy underline.
    QCOMPARE(formatAt(e, positionOf(e, QStringLiteral("sensitivty"))).underlineStyle(),
             QTextCharFormat::WaveUnderline);
    QCOMPARE(formatAt(e, positionOf(e, QStringLiteral("MOUSE9"))).underlineStyle(),
             QTextCharFormat::WaveUnderline);
    QCOMPARE(formatAt(e, positionOf(e, QStringLiteral("MOUSE9"))).underlineColor(),
             h->problemFormat(editor::Severity::Error).underlineColor());
    // Unquoted values keep the text colour.
    QVERIFY(!formatAt(e, positionOf(e, QStringLiteral(" 3")) + 1)
                 .hasProperty(QTextFormat::ForegroundBrush));
  }

  void problemsOfTheWholeFileAreUnderlinedWhereFound() {
    // Bound twice is only known with the later line; the earlier bind gets the underline.
    Rig r("bind F1 quit\r\necho x\r\nbind F1 \"say hi\"\r\n");
    const int first = positionOf(*r.edit, QStringLiteral("F1"));
    QCOMPARE(formatAt(*r.edit, first).underlineStyle(), QTextCharFormat::WaveUnderline);
    const int second = positionOf(*r.edit, QStringLiteral("F1"), first + 1);
    QVERIFY(formatAt(*r.edit, second).underlineStyle() != QTextCharFormat::WaveUnderline);
  }

  void textUndoAndOffsetsStayAsTheyWere() {
    std::string all;
    for (int b = 0; b < 256; ++b)
      if (b != '\r' && b != '\n') all += static_cast<char>(b);
    const std::string text = "bind \"MOUSE1\" \"+attack\r\n" + all + "\r\n// x; y\r\n" + all;
    Rig r(text);
    QSignalSpy edited(r.edit, &CfgEdit::textEdited);
    r.tools->checkNow();
    r.tools->highlighter()->highlightVisibleNow();
    QCoreApplication::processEvents();
    QCOMPARE(r.edit->getText(), text);
    QVERIFY(!r.edit->modified());
    QVERIFY(!r.edit->document()->isUndoAvailable());
    QCOMPARE(edited.count(), 0);
    QCOMPARE(r.edit->positionOf(26), 25);
    QCOMPARE(r.edit->offsetOf(25), Offset(26));
    r.edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QCoreApplication::processEvents();
    QCOMPARE(r.edit->getText(), text);
    // One typed character is one undo step, and undoing it gives the text back.
    r.edit->setSelStart(0);
    typeText(r.edit, QStringLiteral("x"));
    QVERIFY(r.edit->modified());
    r.edit->undo();
    QCOMPARE(r.edit->getText(), text);
    QVERIFY(!r.edit->document()->isUndoAvailable());
  }

  void coloursReadOnTheChosenBackground() {
    struct Case {
      QColor background, text;
    };
    // The default light blue with black text, white, black, a dark blue with yellow text.
    for (const Case& c : {Case{QColor(0, 168, 232), Qt::black}, Case{Qt::white, Qt::black},
                          Case{Qt::black, Qt::white}, Case{QColor(0, 0, 128), Qt::yellow}}) {
      Rig r("bind a quit\r\n");
      QPalette p = r.edit->palette();
      p.setColor(QPalette::Base, c.background);
      p.setColor(QPalette::Text, c.text);
      r.edit->setPalette(p);
      QCoreApplication::processEvents();
      ConfigHighlighter* h = r.tools->highlighter();
      for (TokenKind k : {TokenKind::Command, TokenKind::Variable, TokenKind::Value,
                          TokenKind::Comment, TokenKind::AliasName, TokenKind::KeyName}) {
        const double k1 =
            ConfigHighlighter::contrast(h->tokenFormat(k).foreground().color(), c.background);
        QVERIFY2(
            k1 >= 4.5,
            qPrintable(
                QStringLiteral("kind %1 on %2: %3").arg(int(k)).arg(c.background.name()).arg(k1)));
      }
      QVERIFY(ConfigHighlighter::contrast(
                  h->problemFormat(editor::Severity::Error).underlineColor(), c.background) >= 4.5);
      // The kinds stay apart from each other.
      QVERIFY(h->tokenFormat(TokenKind::Command).foreground() !=
              h->tokenFormat(TokenKind::Variable).foreground());
      QVERIFY(h->tokenFormat(TokenKind::Value).foreground() !=
              h->tokenFormat(TokenKind::Comment).foreground());
      // The words on screen take the new colours.
      QTRY_COMPARE(formatAt(*r.edit, 0).foreground().color(),
                   h->tokenFormat(TokenKind::Command).foreground().color());
    }
  }

  void onlyLinesInViewAreHighlightedUntilTheyScrollIn() {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "bind a \"+attack\"\r\n";
    Rig r(text);
    QVERIFY(!r.edit->document()->firstBlock().layout()->formats().isEmpty());
    QVERIFY(r.edit->document()->findBlockByNumber(19000).layout()->formats().isEmpty());
    r.edit->verticalScrollBar()->setValue(r.edit->verticalScrollBar()->maximum());
    QTRY_VERIFY(!r.edit->document()->findBlockByNumber(19990).layout()->formats().isEmpty());
    QCOMPARE(r.edit->getText(), text);
    QVERIFY(!r.edit->modified());
  }

  void problemWindowListsAndJumps() {
    Rig r("echo ok\r\nbind MOUSE9 \"+attack\"\r\nhud_fastswitch 2\r\nsay \"unclosed\r\n");
    r.tools->checkConfig();
    editor::ProblemWindow* w = r.tools->problemWindow();
    QVERIFY(w->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->objectName(), QStringLiteral("ProblemWindow"));
    QTreeWidget* list = w->findChild<QTreeWidget*>(QStringLiteral("ProblemList"));
    QVERIFY(list);
    QCOMPARE(list->topLevelItemCount(), 3);
    QTreeWidgetItem* bad = list->topLevelItem(0);
    QCOMPARE(bad->text(0), QStringLiteral("2"));
    QCOMPARE(bad->text(1), QStringLiteral("6"));
    QVERIFY(bad->text(2).contains(QStringLiteral("MOUSE9")));
    QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("3"));
    QCOMPARE(list->topLevelItem(2)->text(2).left(10), QStringLiteral("незакрытая"));
    QCOMPARE(w->findChild<QLabel*>(QStringLiteral("ProblemSummary"))->text(),
             QStringLiteral("Ошибок: 2, предупреждений: 1"));
    // The kind the file is judged as, guessed; choosing another checks again.
    auto* kind = w->findChild<QComboBox*>(QStringLiteral("ConfigKindBox"));
    QVERIFY(kind);
    QCOMPARE(kind->currentText(), QStringLiteral("конфиг игрока"));
    QVERIFY(!w->findChild<QLabel*>(QStringLiteral("ConfigKindNote"))->text().isEmpty());
    kind->setCurrentIndex(1);
    Q_EMIT kind->activated(1);
    QCOMPARE(r.tools->kind(), editor::ConfigKind::Server);
    QCOMPARE(list->topLevelItemCount(), 4);  // hud_fastswitch: the server does not read it
    QVERIFY(w->findChild<QLabel*>(QStringLiteral("ConfigKindNote"))->text().isEmpty());
    r.tools->setKind(editor::ConfigKind::Player);
    QCOMPARE(list->topLevelItemCount(), 3);

    // A double click puts the caret at the problem: line 3, column 16.
    QSignalSpy jumped(w, &editor::ProblemWindow::problemActivated);
    const QRect rect = list->visualItemRect(list->topLevelItem(1));
    // A real double click: press and release, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(jumped.count(), 1);
    QCOMPARE(r.edit->caretPos().line, Offset(2));
    QCOMPARE(r.edit->caretPos().column, Offset(15));
    QCOMPARE(r.edit->selLength(), Offset(0));

    // Where the check found the document: an unsaved one has no game directory; a saved one
    // that nothing around names a game lies in the game directory the user chose.
    auto* place = w->findChild<QLabel*>(QStringLiteral("ConfigPlace"));
    QVERIFY(place->text().contains(QStringLiteral("не сохранён")));
    const brindle::test::TempDir dir;
    const std::string file = dir.write("games/mod/cfg/mine.cfg", "");
    r.tools->setPlaceLookup([&] { return editor::DocumentPlace{file, dir.file("games/mod")}; });
    r.tools->checkNow();
    QCOMPARE(r.tools->context().relPath, std::string("cfg/mine.cfg"));
    QVERIFY(place->text().contains(QStringLiteral("cfg/mine.cfg")));
    r.tools->setPlaceLookup({});
  }

  void theCheckRunsAfterAPauseInTyping() {
    Rig r("echo ok\r\n");
    r.tools->checkConfig();
    QTreeWidget* list =
        r.tools->problemWindow()->findChild<QTreeWidget*>(QStringLiteral("ProblemList"));
    QCOMPARE(list->topLevelItemCount(), 0);
    r.edit->setSelStart(r.edit->textLength());
    typeText(r.edit, QStringLiteral("bind \"SPACE"));
    QCOMPARE(list->topLevelItemCount(), 0);  // not while typing
    QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 1, ConfigTools::kPauseMs * 5);
    QVERIFY(list->topLevelItem(0)->text(2).contains(QStringLiteral("кавычка")));
    // A defined alias stops being an unknown word once the check has seen it.
    typeText(r.edit, QStringLiteral("\" myjump"));
    QTRY_VERIFY_WITH_TIMEOUT(list->topLevelItemCount() == 1 &&
                                 list->topLevelItem(0)->text(2).contains(QStringLiteral("myjump")),
                             ConfigTools::kPauseMs * 5);
    QTest::keyClick(r.edit, Qt::Key_Return);
    typeText(r.edit, QStringLiteral("alias myjump +jump"));
    QTRY_COMPARE_WITH_TIMEOUT(list->topLevelItemCount(), 0, ConfigTools::kPauseMs * 5);
  }

  void completionOffersAndInserts() {
    Rig r("echo ok\r\n");
    editor::CompletionPopup* popup = r.tools->completion();
    r.edit->setSelStart(r.edit->textLength());
    typeText(r.edit, QStringLiteral("s"));
    QVERIFY(!popup->isVisible());  // one letter is not enough
    typeText(r.edit, QStringLiteral("e"));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->topLevelItemCount(), 2);  // sensitivity, setinfo
    QCOMPARE(popup->topLevelItem(0)->text(0), QStringLiteral("sensitivity"));
    QCOMPARE(popup->topLevelItem(0)->text(1), QStringLiteral("переменная"));
    QVERIFY(r.edit->hasFocus());
    // Enter inserts; a variable gets "" with the caret between the quotes.
    QTest::keyClick(r.edit, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    QCOMPARE(r.edit->getText(), std::string("echo ok\r\nsensitivity \"\""));
    QCOMPARE(r.edit->caretPos().column, Offset(13));
    // With no list shown, Enter is the editor's again.
    QTest::keyClick(r.edit, Qt::Key_Return);
    QCOMPARE(r.edit->getText(), std::string("echo ok\r\nsensitivity \"\r\n\""));
    r.edit->undo();
    QCOMPARE(r.edit->getText(), std::string("echo ok\r\nsensitivity \"\""));
    r.edit->undo();  // the completion is one step
    QCOMPARE(r.edit->getText(), std::string("echo ok\r\nse"));
  }

  void serverWordsAreOfferedOnlyInAServersConfig() {
    Rig r("echo ok\r\n");
    editor::CompletionPopup* popup = r.tools->completion();
    r.edit->setSelStart(r.edit->textLength());
    typeText(r.edit, QStringLiteral("sv"));
    QVERIFY(!popup->isVisible());
    r.tools->setKind(editor::ConfigKind::Server);
    typeText(r.edit, QStringLiteral("_"));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->topLevelItem(0)->text(0), QStringLiteral("sv_gravity"));
  }

  void completionInsideABindAndByCtrlSpace() {
    Rig r("alias myjump +jump\r\nbind a \"\"");
    editor::CompletionPopup* popup = r.tools->completion();
    r.edit->setSelStart(r.edit->textLength() - 1);  // between the quotes
    QTest::keyClick(r.edit, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(popup->isVisible());
    QVERIFY(popup->topLevelItemCount() > 10);
    typeText(r.edit, QStringLiteral("+a"));
    QTRY_COMPARE(popup->topLevelItemCount(), 1);
    QCOMPARE(popup->topLevelItem(0)->text(0), QStringLiteral("+attack"));
    QTest::keyClick(r.edit, Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    QCOMPARE(r.edit->getText(), std::string("alias myjump +jump\r\nbind a \"+a\""));
    // The file's own aliases are offered; inside quotes a variable gets no quotes of its own.
    typeText(r.edit, QStringLiteral("; my"));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->topLevelItem(0)->text(0), QStringLiteral("myjump"));
    QCOMPARE(popup->topLevelItem(0)->text(1), QStringLiteral("алиас"));
    QTest::keyClick(r.edit, Qt::Key_Tab);
    QCOMPARE(r.edit->getText(), std::string("alias myjump +jump\r\nbind a \"+a; myjump\""));
    // Not where a value goes.
    r.edit->setSelStart(6);  // "alias m|yjump"
    QTest::keyClick(r.edit, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!popup->isVisible());
  }

  void completedWordStaysAWordOfItsOwn() {
    // "(" is a word of its own for the console, no prefix of the word offered before it.
    Rig r("(x");
    editor::CompletionPopup* popup = r.tools->completion();
    r.edit->setSelStart(0);
    QTest::keyClick(r.edit, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(popup->isVisible());
    QTest::keyClick(r.edit, Qt::Key_Return);
    const std::string text = r.edit->getText();
    QVERIFY(text.size() > 2 && text.substr(text.size() - 2) == "(x");
    const core::Vocabulary vocabulary(testWords());
    const std::vector<core::ScriptToken> tokens = core::tokenize(text, vocabulary, nullptr);
    QCOMPARE(tokens.size(), std::size_t(3));  // the word, "(" and "x"
  }

  void editorKeysStayTheEditorsWithoutAList() {
    Rig r("echo ok");
    editor::CompletionPopup* popup = r.tools->completion();
    r.edit->setSelStart(r.edit->textLength());
    for (const int key :
         {int(Qt::Key_Return), int(Qt::Key_Tab), int(Qt::Key_Escape), int(Qt::Key_Down)})
      QTest::keyClick(r.edit, Qt::Key(key));
    QVERIFY(!popup->isVisible());
    QCOMPARE(r.edit->getText(), std::string("echo ok\r\n\t"));
    // Ctrl+Y reaches the window's shortcut, not the list.
    bool deleted = false;
    QShortcut shortcut(QKeySequence(QStringLiteral("Ctrl+Y")), &r.window);
    connect(&shortcut, &QShortcut::activated, [&] { deleted = true; });
    QTest::keyClick(r.edit, Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(deleted);
  }

  void hoverExplainsTheWordUnderTheMouse() {
    Rig r("cl_bob 0.01\r\nbind MOUSE9 quit\r\nmp_round_infinite 1\r\n");
    const QRect first = r.edit->cursorRect(QTextCursor(r.edit->document()));
    const QString text = r.tools->hoverText(first.center() + QPoint(3, 0));
    QVERIFY2(text.contains(QStringLiteral("Амплитуда покачивания")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("<b>cl_bob</b>")));
    QCOMPARE(r.looked.back(), std::string("cl_bob"));
    // Over a problem: the check's message.
    QTextCursor c(r.edit->document()->findBlockByNumber(1));
    c.setPosition(c.position() + 6);
    const QString bad = r.tools->hoverText(r.edit->cursorRect(c).center() + QPoint(2, 0));
    QVERIFY2(bad.contains(QStringLiteral("не имя клавиши")), qPrintable(bad));
    // A word without an explanation: where it comes from.
    c.setPosition(r.edit->document()->findBlockByNumber(2).position() + 2);
    const QString origin = r.tools->hoverText(r.edit->cursorRect(c).center() + QPoint(2, 0));
    QVERIFY2(
        origin.contains(QStringLiteral("переменная сервера, ReGameDLL_CS; значения: от 0 до 1")),
        qPrintable(origin));
    // Nothing to tell over a plain value.
    c.setPosition(r.edit->document()->firstBlock().position() + 8);
    QCOMPARE(r.tools->hoverText(r.edit->cursorRect(c).center() + QPoint(2, 0)), QString());
  }
};

QTEST_MAIN(TestConfigWindows)
#include "tst_config_windows.moc"
