#include "game/logic/WinePaths.h"

#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/ProcessScan.h"
#include "core/Text.h"

namespace brindle::game {

std::optional<std::string> pathOfDrivePath(std::string_view path, const std::string& winePrefix) {
  if (!core::isDrivePath(path)) return std::nullopt;
#ifdef _WIN32
  (void)winePrefix;
  return std::string(path);
#else
  std::string rest(path.substr(3));
  for (char& c : rest)
    if (c == '\\') c = '/';
  const char drive = core::asciiLower(path[0]);
  if (!winePrefix.empty()) {
    const std::string device =
        core::withSeparator(winePrefix) + "dosdevices/" + std::string(1, drive) + ":";
    if (core::directoryExists(device)) return core::withSeparator(device) + rest;
  }
  if (drive == 'z') return "/" + rest;
  return std::nullopt;
#endif
}

}  // namespace brindle::game
