// The editor control: CR LF offsets on Qt's one-position breaks, the byte-exact round trip,
// undo steps and the message-box script.
#include <QtTest>
#include <random>

#include "core/TextBuffer.h"
#include "editor/logic/Cleanup.h"
#include "ui/CfgEdit.h"
#include "ui/Codec.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::editor;

using brindle::core::Offset;
using brindle::ui::CfgEdit;

class TestCfgEdit : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyByteValueSurvivesTheControl() {
    std::string all;
    for (int b = 0; b < 256; ++b)
      if (b != '\r' && b != '\n') all += static_cast<char>(b);
    CfgEdit e;
    e.loadText(all + "\r\n" + all);
    QCOMPARE(e.getText(), all + "\r\n" + all);
    QCOMPARE(brindle::ui::fromQ(brindle::ui::toQ(all)), all);
  }

  void offsetsCountBreaksAsTwo() {
    CfgEdit e;
    e.loadText("ab\r\ncd\r\nef");
    QCOMPARE(e.textLength(), Offset(10));
    e.setSelStart(5);
    QCOMPARE(e.caretPos().line, Offset(1));
    QCOMPARE(e.caretPos().column, Offset(1));
    QCOMPARE(e.selStart(), Offset(5));
    e.select(1, 5);
    QCOMPARE(e.selText(), std::string("b\r\ncd"));
    QCOMPARE(e.selLength(), Offset(5));
    e.setSelStart(3);  // between CR and LF
    QCOMPARE(e.selStart(), Offset(2));
    e.setSelStart(1000);
    QCOMPARE(e.selStart(), Offset(10));
    QCOMPARE(e.lineCount(), Offset(3));
    QCOMPARE(e.line(2), std::string("ef"));
  }

  void behavesLikeTheMemoryModel() {
    // The same operations on the control and on the in-memory buffer give the same results.
    const std::string text = "bind a b\r\n\r\nalias x \"y; z\"\r\nlast";
    CfgEdit e;
    brindle::core::MemoryBuffer m(text);
    e.loadText(text);
    for (brindle::core::TextBuffer* b : {static_cast<brindle::core::TextBuffer*>(&e),
                                         static_cast<brindle::core::TextBuffer*>(&m)}) {
      b->select(3, 9);
      b->replaceSel("X\r\nY");
      b->putLine(0, "first\r\n");
      b->deleteLine(b->lineCount() - 1);
      brindle::core::replaceAll(*b, "y", "yy");
    }
    QCOMPARE(e.getText(), m.getText());
    QCOMPARE(e.selStart(), m.selStart());
    QCOMPARE(brindle::core::findStep(e, "alias"), brindle::core::findStep(m, "alias"));
    QCOMPARE(e.selText(), m.selText());
  }

  // Random edit sequences on the control and on the in-memory buffer: after every step both
  // hold the same bytes, the same selection and the same derived values. Texts mix CR LF, lone
  // CR and lone LF breaks, offsets fall inside breaks and beyond either end.
  void randomEditsAgreeWithTheMemoryModel() {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
      std::mt19937 rng(seed);
      auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
      auto randomText = [&] {
        static constexpr std::string_view kPieces[] = {"a",
                                                       "b",
                                                       " ",
                                                       ";",
                                                       "\"",
                                                       "\r\n",
                                                       "\r",
                                                       "\n",
                                                       "\r\r",
                                                       "\n\r",
                                                       "\xe0\xff",
                                                       "\x98",
                                                       std::string_view("\0", 1)};
        std::string t;
        for (int n = below(8); n > 0; --n) t += kPieces[below(std::size(kPieces))];
        return t;
      };
      auto randomOffset = [&](const TextBuffer& b) {
        return static_cast<Offset>(below(static_cast<int>(b.textLength()) + 4)) - 1;
      };

      CfgEdit e;
      MemoryBuffer m;
      std::string log;
      for (int step = 0; step < 40; ++step) {
        const int op = below(7);
        const Offset a = randomOffset(m);
        const Offset n = static_cast<Offset>(below(8)) - 1;
        const std::string t = randomText();
        for (TextBuffer* b : {static_cast<TextBuffer*>(&e), static_cast<TextBuffer*>(&m)}) {
          switch (op) {
            case 0:
              b->setText(t);
              break;  // whole text
            case 1:
              b->setSelStart(a);
              b->replaceSel(t);
              break;  // insert
            case 2:
              b->select(a, n);
              b->replaceSel({});
              break;  // delete
            case 3:
              b->select(a, n);
              break;
            case 4:
              b->replaceSel(t);
              break;  // over the selection
            case 5:
              b->setSelStart(a);
              break;
            case 6:
              b->setSelLength(n);
              break;
          }
        }
        log += " " + std::to_string(op) + "(" + std::to_string(a) + "," + std::to_string(n) + "," +
               std::to_string(t.size()) + ")";
        const QByteArray where =
            QByteArray("seed ") + QByteArray::number(seed) + ":" + QByteArray::fromStdString(log);
        QVERIFY2(e.getText() == m.getText(), where.constData());
        QVERIFY2(e.selStart() == m.selStart(), where.constData());
        QVERIFY2(e.selLength() == m.selLength(), where.constData());
        QVERIFY2(e.textLength() == m.textLength(), where.constData());
        QVERIFY2(e.selText() == m.selText(), where.constData());
        QVERIFY2(e.caretPos().line == m.caretPos().line, where.constData());
        QVERIFY2(e.caretPos().column == m.caretPos().column, where.constData());
        QVERIFY2(e.lineCount() == m.lineCount(), where.constData());
      }
    }
  }

  void modifiedFlagFollowsEditsNotLoads() {
    CfgEdit e;
    QSignalSpy spy(&e, &CfgEdit::textEdited);
    e.loadText("abc");
    QVERIFY(!e.modified());
    QCOMPARE(spy.count(), 0);
    e.replaceSel("x");
    QVERIFY(e.modified());
    QCOMPARE(spy.count(), 1);
  }

  void cleanupIsOneUndoStep() {
    CfgEdit e;
    const std::string text = "a  b;\r\nc ;\r\nd  \"e \"\r\n";
    e.loadText(text);
    brindle::editor::cleanupBuffer(e);
    QCOMPARE(e.getText(), brindle::editor::cleanupText(text));
    e.undo();
    QCOMPARE(e.getText(), text);
  }

  void scriptedAnswersAnswerBoxesAndFileDialogs() {
    brindle::ui::ScriptedAnswers script;
    script.answer(brindle::ui::Answer::No);
    QCOMPARE(brindle::ui::askYesNoCancel(nullptr, QStringLiteral("Сохранить файл?")),
             brindle::ui::Answer::No);
    // Unscripted: the box counts as closed.
    QCOMPARE(brindle::ui::askYesNoCancel(nullptr, QStringLiteral("again")),
             brindle::ui::Answer::Cancel);
    QCOMPARE(script.boxes().size(), std::size_t(2));
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Сохранить файл?"));

    int changedTo = 0;
    script.chooseFile({true, QStringLiteral("/tmp/x.cfg"), 2});
    const auto r = brindle::ui::runFileDialog(nullptr, {}, [&](int i) { changedTo = i; });
    QVERIFY(r.accepted);
    QCOMPARE(r.path, QStringLiteral("/tmp/x.cfg"));
    QCOMPARE(changedTo, 2);
    QVERIFY(!brindle::ui::runFileDialog(nullptr, {}).accepted);
  }

  void pipeSeparatedFiltersBecomeDialogFilters() {
    const QStringList f = brindle::ui::qtFilters(
        QStringLiteral("Configuration (*.cfg)|*.cfg|All (*.*)|*.*|Text|*.txt"));
    QCOMPARE(f, QStringList({QStringLiteral("Configuration (*.cfg)"), QStringLiteral("All (*.*)"),
                             QStringLiteral("Text (*.txt)")}));
  }
};

QTEST_MAIN(TestCfgEdit)
#include "tst_cfgedit.moc"
