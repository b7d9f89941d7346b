#include "game/windows/GameRunning.h"

#include <QString>

#include "core/FileIO.h"
#include "game/logic/GameProcesses.h"
#include "ui/MessageBoxes.h"

namespace brindle::game {

std::optional<std::string> confirmGameConfigWrite(QWidget* parent, const std::string& path,
                                                  const std::string& gameDir) {
  // The name is checked first: looking at the processes costs more.
  if (!isGameConfig(path, gameDir) || !gameRunsIn(gameDir)) return path;
  const QString text =
      QString::fromUtf8(kGameRunningText) + QStringLiteral(
                                                "\n\nДа — сохранить в userconfig.cfg,\n"
                                                "Нет — всё равно сохранить в config.cfg,\n"
                                                "Отмена — не сохранять.");
  switch (ui::askYesNoCancel(parent, text)) {
    case ui::Answer::Yes:
      return core::utf8Of(core::pathFromUtf8(path).parent_path() / "userconfig.cfg");
    case ui::Answer::No:
      return path;
    default:
      return std::nullopt;
  }
}

}  // namespace brindle::game
