#pragma once
// The setinfo/bind/alias dialog: writes one `setinfo`, `bind` or `alias` line into the editor
// through the value panel's insert operation. The dictionary window opens it, without blocking
// the other windows, on one of its three pages.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace brindle::ui {
class EditorHost;
}

namespace brindle::binds {

class KeyListBox;

class BindDialog : public QDialog {
  Q_OBJECT

 public:
  enum Page { SetinfoPage = 0, BindPage = 1, AliasPage = 2 };

  BindDialog(ui::EditorHost* host, QWidget* parent = nullptr);

  // Shows the dialog without blocking, with `caption`, on `page` (0 setinfo, 1 bind, 2 alias).
  void openPage(int page, const QString& caption);

  QStackedWidget* pg2;  // the pages, without visible tabs
  QWidget* tb1;         // setinfo
  QLabel* Label1;       // "Параметр:"
  QComboBox* ComboBox3;
  QLabel* Label2;       // "Значение:"
  QLineEdit* Edi1;
  QPushButton* Button1;  // "ОК"
  QPushButton* Button2;  // "Отмена"
  QWidget* tb2;          // bind
  KeyListBox* ListBox1;
  QPushButton* Button3;  // "ОК"
  QPushButton* Button4;  // "Отмена"
  QWidget* tb3;          // alias
  QLabel* Label3;        // "Имя команды:"
  QComboBox* ComboBox4;
  QPushButton* Button5;  // "ОК"
  QPushButton* Button6;  // "Отмена"

  // Sets up the current page: the name boxes start empty, the page's box gets the focus.
  void prepare();
  void insertSetinfo();  // setinfo "ОК", also Enter in the value box
  void insertBind();   // bind "ОК"
  void insertAlias();   // alias "ОК", also Enter in the name box

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fitToPage();

  ui::EditorHost* host_;
};

}  // namespace brindle::binds
