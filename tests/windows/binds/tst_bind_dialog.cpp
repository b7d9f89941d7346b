// The setinfo/bind/alias dialog: the three insertion forms by caret column, the growing name
// lists, Enter and Escape, the missing key message and the two-column key list.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

#include "binds/logic/KeyNames.h"
#include "binds/windows/BindDialog.h"
#include "binds/windows/KeyDialog.h"
#include "binds/windows/KeyListBox.h"
#include "binds/windows/MetaBindWindow.h"
#include "dictionary/windows/DictionaryContext.h"
#include "dictionary/windows/ValuePanel.h"
#include "support/Controls.h"
#include "support/TempDir.h"
#include "support/TestHost.h"
#include "ui/MessageBoxes.h"

using namespace brindle;
using namespace brindle::core;
using namespace brindle::dictionary;
using namespace brindle::binds;

using brindle::binds::BindDialog;
using brindle::core::Offset;
using brindle::test::control;
using KeyList = brindle::binds::KeyListBox;

namespace {

QStringList items(const QComboBox* box) {
  QStringList out;
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

void selectKey(brindle::binds::KeyListBox* list, const QString& key) {
  const auto found = list->findItems(key, Qt::MatchExactly | Qt::MatchCaseSensitive);
  QCOMPARE(found.size(), 1);
  list->setCurrentItem(found.front(), QItemSelectionModel::ClearAndSelect);
}

}  // namespace

class TestTsetbal : public QObject {
  Q_OBJECT

  std::unique_ptr<brindle::test::TempDir> dir_;
  std::unique_ptr<brindle::test::TestHost> host_;
  std::unique_ptr<brindle::dictionary::DictionaryContext> context_;
  std::unique_ptr<brindle::dictionary::ValuePanel> pani_;
  std::unique_ptr<BindDialog> dialog_;

  brindle::ui::CfgEdit* memo() { return host_->memo(); }

  // The editor holds `text` with the caret at its end.
  void editorHolds(std::string_view text) {
    memo()->loadText(text);
    memo()->setSelStart(memo()->textLength());
  }

 private Q_SLOTS:
  void init() {
    dir_ = std::make_unique<brindle::test::TempDir>();
    host_ = std::make_unique<brindle::test::TestHost>(dir_->path());
    context_ = std::make_unique<brindle::dictionary::DictionaryContext>(host_.get());
    pani_ = std::make_unique<brindle::dictionary::ValuePanel>(host_.get(), context_.get());
    // As in the program, the lines reach the editor through the value panel's insert operation.
    host_->setInserter(
        [this](brindle::core::InsertKind kind, const std::string& first,
               const std::string& second) { pani_->insertLine(kind, first, second); });
    dialog_ = std::make_unique<BindDialog>(host_.get(), host_.get());
    host_->show();
  }

  void cleanup() {
    dialog_.reset();
    pani_.reset();
    context_.reset();
    host_.reset();
    dir_.reset();
  }

