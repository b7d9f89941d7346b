// The configuration wizard's window: page navigation and its show handlers, choosing and loading
// a file (autoexec mode, unreadable files), the settings controls and their handlers, and the
// apply step, all driven by objectName as a user would.
#include <sys/resource.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>
#include <csignal>
#include <filesystem>

#include "core/Cp1251.h"
#include "core/ProcessScan.h"
#include "game/windows/GameRunning.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "ui/CfgEdit.h"
#include "ui/FileListBox.h"
#include "ui/FontColorPrint.h"
#include "ui/MessageBoxes.h"
#include "ui/SpinField.h"
#include "wizard/windows/WizardWindow.h"

using brindle::test::control;
using brindle::test::TempDir;
using brindle::ui::CfgEdit;
using brindle::ui::ScriptedAnswers;
using brindle::wizard::WizardWindow;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

void click(QWidget& w, const char* name) {
  QTest::mouseClick(control<QAbstractButton>(&w, name), Qt::LeftButton);
}

brindle::ui::FileListBox* fileList(const QWidget& w) {
  return control<brindle::ui::FileListBox>(&w, "FileBox1");
}

void clickFile(WizardWindow& w, const QString& name) {
  brindle::ui::FileListBox* files = fileList(w);
  const auto items = files->findItems(name, Qt::MatchExactly);
  QVERIFY2(items.size() == 1, qPrintable(name));
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                    files->visualItemRect(items.front()).center());
}

QString text(QWidget& w, const char* name) { return control<QLabel>(&w, name)->text(); }

QString spinText(QWidget& w, const char* name) {
  return control<brindle::ui::SpinField>(&w, name)->text();
}

void typeInto(QWidget& w, const char* name, const QString& typed) {
  auto* field = control<brindle::ui::SpinField>(&w, name);
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, typed);
}

