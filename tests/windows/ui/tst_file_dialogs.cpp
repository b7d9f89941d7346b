// The open and save dialogs as the user sees them: the folder they start in, and the file
// list's columns in Russian; the file that printing to PDF proposes.
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <filesystem>

#include "support/TempDir.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"

using brindle::test::TempDir;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class TestFileDialogs : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsInTheDocumentsFolderElseTheFallback() {
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "/docs");
    std::filesystem::create_directories(dir.path() + "/game");
    const QString game = q(dir.path() + "/game");
    using brindle::ui::startDirectory;
    QCOMPARE(startDirectory(q(dir.path() + "/docs/my.cfg"), game), q(dir.path() + "/docs"));
    // An untitled document, or one whose folder has gone: the game directory.
    QCOMPARE(startDirectory(QString(), game), game);
    QCOMPARE(startDirectory(q(dir.path() + "/gone/my.cfg"), game), game);
    // Neither: the folder last used.
    QCOMPARE(startDirectory(QString(), q(dir.path() + "/nothing")), QString());
  }

  void theFileListSpeaksRussian() {
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "/sub");
    dir.write("a.cfg", "12345");
    dir.write("b.cfg", std::string(3000, 'x'));
    dir.write("c", "12");

    QString shownDirectory;
    QStringList rows;
    auto* poll = new QTimer(this);
    poll->setInterval(10);
    connect(poll, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
      const QAbstractItemModel* model = view->model();
      const QModelIndex root = view->rootIndex();
      if (model->rowCount(root) < 4) return;  // the folder is read in the background
      poll->stop();
      shownDirectory = dialog->directory().absolutePath();
      for (int r = 0; r < model->rowCount(root); ++r) {
        QStringList cells;
        for (int c = 0; c < 3; ++c) cells << model->index(r, c, root).data().toString();
        rows << cells.join(QLatin1Char('|'));
      }
      rows.sort();
      const QString date = model->index(0, 3, root).data().toString();
      rows << QString::number(QRegularExpression(QStringLiteral(R"(^\d\d\.\d\d\.\d{4} \d\d:\d\d$)"))
                                  .match(date)
                                  .hasMatch());
      dialog->reject();
    });
    poll->start();

    brindle::ui::FileDialogRequest request;
    request.filter = QStringLiteral("Все файлы|*");
    request.directory = q(dir.path());
    QVERIFY(!brindle::ui::runFileDialog(nullptr, request).accepted);
    QCOMPARE(shownDirectory, q(dir.path()));
    QCOMPARE(rows,
             (QStringList{QStringLiteral("a.cfg|5 байт|Файл cfg"),
                          QStringLiteral("b.cfg|2,9 кБ|Файл cfg"), QStringLiteral("c|2 байта|Файл"),
                          QStringLiteral("sub||Папка"), QStringLiteral("1")}));
  }

  void printingToAFileProposesTheWholeCaptionAsName() {
    const auto proposed = [this](const QString& title) {
      QString name;
      auto* poll = new QTimer(this);
      poll->setInterval(10);
      connect(poll, &QTimer::timeout, this, [&, poll] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll->stop();
        poll->deleteLater();
        name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->text();
        dialog->reject();
      });
      poll->start();
      const bool printed = brindle::ui::printText(nullptr, QStringLiteral("x"), QFont(), title);
      return printed ? QString() : QFileInfo(name).fileName();
    };
    QCOMPARE(proposed(QStringLiteral("Brindle for Counter-Strike (версия 2.3)")),
             QStringLiteral("Brindle for Counter-Strike (версия 2.3).pdf"));
    QCOMPARE(proposed(QStringLiteral("a/b: \"c\"?")), QStringLiteral("a_b_ _c__.pdf"));
  }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_file_dialogs.moc"
