#pragma once
// The effective configuration of a game directory as brindle-cli reads it, shared by the
// `effective` and `keyboard` commands.
#include <string>

#include "editor/logic/EffectiveConfig.h"

namespace brindle::cli {

// The configuration the game ends up with from the game directory `dir` (UTF-8): its start
// files in the game's order and every exec. The dictionary beside the executable tells commands
// from variables.
editor::EffectiveConfig effectiveOfDirectory(const std::string& dir, const char* argv0);

}  // namespace brindle::cli
