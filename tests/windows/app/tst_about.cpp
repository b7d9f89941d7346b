// The About window: a fresh window at every showing, its layout and texts, and the two links.
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "app/windows/AboutWindow.h"
#include "app/windows/HelpPages.h"
#include "support/Controls.h"

using namespace brindle;
using namespace brindle::app;

using brindle::app::AboutWindow;
using brindle::test::control;

class TestAbout : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyShowingIsAFreshWindow() {
    QWidget owner;
    QPointer<AboutWindow> first;
    QTimer::singleShot(0, this, [&] {
      first = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
      QVERIFY(first);
      QCOMPARE(first->parentWidget(), &owner);
      // Leave a mark that a reused window would still carry.
      first->setProperty("shownBefore", true);
      control<QTextEdit>(first, "Memo1")->setPlainText(QStringLiteral("changed"));
      first->close();
    });
    AboutWindow::showFresh(&owner);
    QVERIFY(first.isNull());  // discarded once closed

    QPointer<AboutWindow> second;
    QTimer::singleShot(0, this, [&] {
      second = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
      QVERIFY(second);
      QVERIFY(!second->property("shownBefore").isValid());
      QVERIFY(control<QTextEdit>(second, "Memo1")
                  ->toPlainText()
                  .startsWith(QStringLiteral("Версия 2.3")));
      second->close();
    });
    AboutWindow::showFresh(&owner);
    QVERIFY(second.isNull());
    QCOMPARE(owner.findChildren<AboutWindow*>().size(), 0);
  }

  void framesAndTexts() {
    AboutWindow about;
    QCOMPARE(about.objectName(), QStringLiteral("TAbout"));
    QCOMPARE(about.windowTitle(), QStringLiteral("О программе 'Brindle for Counter Strike'"));
    QCOMPARE(about.minimumSize(), about.maximumSize());  // not sizeable
    // Above the dictionary's tool windows, which stay on top of the main window.
    QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
    // A dialog frame: only the close button, not the window system's default set.
    QVERIFY(about.windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(about.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));

    QVERIFY(!control<QLabel>(&about, "Image2")->pixmap().isNull());
    QVERIFY(!control<QLabel>(&about, "Image1")->pixmap().isNull());

    QVERIFY(control<QTextEdit>(&about, "Memo1")->isReadOnly());
    const QStringList lines =
        control<QTextEdit>(&about, "Memo1")->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], QStringLiteral("Версия 2.3 ( 5 апреля 2002 г.)"));
    for (int i : {1, 2, 3, 8, 9}) QVERIFY2(!lines[i].isEmpty(), qPrintable(QString::number(i)));
    for (int i : {4, 7, 10}) QVERIFY(lines[i].isEmpty());
    QCOMPARE(lines[5],
             QStringLiteral("Brindle for Counter Strike - программа для создания и изменения"));
    QCOMPARE(lines[6], QStringLiteral("файлов настройки для игры Counter Strike."));
    QCOMPARE(lines[11], QStringLiteral("Свежая версия программы на сайте"));
    QCOMPARE(lines[12], QStringLiteral("С предложениями и пожеланиями пишите мне на"));

    // The links look like links: underlined, with the hand pointer.
    for (QLabel* link :
         {control<QLabel>(&about, "StaticText1"), control<QLabel>(&about, "StaticText2")}) {
      QVERIFY(link->font().underline());
      QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
    }
    QVERIFY(control<QLabel>(&about, "StaticText1")->text().contains(QStringLiteral("example.org")));
    QVERIFY(
        control<QLabel>(&about, "StaticText2")->text().contains(QStringLiteral("@example.org")));
  }

  void linksOpenInTheDesktopHandlers() {
    AboutWindow about;
    about.show();
    brindle::app::RecordedUrls recorded;
    QTest::mouseClick(control<QLabel>(&about, "StaticText1"), Qt::LeftButton);
    QTest::mouseClick(control<QLabel>(&about, "StaticText2"), Qt::LeftButton);
    QTest::mouseClick(control<QTextEdit>(&about, "Memo1")->viewport(), Qt::LeftButton);
    QCOMPARE(recorded.urls().size(), std::size_t(2));
    QCOMPARE(recorded.urls()[0], QUrl(QStringLiteral("http://brindle.example.org/")));
    QCOMPARE(recorded.urls()[1], QUrl(QStringLiteral("mailto:brindle@example.org")));
  }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
