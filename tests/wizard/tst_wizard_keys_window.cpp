// The key pages inside the wizard window: "Далее >>" from the connection page to the three key
// pages and no further, their step captions, the captions loaded by the loading pass, an
// assignment that returns to its page and shows in the preview, a new file clearing the lists,
// and BIND refusing to write over a file that could not be read.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <filesystem>

#include "binds/windows/KeyDialog.h"
#include "binds/windows/KeyListBox.h"
#include "binds/windows/MetaBindWindow.h"
#include "core/FileIO.h"
#include "core/Settings.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/CfgEdit.h"
#include "ui/FileListBox.h"
#include "ui/MessageBoxes.h"
#include "wizard/windows/BuyControls.h"
#include "wizard/windows/KeyPages.h"
#include "wizard/windows/WizardKeyPages.h"
#include "wizard/windows/WizardWindow.h"

using namespace brindle;
using brindle::ui::ScriptedAnswers;

namespace {

struct Wizard {
  // No question may wait for a person when a step goes wrong.
  ScriptedAnswers quiet;
  test::TempDir dir;
  test::TestHost editorHost{BRINDLE_DATA_DIR};
  binds::KeyDialog keys;
  binds::MetaBindWindow metaBindWindow{&editorHost, &keys};
  core::Settings settings{dir.file("Zarurud.INI")};
  wizard::WizardWindow window{std::string(BRINDLE_DATA_DIR) + "/"};

  Wizard() {
    wizard::attachKeyPages(window, &keys, &metaBindWindow, &settings,
                           std::string(BRINDLE_DATA_DIR) + "/");
    window.setGameDirectory(QString::fromStdString(dir.path()));
  }

  void choose(const QString& name) {
    auto* files = control<ui::FileListBox>("FileBox1");
    files->refresh();
    const auto found = files->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    files->selectRow(files->row(found.front()));
    window.fileChosen();
  }

  // "Далее >>" until page `index`.
  void forwardTo(int index) {
    for (int guard = 0; window.currentPage() < index && guard < 12; ++guard) window.nextPage();
    QCOMPARE(window.currentPage(), index);
  }

  // The window's control `name`.
  template <typename T>
  T* control(const char* name) {
    return test::control<T>(&window, name);
  }

  QString caption(const char* button) { return control<QPushButton>(button)->text(); }
};

}  // namespace

