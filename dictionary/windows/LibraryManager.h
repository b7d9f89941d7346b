#pragma once
// The library manager: adds value libraries and MetaBind files to the program's data folders
// and deletes them there; also owns the library-list refresh.
#include <QDialog>

class QLabel;
class QPushButton;

namespace brindle::ui {
class ChoiceListBox;
class EditorHost;
}

namespace brindle::dictionary {

struct DictionaryContext;

class LibraryManager : public QDialog {
  Q_OBJECT

 public:
  LibraryManager(ui::EditorHost* host, DictionaryContext* context, QWidget* parent = nullptr);
  ~LibraryManager() override;

  QLabel* Label1;         // "Библиотеки DLZ"
  QLabel* Label2;         // "MetaBinds (MTB)"
  ui::ChoiceListBox* ListBox1;  // value library names, sorted
  ui::ChoiceListBox* ListBox2;  // MetaBind file names, sorted
  QPushButton* Button1;   // "Добавить"
  QPushButton* Button2;   // "Удалить"
  QPushButton* Button3;   // "OK"
  QLabel* Image1;         // decorative picture

  // The library-list refresh: lists new .dlz files here and on the dictionary's DLZ tab, then,
  // unless `refreshOnly`, shows the manager modally.
  void run(bool refreshOnly);

  void listNewMetaBinds();      // lists the MetaBind files not listed yet
  void addLibrary();  // "Добавить"
  void removeSelected();  // "Удалить"
  void confirm();  // "OK"
  void copyListToDictionary();     // the dictionary's DLZ list becomes a copy of this one

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  ui::EditorHost* host_;
  DictionaryContext* context_;
};

}  // namespace brindle::dictionary
