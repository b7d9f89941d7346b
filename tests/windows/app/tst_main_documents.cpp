// The document commands of the main window: New, Open, Save, Save As with the file-type rule,
// New MetaBind, the save question and the close query; and what happens when a file cannot be
// read or written (the document must never lose its text, name or modified flag then).
#include <QtTest>
#include <filesystem>

#include "dictionary/windows/ValuePanel.h"
#include "support/Controls.h"
#include "ui/MessageBoxes.h"
#include "windows/app/AppFixture.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;

using brindle::test::AppFixture;
using brindle::test::control;
using brindle::ui::Answer;
using brindle::ui::BoxKind;
using brindle::ui::ScriptedAnswers;

namespace {

constexpr std::string_view kTemplate =
    "//Unknown's configuration file\r\n\r\nunbindall\r\nclear\r\n\r\n";
const QString kSaveQuestion = QStringLiteral("Сохранить файл?");

QString q(const std::string& s) { return QString::fromStdString(s); }

// Types at the caret as a user would.
void type(brindle::ui::CfgEdit* memo, const char* latin) {
  QTest::keyClicks(memo, QString::fromLatin1(latin));
}

}  // namespace

class TestMainDocuments : public QObject {
  Q_OBJECT

  std::unique_ptr<AppFixture> f_;
  std::unique_ptr<ScriptedAnswers> answers_;

  brindle::app::MainWindow* w() { return f_->main(); }

  // Starts with the file `name` (content `text`) as the document.
  std::string startWith(const std::string& name, std::string_view text) {
    const std::string path = f_->dir.write(name, text);
    f_->start({q(path)});
    return path;
  }

 private Q_SLOTS:
  void init() {
    answers_ = std::make_unique<ScriptedAnswers>();
    f_ = std::make_unique<AppFixture>();
    f_->knownGameDirectory(f_->dir.path());
  }
  void cleanup() {
    f_.reset();
    answers_.reset();
  }

  void newOnModifiedNamedDocumentAnsweredYes() {
    const std::string path = startWith("my.cfg", "name \"a\"\r\n");
    f_->memo()->setSelStart(f_->memo()->textLength());
    type(f_->memo(), "rate 25000");
    QVERIFY(f_->memo()->modified());

    answers_->answer(Answer::Yes);
    w()->newDocument();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->boxes()[0].text, kSaveQuestion);
    QCOMPARE(answers_->boxes()[0].buttons, brindle::ui::Buttons::YesNoCancel);
    // Written, each line with CR LF; the document stays, no longer modified.
    QCOMPARE(f_->dir.read("my.cfg"), std::string("name \"a\"\r\nrate 25000\r\n"));
    QCOMPARE(f_->text(), std::string("name \"a\"\r\nrate 25000"));
    QVERIFY(!f_->memo()->modified());
    QCOMPARE(f_->panelLabel(1), QStringLiteral("Сохранено..."));

