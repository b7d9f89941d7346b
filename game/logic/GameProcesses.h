#pragma once
// Whether the game runs a game directory. The game writes its config.cfg when it quits, so an
// edit made to that file meanwhile is lost; the program warns when a game process runs the
// chosen game directory. A game process is hl_linux, or hl.exe run natively on Windows or under
// Wine or Proton (there the process is Wine's, with the Windows path of hl.exe as its command
// line).
#include <string>
#include <vector>

#include "core/ProcessScan.h"

namespace brindle::game {

// The game processes among `processes` that run `gameDir`, the game's mod folder (".../
// Half-Life/cstrike"): their program lies in its parent folder (or that is their working
// folder) and they run that mod ("-game cstrike"; without -game the game runs "valve").
std::vector<core::ProcessInfo> gameProcessesFor(const std::vector<core::ProcessInfo>& processes,
                                                const std::string& gameDir);
// The same for the current source (the system's, or a test's: core::ProcessSourceOverride).
bool gameRunsIn(const std::string& gameDir);

// Whether `path` is the config.cfg of `gameDir`, the file the game rewrites when it quits
// (the name without regard to letter case, as the game finds it).
bool isGameConfig(const std::string& path, const std::string& gameDir);

}  // namespace brindle::game
