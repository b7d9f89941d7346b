#include "overview/windows/OverviewModel.h"

#include <QDir>
#include <QFileInfo>

#include "core/ConsoleScript.h"
#include "core/DataPaths.h"
#include "dictionary/logic/KnownWords.h"
#include "overview/logic/Keyboard.h"
#include "ui/Codec.h"

namespace brindle::overview {

OverviewModel::OverviewModel(OverviewHooks hooks, std::string programDir, QObject* parent)
    : QObject(parent), hooks_(std::move(hooks)), programDir_(std::move(programDir)) {}

OverviewModel::~OverviewModel() = default;

const editor::EffectiveOptions& OverviewModel::options() {
  if (!options_) {
    // The dictionary's lists tell commands from variables; read once, when first needed.
    const core::KnownWords known = dictionary::readKnownWords(programDir_);
    vocabulary_ = std::make_unique<core::Vocabulary>(known);
    options_ = std::make_unique<editor::EffectiveOptions>();
    const core::Vocabulary* v = vocabulary_.get();
    options_->isCommand = [v](std::string_view name) {
      const core::Vocabulary::Known k = v->lookup(name);
      return k.command && !k.variable;
    };
    options_->isKey = [v](std::string_view name) { return v->bindsKey(name); };
    // Without the word lists every unknown word counts as a variable.
    if (known.missing.empty() && !known.variables.empty())
      options_->isVariable = [v](std::string_view name) { return v->isVariable(name); };
  }
  return *options_;
}

std::string OverviewModel::documentName() const {
  const QString path = hooks_.documentPath ? hooks_.documentPath() : QString();
  if (path.isEmpty()) return {};
  const QString dir = hooks_.gameDirectory ? hooks_.gameDirectory() : QString();
  if (dir.isEmpty()) return ui::toUtf8(QFileInfo(path).fileName());
  return editor::relativeToGame(ui::toUtf8(QDir::cleanPath(dir)),
                                ui::toUtf8(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
}

const editor::EffectiveConfig& OverviewModel::whole() {
  if (whole_) return *whole_;
  gameDir_ = hooks_.gameDirectory ? hooks_.gameDirectory() : QString();
  if (gameDir_.isEmpty() || !QFileInfo(gameDir_).isDir()) {
    whole_.emplace();
    return *whole_;
  }
  editor::DiskSource disk(ui::toUtf8(gameDir_));
  editor::OverlaySource overlay(disk);
  // The open document counts with the text the user sees, when it is a file of the game
  // directory (relativeToGame gives the bare file name for a file outside it).
  const QString path = hooks_.documentPath ? hooks_.documentPath() : QString();
  std::string text;  // outlives the walk: the overlay reads it in place
  if (!path.isEmpty() && hooks_.documentText) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString dir = QDir::cleanPath(QFileInfo(gameDir_).absoluteFilePath());
    if (absolute.startsWith(dir + QLatin1Char('/'), Qt::CaseInsensitive)) {
      text = hooks_.documentText();
      overlay.set(documentName(), text);
    }
  }
  const std::vector<std::string> start = editor::gameStartFiles(overlay, editor::GameRole::Client);
  whole_ = editor::computeEffective(overlay, start, options());
  return *whole_;
}

const editor::EffectiveConfig& OverviewModel::document() {
  if (document_) return *document_;
  std::string name = documentName();
  if (name.empty()) name = "(без имени)";
  document_ = editor::computeEffectiveOfText(
      name, hooks_.documentText ? hooks_.documentText() : std::string(), options());
  return *document_;
}

void OverviewModel::invalidate() {
  whole_.reset();
  document_.reset();
  Q_EMIT changed();
}

QString OverviewModel::absolutePath(const std::string& relPath) const {
  if (gameDir_.isEmpty()) return ui::fromUtf8(relPath);
  return ui::fromUtf8(core::resolveDataPath(core::withSeparator(ui::toUtf8(gameDir_)), relPath));
}

void OverviewModel::openAt(const std::string& relPath, int line) const {
  if (!hooks_.openAt) return;
  // The document alone is named relative to the game directory too, or by its path.
  const QString docPath = hooks_.documentPath ? hooks_.documentPath() : QString();
  if (!docPath.isEmpty() && relPath == documentName()) {
    hooks_.openAt(docPath, line);
    return;
  }
  hooks_.openAt(absolutePath(relPath), line);
}

}  // namespace brindle::overview
