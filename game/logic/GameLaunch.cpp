#include "game/logic/GameLaunch.h"

#include <filesystem>

#include "core/FileIO.h"
#include "core/DataPaths.h"
#include "core/Text.h"

namespace brindle::game {

std::string gameRootOf(std::string_view gameDir) {
  if (gameDir.size() <= kModFolderLength) return {};
  return std::string(gameDir.substr(0, gameDir.size() - kModFolderLength));
}

std::string loaderText(std::string_view name) {
  const std::string exec = "exec " + std::string(name);
  return core::joinLines({exec, "exec config", exec});
}

bool isLoader(std::string_view text) {
  const auto lines = core::splitLines(text);
  return lines.size() == 3 && lines[0].rfind("exec ", 0) == 0 && lines[1] == "exec config" &&
         lines[2] == lines[0];
}

LaunchPreparation prepareGameLaunch(const std::string& gameDir, const std::string& documentPath) {
  LaunchPreparation result;
  result.gameRoot = gameRootOf(gameDir);
  const std::string dir = core::withSeparator(gameDir);
  const std::string config = dir + "config";
  const std::string configCfg = dir + "config.cfg";

  const std::string name = core::baseName(documentPath);
  std::error_code ec;
  const bool documentIsConfigCfg =
      core::fileExists(configCfg) && std::filesystem::equivalent(documentPath, configCfg, ec);
  if (documentIsConfigCfg) {
    result.ok = true;
    return result;
  }

  if (core::fileExists(configCfg)) {
    const core::ReadResult current = core::readFile(configCfg);
    const bool loaderStillThere = current.ok && isLoader(current.data);
    // rename() replaces an old "config" in one step, so the previous configuration is never
    // deleted before its successor is in place.
    if (!loaderStillThere) core::renameFile(configCfg, config);
  }

  const core::WriteResult written = core::writeFileAtomic(configCfg, loaderText(name));
  result.ok = written.ok;
  result.error = written.error;
  return result;
}

std::vector<std::string> gameProgramCandidates() {
#ifdef _WIN32
  return {"hl.exe"};
#else
  return {"hl.sh", "hl_linux", "hl.exe"};
#endif
}

}  // namespace brindle::game
