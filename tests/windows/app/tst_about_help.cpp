// Help pages: opened by file URL below the program directory, whatever the current directory
// is; a missing page or folder does nothing.
#include <unistd.h>

#include <QtTest>

#include "app/windows/HelpPages.h"
#include "support/TempDir.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::app;

using brindle::app::RecordedUrls;

class TestHelpPages : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void pagesOpenByFileUrlWhateverTheCurrentDirectory() {
    brindle::test::TempDir program;
    brindle::test::TempDir elsewhere;
    const std::string page = program.write("Help/Help.HTML", "<html></html>");
    program.write("Help/faq.html", "<html></html>");
    QVERIFY(::chdir(elsewhere.path().c_str()) == 0);

    RecordedUrls recorded;
    brindle::app::openHelpPage(program.path() + "/", QStringLiteral("help.html"));
    brindle::app::openHelpPage(program.path(), QStringLiteral("faq.html"));
    QCOMPARE(recorded.urls().size(), std::size_t(2));
    QCOMPARE(recorded.urls()[0], QUrl::fromLocalFile(QString::fromStdString(page)));
    QVERIFY(recorded.urls()[0].isLocalFile());
    QCOMPARE(recorded.urls()[1].fileName(), QStringLiteral("faq.html"));
    QVERIFY(::chdir("/") == 0);
  }

  void withNoBrowserTheMessageGivesThePath() {
    brindle::test::TempDir program;
    const std::string page = program.write("help/help.html", "<html></html>");
    RecordedUrls recorded;
    recorded.setOpens(false);
    brindle::ui::ScriptedAnswers answers;
    brindle::app::openHelpPage(program.path(), QStringLiteral("help.html"));
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QVERIFY(answers.boxes()[0].text.contains(
        QDir::toNativeSeparators(QFileInfo(QString::fromStdString(page)).absoluteFilePath())));
  }

  void aMissingPageOrFolderDoesNothing() {
    brindle::test::TempDir program;
    RecordedUrls recorded;
    brindle::app::openHelpPage(program.path(), QStringLiteral("help.html"));
    program.write("help/help.html", "<html></html>");
    brindle::app::openHelpPage(program.path(), QStringLiteral("lessons.html"));
    brindle::app::openHelpPage(program.path(), QString());
    QVERIFY(recorded.urls().empty());
  }

  void theShippedPagesAreThere() {
    RecordedUrls recorded;
    for (const char* page : {"help.html", "faq.html", "lessons.html", "about.html"})
      brindle::app::openHelpPage(BRINDLE_DATA_DIR, QString::fromLatin1(page));
    QCOMPARE(recorded.urls().size(), std::size_t(4));
  }
};

QTEST_MAIN(TestHelpPages)
#include "tst_about_help.moc"
