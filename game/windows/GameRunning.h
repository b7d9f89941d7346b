#pragma once
// The warning before a write to the game's config.cfg while the game runs: the game writes
// that file when it quits, so the edit would be lost. The user may write to userconfig.cfg
// instead, go ahead, or give up.
#include <optional>
#include <string>

class QWidget;

namespace brindle::game {

// The question's first sentences, exactly as the user reads them.
inline constexpr const char* kGameRunningText =
    "Игра запущена и перезапишет config.cfg при выходе. Сохраните настройки в userconfig.cfg.";

// For a write to `path`: when `path` is the config.cfg of `gameDir` and a game process runs
// that directory, asks "Да" (write userconfig.cfg beside it instead), "Нет" (write config.cfg
// all the same) or "Отмена". Returns the file to write, or nothing when the user gave up.
// Any other path is returned as it is, without a question.
std::optional<std::string> confirmGameConfigWrite(QWidget* parent, const std::string& path,
                                                  const std::string& gameDir);

}  // namespace brindle::game
