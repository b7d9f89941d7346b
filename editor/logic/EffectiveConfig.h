#pragma once
// What the game ends up with after running the files of a game directory: every variable, key
// and alias with the line that decides it and every earlier line it overrides, the files that
// are run but missing, exec loops, and what only runs during play (the values of aliases and
// binds). Built as a visitor of the exec chain, so the game's start order and the engine's exec
// rules are the chain's.
//
// The console is run by the one runner (ConsoleRun.h), which holds the engine's order: a command
// runs where it stands, an exec runs its file right there, an alias its value right there;
// names are looked up as a command, then an alias, then a variable. What the start files run,
// through every alias and exec, is the start; what a key runs when pressed, and everything that
// reaches, is play ("меняется во время игры"). `bind KEY VALUE` and `alias NAME VALUE` keep
// the rest of the line as their value; `bind KEY` alone only prints. Variable and alias names
// ignore letter case; key names follow core::keySpelling; user-info keys (setinfo) compare
// exactly (Info_ValueForKey in rehlds/engine/info.cpp compares with Q_strcmp).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/logic/ConsoleRun.h"
#include "editor/logic/ExecChain.h"

namespace brindle::editor {

// A line of a file of the chain.
struct SourceLine {
  std::string file;  // relative to the game directory, as the chain names it
  int line = 0;      // from 1
};

enum class EntryKind : std::uint8_t { Variable, Key, Alias, Setinfo };

// One line that set an entry, or removed it.
struct Assignment {
  SourceLine at;
  std::string value;      // the variable's value, or the command text of a key or alias
  std::string removedBy;  // "unbind", "unbindall", "unaliasall" when this line removed it
  // The aliases whose values the line ran, outermost first ("setup > inner"), when the line
  // is a command of an alias run at start.
  std::string via;

  bool removed() const { return !removedBy.empty(); }
};

struct EffectiveEntry {
  EntryKind kind = EntryKind::Variable;
  // As the deciding line spelled it; keys by core::keySpelling ("P" and "p" are two keys).
  std::string name;
  // Every line that set or removed it, in the order the game ran them: back() decides.
  std::vector<Assignment> history;
  // Something a key press reaches (a bind, the aliases and files it runs) changes it again.
  bool changesDuringPlay = false;
  // Keys: the alias the bind's first command runs, and that alias's value (one level), as the
  // aliases stand at the end; empty when the first command is no alias.
  std::string alias;
  std::string aliasValue;

  const Assignment& decisive() const { return history.back(); }
  bool present() const { return !history.back().removed(); }
  // The number of different files among the lines that set it.
  std::size_t fileCount() const;
};

// A command that a key press reaches and that sets something: it takes effect only when the key
// is pressed ("меняется во время игры").
struct RuntimeChange {
  SourceLine at;
  EntryKind kind = EntryKind::Variable;
  std::string name;
  std::string value;
  std::string holder;  // "alias NAME", "bind KEY", or "exec NAME" for a file run that way
};

// A command of the start whose first word the game knows neither as a command, an alias nor a
// variable: it sets nothing (the client hands it to the server it is on, Cmd_ForwardToServer).
struct UnknownWord {
  SourceLine at;
  std::string name;
};

// A file the chain tries to run but cannot, a budget that stopped the run, an alias name the
// game refuses, or a bind of a key name the engine does not know.
struct ChainProblem {
  enum class Kind : std::uint8_t {
    Missing,
    Unreadable,
    BadName,
    Loop,
    OverBudget,
    UnknownKey,
    BadAlias,
    TooDeep = OverBudget  // the former name
  };
  Kind kind = Kind::Missing;
  SourceLine at;       // the exec, bind or alias line; the command that did not run
  std::string target;  // the file, key or alias named
  bool quiet = false;  // the game looks for this file without a word when it is missing
  ExecLine exec;       // OverBudget: which budget, and its size
};
// The problem in Russian (UTF-8), the file or key named converted by `convert`:
//   нет файла "scripts/buy.cfg"
std::string problemText(const ChainProblem& problem,
                        const std::function<std::string(std::string_view)>& convert);

// An unbindall that took effect, and how many binds it removed.
struct Clearing {
  SourceLine at;
  std::string command;
  std::size_t removed = 0;
};

struct EffectiveConfig {
  std::vector<std::string> files;      // every file run at start, in the order the game runs them
  std::vector<std::string> playFiles;  // files only a key press runs (exec in a bind)
  std::vector<EffectiveEntry> variables;  // sorted by name, letter case ignored
  std::vector<EffectiveEntry> keys;
  std::vector<EffectiveEntry> aliases;
  std::vector<EffectiveEntry> setinfo;    // user-info keys
  std::vector<RuntimeChange> duringPlay;  // in the order of the files, then of the lines
  std::vector<ChainProblem> problems;
  std::vector<Clearing> clearings;
  std::vector<UnknownWord> unknownWords;

  const std::vector<EffectiveEntry>& entries(EntryKind kind) const;
  // The entry of that name (letter case ignored), or null.
  const EffectiveEntry* find(EntryKind kind, std::string_view name) const;
};

struct EffectiveOptions {
  // Whether a name is a console command rather than a variable: a line starting with a
  // command sets no variable. Names it does not know are taken for variables.
  std::function<bool(std::string_view)> isCommand;
  // Whether `bind` accepts a key name (core::Vocabulary::bindsKey); without it every name is
  // accepted. Keys are spelled by core::keySpelling either way.
  std::function<bool(std::string_view)> isKey;
  // Whether a name is a variable of the game: then a word that is no command, alias or variable
  // sets nothing and is listed among unknownWords. Without it every such word is taken for a
  // variable.
  std::function<bool(std::string_view)> isVariable;
};

// The effective configuration of the files `startFiles` run, following every exec. Linear in
// the total size of the files.
EffectiveConfig computeEffective(FileSource& source, const std::vector<std::string>& startFiles,
                                 const EffectiveOptions& options = {});

// One file alone, its execs not followed: what the file itself sets, and what its binds reach.
EffectiveConfig computeEffectiveOfText(const std::string& path, std::string_view text,
                                       const EffectiveOptions& options = {});

// A key name in the spelling the configuration keeps (core::keySpelling).
using core::keySpelling;

// "config.cfg:88".
std::string lineText(const SourceLine& at);
// One entry with its history in a line of text (UTF-8):
//   sensitivity = 2.5  (userconfig.cfg:12; переопределяет config.cfg:88 "3")
// Values are the files' bytes (CP1251), converted by the caller's `convert`.
std::string describeEntry(const EffectiveEntry& entry,
                          const std::function<std::string(std::string_view)>& convert);
// The whole configuration as JSON (UTF-8), values converted by `convert`.
std::string effectiveJson(const EffectiveConfig& config,
                          const std::function<std::string(std::string_view)>& convert);

}  // namespace brindle::editor