// A game process running the folder `dir` as its game directory.
class GameRunningIn : public brindle::core::ProcessSource {
 public:
  explicit GameRunningIn(const std::filesystem::path& dir) : dir_(dir) {}
  std::vector<brindle::core::ProcessInfo> processes() const override {
    const std::string root = dir_.parent_path().string();
    return {brindle::core::ProcessInfo{
        7, root + "/hl_linux", {"./hl_linux", "-game", dir_.filename().string()}, root, {}}};
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace

class TestWizardWindow : public QObject {
  Q_OBJECT

  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<WizardWindow> w_;

  // A wizard on a fresh directory, shown, with `config.cfg` holding `content` there.
  void open(const std::string& content, const std::string& name = "config.cfg") {
    dir_ = std::make_unique<TempDir>();
    dir_->write(name, content);
    w_ = std::make_unique<WizardWindow>(dir_->path() + "/");
    w_->setGameDirectory(QString::fromStdString(dir_->path()));
    w_->show();
  }

  // Chooses the file and leaves page 1 with "Далее >>".
  void load(const char* name = "config.cfg") {
    clickFile(*w_, QString::fromLatin1(name));
    click(*w_, "Button2");
    QCOMPARE(w_->currentPage(), 1);
  }

  // A file of the directory, as text the test log can show.
  QString contents(const char* name) const { return QString::fromStdString(dir_->read(name)); }

  void apply() {
    while (w_->currentPage() < 7) click(*w_, "Button2");
    click(*w_, "Button8");
  }

 private Q_SLOTS:
  void cleanup() {
    w_.reset();
    dir_.reset();
  }

  void frameAndPagesAsTheUserMeetsThem() {
    open("name \"Player\"\r\n");
    QCOMPARE(w_->objectName(), QStringLiteral("TForm2"));
    QCOMPARE(w_->windowTitle(), u8("Конкретный конфигуратор (Master CFG)"));
    QVERIFY(w_->isModal());
    auto* pages = control<QStackedWidget>(w_, "PgC1");
    auto* next = control<QPushButton>(w_, "Button2");
    auto* back = control<QPushButton>(w_, "Button3");
    for (int i = 1; i <= 11; ++i) QVERIFY(w_->findChild<QWidget*>(QStringLiteral("TbS%1").arg(i)));
    QCOMPARE(text(*w_, "Label6"), u8("М\nА\nС\nТ\nЕ\nР"));
    QCOMPARE(text(*w_, "Label7"), QStringLiteral("C\nF\nG"));
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(text(*w_, "Label32"), u8("Выбор конфига"));
    QCOMPARE(text(*w_, "Label3"), u8("Настройки клиента:"));
    QVERIFY(!next->isEnabled());
    QVERIFY(!back->isEnabled());
    QCOMPARE(fileList(*w_)->texts(), QStringList{QStringLiteral("config.cfg")});

    load();
    // Page by page: step caption, section, the captions of "Далее".
    const char* steps[] = {
        "Стандартные настройки", "Видео настройки",  "Другие настройки", "Настройки времени",
        "Команда и игроки",      "Другие настройки", "Соединение"};
    const char* sections[] = {
        "Настройки клиента:", "Настройки клиента:", "Настройки клиента:", "Настройки сервера:",
        "Настройки сервера:", "Настройки сервера:", "Настройки:"};
    for (int page = 1; page <= 7; ++page) {
      QCOMPARE(pages->currentIndex(), page);
      QCOMPARE(text(*w_, "Label32"), u8(steps[page - 1]));
      QCOMPARE(text(*w_, "Label3"), u8(sections[page - 1]));
      QVERIFY(back->isEnabled());
      if (page < 7) click(*w_, "Button2");
    }
    // The connection page is the last one there is: "Далее" says "Клавиши" and stays there.
    QCOMPARE(next->text(), u8("Клавиши"));
    QVERIFY(!next->isEnabled());
    w_->nextPage();
    QCOMPARE(w_->currentPage(), 7);

    for (int page = 6; page >= 0; --page) {
      click(*w_, "Button3");
      QCOMPARE(w_->currentPage(), page);
    }
    QCOMPARE(next->text(), u8("Далее>>"));
    QVERIFY(!next->font().bold());
    QVERIFY(!back->isEnabled());
    QVERIFY(next->isEnabled());
  }

  void nextWithoutAFileAsksForOneAndEmptiesTheText() {
    open("name \"Player\"\r\n");
    clickFile(*w_, QStringLiteral("config.cfg"));
    QCOMPARE(control<CfgEdit>(w_, "mem1")->toPlainText(), QStringLiteral("name \"Player\""));
    fileList(*w_)->selectRow(-1);  // the file list lost its choice (another directory, say)
    ScriptedAnswers answers;
    click(*w_, "Button2");
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QCOMPARE(answers.boxes()[0].text, u8("Сначала выберите конфиг для настройки!"));
    QCOMPARE(w_->currentPage(), 0);
    QVERIFY(w_->texts().working.empty());
    QCOMPARE(control<CfgEdit>(w_, "mem1")->toPlainText(), QString());

    // Closing empties the text and the choice; on reopening "Далее" asks again.
    clickFile(*w_, QStringLiteral("config.cfg"));
    w_->reject();
    QVERIFY(w_->texts().working.empty());
    QCOMPARE(fileList(*w_)->fileName(), QString());
    w_->show();
    QCOMPARE(w_->currentPage(), 0);
    click(*w_, "Button2");
    QCOMPARE(answers.boxes().size(), std::size_t(2));
  }

  void loadingFillsEveryKindOfControl() {
    open(
        brindle::core::fromUtf8("name \"Игрок\"\r\n"
                                "setinfo \"lefthand\" \"1\"\r\n"
                                "con_color \"200 100 50\"\r\n"
                                "hideradar\r\n"
                                "sensitivity \"2.5\"\r\n"
                                "net_graph \"1\"\r\nnet_graphpos \"0\"\r\n"
                                "mp_timelimit \"0\"\r\nmp_maxrounds \"12\"\r\n"
                                "mp_autoteambalance \"0\"\r\nmp_limitteams \"3\"\r\n"
                                "mp_forcechasecam \"2\"\r\n"
                                "rate \"7000\"\r\n"));
    load();
    QCOMPARE(control<QLineEdit>(w_, "Edit1")->text(), u8("Игрок"));
    QVERIFY(control<QRadioButton>(w_, "RadioButton2")->isChecked());   // Левую
    QVERIFY(!control<QRadioButton>(w_, "RadioButton3")->isChecked());  // no auto-help line
    QVERIFY(!control<QRadioButton>(w_, "RadioButton4")->isChecked());
    QVERIFY(control<QRadioButton>(w_, "RadioButton14")->isChecked());  // radar: Нет
    auto* colours = control<QComboBox>(w_, "ColorBox1");
    QCOMPARE(colours->currentIndex(), 0);
    QCOMPARE(colours->currentText(), QStringLiteral("Custom..."));
    QCOMPARE(colours->count(), 17);
    QCOMPARE(spinText(*w_, "SpinEdit6"), QStringLiteral("2.5"));
    QCOMPARE(spinText(*w_, "SpinEdit7"), QString());  // not in the file: empty
    QVERIFY(control<QRadioButton>(w_, "RadioButton39")->isChecked());
    QCOMPARE(control<QComboBox>(w_, "ComboBox2")->currentText(), u8("Снизу, с левой стороны"));
    QCOMPARE(spinText(*w_, "SpinEdit12"), QStringLiteral("0"));
    QCOMPARE(spinText(*w_, "SpinEdit13"), QStringLiteral("12"));
    QCOMPARE(spinText(*w_, "SpinEdit16"), QStringLiteral("3"));
    QVERIFY(control<QRadioButton>(w_, "RadioButton51")->isChecked());  // Ни за кем
    QVERIFY(control<QRadioButton>(w_, "RadioButton18")->isChecked());
    QCOMPARE(spinText(*w_, "SpinEdit5"), QStringLiteral("7000"));
    QVERIFY(control<QWidget>(w_, "SpinEdit5")->isEnabled());
    QVERIFY(!control<QWidget>(w_, "ComboBox1")->isEnabled());

    // Untouched, the apply step leaves the file as it was, byte for byte.
    const std::string before = dir_->read("config.cfg");
    ScriptedAnswers answers;
    apply();
    QCOMPARE(answers.boxes().size(), std::size_t(0));
    QCOMPARE(contents("config.cfg"), QString::fromStdString(before));
    QCOMPARE(w_->currentPage(), 7);
  }

  void theApplyStepWritesWhatTheUserChanged() {
    open("sensitivity \"3\"\r\n// keep me\r\nrate \"25000\"\r\nmp_maxrounds \"10\"\r\n");
    load();
    control<QLineEdit>(w_, "Edit1")->setText(QStringLiteral("Newbie"));
    click(*w_, "RadioButton13");  // radar: Да
    click(*w_, "Button2");
    click(*w_, "RadioButton39");  // net graph on: the position list opens
    QVERIFY(control<QWidget>(w_, "ComboBox2")->isEnabled());
    click(*w_, "RadioButton40");
    QVERIFY(!control<QWidget>(w_, "ComboBox2")->isEnabled());
    click(*w_, "Button2");
    typeInto(*w_, "SpinEdit6", QStringLiteral("7"));
    click(*w_, "Button2");
    // Map change by time clears the one by rounds.
    QCOMPARE(spinText(*w_, "SpinEdit13"), QStringLiteral("10"));
    typeInto(*w_, "SpinEdit12", QStringLiteral("25"));
    QCOMPARE(spinText(*w_, "SpinEdit13"), QStringLiteral("0"));
    QCOMPARE(spinText(*w_, "SpinEdit12"), QStringLiteral("25"));
    while (w_->currentPage() < 7) click(*w_, "Button2");
    click(*w_, "RadioButton17");
    control<QComboBox>(w_, "ComboBox1")->setCurrentIndex(8);  // LAN
    ScriptedAnswers answers;
    click(*w_, "Button8");
    QCOMPARE(answers.boxes().size(), std::size_t(0));
    const std::string applied =
        "sensitivity \"7\"\r\n// keep me\r\nrate \"20000\"\r\nmp_maxrounds \"0\"\r\n"
        "name \"Newbie\"\r\ndrawradar\r\nnet_graph \"0\"\r\nmp_timelimit \"25\"\r\n";
    QCOMPARE(contents("config.cfg"), QString::fromStdString(applied));
    QCOMPARE(control<CfgEdit>(w_, "mem1")->toPlainText().count(QLatin1Char('\n')), 7);

    // Applying again without a change writes nothing; a change back is written.
    std::filesystem::remove(dir_->file("config.cfg"));
    click(*w_, "Button8");
    QVERIFY(!std::filesystem::exists(dir_->file("config.cfg")));
    dir_->write("config.cfg", applied);
    click(*w_, "Button3");
    click(*w_, "Button3");
    click(*w_, "Button3");
    click(*w_, "Button3");
    typeInto(*w_, "SpinEdit6", QStringLiteral("3"));
    apply();
    QVERIFY(dir_->read("config.cfg").starts_with("sensitivity \"3\"\r\n"));
  }

  // The question comes whenever the game runs the file's directory, also when the program
  // started without a game directory (the first run after the first start).
  void theGameRunningItsDirectoryIsAskedAbout() {
    open("sensitivity \"3\"\r\n");
    const GameRunningIn game(std::filesystem::path(dir_->path()));
    const brindle::core::ProcessSourceOverride running(game);
    load();
    control<QLineEdit>(w_, "Edit1")->setText(QStringLiteral("Newbie"));
    ScriptedAnswers answers;
    answers.answer(brindle::ui::Answer::Cancel);
    apply();
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QVERIFY(answers.boxes()[0].text.contains(QString::fromUtf8(brindle::game::kGameRunningText)));
    QCOMPARE(contents("config.cfg"), QStringLiteral("sensitivity \"3\"\r\n"));
  }

  void customColourComesFromTheColourDialog() {
    open("con_color \"255 0 0\"\r\n");
    load();
    auto* colours = control<QComboBox>(w_, "ColorBox1");
    QCOMPARE(colours->currentText(), QStringLiteral("clRed"));
    brindle::ui::ScriptedCommonDialogs dialogs;
    dialogs.answerColor(QColor(1, 2, 3));
    colours->setCurrentIndex(0);
    Q_EMIT colours->activated(0);
    QCOMPARE(dialogs.colorRequests().size(), std::size_t(1));
    apply();
    QCOMPARE(contents("config.cfg"), "con_color \"1 2 3\"\r\n");
  }

  void aNewFileStartsFromCleanControls() {
    open("rate \"7000\"\r\ncon_color \"1 2 3\"\r\nnet_graph \"1\"\r\nnet_graphpos \"2\"\r\n",
         "a.cfg");
    dir_->write("b.cfg", "sensitivity \"2\"\r\n");
    fileList(*w_)->refresh();
    load("a.cfg");
    QCOMPARE(spinText(*w_, "SpinEdit5"), QStringLiteral("7000"));
    click(*w_, "Button3");
    load("b.cfg");
    // Nothing of a.cfg is left to be written into b.cfg.
    QVERIFY(control<QRadioButton>(w_, "RadioButton17")->isChecked());
    QCOMPARE(spinText(*w_, "SpinEdit5"), QStringLiteral("0"));
    QCOMPARE(control<QComboBox>(w_, "ComboBox2")->currentIndex(), -1);
    QCOMPARE(control<QComboBox>(w_, "ColorBox1")->currentIndex(), 0);
    apply();
    QCOMPARE(contents("b.cfg"), "sensitivity \"2\"\r\n");
    // An own rate starts from the field's start value, not from the rate of a.cfg.
    click(*w_, "RadioButton18");
    QVERIFY(control<QWidget>(w_, "SpinEdit5")->isEnabled());
    control<brindle::ui::SpinField>(w_, "SpinEdit5")->stepBy(1);
    click(*w_, "Button8");
    QCOMPARE(contents("b.cfg"), "sensitivity \"2\"\r\nrate \"100\"\r\n");
    // The field takes the engine's largest rate, and the page shows it as written.
    typeInto(*w_, "SpinEdit5", QStringLiteral("100000"));
    click(*w_, "Button8");
    QCOMPARE(contents("b.cfg"), "sensitivity \"2\"\r\nrate \"100000\"\r\n");
    while (w_->currentPage() > 0) click(*w_, "Button3");
    load("b.cfg");
    QCOMPARE(spinText(*w_, "SpinEdit5"), QStringLiteral("100000"));
  }

  void theGamesOwnConfigOpensItsAutoexec() {
    open("name \"Player\"\r\n");
    w_->setStartupGameDirectory(QString::fromStdString(dir_->path()));
    dir_->write("autoexec.cfg", "bind \"F1\" \"Kav-F1\"\r\n");
    fileList(*w_)->refresh();
    clickFile(*w_, QStringLiteral("config.cfg"));
    QVERIFY(w_->autoexecMode());
    auto* autoexec = control<CfgEdit>(w_, "mem2");
    QCOMPARE(autoexec->toPlainText(), QStringLiteral("bind \"F1\" \"Kav-F1\""));
    QVERIFY(autoexec->isHidden());
    clickFile(*w_, QStringLiteral("autoexec.cfg"));
    QVERIFY(!w_->autoexecMode());
    QCOMPARE(autoexec->toPlainText(), QString());
  }

  void anUnreadableFileIsNeverSavedOver() {
    open("x\r\n");
    // A named pipe is listed like any file but cannot be read as one.
    QCOMPARE(::mkfifo(dir_->file("pipe.cfg").c_str(), 0644), 0);
    fileList(*w_)->refresh();
    load("pipe.cfg");
    QCOMPARE(w_->texts().working.lines(),
             std::vector<std::string>{brindle::core::fromUtf8("Файл не может быть отображен!")});
    ScriptedAnswers answers;
    apply();
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QCOMPARE(answers.boxes()[0].kind, brindle::ui::BoxKind::Error);
    QVERIFY(answers.boxes()[0].text.contains(QStringLiteral("pipe.cfg")));
    struct stat st {};
    QCOMPARE(::lstat(dir_->file("pipe.cfg").c_str(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
  }

  void aFailedSaveSaysSoAndKeepsFileAndText() {
    open("sensitivity \"3\"\r\n");
    load();
    click(*w_, "Button2");
    click(*w_, "Button2");
    typeInto(*w_, "SpinEdit6", QStringLiteral("5"));
    // No file may grow beyond 4 bytes while the apply step writes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    ::setrlimit(RLIMIT_FSIZE, &small);
    ScriptedAnswers answers;
    apply();
    ::setrlimit(RLIMIT_FSIZE, &old);
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    // Only the Russian message of the file layer, naming the file.
    QVERIFY(answers.boxes()[0].text.startsWith(QStringLiteral("Ошибка записи файла \"")) ||
            answers.boxes()[0].text.startsWith(QStringLiteral("Не удаётся создать файл \"")));
    QVERIFY(answers.boxes()[0].text.contains(QStringLiteral("config.cfg")));
    QVERIFY(!answers.boxes()[0].text.contains(QStringLiteral("Cannot")));
    QCOMPARE(contents("config.cfg"), "sensitivity \"3\"\r\n");
    QCOMPARE(w_->texts().working.at(0), "sensitivity \"3\"");
    QCOMPARE(w_->currentPage(), 7);
    // Once the file can be written, the same apply goes through.
    click(*w_, "Button8");
    QCOMPARE(contents("config.cfg"), "sensitivity \"5\"\r\n");
  }

  void aBadConsoleColourIsReportedAndBlocksNothing() {
    open("con_color \"red\"\r\nsensitivity \"2\"\r\n");
    ScriptedAnswers answers;
    load();
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QVERIFY2(answers.boxes()[0].text.contains(u8("(con_color) \"red\" не прочитан")),
             qPrintable(answers.boxes()[0].text));
    QCOMPARE(spinText(*w_, "SpinEdit6"), QStringLiteral("2"));
    apply();
    QCOMPARE(contents("config.cfg"), "con_color \"red\"\r\nsensitivity \"2\"\r\n");
  }

  // What the user types is written as typed (fractions too, with a point or a comma) or refused
  // with a message on the page of its row; nothing is dropped without a word.
  void choicesAreWrittenOrRefusedOnTheirPage() {
    open("name \"Old\"\nsensitivity 2 // mouse\nnet_graph \"3\"\n");
    load();
    // A value no choice shows is named beside the row.
    auto* hint = control<QLabel>(w_, "FileValue_net_graph");
    QVERIFY(!hint->isHidden());
    QCOMPARE(hint->text(), u8("в файле: 3"));
    control<QLineEdit>(w_, "Edit1")->clear();
    ScriptedAnswers answers;
    apply();
    QCOMPARE(answers.boxes().size(), std::size_t(1));
    QVERIFY(answers.boxes()[0].text.contains(QStringLiteral("name")));
    QCOMPARE(w_->currentPage(), 1);
    QCOMPARE(contents("config.cfg"), "name \"Old\"\nsensitivity 2 // mouse\nnet_graph \"3\"\n");

    control<QLineEdit>(w_, "Edit1")->setText(QStringLiteral("New"));
    while (w_->currentPage() < 3) click(*w_, "Button2");
    typeInto(*w_, "SpinEdit6", QStringLiteral("2,5"));
    QCOMPARE(spinText(*w_, "SpinEdit6"), QStringLiteral("2,5"));
    apply();
    // The file keeps its line ends, the line its form; the untouched net graph value stays.
    QCOMPARE(contents("config.cfg"), "name \"New\"\nsensitivity 2.5 // mouse\nnet_graph \"3\"\n");
  }

  // Closing with changes not applied asks; Отмена stays, Нет drops them, Да applies them.
  void closingAsksAboutChangesNotApplied() {
    open("sensitivity \"2\"\r\n");
    load();
    while (w_->currentPage() < 3) click(*w_, "Button2");
    typeInto(*w_, "SpinEdit6", QStringLiteral("4"));
    {
      ScriptedAnswers answers;
      answers.answer(brindle::ui::Answer::Cancel);
      w_->reject();
      QCOMPARE(answers.boxes().size(), std::size_t(1));
      QVERIFY(answers.boxes()[0].text.startsWith(u8("Сохранить изменения в файле ")));
      QVERIFY(w_->isVisible());
      answers.answer(brindle::ui::Answer::Yes);
      w_->reject();
      QVERIFY(!w_->isVisible());
    }
    QCOMPARE(contents("config.cfg"), "sensitivity \"4\"\r\n");
    w_->show();
    load();
    while (w_->currentPage() < 3) click(*w_, "Button2");
    typeInto(*w_, "SpinEdit6", QStringLiteral("6"));
    ScriptedAnswers answers;
    answers.answer(brindle::ui::Answer::No);
    w_->reject();
    QVERIFY(!w_->isVisible());
    QCOMPARE(contents("config.cfg"), "sensitivity \"4\"\r\n");
    // Nothing changed: no question.
    w_->show();
    load();
    w_->reject();
    QCOMPARE(answers.boxes().size(), std::size_t(1));
  }

  // A name the game's client wrote in UTF-8 is shown as such and written back in UTF-8.
  void aUtf8NameIsShownAndWrittenAsUtf8() {
    open("name \"Elesb\xC3\xA3o\"\r\n");
    load();
    auto* name = control<QLineEdit>(w_, "Edit1");
    QCOMPARE(name->text(), u8("Elesbão"));
    name->setText(u8("Elesbão 2"));
    apply();
    QCOMPARE(contents("config.cfg"), QString::fromUtf8("name \"Elesb\xC3\xA3o 2\"\r\n"));
  }

  void spinFieldsStepWholeNumbersWithinTheirRange() {
    open("sensitivity \"2.5\"\r\nmp_startmoney \"\"\r\n");
    load();
    auto* sens = control<brindle::ui::SpinField>(w_, "SpinEdit6");
    sens->stepBy(1);
    QCOMPARE(sens->text(), QStringLiteral("3"));
    sens->setText(QStringLiteral("2.5"));
    sens->stepBy(-1);
    QCOMPARE(sens->text(), QStringLiteral("2"));
    auto* money = control<brindle::ui::SpinField>(w_, "SpinEdit18");
    QCOMPARE(money->text(), QString());
    money->stepBy(1);
    QCOMPARE(money->text(), QStringLiteral("800"));
    money->stepBy(100000);
    QCOMPARE(money->text(), QStringLiteral("16000"));
    typeInto(*w_, "SpinEdit18", QStringLiteral("99999"));
    QCOMPARE(money->text(), QStringLiteral("9999"));  // the fifth digit would leave the range
  }
};

QTEST_MAIN(TestWizardWindow)
#include "tst_wizard_window.moc"
