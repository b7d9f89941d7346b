#include "overview/windows/OverviewModel.h"

#include <QFileInfo>

#include "core/ConsoleScript.h"
#include "core/DataPaths.h"
#include "dictionary/logic/KnownWords.h"
#include "editor/logic/DocumentContext.h"
#include "overview/logic/EffectiveDirectory.h"
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
    options_ = std::make_unique<editor::EffectiveOptions>(
        effectiveOptions(*vocabulary_, wordsComplete(known)));
  }
  return *options_;
}

editor::DocumentContext OverviewModel::documentPlace() const {
  const QString path = hooks_.documentPath ? hooks_.documentPath() : QString();
  if (path.isEmpty()) return {};
  // The document counts as a file of the program's game directory: named relative to it when
  // it lies there, by its file name when not.
  editor::ContextRequest request;
  request.chosenGameDir = hooks_.gameDirectory ? ui::toUtf8(hooks_.gameDirectory()) : std::string();
  request.forceChosen = !request.chosenGameDir.empty();
  return editor::locateDocument(ui::toUtf8(path), request);
}

std::string OverviewModel::documentName() const { return documentPlace().relPath; }

const editor::EffectiveConfig& OverviewModel::whole() {
  if (whole_) return *whole_;
  const QString chosen = hooks_.gameDirectory ? hooks_.gameDirectory() : QString();
  gameDir_ =
      chosen.isEmpty() ? QString() : ui::fromUtf8(editor::resolveGameDir(ui::toUtf8(chosen)));
  if (gameDir_.isEmpty() || !QFileInfo(gameDir_).isDir()) {
    whole_.emplace();
    return *whole_;
  }
  editor::DiskSource disk(ui::toUtf8(gameDir_));
  editor::OverlaySource overlay(disk);
  // The open document counts with the text the user sees, when it is a file of the game
  // directory.
  const editor::DocumentContext place = documentPlace();
  std::string text;  // outlives the walk: the overlay reads it in place
  if (place.insideGame && hooks_.documentText) {
    text = hooks_.documentText();
    overlay.set(place.relPath, text);
  }
  whole_ = effectiveOfGame(overlay, options());
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
