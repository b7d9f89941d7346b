#pragma once
// The MetaBind window: lists the MetaBinds of the library, shows the chosen one, has the key
// dialog fill its key slots and appends the filled-in script to the editor, or to the text the
// opener names (the configuration wizard's working text).
#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;

namespace brindle::core {
class TextBuffer;
}
namespace brindle::ui {
class ChoiceListBox;
class CfgEdit;
class EditorHost;
}  // namespace brindle::ui

namespace brindle::binds {

class KeyDialog;

class MetaBindWindow : public QDialog {
  Q_OBJECT

 public:
  MetaBindWindow(ui::EditorHost* host, KeyDialog* binds, QWidget* parent = nullptr);

  // Where "Вставить" appends: nullptr (the default) is the editor, anything else that text.
  // The opener sets it before exec().
  void setWizardTarget(core::TextBuffer* target) { target_ = target; }
  core::TextBuffer* wizardTarget() const { return target_; }

  // Full paths of the listed MetaBinds, in the order of the MetaBind list.
  const std::vector<std::string>& paths() const { return paths_; }

  void listMetaBinds();          // lists the library afresh
  void showMetaBind(int index);  // shows MetaBind `index` with its empty slots
  void slotChosen();             // a slot chosen: BIND becomes available
  void bindOrInsert();           // "BIND": pick a key for the slot; "Вставить": insert
  void leave();                  // "Выход"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void resetBindButton();
  void insertMetabind();

  QLabel* listLabel_;                // Label1 "Выберите нужный MetaBind:"
  ui::ChoiceListBox* metaBindList_;  // lx_MeB: MetaBind names
  QLabel* slotsLabel_;               // Label2 "Кнопки для назначения"
  ui::ChoiceListBox* slotList_;      // lx_bind: "Кнопка <<n>>" or the key chosen for slot n
  QPushButton* bindButton_;          // sb_bind "BIND" / "Вставить"
  QPushButton* exitButton_;          // Button1 "Выход"
  ui::CfgEdit* preview_;             // red_bind: read-only preview of the chosen MetaBind

  ui::EditorHost* host_;
  KeyDialog* binds_;
  core::TextBuffer* target_ = nullptr;
  std::vector<std::string> paths_;
};

}  // namespace brindle::binds