class TestWizardKeysWindow : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void nextReachesTheKeyPagesAndStopsOnTheLast() {
    Wizard w;
    w.dir.write("my.cfg", "unbindall\r\nbind \"w\" \"+forward\"\r\nbind \"z\" \"radio1\"\r\n");
    w.window.show();
    w.choose(QStringLiteral("my.cfg"));
    w.forwardTo(7);
    auto* next = w.control<QPushButton>("Button2");
    auto* step = w.control<QLabel>("Label32");
    QCOMPARE(next->text(), QStringLiteral("Клавиши"));
    w.window.nextPage();
    QCOMPARE(w.window.currentPage(), 8);
    QCOMPARE(step->text(), QStringLiteral("Клавиши движения, покупки и сообщений"));
    QCOMPARE(next->text(), QStringLiteral("Далее>>"));
    QVERIFY(next->isEnabled());
    QVERIFY(w.control<QPushButton>("Button3")->isEnabled());
    QCOMPARE(w.caption("Button4"), QStringLiteral("w"));
    QCOMPARE(w.control<QPushButton>("Button4")->toolTip(), QStringLiteral("w"));
    w.window.nextPage();
    QCOMPARE(step->text(), QStringLiteral("Клавиши других действий"));
    QVERIFY(next->isEnabled());
    w.window.nextPage();
    QCOMPARE(w.window.currentPage(), 10);
    QCOMPARE(step->text(), QStringLiteral("Клавиши радио и сообщений"));
    QCOMPARE(w.caption("Button44"), QStringLiteral("z"));
    QVERIFY(!next->isEnabled());
    w.window.nextPage();
    QCOMPARE(w.window.currentPage(), 10);
    w.window.previousPage();
    QCOMPARE(w.window.currentPage(), 9);
  }

  void anAssignmentReturnsToItsPageAndShowsInThePreview() {
    Wizard w;
    w.dir.write("my.cfg", "unbindall\r\nbind \"MOUSE1\" \"+attack\"\r\n");
    w.window.show();
    w.choose(QStringLiteral("my.cfg"));
    w.forwardTo(9);
    QTimer::singleShot(0, &w.window, [&] {
      auto* list = test::control<QListWidget>(&w.keys, "ListBox1");
      const auto found = list->findItems(QStringLiteral("SPACE"), Qt::MatchExactly);
      list->setCurrentItem(found.front());
      found.front()->setSelected(true);
      w.keys.confirm();
    });
    w.control<QPushButton>("Button11")->click();
    QCOMPARE(w.window.currentPage(), 9);
    QCOMPARE(w.caption("Button11"), QStringLiteral("SPACE"));
    QVERIFY(w.control<ui::CfgEdit>("mem1")->getText().find("bind \"SPACE\" \"+jump\"") !=
            std::string::npos);
    // Back to the first page and forward again: the text (not the file) is read again.
    for (int i = 0; i < 9; ++i) w.window.previousPage();
    QCOMPARE(w.window.currentPage(), 0);
    w.forwardTo(9);
    QCOMPARE(w.caption("Button11"), QStringLiteral("SPACE"));
    // "Применить настройки" of the last page saves the working text.
    w.window.nextPage();
    w.control<QPushButton>("Button50")->click();
    QCOMPARE(
        core::readFile(w.dir.file("my.cfg")).data,
        std::string("unbindall\r\nbind \"MOUSE1\" \"+attack\"\r\nbind \"SPACE\" \"+jump\"\r\n"));
  }

  void aNewFileClearsTheAudienceAndTheUsedKeys() {
    Wizard w;
    w.dir.write("a.cfg", "bind \"w\" \"+forward\"\r\n");
    w.dir.write("b.cfg", "// empty\r\n");
    w.window.show();
    w.choose(QStringLiteral("a.cfg"));
    w.forwardTo(8);
    QCOMPARE(w.control<QComboBox>("ComboBox7")->count(), 1);
    w.control<QRadioButton>("RadioButton49")->click();
    QVERIFY(w.control<QLineEdit>("Edit3")->isEnabled());
    for (int i = 0; i < 8; ++i) w.window.previousPage();
    QCOMPARE(w.control<QComboBox>("ComboBox7")->count(), 0);  // page 1 empties the used-keys list
    w.choose(QStringLiteral("b.cfg"));
    QVERIFY(!w.control<QRadioButton>("RadioButton49")->isChecked());
    QVERIFY(!w.control<QLineEdit>("Edit3")->isEnabled());
    w.forwardTo(8);
    QCOMPARE(w.control<QComboBox>("ComboBox7")->count(), 0);
    QCOMPARE(w.caption("Button4"), QString());
  }

  void bindNeverWritesOverAnUnreadableFile() {
    Wizard w;
    // Too big to be read as a config (a sparse file: no disk space is taken).
    w.dir.write("broken.cfg", "bind \"w\" \"+forward\"\r\n");
    std::filesystem::resize_file(w.dir.file("broken.cfg"), core::kMaxDocumentBytes + 1);
    w.window.show();
    w.choose(QStringLiteral("broken.cfg"));
    w.forwardTo(8);
    auto* freeKeys = w.control<QComboBox>("ComboBox6");
    freeKeys->setCurrentIndex(freeKeys->findText(QStringLiteral("F3")));
    ScriptedAnswers answers;
    w.control<QToolButton>("SpeedButton1")->click();
    QCOMPARE(answers.boxes().size(), std::size_t{1});
    QCOMPARE(answers.boxes()[0].kind, ui::BoxKind::Error);
    QVERIFY(answers.boxes()[0].text.contains(QStringLiteral("broken.cfg")));
    QCOMPARE(std::filesystem::file_size(w.dir.file("broken.cfg")), core::kMaxDocumentBytes + 1);
    QVERIFY(w.window.texts().working.fileText().find("Kav-F3") == std::string::npos);
  }

  void autoexecModeWritesTheScriptIntoAutoexec() {
    Wizard w;
    w.window.setStartupGameDirectory(QString::fromStdString(w.dir.path()));
    w.dir.write("config.cfg", "unbindall\r\n");
    w.window.show();
    w.choose(QStringLiteral("config.cfg"));
    QVERIFY(w.window.autoexecMode());
    w.forwardTo(8);
    w.control<QComboBox>("ComboBox8")->setCurrentIndex(14);  // Roger that
    auto* freeKeys = w.control<QComboBox>("ComboBox6");
    freeKeys->setCurrentIndex(freeKeys->findText(QStringLiteral("r")));
    w.control<QToolButton>("SpeedButton1")->click();
    QCOMPARE(core::readFile(w.dir.file("config.cfg")).data,
             std::string("unbindall\r\nbind \"r\" \"Kav-r\"\r\n"));
    QCOMPARE(core::readFile(w.dir.file("autoexec.cfg")).data,
             std::string("alias \"Kav-r_mes\" \"roger;\"\r\nalias \"Kav-r\" \"Kav-r_mes\"\r\n"));
    QCOMPARE(w.window.currentPage(), 8);
  }
};

QTEST_MAIN(TestWizardKeysWindow)
#include "tst_wizard_keys_window.moc"
