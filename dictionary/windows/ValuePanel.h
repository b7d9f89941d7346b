#pragma once
// The value panel: the entries of the list chosen in the dictionary window. A click shows the
// entry's explanation (or picture) in the explanation window, a double click or "Добавить"
// inserts it into the editor.
#include <string>
#include <string_view>

#include "core/Insertion.h"
#include "ui/ToolWindow.h"

class QLabel;
class QFrame;
class QToolButton;

namespace brindle::ui {
class ChoiceListBox;
class EditorHost;
}  // namespace brindle::ui

namespace brindle::dictionary {

struct DictionaryContext;

class ValuePanel : public ui::ToolWindow {
  Q_OBJECT

 public:
  ValuePanel(ui::EditorHost* host, DictionaryContext* context, QWidget* parent = nullptr);

  // The caption at the top, "Выбор: ...", which names the chosen list.
  QString caption() const;
  void setCaption(const QString& caption);

  // Replaces the entries by those of the list file at the context's current list path; a file
  // that cannot be read is reported ("Ненайден файл ...") and the entries stay (false).
  bool loadCurrentList();

  // The explanation lookup (see dictionary/logic/Explanations.h): stores its result (CP1251)
  // in the context's explanation text and returns it. The library's file and ans2.pro are
  // asked only while the dictionary window's DLZ tab is the active tab.
  std::string explanation(std::string_view library, std::string_view word,
                          std::string_view key = "q");

  // Inserts by the context's insert kind: the selected entry for command and variable
  // entries, the values set by insertLine for bind, setinfo and alias.
  void insertSelected();

  // Used by the setinfo/bind/alias dialog: sets the insert kind (Bind, Setinfo or Alias) and its
  // words (CP1251: key or parameter or alias name, then the setinfo value) and inserts.
  void insertLine(core::InsertKind kind, const std::string& first, const std::string& second = {});

  // A click on an entry: enables "Добавить" and explains the entry (or shows its picture).
  void entryChosen();
  // A request from the panel itself (double click, "Добавить"): insert kind from the list kind.
  void entryDoubleClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* captionPanel_;        // Panel1
  QLabel* caption_;             // Label3
  ui::ChoiceListBox* entries_;  // ListBox1
  QFrame* addPanel_;            // Panel2
  QToolButton* addButton_;      // Button1 "Добавить"

  ui::EditorHost* host_;
  DictionaryContext* context_;
  std::string first_;
  std::string second_;
};

}  // namespace brindle::dictionary
