#pragma once
// Completion of command names in the editor: a list under the caret with the commands,
// variables and aliases that start with the word being typed. Ctrl+Space opens it; so does
// typing the second letter of a word where a command name goes. While it is shown, Up, Down,
// Page Up and Page Down choose, Enter and Tab insert, Escape closes. While it is hidden it
// takes no key at all (Ctrl+Space aside), so Enter, EndEnter, Ctrl+Y and the other keys of the
// editor keep their meaning. The list never takes the keyboard focus from the editor.
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <vector>

#include "core/ConsoleScript.h"
#include "editor/logic/ConfigCompletion.h"

namespace brindle::ui {
class CfgEdit;
}

namespace brindle::editor {

class CompletionPopup : public QTreeWidget {
  Q_OBJECT

 public:
  // Letters of a command word after which the list opens by itself.
  static constexpr int kAutoLetters = 2;
  static constexpr int kVisibleRows = 10;

  // `aliases` gives the document's aliases (from the last check).
  // `serverWords` tells whether the document looks like a server's or an add-on's config, whose
  // completion offers the server's words too.
  CompletionPopup(ui::CfgEdit* edit, std::shared_ptr<const core::Vocabulary> vocabulary,
                  std::function<const core::NameSet&()> aliases,
                  std::function<bool()> serverWords = {});

  // Opens the list for the word at the caret; an explicit request also opens it on an empty
  // word. Returns whether it is shown.
  bool complete(bool explicitRequest);
  // Inserts the chosen completion and closes the list.
  void acceptCurrent();
  void dismiss();

  const std::vector<Completion>& completions() const { return completions_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool refresh(bool explicitRequest);
  void afterTyping();
  core::WordAt caretWord(std::string* line = nullptr) const;
  void place();

  ui::CfgEdit* edit_;
  std::shared_ptr<const core::Vocabulary> vocabulary_;
  std::function<const core::NameSet&()> aliases_;
  std::function<bool()> serverWords_;
  std::vector<Completion> completions_;
  bool typed_ = false;
};

}  // namespace brindle::editor
