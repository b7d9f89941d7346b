#pragma once
// Windows paths that programs under Wine write (Steam's library list, the game's command line
// under Wine or Proton), as paths of this system.
#include <optional>
#include <string>
#include <string_view>

namespace brindle::game {

// A path written with a drive letter ("C:\Games\Half-Life", "Z:\home\…") as a path of this
// system. On Windows it is the path itself. Elsewhere the drive is looked up in the Wine
// prefix's dosdevices folder, where Wine keeps each drive as a link (dosdevices/c: leads to
// drive_c); drive z: is the root of the file system unless the prefix says otherwise. Nothing
// for a path without a drive letter, or a drive that cannot be found.
std::optional<std::string> pathOfDrivePath(std::string_view path, const std::string& winePrefix);

}  // namespace brindle::game
