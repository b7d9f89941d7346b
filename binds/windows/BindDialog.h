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
  // Shows the bind page with `key` chosen (the keyboard window's click on a key).
  void openKey(const QString& key);

  // Sets up the current page: the name boxes start empty, the page's box gets the focus.
  void prepare();
  void insertSetinfo();  // setinfo "ОК", also Enter in the value box
  void insertBind();     // bind "ОК"
  void insertAlias();    // alias "ОК", also Enter in the name box

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void fitToPage();

  QStackedWidget* pages_;       // pg2: the pages, without visible tabs
  QWidget* setinfoPage_;        // tb1
  QLabel* parameterLabel_;      // Label1 "Параметр:"
  QComboBox* parameterBox_;     // ComboBox3
  QLabel* valueLabel_;          // Label2 "Значение:"
  QLineEdit* valueEdit_;        // Edi1
  QPushButton* setinfoOk_;      // Button1 "ОК"
  QPushButton* setinfoCancel_;  // Button2 "Отмена"
  QWidget* bindPage_;           // tb2
  KeyListBox* keyList_;         // ListBox1
  QPushButton* bindOk_;         // Button3 "ОК"
  QPushButton* bindCancel_;     // Button4 "Отмена"
  QWidget* aliasPage_;          // tb3
  QLabel* nameLabel_;           // Label3 "Имя команды:"
  QComboBox* nameBox_;          // ComboBox4
  QPushButton* aliasOk_;        // Button5 "ОК"
  QPushButton* aliasCancel_;    // Button6 "Отмена"

  ui::EditorHost* host_;
};

}  // namespace brindle::binds
