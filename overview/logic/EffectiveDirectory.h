#pragma once
// The effective configuration of a game directory as the overview shows it: the files the
// game's client runs at start in its order, every exec they run, and the dictionary's lists to
// tell commands from variables. The overview windows, `brindle-cli effective` and
// brindle-keyboard all read a game directory through here.
#include <string>

#include "core/ConsoleScript.h"
#include "editor/logic/EffectiveConfig.h"
#include "editor/logic/ExecChain.h"

namespace brindle::overview {

// How the effective configuration tells commands from variables and knows the keys. Keeps a
// reference to `vocabulary`, which must outlive the options. With `wordsComplete` (the word
// lists were read), a word that is no known variable sets nothing; without it every unknown
// word counts as a variable.
editor::EffectiveOptions effectiveOptions(const core::Vocabulary& vocabulary, bool wordsComplete);
// Whether the word lists read are complete enough for effectiveOptions.
bool wordsComplete(const core::KnownWords& known);

// The configuration the game's client ends up with from the files of `source`: its start files
// in the game's order and every exec they run.
editor::EffectiveConfig effectiveOfGame(editor::FileSource& source,
                                        const editor::EffectiveOptions& options);

struct DirectoryConfig {
  std::string gameDir;  // the game directory read (see editor::resolveGameDir)
  editor::EffectiveConfig config;
  // The dictionary's lists were missing beside the program: commands cannot be told from
  // variables, every unknown name reads as a variable.
  bool wordsMissing = false;
};

// The same for the game directory `dir` (UTF-8: the mod folder, or the game's folder that holds
// cstrike/) with the dictionary of the program directory `programDir`.
DirectoryConfig effectiveOfDirectory(const std::string& dir, const std::string& programDir);

}  // namespace brindle::overview