    // The second New starts the new document.
    w()->newDocument();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(f_->text(), std::string(kTemplate));
    QCOMPARE(f_->panelLabel(2), QStringLiteral("Untitled"));
    QCOMPARE(f_->memo()->selStart(), static_cast<brindle::core::Offset>(kTemplate.size()));
    QVERIFY(!f_->memo()->modified());
  }

  void newOnModifiedUntitledYesThenCancelledSaveDialog() {
    f_->start();
    type(f_->memo(), "fps_max 101");
    answers_->answer(Answer::Yes);
    answers_->cancelFile();
    w()->newDocument();
    QCOMPARE(answers_->fileDialogs().size(), std::size_t(1));
    QVERIFY(answers_->fileDialogs()[0].save);
    QCOMPARE(answers_->fileDialogs()[0].title, QStringLiteral("Сохранить"));
    // Nothing written: the text is kept and still counts as modified...
    QVERIFY(f_->memo()->modified());
    QCOMPARE(f_->panelLabel(2), QStringLiteral("Untitled"));
    QVERIFY(f_->text().find("fps_max 101") != std::string::npos);
    // ... so the next New asks again.
    answers_->answer(Answer::No);
    w()->newDocument();
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
    QCOMPARE(f_->text(), std::string(kTemplate));
  }

  void openOnModifiedAnsweredNoThenCancelled() {
    f_->start();
    type(f_->memo(), "old");
    const std::string before = f_->text();
    answers_->answer(Answer::No);
    answers_->cancelFile();
    w()->openDocument();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->fileDialogs().size(), std::size_t(1));
    const auto& request = answers_->fileDialogs()[0];
    QVERIFY(!request.save);
    QVERIFY(request.mustExist);
    QCOMPARE(request.filter,
             QStringLiteral("Configuration (*.cfg)|*.cfg|Kav file (*.kav)|*.kav|"
                            "Text file (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb|All (*.*)|*.*"));
    // The old text stays, still modified.
    QCOMPARE(f_->text(), before);
    QVERIFY(f_->memo()->modified());
    // "Открываем..." lasts only while the open dialog is up.
    QCOMPARE(f_->panelLabel(1), control<QLabel>(f_->app->valuePanel, "Label3")->text());
  }

  void openAfterACancelledNewSavesAndOpens() {
    const std::string path = startWith("a.cfg", "a\r\n");
    const std::string other = f_->dir.write("b.cfg", "bind \"b\" \"+duck\"\nlast");
    type(f_->memo(), "x");
    answers_->answer(Answer::Cancel);
    w()->newDocument();
    QCOMPARE(f_->dir.read("a.cfg"), std::string("a\r\n"));
    QVERIFY(f_->memo()->modified());

    answers_->answer(Answer::Yes);
    answers_->chooseFile({true, q(other), std::nullopt});
    w()->openDocument();
    QCOMPARE(f_->dir.read("a.cfg"), std::string("xa\r\n"));
    QCOMPARE(f_->text(), std::string("bind \"b\" \"+duck\"\r\nlast"));
    QCOMPARE(w()->currentFileName(), q(other));
    QCOMPARE(f_->panelLabel(2), q(other));
    QCOMPARE(f_->panelLabel(1), control<QLabel>(f_->app->valuePanel, "Label3")->text());
    QVERIFY(!f_->memo()->modified());
  }

  void saveAsChangesTheExtensionOnlyWithAChosenType() {
    f_->start();
    // "Configuration" chosen, autoexec.txt typed: autoexec.cfg is written.
    answers_->chooseFile({true, q(f_->dir.file("autoexec.txt")), 2});
    w()->saveAs();
    QVERIFY(brindle::core::fileExists(f_->dir.file("autoexec.cfg")));
    QVERIFY(!brindle::core::pathExists(f_->dir.file("autoexec.txt")));
    QCOMPARE(w()->currentFileName(), q(f_->dir.file("autoexec.cfg")));
    QCOMPARE(f_->dir.read("autoexec.cfg"), std::string(kTemplate));
    // A name without extension with the type "Text file".
    answers_->chooseFile({true, q(f_->dir.file("notes")), 4});
    w()->saveAs();
    QVERIFY(brindle::core::fileExists(f_->dir.file("notes.txt")));
    // "All files" keeps the name as typed.
    answers_->chooseFile({true, q(f_->dir.file("plain.txt")), 1});
    w()->saveAs();
    QVERIFY(brindle::core::fileExists(f_->dir.file("plain.txt")));
    // The dialog starts again at "All files" each time, with the "Save as" title after the first.
    const auto& dialogs = answers_->fileDialogs();
    QCOMPARE(dialogs.size(), std::size_t(3));
    QVERIFY(dialogs[0].title.isEmpty());
    QCOMPARE(dialogs[1].title, QStringLiteral("Сохранить как"));
    for (const auto& d : dialogs) {
      QCOMPARE(d.filterIndex, 1);
      QVERIFY(d.confirmCreate);
      QCOMPARE(d.filter, QStringLiteral("All files (*.*)|*.*|Configuration (*.cfg)|*.cfg|"
                                        "Kav file (*.kav)|*.kav|Text file (*.txt)|*.txt|"
                                        "MetaBind (*.mtb)|*.mtb"));
    }
    // Status panel 1 ends with the value panel's caption.
    QCOMPARE(f_->panelLabel(1), control<QLabel>(f_->app->valuePanel, "Label3")->text());
  }

  void fileDialogsStartInTheDocumentsFolderElseTheGameDirectory() {
    std::filesystem::create_directories(f_->dir.path() + "/docs");
    startWith("docs/my.cfg", "a\r\n");
    answers_->cancelFile();
    w()->openDocument();
    answers_->cancelFile();
    w()->saveAs();
    w()->newDocument();
    answers_->cancelFile();
    w()->saveAs();
    const auto& dialogs = answers_->fileDialogs();
    QCOMPARE(dialogs.size(), std::size_t(3));
    QCOMPARE(dialogs[0].directory, q(f_->dir.path() + "/docs"));
    QCOMPARE(dialogs[1].directory, q(f_->dir.path() + "/docs"));
    // Untitled: the game directory.
    QCOMPARE(dialogs[2].directory, q(f_->dir.path()));
  }

  void saveAsCancelledAfterATypeChangeKeepsTypeAndExtensionTogether() {
    f_->start();
    answers_->chooseFile({false, QString(), 2});  // "Configuration" picked, then cancelled
    w()->saveAs();
    answers_->chooseFile({true, q(f_->dir.file("mine.txt")), std::nullopt});
    w()->saveAs();
    // The dialog showed "Configuration" again, and its extension was added.
    QCOMPARE(answers_->fileDialogs()[1].filterIndex, 2);
    QVERIFY(brindle::core::fileExists(f_->dir.file("mine.cfg")));
    // After a confirmed name the dialog starts again at "All files".
    answers_->cancelFile();
    w()->saveAs();
    QCOMPARE(answers_->fileDialogs()[2].filterIndex, 1);
  }

  void saveAsOntoAnExistingFileAnsweredNoWritesNothing() {
    const std::string path = startWith("mine.cfg", "mine\r\n");
    const std::string existing = f_->dir.write("other.cfg", "other\r\n");
    type(f_->memo(), "1");
    answers_->answer(Answer::Yes);  // New's question: saved with Save
    w()->newDocument();
    type(f_->memo(), "2");

    answers_->answer(Answer::No);
    answers_->chooseFile({true, q(existing), std::nullopt});
    w()->saveAs();
    const auto& box = answers_->boxes().back();
    QCOMPARE(box.text, q(existing) + QStringLiteral("\nЗаменить данный файл?"));
    QCOMPARE(box.buttons, brindle::ui::Buttons::YesNo);
    QCOMPARE(f_->dir.read("other.cfg"), std::string("other\r\n"));
    QCOMPARE(w()->currentFileName(), q(path));
    QVERIFY(f_->memo()->modified());

    answers_->answer(Answer::Yes);
    answers_->chooseFile({true, q(existing), std::nullopt});
    w()->saveAs();
    QCOMPARE(f_->dir.read("other.cfg"), std::string("12mine\r\n"));
    QCOMPARE(w()->currentFileName(), q(existing));
    QCOMPARE(f_->panelLabel(2), q(existing));
    QVERIFY(!f_->memo()->modified());
  }

  void closeQueryOnANamedDocument() {
    const std::string path = startWith("c.cfg", "c\r\n");
    type(f_->memo(), "z");
    answers_->answer(Answer::Cancel);
    QVERIFY(!w()->close());
    QVERIFY(w()->isVisible());

    answers_->answer(Answer::No);
    QVERIFY(w()->close());
    QCOMPARE(f_->dir.read("c.cfg"), std::string("c\r\n"));
    // The settings were written by the close.
    QCOMPARE(f_->setting("Game", "dadir"), std::string("1"));
  }

  void closeQueryAnsweredYesSaves() {
    startWith("d.cfg", "d\r\n");
    type(f_->memo(), "y");
    answers_->answer(Answer::Yes);
    QVERIFY(w()->close());
    QCOMPARE(f_->dir.read("d.cfg"), std::string("yd\r\n"));
  }

  void closingAModifiedUntitledDocumentAsksFirst() {
    f_->start();
    type(f_->memo(), "q");
    // Yes, then a cancelled save dialog: the program stays open with the text.
    answers_->answer(Answer::Yes);
    answers_->cancelFile();
    QVERIFY(!w()->close());
    QCOMPARE(answers_->fileDialogs().size(), std::size_t(1));
    QVERIFY(f_->memo()->modified());
    // Cancel keeps it open too; No closes without saving.
    answers_->answer(Answer::Cancel);
    QVERIFY(!w()->close());
    answers_->answer(Answer::No);
    QVERIFY(w()->close());
    QCOMPARE(answers_->fileDialogs().size(), std::size_t(1));
    QCOMPARE(answers_->boxes().size(), std::size_t(3));
  }

  void failedWritesKeepTheDocument() {
    const std::string path = startWith("gone/e.cfg", "e\r\n");
    type(f_->memo(), "w");
    std::filesystem::remove_all(f_->dir.file("gone"));

    w()->save();
    QCOMPARE(answers_->boxes().size(), std::size_t(1));
    QCOMPARE(answers_->boxes()[0].kind, BoxKind::Error);
    QVERIFY(!answers_->boxes()[0].text.isEmpty());
    QVERIFY(f_->memo()->modified());
    QCOMPARE(w()->currentFileName(), q(path));
    QVERIFY(f_->panelLabel(1) != QStringLiteral("Сохранено..."));

    // Save As into a folder that does not exist: reported, the name stays.
    answers_->chooseFile({true, q(f_->dir.file("nowhere/x.cfg")), std::nullopt});
    w()->saveAs();
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
    QCOMPARE(w()->currentFileName(), q(path));
    QVERIFY(f_->memo()->modified());

    // Closing with Yes cannot save: the program stays open with the text.
    answers_->answer(Answer::Yes);
    QVERIFY(!w()->close());
    QCOMPARE(f_->text(), std::string("we\r\n"));
  }

  void failedSaveOfAnUntitledDocumentKeepsTheProgramOpen() {
    f_->start();
    type(f_->memo(), "keep me");
    answers_->answer(Answer::Yes);
    answers_->chooseFile({true, q(f_->dir.file("nowhere/x.cfg")), std::nullopt});
    QVERIFY(!w()->close());
    QVERIFY(f_->memo()->modified());
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
    QCOMPARE(answers_->boxes()[1].kind, BoxKind::Error);
  }

  void openKeepsEveryByteAndRefusesWhatItCannotRead() {
    f_->start();
    // Every byte value except the line breaks survives open and save.
    std::string bytes;
    for (int b = 0; b < 256; ++b)
      if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
    bytes += "\r\n";
    const std::string binary = f_->dir.write("all.bin", bytes);
    answers_->chooseFile({true, q(binary), std::nullopt});
    w()->openDocument();
    QCOMPARE(f_->text(), bytes);
    w()->save();
    QCOMPARE(f_->dir.read("all.bin"), bytes);

    // A file too big for the editor and a folder: reported, the document stays as it was.
    const std::string big = f_->dir.write("big.cfg", "");
    std::filesystem::resize_file(big, brindle::core::kMaxDocumentBytes + 1);
    answers_->chooseFile({true, q(big), std::nullopt});
    w()->openDocument();
    answers_->chooseFile({true, q(f_->dir.file("dlls")), std::nullopt});
    w()->openDocument();
    QCOMPARE(answers_->boxes().size(), std::size_t(2));
    for (const auto& box : answers_->boxes()) {
      QCOMPARE(box.kind, BoxKind::Error);
      QVERIFY(!box.text.isEmpty());
    }
    QCOMPARE(f_->text(), bytes);
    QCOMPARE(w()->currentFileName(), q(binary));
  }

  void newMetaBind() {
    f_->start();
    w()->newMetaBind();
    QCOMPARE(f_->text(), std::string("\r\n\r\n[MetaBind]\r\nname=\r\nbut="));
    QCOMPARE(f_->memo()->selStart(), 0);
    QCOMPARE(f_->panelLabel(2), QStringLiteral("Untitled"));
    QVERIFY(!f_->memo()->modified());

    // On a modified document with Cancel nothing changes, and a later New gives the
    // configuration template.
    type(f_->memo(), "x");
    const std::string before = f_->text();
    answers_->answer(Answer::Cancel);
    w()->newMetaBind();
    QCOMPARE(f_->text(), before);
    answers_->answer(Answer::No);
    w()->newDocument();
    QCOMPARE(f_->text(), std::string(kTemplate));
  }

  void caretPositionInStatusPanel() {
    startWith("p.cfg", "abc\r\ndefgh\r\n");
    f_->memo()->setSelStart(5 + 3);  // line 2, after "def"
    QCOMPARE(f_->panelLabel(0), QStringLiteral("4 : 2"));
    f_->memo()->setSelStart(0);
    QCOMPARE(f_->panelLabel(0), QStringLiteral("1 : 1"));
  }
};

QTEST_MAIN(TestMainDocuments)
#include "tst_main_documents.moc"
