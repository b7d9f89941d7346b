#pragma once
// The dictionary window: tabs "CMD", "CVAR" and "DLZ" with the lists to choose from, and the
// buttons that open the setinfo/bind/alias dialog.
#include <string>
#include <vector>

#include "ui/ToolWindow.h"

class QFrame;
class QTabWidget;
class QToolButton;

namespace brindle::ui {
class ChoiceListBox;
class EditorHost;
}  // namespace brindle::ui

namespace brindle::dictionary {

struct DictionaryContext;

class DictionaryWindow : public ui::ToolWindow {
  Q_OBJECT

 public:
  DictionaryWindow(ui::EditorHost* host, DictionaryContext* context, QWidget* parent = nullptr);
  ~DictionaryWindow() override;

  // Whether the DLZ tab is the active tab.
  bool libraryTabActive() const;
  // The selected library name (UTF-8) or an empty string.
  std::string selectedLibrary() const;
  // The DLZ list's entries (UTF-8 library names).
  std::vector<std::string> libraryNames() const;
  // Adds a library name to the DLZ list (kept sorted).
  void addLibrary(const std::string& name);
  // Replaces the DLZ list's entries (the library manager's list when it closes); the chosen
  // library stays chosen when it is still listed.
  void setLibraries(const std::vector<std::string>& names);

  // Selects CMD "Standart" and loads it (done when the window first shows).
  void prepareLists();
  void commandListChosen();   // a CMD list chosen
  void variableListChosen();  // a CVAR list chosen
  void libraryChosen();       // a value library chosen
  void tabChanged();          // the active tab changed: pictures mode ends
  void libraryTabShown();     // the DLZ tab shows: newly added libraries are listed

 Q_SIGNALS:
  // The setinfo/bind/alias dialog is wanted on `page` (0 setinfo, 1 bind, 2 alias) with the
  // given caption.
  void insertDialogRequested(int page, const QString& caption);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void centreButtons();
  void focusChanged(QWidget* old, QWidget* now);

  QTabWidget* tabs_;                  // PC1
  QWidget* commandPage_;              // TabSheet1 "CMD"
  QWidget* variablePage_;             // TabSheet2 "CVAR"
  QWidget* libraryPage_;              // TabSheet3 "DLZ", the value-library tab
  ui::ChoiceListBox* commandLists_;   // ListBox1
  ui::ChoiceListBox* variableLists_;  // ListBox2
  ui::ChoiceListBox* libraryList_;    // ListBox3: library names, sorted
  QFrame* buttonPanel_;               // Panel1
  QToolButton* setinfoButton_;        // SBut10 "SetInfo"
  QToolButton* bindButton_;           // SBut7 "Bind"
  QToolButton* aliasButton_;          // SBut8 "Alias"

  ui::EditorHost* host_;
  DictionaryContext* context_;
  bool shown_ = false;
  QString cvarHint_;  // the CVAR list's hint, set by the chosen entry
  bool mouseOnCvarList_ = false;
};

}  // namespace brindle::dictionary
