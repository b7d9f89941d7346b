#pragma once
// The tool window of the config checks: one row per problem with its line, column and message;
// a double click (or Enter) on a row puts the editor's caret at the problem. Above the list,
// what kind of config the document is checked as (a player's, a server's, a plugin's), which the
// user may change. It stays on top, like the program's other tool windows.
#include <QWidget>
#include <vector>

#include "core/TextBuffer.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/DocumentContext.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace brindle::ui {
class CfgEdit;
}

namespace brindle::editor {

class ProblemWindow : public QWidget {
  Q_OBJECT

 public:
  // Rows shown at most; the summary tells how many more there are.
  static constexpr std::size_t kMaxRows = 1000;

  explicit ProblemWindow(ui::CfgEdit* edit, QWidget* parent = nullptr);

  void setProblems(const std::vector<Problem>& problems);
  // Where the check found the document and what it judged it as: the kind (guessed from the
  // file's content and name, or the user's) and the game directory whose files it followed.
  void setContext(const DocumentContext& context);
  ConfigKind kind() const;

 Q_SIGNALS:
  // The user chose what kind of config the document is.
  void kindChosen(ConfigKind kind);
  // A row was activated; the caret already stands at the problem.
  void problemActivated(core::Offset offset, core::Offset length);

 private:
  void activate(QTreeWidgetItem* item);

  ui::CfgEdit* edit_;
  QComboBox* kind_;
  QLabel* kindNote_;
  QLabel* place_;
  QTreeWidget* list_;
  QLabel* summary_;
};

}  // namespace brindle::editor
