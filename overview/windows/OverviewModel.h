#pragma once
// The effective configuration the two overview windows show: of the whole game directory (the
// document open in the editor counting with its unsaved text when it lies there), or of the
// open document alone. Computed when first asked after a change, so a window that is not shown
// costs nothing.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editor/logic/DocumentContext.h"
#include "editor/logic/EffectiveConfig.h"

namespace brindle::core {
class Vocabulary;
}

namespace brindle::overview {

// What the windows need from the program.
struct OverviewHooks {
  std::function<QString()> gameDirectory;     // the program's game directory (the mod folder)
  std::function<QString()> documentPath;      // the open document's path; empty when untitled
  std::function<std::string()> documentText;  // its text as the editor holds it (CP1251)
  // Opens a file (absolute path) in the editor with the caret at the start of a line (from 1).
  std::function<void(const QString& path, int line)> openAt;
};

class OverviewModel : public QObject {
  Q_OBJECT

 public:
  OverviewModel(OverviewHooks hooks, std::string programDir, QObject* parent = nullptr);
  ~OverviewModel() override;

  // The configuration the game ends up with from its game directory.
  const editor::EffectiveConfig& whole();
  // What the open document sets by itself.
  const editor::EffectiveConfig& document();
  // The game directory the last `whole()` read (the chosen one, or its cstrike/ when the user
  // chose the game's folder); empty when none is chosen.
  const QString& gameDirectory() const { return gameDir_; }
  // The document's name relative to the game directory, or its file name outside it.
  std::string documentName() const;

  // The files or the document changed: the next question computes afresh; changed() tells
  // the windows.
  void invalidate();
  // The absolute path of a file of the chain (its letter case as on disk), for opening it.
  QString absolutePath(const std::string& relPath) const;
  void openAt(const std::string& relPath, int line) const;

  const OverviewHooks& hooks() const { return hooks_; }
  const std::string& programDir() const { return programDir_; }

 Q_SIGNALS:
  void changed();

 private:
  const editor::EffectiveOptions& options();
  // Where the open document lies, as a file of the program's game directory.
  editor::DocumentContext documentPlace() const;

  OverviewHooks hooks_;
  std::string programDir_;
  QString gameDir_;
  std::optional<editor::EffectiveConfig> whole_;
  std::optional<editor::EffectiveConfig> document_;
  std::unique_ptr<core::Vocabulary> vocabulary_;
  std::unique_ptr<editor::EffectiveOptions> options_;
};

}  // namespace brindle::overview
