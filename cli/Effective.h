#pragma once
// The effective configuration of a game directory for `brindle-cli effective`: read by the
// overview's logic, with a word on the standard error when the dictionary's lists are missing.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "overview/logic/EffectiveDirectory.h"

namespace brindle::cli {

// The configuration the game ends up with from the game directory `dir` (UTF-8: the mod folder
// or the game's folder that holds it).
inline editor::EffectiveConfig effectiveOfDirectory(const std::string& dir, const char* argv0) {
  overview::DirectoryConfig read = overview::effectiveOfDirectory(dir, programDirectory(argv0));
  // Without the dictionary's lists every unknown name reads as a variable.
  if (read.wordsMissing)
    std::fputs(
        "brindle-cli effective: нет списков словаря рядом с программой: команды не отличить "
        "от переменных\n",
        stderr);
  return std::move(read.config);
}

}  // namespace brindle::cli
