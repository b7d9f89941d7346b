#include "game/logic/GameLaunch.h"

#include <filesystem>

#include "core/DataPaths.h"
#include "core/FileIO.h"
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

namespace {

bool samePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

}  // namespace

LaunchPreparation prepareGameLaunch(const std::string& gameDir, const std::string& documentPath) {
  LaunchPreparation result;
  result.gameRoot = gameRootOf(gameDir);
  const std::string dir = core::withSeparator(gameDir);
  const std::string config = dir + "config";
  const std::string configCfg = dir + "config.cfg";

  // The game's `config` holds the configuration the loader runs in the middle; a launch sets
  // config.cfg aside onto it, which would overwrite that very document.
  if (core::fileExists(config) && samePath(documentPath, config)) {
    result.error =
        "Документ — это файл config, куда при запуске откладывается config.cfg игры.\n"
        "Сохраните его под другим именем и запустите снова. Игра не запущена.";
    return result;
  }

  // `exec` runs a file of the game directory by its bare name. A document elsewhere, or one
  // named like the loader's own files, runs from a copy under a name of our own.
  std::string name = core::baseName(documentPath);
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(documentPath).parent_path();
  const bool inGameDirectory = std::filesystem::equivalent(parent, gameDir, ec);
  if (!inGameDirectory || name == "config.cfg" || name == "config") {
    const core::ReadResult saved = core::readFile(documentPath, core::kMaxDocumentBytes);
    if (!saved.ok) {
      result.error = saved.error;
      return result;
    }
    name = std::string(kRunCopyName);
    const core::WriteResult copied = core::writeFileAtomic(dir + name, saved.data);
    if (!copied.ok) {
      result.error = copied.error;
      return result;
    }
  }

  if (core::fileExists(configCfg)) {
    const core::ReadResult current = core::readFile(configCfg);
    const bool loaderStillThere = current.ok && isLoader(current.data);
    // rename() replaces an old "config" in one step, so the previous configuration is never
    // deleted before its successor is in place. If config.cfg cannot be set aside, the loader
    // would overwrite the user's configuration: nothing more is touched.
    if (!loaderStillThere) {
      const core::WriteResult moved = core::renameFile(configCfg, config);
      if (!moved.ok) {
        result.error =
            "Не удалось переименовать config.cfg в config: " + moved.error + "\nИгра не запущена.";
        return result;
      }
    }
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
