#include "ui/GameRunning.h"

#include <QString>

#include "core/FileIO.h"
#include "core/ProcessScan.h"
#include "ui/MessageBoxes.h"

namespace brindle::ui {

std::optional<std::string> confirmGameConfigWrite(QWidget* parent, const std::string& path,
                                                  const std::string& gameDir) {
  // The name is checked first: looking at the processes costs more.
  if (!core::isGameConfig(path, gameDir) || !core::gameRunsIn(gameDir)) return path;
  const QString text =
      QString::fromUtf8(kGameRunningText) + QStringLiteral(
                                                "\n\nДа — сохранить в userconfig.cfg,\n"
                                                "Нет — всё равно сохранить в config.cfg,\n"
                                                "Отмена — не сохранять.");
  switch (askYesNoCancel(parent, text)) {
    case Answer::Yes:
      return core::utf8Of(core::pathFromUtf8(path).parent_path() / "userconfig.cfg");
    case Answer::No:
      return path;
    default:
      return std::nullopt;
  }
}

}  // namespace brindle::ui
