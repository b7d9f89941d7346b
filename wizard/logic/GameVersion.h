#pragma once
// The game version whose forms the wizard reads and writes, one setting for the whole wizard:
// its settings rows and its buy scripts.
#include <cstdint>

#include "core/FileIO.h"

namespace brindle::core {
class Settings;
}

namespace brindle::wizard {

// The game version whose forms the wizard reads and writes. CS 1.6 reads the shooting hand from
// cl_righthand and auto-help and the menu style from the user info keys "_ah" and "_vgui_menus";
// CS 1.5 took lefthand, ah and vgui_menus, and its buy scripts drive the buy menus.
enum class GameVersion : std::uint8_t { Cs15, Cs16 };
inline constexpr GameVersion kDefaultGameVersion = GameVersion::Cs16;

// The version kept in the settings file ([Wizard] GameVersion = 15 or 16); anything else is 1.6.
GameVersion loadGameVersion(const core::Settings& settings);
core::WriteResult saveGameVersion(core::Settings& settings, GameVersion version);

}  // namespace brindle::wizard