  void opensWithoutBlockingOnTheRequestedPage() {
    QCOMPARE(dialog_->objectName(), QStringLiteral("Tsetbal"));
    dialog_->openPage(BindDialog::BindPage,
                      QStringLiteral("Bind - выберите клавишу для присвоения"));
    QVERIFY(dialog_->isVisible());
    QVERIFY(!dialog_->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Bind - выберите клавишу для присвоения"));
    QCOMPARE(control<QStackedWidget>(dialog_, "pg2")->currentWidget(),
             control<QWidget>(dialog_, "tb2"));
    QCOMPARE(dialog_->focusWidget(), control<KeyList>(dialog_, "ListBox1"));

    dialog_->openPage(BindDialog::AliasPage, QStringLiteral("Alias - наберите имя команды"));
    QCOMPARE(control<QStackedWidget>(dialog_, "pg2")->currentWidget(),
             control<QWidget>(dialog_, "tb3"));
    QCOMPARE(dialog_->focusWidget(), control<QComboBox>(dialog_, "ComboBox4"));
    dialog_->openPage(BindDialog::SetinfoPage, QStringLiteral("SetInfo - выберите из списка"));
    QCOMPARE(control<QStackedWidget>(dialog_, "pg2")->currentWidget(),
             control<QWidget>(dialog_, "tb1"));
    QCOMPARE(dialog_->focusWidget(), control<QComboBox>(dialog_, "ComboBox3"));
    // Texts and starting lists.
    QCOMPARE(items(control<QComboBox>(dialog_, "ComboBox3")),
             QStringList({"lefthand", "vgui_menus", "ghosts", "ah", "dm"}));
    QCOMPARE(control<QComboBox>(dialog_, "ComboBox4")->count(), 0);
    QCOMPARE(control<QPushButton>(dialog_, "Button1")->text(), QStringLiteral("ОК"));
    QCOMPARE(control<QPushButton>(dialog_, "Button2")->text(), QStringLiteral("Отмена"));
    QCOMPARE(control<KeyList>(dialog_, "ListBox1")->count(), int(brindle::binds::kKeyCount));
  }

  // The dictionary's tool windows stay on top of the main window; the bind windows opened from
  // them or beside them must come up above them, not with their lists and buttons covered.
  void bindWindowsAreDialogsAboveTheToolWindows() {
    QVERIFY(pani_->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(dialog_->windowFlags() & Qt::WindowStaysOnTopHint);
    brindle::binds::KeyDialog keys(host_.get());
    QVERIFY(keys.windowFlags() & Qt::WindowStaysOnTopHint);
    brindle::binds::MetaBindWindow metaBindWindow(host_.get(), &keys, host_.get());
    QVERIFY(metaBindWindow.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(metaBindWindow.isModal());
    // Dialog frames: the buttons are chosen (without CustomizeWindowHint the window system adds
    // its own), a close button and nothing to minimize or maximize.
    for (const QWidget* w :
         std::initializer_list<const QWidget*>{dialog_.get(), &keys, &metaBindWindow}) {
      const Qt::WindowFlags flags = w->windowFlags();
      QVERIFY(flags & Qt::CustomizeWindowHint);
      QVERIFY(flags & Qt::WindowCloseButtonHint);
      QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }
  }

  void setinfoAtColumnZeroThenALineBreak() {
    editorHolds("");
    dialog_->openPage(BindDialog::SetinfoPage, QStringLiteral("SetInfo - выберите из списка"));
    control<QComboBox>(dialog_, "ComboBox3")->setEditText(QStringLiteral("ghosts"));
    control<QLineEdit>(dialog_, "Edi1")->clear();
    QTest::mouseClick(control<QPushButton>(dialog_, "Button1"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("setinfo \"ghosts\" \"\"\r\n"));
    // The caret is on the new line below.
    QCOMPARE(memo()->caretPos().line, Offset(1));
    QCOMPARE(memo()->caretPos().column, Offset(0));
    QCOMPARE(control<QComboBox>(dialog_, "ComboBox3")->count(), 5);  // "ghosts" was listed already
    QVERIFY(!dialog_->isVisible());
  }

  void setinfoFromColumnEightUsesTheSemicolonForm() {
    editorHolds("echo 12345");  // column 10
    dialog_->openPage(BindDialog::SetinfoPage, QString());
    control<QComboBox>(dialog_, "ComboBox3")->setEditText(QStringLiteral("lefthand"));
    control<QLineEdit>(dialog_, "Edi1")->setText(QStringLiteral("0"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button1"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("echo 12345setinfo lefthand 0;\r\n"));
    QCOMPARE(memo()->caretPos().line, Offset(1));

    editorHolds("");
    dialog_->openPage(BindDialog::SetinfoPage, QString());
    QCOMPARE(control<QLineEdit>(dialog_, "Edi1")->text(),
             QStringLiteral("0"));  // the value box keeps its text
    QCOMPARE(control<QComboBox>(dialog_, "ComboBox3")->currentText(),
             QString());  // the parameter box starts empty
    control<QComboBox>(dialog_, "ComboBox3")->setEditText(QStringLiteral("lefthand"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button1"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("setinfo \"lefthand\" \"0\"\r\n"));
  }

  void enterInTheValueBoxIsOkAndEscapeCancels() {
    editorHolds("");
    dialog_->openPage(BindDialog::SetinfoPage, QString());
    control<QComboBox>(dialog_, "ComboBox3")->setEditText(QStringLiteral("ah"));
    control<QLineEdit>(dialog_, "Edi1")->setText(QStringLiteral("1"));
    QTest::keyClick(control<QLineEdit>(dialog_, "Edi1"), Qt::Key_Return);
    QCOMPARE(memo()->getText(), std::string("setinfo \"ah\" \"1\"\r\n"));
    QVERIFY(!dialog_->isVisible());

    // Enter in the parameter box neither inserts nor adds to the list.
    editorHolds("");
    dialog_->openPage(BindDialog::SetinfoPage, QString());
    QTest::keyClicks(control<QComboBox>(dialog_, "ComboBox3"), "typed");
    QTest::keyClick(control<QComboBox>(dialog_, "ComboBox3"), Qt::Key_Return);
    QCOMPARE(control<QComboBox>(dialog_, "ComboBox3")->count(), 5);
    QCOMPARE(memo()->getText(), std::string());
    QVERIFY(dialog_->isVisible());

    QTest::keyClick(control<QComboBox>(dialog_, "ComboBox3"), Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(memo()->getText(), std::string());

    for (int page : {BindDialog::BindPage, BindDialog::AliasPage}) {
      dialog_->openPage(page, QString());
      QTest::keyClick(dialog_->focusWidget(), Qt::Key_Escape);
      QVERIFY(!dialog_->isVisible());
    }
    dialog_->openPage(BindDialog::AliasPage, QString());
    QTest::mouseClick(control<QPushButton>(dialog_, "Button6"), Qt::LeftButton);
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(memo()->getText(), std::string());

    // Enter in the alias name box is "ОК" too: the line is inserted and the name listed.
    dialog_->openPage(BindDialog::AliasPage, QString());
    QTest::keyClicks(dialog_->focusWidget(), "+jd");
    QTest::keyClick(dialog_->focusWidget(), Qt::Key_Return);
    QCOMPARE(memo()->getText(), std::string("alias \"+jd\" \"\""));
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(items(control<QComboBox>(dialog_, "ComboBox4")), QStringList({"+jd"}));
  }

  void parameterAndAliasListsGrowByExactText() {
    editorHolds("");
    auto setinfo = [&](const QString& parameter) {
      dialog_->openPage(BindDialog::SetinfoPage, QString());
      control<QComboBox>(dialog_, "ComboBox3")->setEditText(parameter);
      QTest::mouseClick(control<QPushButton>(dialog_, "Button1"), Qt::LeftButton);
    };
    setinfo(QStringLiteral("cl_lw"));
    setinfo(QStringLiteral("cl_lw"));
    setinfo(QStringLiteral("Ghosts"));  // letter case counts
    setinfo(QString());                 // empty: inserted, not listed
    QCOMPARE(items(control<QComboBox>(dialog_, "ComboBox3")),
             QStringList({"lefthand", "vgui_menus", "ghosts", "ah", "dm", "cl_lw", "Ghosts"}));
    QVERIFY(memo()->getText().find("setinfo \"\" \"\"") != std::string::npos);

    auto alias = [&](const QString& name) {
      dialog_->openPage(BindDialog::AliasPage, QString());
      QCOMPARE(control<QComboBox>(dialog_, "ComboBox4")->currentText(), QString());
      control<QComboBox>(dialog_, "ComboBox4")->setEditText(name);
      QTest::mouseClick(control<QPushButton>(dialog_, "Button5"), Qt::LeftButton);
    };
    alias(QStringLiteral("+dj"));
    alias(QStringLiteral("+dj"));
    alias(QString());
    alias(QStringLiteral("+DJ"));
    QCOMPARE(items(control<QComboBox>(dialog_, "ComboBox4")), QStringList({"+dj", "+DJ"}));
  }

  void aliasFormsAndCaret() {
    editorHolds("");
    dialog_->openPage(BindDialog::AliasPage, QString());
    control<QComboBox>(dialog_, "ComboBox4")->setEditText(QStringLiteral("N"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button5"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("alias \"N\" \"\""));
    QCOMPARE(memo()->selStart(), Offset(11));  // between the last two quotes
    QVERIFY(!dialog_->isVisible());

    editorHolds("12345678");
    dialog_->openPage(BindDialog::AliasPage, QString());
    control<QComboBox>(dialog_, "ComboBox4")->setEditText(QStringLiteral("N"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button5"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("12345678alias N ;"));
    QCOMPARE(memo()->selStart(), Offset(16));  // before the ";"
  }

  void bindNeedsAKeyAndUsesTheColumnForms() {
    editorHolds("");
    dialog_->openPage(BindDialog::BindPage, QString());
    control<KeyList>(dialog_, "ListBox1")->clearSelection();
    {
      brindle::ui::ScriptedAnswers script;
      QTest::mouseClick(control<QPushButton>(dialog_, "Button3"), Qt::LeftButton);
      QCOMPARE(script.boxes().size(), std::size_t(1));
      QCOMPARE(script.boxes()[0].kind, brindle::ui::BoxKind::Plain);
      QCOMPARE(script.boxes()[0].text, QStringLiteral("Для продолжения выберите клавишу!"));
    }
    QVERIFY(dialog_->isVisible());
    QCOMPARE(memo()->getText(), std::string());

    selectKey(control<KeyList>(dialog_, "ListBox1"), QStringLiteral("MOUSE1"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button3"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("bind \"MOUSE1\" \"\""));
    QCOMPARE(memo()->selStart(), Offset(15));  // between the last two quotes
    QVERIFY(!dialog_->isVisible());

    // The selection stays for the next use.
    editorHolds("alias x y;");  // column 10
    dialog_->openPage(BindDialog::BindPage, QString());
    QCOMPARE(control<KeyList>(dialog_, "ListBox1")->selectedKey(), QStringLiteral("MOUSE1"));
    selectKey(control<KeyList>(dialog_, "ListBox1"), QStringLiteral("\\"));
    QTest::mouseClick(control<QPushButton>(dialog_, "Button3"), Qt::LeftButton);
    QCOMPARE(memo()->getText(), std::string("alias x y;bind \\ ;"));
    QCOMPARE(memo()->selStart(), Offset(17));
  }

  void keyListShowsTwoColumns() {
    dialog_->openPage(BindDialog::BindPage, QString());
    auto* list = control<KeyList>(dialog_, "ListBox1");
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    const QRect first = list->visualItemRect(list->item(0));
    const QRect second = list->visualItemRect(list->item(1));
    QCOMPARE(second.left(), first.left());  // names run down a column
    QVERIFY(second.top() > first.top());
    // A second column follows; what does not fit scrolls sideways.
    int row = 1;
    while (row < list->count() && list->visualItemRect(list->item(row)).left() == first.left())
      ++row;
    QVERIFY(row > 5 && row < list->count());
    const QRect next = list->visualItemRect(list->item(row));
    QCOMPARE(next.top(), first.top());
    QVERIFY(next.left() > first.right());
    QVERIFY(list->visualItemRect(list->item(list->count() - 1)).left() >=
            list->viewport()->width());  // the rest scrolls sideways
  }
};

QTEST_MAIN(TestTsetbal)
#include "tst_bind_dialog.moc"
