#pragma once
// The library manager: adds value libraries and MetaBind files to the program's data folders
// and deletes them there; also owns the library-list refresh.
#include <QDialog>

class QLabel;
class QPushButton;

namespace brindle::ui {
class ChoiceListBox;
class EditorHost;
}  // namespace brindle::ui

namespace brindle::dictionary {

struct DictionaryContext;

class LibraryManager : public QDialog {
  Q_OBJECT

 public:
  LibraryManager(ui::EditorHost* host, DictionaryContext* context, QWidget* parent = nullptr);
  ~LibraryManager() override;

  // The library-list refresh: lists new .dlz files here and on the dictionary's DLZ tab, then,
  // unless `refreshOnly`, shows the manager modally.
  void run(bool refreshOnly);

  void listNewMetaBinds();      // lists the MetaBind files not listed yet
  void addLibrary();            // "Добавить"
  void removeSelected();        // "Удалить"
  void confirm();               // "OK"
  void copyListToDictionary();  // the dictionary's DLZ list becomes a copy of this one

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  QLabel* librariesLabel_;           // Label1 "Библиотеки DLZ"
  QLabel* metaBindsLabel_;           // Label2 "MetaBinds (MTB)"
  ui::ChoiceListBox* libraryList_;   // ListBox1: value library names, sorted
  ui::ChoiceListBox* metaBindList_;  // ListBox2: MetaBind file names, sorted
  QPushButton* addButton_;           // Button1 "Добавить"
  QPushButton* removeButton_;        // Button2 "Удалить"
  QPushButton* okButton_;            // Button3 "OK"
  QLabel* picture_;                  // Image1, decorative

  ui::EditorHost* host_;
  DictionaryContext* context_;
};

}  // namespace brindle::dictionary
