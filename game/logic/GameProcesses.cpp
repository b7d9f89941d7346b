#include "game/logic/GameProcesses.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/FileIO.h"
#include "core/Text.h"
#include "game/logic/WinePaths.h"

namespace brindle::game {
namespace {

namespace fs = std::filesystem;
using core::ProcessInfo;

// The last component of a path written with '/' or '\' separators, in lower case.
std::string lowerBaseName(std::string_view path) { return core::asciiLower(core::baseName(path)); }

bool isGameProgramName(std::string_view name) { return name == "hl_linux" || name == "hl.exe"; }

// The folder part of a path written with '/' or '\' separators.
std::string folderOf(std::string_view path) {
  const auto pos = path.find_last_of("/\\");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos));
}

// The folder a game process runs from: its program's folder; for a bare program name, the
// working folder. Several when they differ (a Wine program and its working folder).
std::vector<std::string> gameRootsOf(const ProcessInfo& p, std::string_view program) {
  std::vector<std::string> roots;
  if (!p.exe.empty() && isGameProgramName(lowerBaseName(p.exe))) roots.push_back(folderOf(p.exe));
  if (const auto unix = pathOfDrivePath(program, p.winePrefix))
    roots.push_back(folderOf(*unix));
  else if (!program.empty() && program.front() == '/')
    roots.push_back(folderOf(program));
  if (!p.cwd.empty()) roots.push_back(p.cwd);
  return roots;
}

// The game program named on the command line, or nothing when the process is no game: the
// program itself (hl_linux; hl.exe, also as Wine shows it), or the file Wine was asked to run.
std::optional<std::string> gameProgramOf(const ProcessInfo& p) {
  if (!p.exe.empty() && isGameProgramName(lowerBaseName(p.exe)))
    return p.args.empty() ? p.exe : p.args.front();
  if (p.args.empty()) return std::nullopt;
  if (isGameProgramName(lowerBaseName(p.args[0]))) return p.args[0];
  const bool wine = lowerBaseName(p.exe).find("wine") != std::string::npos ||
                    lowerBaseName(p.args[0]).find("wine") != std::string::npos;
  if (wine && p.args.size() > 1 && lowerBaseName(p.args[1]) == "hl.exe") return p.args[1];
  return std::nullopt;
}

// The mod a game process runs: the word after -game, else the game's own "valve"; nothing
// when the command line is unknown.
std::optional<std::string> modOf(const ProcessInfo& p) {
  if (p.args.empty()) return std::nullopt;
  for (std::size_t i = 0; i + 1 < p.args.size(); ++i)
    if (core::asciiLower(p.args[i]) == "-game") return core::asciiLower(p.args[i + 1]);
  return std::string("valve");
}

bool sameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::equivalent(core::pathFromUtf8(a), core::pathFromUtf8(b), ec)) return true;
  return fs::weakly_canonical(core::pathFromUtf8(a), ec) ==
         fs::weakly_canonical(core::pathFromUtf8(b), ec);
}

// The mod folder without a trailing separator.
fs::path modFolder(const std::string& gameDir) {
  std::string dir = gameDir;
  while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
  return core::pathFromUtf8(dir);
}

}  // namespace

std::vector<ProcessInfo> gameProcessesFor(const std::vector<ProcessInfo>& processes,
                                          const std::string& gameDir) {
  std::vector<ProcessInfo> out;
  const fs::path mod = modFolder(gameDir);
  const std::string modName = core::asciiLower(core::utf8Of(mod.filename()));
  const std::string root = core::utf8Of(mod.parent_path());
  for (const ProcessInfo& p : processes) {
    const auto program = gameProgramOf(p);
    if (!program) continue;
    // A process whose command line is unknown (Windows) may run any mod of its folder.
    const auto runs = modOf(p);
    if (runs && *runs != modName) continue;
    for (const std::string& r : gameRootsOf(p, *program))
      if (sameFolder(r, root)) {
        out.push_back(p);
        break;
      }
  }
  return out;
}

bool gameRunsIn(const std::string& gameDir) {
  if (gameDir.empty()) return false;
  std::vector<ProcessInfo> processes = core::currentProcesses().processes();
  // Windows names the programs only: the game's full path is asked for the game's program
  // alone, as opening every process costs time.
  for (ProcessInfo& p : processes)
    if (isGameProgramName(lowerBaseName(p.exe)) && folderOf(p.exe).empty())
      if (std::string full = core::executablePath(p.pid); !full.empty()) p.exe = std::move(full);
  return !gameProcessesFor(processes, gameDir).empty();
}

bool isGameConfig(const std::string& path, const std::string& gameDir) {
  if (gameDir.empty() || lowerBaseName(path) != "config.cfg") return false;
  return sameFolder(folderOf(path), core::utf8Of(modFolder(gameDir)));
}

}  // namespace brindle::game
