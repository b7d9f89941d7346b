#pragma once
// The editor's knowledge of configs, put together for one editor control: highlighting, the
// live check after each pause in typing with its problem window, completion of command names
// and the explanation of the word under the mouse.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/ConsoleScript.h"
#include "editor/logic/ConfigCheck.h"
#include "editor/logic/DocumentContext.h"
#include "editor/logic/ExecChain.h"
#include "editor/logic/FileKind.h"

class QPoint;
class QTimer;
class QWidget;

namespace brindle::ui {
class CfgEdit;
}

namespace brindle::editor {

class CompletionPopup;
class ConfigHighlighter;
class ProblemWindow;

// The explanation of a word (CP1251), as "О&пределить" shows it; empty when there is none.
using ExplanationLookup = std::function<std::string(std::string_view word)>;

// Where the document lives: its file (UTF-8, empty while untitled) and the game directory the
// user chose (the cstrike folder; empty when none was chosen).
struct DocumentPlace {
  std::string path;
  std::string gameDir;
};

class ConfigTools : public QObject {
  Q_OBJECT

 public:
  // The pause in typing after which the document is checked again.
  static constexpr int kPauseMs = 700;

  // `words`: commands, variables, on/off variables and key names. The problem window is a
  // tool window of `toolParent` (the main window), hidden until checkConfig shows it.
  ConfigTools(ui::CfgEdit* edit, const core::KnownWords& words, ExplanationLookup explain,
              QWidget* toolParent);
  ~ConfigTools() override;

  // Tells where the document lives, asked at every check: the check then follows the files the
  // game runs around it (aliases they define are known, execs that run nothing are reported)
  // and judges the file by its kind, guessed from its name and content unless the user chose
  // one in the problem window.
  void setPlaceLookup(std::function<DocumentPlace()> place) { place_ = std::move(place); }
  // The kind the last check judged the document as.
  ConfigKind kind() const { return kind_; }
  // Where the last check found the document: its game directory, its path there, its kind.
  const DocumentContext& context() const { return context_; }
  void setKind(ConfigKind kind);  // as the user's choice
  // "Инструменты → Проверить конфиг" (F7): checks the document now and shows the problems.
  void checkConfig();
  // The check that otherwise runs after a pause in typing: updates the highlighting and the
  // problem window.
  void checkNow();
  const CheckResult& lastResult() const { return result_; }

  // What the tooltip says about the character at a point of the editor's viewport: the word's
  // explanation (for a word without one, its origin from the word base) and the problems found
  // there. Empty when there is nothing to say.
  QString hoverText(const QPoint& viewportPoint) const;

  ConfigHighlighter* highlighter() const { return highlighter_; }
  ProblemWindow* problemWindow() const;
  CompletionPopup* completion() const { return completion_; }
  const core::Vocabulary& vocabulary() const { return *vocabulary_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The word base's entry of a command or variable word; null for other tokens.
  const core::WordInfo* wordInfo(core::TokenKind kind, std::string_view word) const;

  ui::CfgEdit* edit_;
  QWidget* viewport_;  // kept: events may still come while the editor is being destroyed
  std::shared_ptr<const core::Vocabulary> vocabulary_;
  ExplanationLookup explain_;
  ConfigHighlighter* highlighter_;
  QPointer<ProblemWindow> problems_;  // owned by the tool parent, which may go first
  bool placed_ = false;
  CompletionPopup* completion_;
  QTimer* pause_;
  CheckResult result_;
  std::function<DocumentPlace()> place_;
  std::string lastPath_;
  std::string lastGameDir_;
  std::optional<ConfigKind> chosenKind_;  // the user's choice for the current file
  ConfigKind kind_ = ConfigKind::Player;
  DocumentContext context_;
  std::unique_ptr<DiskSource> disk_;  // the game directory's files, read once per check command
  SuggestionCache suggestions_;       // closest known words, kept while the vocabulary stays
};

}  // namespace brindle::editor
