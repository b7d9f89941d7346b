// The effective configuration of a game directory as brindle-cli reads it: the start files in
// the game's order, every exec, and the dictionary beside the executable to tell commands from
// variables.
#include <cstdio>

#include "cli/Commands.h"
#include "cli/Effective.h"
#include "core/ConsoleScript.h"
#include "dictionary/logic/KnownWords.h"

namespace brindle::cli {

editor::EffectiveConfig effectiveOfDirectory(const std::string& dir, const char* argv0) {
  const core::KnownWords known = dictionary::readKnownWords(programDirectory(argv0));
  // Without the dictionary's lists every unknown name reads as a variable.
  if (!known.missing.empty() || known.commands.empty())
    std::fputs(
        "brindle-cli effective: нет списков словаря рядом с программой: команды не отличить "
        "от переменных\n",
        stderr);
  const core::Vocabulary vocabulary(known);
  editor::EffectiveOptions options;
  options.isCommand = [&vocabulary](std::string_view name) {
    const core::Vocabulary::Known k = vocabulary.lookup(name);
    return k.command && !k.variable;
  };
  options.isKey = [&vocabulary](std::string_view name) { return vocabulary.bindsKey(name); };
  if (known.missing.empty() && !known.variables.empty())
    options.isVariable = [&vocabulary](std::string_view name) {
      return vocabulary.isVariable(name);
    };
  editor::DiskSource disk(dir);
  const std::vector<std::string> start = editor::gameStartFiles(disk, editor::GameRole::Client);
  return editor::computeEffective(disk, start, options);
}

}  // namespace brindle::cli
